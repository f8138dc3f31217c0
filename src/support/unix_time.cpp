#include "support/unix_time.h"

namespace zeb {

namespace {

constexpr int kMonthDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
constexpr int64_t kDay = 86400;
// 400 Gregorian years have a whole number of days; skipping them keeps
// absurd times from walking year by year.
constexpr int64_t kFourCenturyDays = 146097;
// 9999-12-31 23:59:59, the last moment a four-digit year can show.
constexpr int64_t kLastSecond = 253402300799;

bool IsLeap(int64_t year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int MonthDays(int month, int64_t year) { return kMonthDays[month - 1] + (month == 2 && IsLeap(year) ? 1 : 0); }


// Days from 1970-01-01 to the first of January of `year`; any year, before
// 1970 too (the count is then negative).
int64_t DaysBeforeYear(int64_t year) {
  // Shift by whole four-century cycles so that the leap-year counts below
  // only ever divide positive numbers.
  const int64_t cycles = year > 0 ? 0 : (-year) / 400 + 1;
  const int64_t y = year + cycles * 400 - 1;
  const int64_t fromYearOne = y * 365 + y / 4 - y / 100 + y / 400;
  constexpr int64_t kYearOneTo1970 = 1969 * 365 + 1969 / 4 - 1969 / 100 + 1969 / 400;
  return fromYearOne - kYearOneTo1970 - cycles * kFourCenturyDays;
}

}  // namespace

TDateTime UnixToDate(int64_t seconds) {
  TDateTime dt;
  if (seconds < 0) seconds = 0;
  if (seconds > kLastSecond) seconds = kLastSecond;
  const int64_t days = seconds / kDay;
  seconds %= kDay;
  dt.DayOfWeek = static_cast<int>((days + 4) % 7);  // 1970-01-01 was a Thursday
  // The calendar of a day count without walking years and months: counted
  // in eras of 400 years from 0000-03-01, so that the leap day ends a year.
  const int64_t z = days + 719468;
  const int64_t era = z / kFourCenturyDays;
  const int64_t dayOfEra = z - era * kFourCenturyDays;
  const int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const int64_t shiftedMonth = (5 * dayOfYear + 2) / 153;  // 0 = March
  dt.Day = static_cast<int>(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1);
  dt.Month = static_cast<int>(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
  dt.Year = static_cast<int>(yearOfEra + era * 400 + (dt.Month <= 2 ? 1 : 0));
  dt.Hour = static_cast<int>(seconds / 3600);
  dt.Minute = static_cast<int>(seconds / 60 % 60);
  dt.Second = static_cast<int>(seconds % 60);
  dt.Millisecond = 0;
  return dt;
}

int64_t DateToUnix(int second, int minute, int hour, int day, int month, int year) {
  int64_t fullYear = year;
  if (month < 1) month = 1;
  fullYear += (month - 1) / 12;
  month = (month - 1) % 12 + 1;
  int64_t days = DaysBeforeYear(fullYear);
  for (int m = 1; m < month; ++m) days += MonthDays(m, fullYear);
  days += int64_t{day} - 1;
  return days * kDay + int64_t{hour} * 3600 + int64_t{minute} * 60 + second;
}

}  // namespace zeb
