// The queue of log records: producers on any thread append records; only the
// logger thread takes them out, writes and disposes of them.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace zeb {

struct TLogRec {
  uint16_t Level = 0;  // 0 always written .. 4 debug only
  int64_t Time = 0;    // local wall-clock time of the LogLine call as Unix seconds
  std::string Text;    // without colour escapes
};

using TLogRecs = std::vector<std::unique_ptr<TLogRec>>;

// Appends a record. Never waits for file output. Once the logger runs, a
// record above its level is dropped here: nothing would write it.
void LogLine(std::string_view text, int level);

// False when LogLine would drop a record of this level: callers on hot paths
// ask first and skip formatting a text nobody writes.
bool LogWanted(int level);

// Logs "Control point - %d" at the debug level: a trace of the run's progress.
void ControlPoint(int n);

// The configured threshold 0..4: records above it are not written.
int LogLevel();
void SetLogLevel(int level);

// Turns dropping of records above LogLevel at LogLine on or off.
void SetLogLineFilter(bool on);

// Detaches every queued record, oldest first.
TLogRecs TakeLogRecords();

// Sleeps until a record is queued, `wake` is set (see WakeLogConsumer) or
// `timeout` has passed.
void WaitForLogRecords(std::chrono::milliseconds timeout, const std::atomic<bool>& wake);

// Wakes a consumer waiting in WaitForLogRecords after its `wake` flag was set.
void WakeLogConsumer();

}  // namespace zeb
