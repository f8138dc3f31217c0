// What the outbound scanners log and hand over for one directory entry.
#pragma once

#include <cstdint>
#include <string_view>

#include "log/log_queue.h"
#include "platform/disk.h"
#include "support/text.h"

namespace zeb {

// The level-3 line for every entry looked at, with its real name.
void LogFoundFile(const TDirEntry& entry);

// A level-3 detail line: an arrow, a space and the text; with arguments the
// text is a printf format, formatted only when the line is written.
void LogDetail(std::string_view text);
template <typename... Args>
  requires(sizeof...(Args) > 0)
void LogDetail(const char* format, Args... args) {
  if (LogWanted(3)) LogDetail(Format(format, args...));
}

// The local date and time now, packed in the DOS format.
uint32_t CurrentDosTime();

}  // namespace zeb
