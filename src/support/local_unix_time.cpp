#include "support/local_unix_time.h"

namespace zeb {

namespace {

constexpr int kMonthDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

bool IsLeapYear(int64_t year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

// Leap years from year 1 up to and including `year` (year >= 1).
int64_t LeapYearsThrough(int64_t year) { return year / 4 - year / 100 + year / 400; }

}  // namespace

int64_t LocalDateTimeToUnix(const TDateTime& dt) {
  int64_t year = dt.Year;
  int month = dt.Month < 1 ? 1 : dt.Month;
  year += (month - 1) / 12;
  month = (month - 1) % 12 + 1;

  int64_t days = 365 * (year - 1970) + LeapYearsThrough(year - 1) - LeapYearsThrough(1969);
  for (int m = 1; m < month; ++m) days += kMonthDays[m - 1] + (m == 2 && IsLeapYear(year) ? 1 : 0);
  days += dt.Day - 1;
  return days * 86400 + int64_t{dt.Hour} * 3600 + int64_t{dt.Minute} * 60 + dt.Second;
}

int64_t DosDateTimeToUnix(uint32_t packed) { return LocalDateTimeToUnix(UnpackDosDateTime(packed)); }

}  // namespace zeb
