// @add, @sub, @mul, @div and @mod on template variables.
#include <gtest/gtest.h>

#include "run_functions.h"

namespace zeb::test {
namespace {

TEST(ArithmeticFunctions, ChangeTheVariableAndGiveNothing) {
  EXPECT_EQ(RunFunctions("@define(@t, 10)\n@add(@t, 5)\n@t|@sub(@t, 3)@t|@mul(@t, 4)@t|@div(@t, 5)@t|@mod(@t, 5)@t"),
            "15|12|48|9|4");
  EXPECT_EQ(RunFunctions("@add(@total, 7)@total"), "7") << "an undefined variable counts as 0";
  EXPECT_EQ(RunFunctions("@define(@t, 6)@mul(@t, abc)@t"), "0") << "a text that is no number counts as 0";
  EXPECT_EQ(RunFunctions("@define(@n, 2)@define(@t, 1)@add(@t, \"@n\")@add( @t ,@n)@t"), "5");
  EXPECT_EQ(RunFunctions("@define(@t, 5)@add(@t, @t)@t"), "10") << "both sides are read before the change";
}

TEST(ArithmeticFunctions, NegativeResultsAndDivisionByZero) {
  EXPECT_EQ(RunFunctions("@define(@t, 10)@sub(@t, 15)@t"), "-5");
  EXPECT_EQ(RunFunctions("@sub(@t, 3)@t|@add(@t, 5)@t|@sub(@t, 4)@t"), "-3|2|-2") << "a negative value is read back";
  EXPECT_EQ(RunFunctions("@define(@t, -7)@div(@t, 2)@t|@define(@t, -7)@mod(@t, 2)@t"), "-3|-1");
  EXPECT_EQ(RunFunctions("@define(@t, 7)@div(@t, 0)@t|@define(@t, 7)@mod(@t, 0)@t|@div(@u, @v)@u"), "0|0|0");
  EXPECT_EQ(RunFunctions("@define(@t, 9223372036854775807)@add(@t, 1)@t"), "-9223372036854775808") << "wraps";
  EXPECT_EQ(
      RunFunctions("@define(@t, -9223372036854775808)@div(@t, -1)@t|@define(@t, -9223372036854775808)@mod(@t, -1)@t"),
      "-9223372036854775808|0");
}

TEST(ArithmeticFunctions, IgnoreCallsWithoutAVariable) {
  EXPECT_EQ(RunFunctions("@add(t, 5)@t"), "@t") << "no command character";
  EXPECT_EQ(RunFunctions("@add(@t)@t"), "@t") << "no comma";
  EXPECT_EQ(RunFunctions("@define(@t, 1)@if(0)@add(@t, 1)@end@t"), "1") << "output off";
}

TEST(ArithmeticFunctions, NeverReplaceAFunction) {
  EXPECT_EQ(RunFunctions("a@add(@len, 1)b"), "aCan't replace function @len\n\r");
  EXPECT_EQ(RunFunctions("@add(@ADD, 1)@len(ab)"), "Can't replace function @ADD\n\r");
}

}  // namespace
}  // namespace zeb::test
