// What the outbound scanners log and hand over for one directory entry.
#pragma once

#include <cstdint>
#include <mutex>
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

// Two scanning threads may print at once: lines that one prints as a piece
// (an error and its reason, a directory test and its result) are printed
// while holding this.
[[nodiscard]] std::unique_lock<std::mutex> HoldScanConsole();

// AnnounceError with its reason line, if any, as one piece.
void AnnounceScanError(std::string_view message, std::string_view reason = {});

// The local date and time now, packed in the DOS format.
uint32_t CurrentDosTime();

}  // namespace zeb
