// The queue of log records: producers on any thread append records; only the
// logger thread reads and disposes of them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zeb {

struct TLogRec {
  TLogRec* Prev = nullptr;  // appended just before this one
  uint16_t Level = 0;       // 0 always written .. 4 debug only
  int64_t Time = 0;         // local wall-clock time as Unix seconds
  std::string Text;         // without colour escapes
  TLogRec* Next = nullptr;  // appended just after this one; null while newest
};

// Appends a record. Never waits for file output.
void LogLine(std::string_view text, int level);

// The configured threshold 0..4: records above it are not written.
int LogLevel();
void SetLogLevel(int level);

// The newest record, or null before the first LogLine.
TLogRec* LogTail();

}  // namespace zeb
