// Unix times of the local clock, both ways, and from packed DOS date-times.
#include "support/unix_time.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace zeb {
namespace {

std::vector<int> Fields(const TDateTime& d) { return {d.Year, d.Month, d.Day, d.Hour, d.Minute, d.Second}; }

TEST(UnixTime, UnixToDateAndBack) {
  TDateTime d = UnixToDate(0);
  EXPECT_EQ(Fields(d), (std::vector<int>{1970, 1, 1, 0, 0, 0}));
  EXPECT_EQ(d.DayOfWeek, 4);
  EXPECT_EQ(Fields(UnixToDate(951782400)), (std::vector<int>{2000, 2, 29, 0, 0, 0}));
  EXPECT_EQ(DateToUnix(0, 0, 0, 1, 1, 2001), 978307200);
  for (int64_t t : {int64_t{0}, int64_t{951782399}, int64_t{1015312089}, int64_t{4102444800}, int64_t{253402300799}}) {
    EXPECT_EQ(DateToUnix(UnixToDate(t)), t) << t;
  }
  EXPECT_EQ(Fields(UnixToDate(INT64_MAX)), (std::vector<int>{9999, 12, 31, 23, 59, 59}));
  EXPECT_EQ(Fields(UnixToDate(-1)), (std::vector<int>{1970, 1, 1, 0, 0, 0}));
  EXPECT_EQ(Fields(UnixToDate(4107542400)), (std::vector<int>{2100, 3, 1, 0, 0, 0})) << "2100 is not a leap year";
}

// Every day from 1970 to 9999: consecutive days, valid fields, the week
// running on by one, and the way back giving the same time.
TEST(UnixTime, EveryDayOfTheFourDigitYearsRoundTrips) {
  TDateTime previous = UnixToDate(0);
  for (int64_t day = 1; day * 86400 <= 253402300799; ++day) {
    const int64_t t = day * 86400 + 45296;  // 12:34:56
    const TDateTime d = UnixToDate(t);
    ASSERT_EQ(DateToUnix(d), t) << day;
    ASSERT_EQ(d.DayOfWeek, (previous.DayOfWeek + 1) % 7) << day;
    const bool nextDay = d.Year == previous.Year && d.Month == previous.Month && d.Day == previous.Day + 1;
    const bool nextMonth = d.Year == previous.Year && d.Month == previous.Month + 1 && d.Day == 1;
    const bool nextYear = d.Year == previous.Year + 1 && d.Month == 1 && d.Day == 1 && previous.Month == 12;
    ASSERT_TRUE(nextDay || nextMonth || nextYear) << day;
    ASSERT_EQ(Fields(d).back(), 56);
    previous = d;
  }
  EXPECT_EQ(Fields(previous), (std::vector<int>{9999, 12, 31, 12, 34, 56}));
}

TEST(UnixTime, CountsCalendarSecondsWithoutTimeZone) {
  EXPECT_EQ(DateToUnix(TDateTime{1970, 1, 1}), 0);
  EXPECT_EQ(DateToUnix(TDateTime{2000, 2, 29}), 951782400);
  EXPECT_EQ(DateToUnix(TDateTime{2100, 3, 1}), 4107542400);
  EXPECT_EQ(DateToUnix(TDateTime{1969, 12, 31, 23, 59, 59}), -1);
  // 2012-04-19 19:51:02, the date created of a JAM base made then.
  EXPECT_EQ(DateToUnix(TDateTime{2012, 4, 19, 19, 51, 2}), 0x4F906CA6);
  // A DOS time past 2038 does not wrap to a negative age.
  EXPECT_GT(DosDateTimeToUnix(PackDosDateTime(TDateTime{2100, 1, 1})), int64_t{INT32_MAX});
  EXPECT_EQ(DosDateTimeToUnix(PackDosDateTime(TDateTime{2024, 12, 31, 23, 59, 58})), 1735689598);
  // A damaged month runs on into the next year instead of past the table.
  EXPECT_EQ(DateToUnix(TDateTime{2000, 13, 1}), DateToUnix(TDateTime{2001, 1, 1}));
  EXPECT_EQ(DosDateTimeToUnix(0x29E00000), DateToUnix(TDateTime{2001, 2, 28})) << "2000, month 15, day 0";
  EXPECT_EQ(DateToUnix(TDateTime{2000, 0, 1}), DateToUnix(TDateTime{2000, 1, 1}));
}

}  // namespace
}  // namespace zeb
