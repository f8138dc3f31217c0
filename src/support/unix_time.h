// Unix times of the local clock: seconds since 1970-01-01 00:00:00 of the
// same clock, with no time-zone conversion. The queue's ages, message stamps
// and log times are all counted this way.
#pragma once

#include <cstdint>

#include "platform/dos_time.h"

namespace zeb {

// The calendar fields (and day of the week) of a Unix time; times before
// 1970 give 1970-01-01 00:00:00, times after 9999 the last second of 9999.
TDateTime UnixToDate(int64_t seconds);

// The Unix time of a calendar moment: whole years from 1970, whole months of
// the year, the days before `day` and the time of day. A month past 12 runs
// on into the following years (a damaged DOS date has months up to 15) and a
// month below 1 counts as January, so no date reads past the month table.
int64_t DateToUnix(int second, int minute, int hour, int day, int month, int year);
inline int64_t DateToUnix(const TDateTime& moment) {
  return DateToUnix(moment.Second, moment.Minute, moment.Hour, moment.Day, moment.Month, moment.Year);
}

// A packed DOS date-time (date in the high 16 bits) as a Unix time.
inline int64_t DosDateTimeToUnix(uint32_t packed) { return DateToUnix(UnpackDosDateTime(packed)); }

}  // namespace zeb
