// Local calendar times as seconds since 1970-01-01 00:00:00 of the same
// clock: the queue's times (no time-zone conversion).
#pragma once

#include <cstdint>

#include "platform/dos_time.h"

namespace zeb {

// Whole years from 1970, whole months of the year, the days before `Day` and
// the time of day. A month past 12 runs on into the following years, so a
// damaged date still gives a time instead of reading past the month table.
int64_t LocalDateTimeToUnix(const TDateTime& dt);

// A packed DOS date-time (date in the high 16 bits) in the same measure.
int64_t DosDateTimeToUnix(uint32_t packed);

}  // namespace zeb
