// The operating system's clock, environment, process and console.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/dos_time.h"

namespace zeb {

// Milliseconds of a monotonic clock.
uint64_t TickCount();

// The local date and time now.
TDateTime LocalNow();

// The local wall-clock time now as seconds since 1970-01-01 00:00:00 of the
// same clock (no time-zone conversion).
int64_t LocalUnixNow();

// Seconds since 1970-01-01 00:00:00 UTC now; under a fixed clock its
// moment, as if the local time were UTC, so that tests see the same number
// in every time zone.
int64_t UnixNow();

// Stops the local clock at a moment given as LocalUnixNow would report it,
// so that tests see fixed dates and times; SetFixedClock(std::nullopt) lets
// it run again.
void SetFixedClock(std::optional<int64_t> localUnixTime);

// The locale's date and time separators (LC_TIME), read once; "/" and ":"
// in the C locale.
char DateSeparator();
char TimeSeparator();

// An environment variable; the name is matched without regard to case.
std::optional<std::string> GetEnv(std::string_view name);

// The running executable's full path.
std::string ExecutablePath();

// The process's current directory, with a trailing "/"; "./" when it cannot
// be read.
std::string CurrentDirectory();

// Free memory for the banner: MemAvailable + SwapFree, limited by the
// address-space limit when one is set.
uint64_t FreeMemory();

// The kernel's id of the calling thread, and of the process.
uint32_t CurrentThreadId();
uint32_t CurrentProcessId();

// Console facts and raw output.
bool StdoutIsTerminal();
bool LocaleIsUtf8();

// Writes the bytes to standard output. Once a write fails (the reader of a
// pipe has gone), standard output is given up: this and every later call
// write nothing and return false, and the run goes on.
bool WriteStdout(std::string_view bytes);

// A write to a pipe whose reader has gone fails instead of ending the
// process, so that a closed console never cuts a run short.
void IgnoreBrokenPipe();

}  // namespace zeb
