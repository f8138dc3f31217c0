#include "msgbase/message_time.h"

#include "platform/system.h"
#include "support/text.h"

namespace zeb {

namespace {

// Days from 1970-01-01 to the given civil date (proleptic Gregorian).
int64_t DaysFromCivil(int year, int month, int day) {
  year -= month <= 2 ? 1 : 0;
  const int64_t era = (year >= 0 ? year : year - 399) / 400;
  const int64_t yearOfEra = year - era * 400;
  const int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - 719468;
}

}  // namespace

TMessageTime MessageTime(const TDateTime& local) {
  TMessageTime t;
  t.Local = local;
  t.Local.Millisecond = 0;
  const int64_t seconds =
      DaysFromCivil(local.Year, local.Month, local.Day) * 86400 + local.Hour * 3600 + local.Minute * 60 + local.Second;
  t.Unix = static_cast<uint32_t>(seconds);
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
