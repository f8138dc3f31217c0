#include "outbound/scan_entry.h"

#include <cstdint>
#include <string>

#include "log/log_queue.h"
#include "log/marks.h"
#include "platform/dos_time.h"
#include "platform/system.h"
#include "support/text.h"

namespace zeb {

void LogFoundFile(const TDirEntry& entry) {
  if (!LogWanted(3)) return;
  const TDateTime t = UnpackDosDateTime(entry.DosTime);
  const std::string when =
      Format("%04d.%02d.%02d %02d:%02d:%02d", t.Year, t.Month, t.Day, t.Hour, t.Minute, t.Second);
  LogLine(Format("Found file: %-40s, size: %8lld bytes, attribute: %.2x, datetime: %s", entry.Name.c_str(),
                 static_cast<long long>(entry.Size), entry.Attr, when.c_str()),
          3);
}

void LogDetail(std::string_view text) { LogLine(kArrowMark + (" " + std::string(text)), 3); }

uint32_t CurrentDosTime() { return PackDosDateTime(LocalNow()); }

}  // namespace zeb
