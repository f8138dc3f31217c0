// Unix times (seconds since 1970-01-01 00:00:00 of the local clock, no time
// zone) and the date-time patterns of reports, message stamps and log lines.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/dos_time.h"

namespace zeb {

// The calendar fields (and day of the week) of a Unix time; times before
// 1970 give 1970-01-01 00:00:00, times after 9999 the last second of 9999.
TDateTime UnixToDate(int64_t seconds);

// The Unix time of a calendar moment.
int64_t DateToUnix(int second, int minute, int hour, int day, int month, int year);
inline int64_t DateToUnix(const TDateTime& moment) {
  return DateToUnix(moment.Second, moment.Minute, moment.Hour, moment.Day, moment.Month, moment.Year);
}

// Formats a moment with a pattern whose letters are not case-sensitive:
// d dd ddd dddd (day number, two digits, "Sun", "Sunday"), m mm mmm mmmm
// (month number, two digits, "Jan", "January"), yy yyyy, h hh, n nn, s ss;
// m or mm after an hour letter is the minute. "/" and ":" give the locale's
// date and time separators; text in single or double quotes is copied
// without its quotes; everything else is copied.
std::string FormatDatePattern(std::string_view pattern, const TDateTime& moment);

}  // namespace zeb
