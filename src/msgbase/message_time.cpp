#include "msgbase/message_time.h"

#include "platform/system.h"
#include "support/text.h"
#include "support/unix_time.h"

namespace zeb {

TMessageTime MessageTime(const TDateTime& local) {
  TMessageTime t;
  t.Local = local;
  t.Local.Millisecond = 0;
  t.Unix = static_cast<uint32_t>(DateToUnix(local));
  return t;
}

TMessageTime MessageTimeNow() { return MessageTime(LocalNow()); }

std::string FtsDate(const TDateTime& dt) {
  static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                        "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  const int month = dt.Month >= 1 && dt.Month <= 12 ? dt.Month : 1;
  return Format("%02d %s %02d  %02d:%02d:%02d", dt.Day, kMonths[month - 1], dt.Year % 100, dt.Hour, dt.Minute,
                dt.Second);
}

uint16_t DosDateWord(const TDateTime& dt) { return static_cast<uint16_t>(PackDosDateTime(dt) >> 16); }
uint16_t DosTimeWord(const TDateTime& dt) { return static_cast<uint16_t>(PackDosDateTime(dt) & 0xFFFF); }

}  // namespace zeb
