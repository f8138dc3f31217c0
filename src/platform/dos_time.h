// Packed DOS date-times, as stored by mailers and in our hand-over records.
#pragma once

#include <cstdint>
#include <ctime>

namespace zeb {

// A broken-down local date and time.
struct TDateTime {
  int Year = 1980;
  int Month = 1;   // 1..12
  int Day = 1;     // 1..31
  int Hour = 0;
  int Minute = 0;
  int Second = 0;
  int Millisecond = 0;
  int DayOfWeek = 0;  // 0 = Sunday
};

// Packs a date-time: seconds are halved; a time before 1980-01-01 is packed
// as 1980-01-01 00:00:00 and years past 2107 as the last representable year.
uint32_t PackDosDateTime(const TDateTime& dt);
TDateTime UnpackDosDateTime(uint32_t packed);

// The local calendar fields and day of the week of a time in seconds since
// the epoch (UTC); false when the time cannot be broken down.
bool LocalDateTimeOf(std::time_t time, TDateTime& dt);
// Breaks down a local wall-clock time kept as Unix seconds (no time-zone
// conversion).
bool WallClockDateTimeOf(std::time_t wallClock, TDateTime& dt);

// A file time (seconds since the epoch, UTC) as a packed local date-time.
uint32_t FileTimeToDos(std::time_t time);

}  // namespace zeb
