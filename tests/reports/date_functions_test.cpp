// The date and time functions on a fixed clock.
#include <gtest/gtest.h>

#include "fixed_clock.h"
#include "platform/system.h"
#include "run_functions.h"

namespace zeb::test {
namespace {

const std::string kTime(1, TimeSeparator());

TEST(DateFunctions, FixedPatternsOfNow) {
  FixedClock clock(2002, 3, 5, 7, 8, 9);
  EXPECT_EQ(RunFunctions("@year|@month|@day|@dayofweek|@hours|@minutes"), "2002|Mar|5|Tuesday|7|08");
  EXPECT_EQ(RunFunctions("@year(x)"), "2002(x)") << "no parameter list";
}

TEST(DateFunctions, DateIsTodayAtMidnight) {
  FixedClock clock(2002, 3, 5, 7, 8, 9);
  EXPECT_EQ(RunFunctions("@date(dd mmm yy)"), "05 Mar 02");
  EXPECT_EQ(RunFunctions("@date(dddd, d mmmm yyyy)"), "Tuesday, 5 March 2002") << "no cut at the comma";
  EXPECT_EQ(RunFunctions("@date(\"dddd, 'the' d\")"), "Tuesday, the 5");
  EXPECT_EQ(RunFunctions("@date(hh:nn:ss)"), "00" + kTime + "00" + kTime + "00");
}

TEST(DateFunctions, TimeIsOnDayZero) {
  FixedClock clock(2002, 3, 5, 17, 8, 9);
  EXPECT_EQ(RunFunctions("@time(hh:nn:ss)"), "17" + kTime + "08" + kTime + "09");
  EXPECT_EQ(RunFunctions("@time(h:mm)"), "17" + kTime + "08") << "m after an hour is the minute";
  EXPECT_EQ(RunFunctions("@time(dddd dd mmmm yyyy)"), "Saturday 30 December 1899");
  EXPECT_EQ(RunFunctions("@define(@p, hh)@time( @p )"), "17");
}

TEST(DateFunctions, EmptyPatternGivesNothing) {
  FixedClock clock(2002, 3, 5, 7, 8, 9);
  EXPECT_EQ(RunFunctions("a@date()\nb@time( )\n"), "ab");
}

}  // namespace
}  // namespace zeb::test
