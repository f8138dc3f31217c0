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
}

// Results and numbers beyond 64 bits are held at the ends of the range;
// widths beyond 65535 are argument errors, never gigabytes of blanks.
TEST(ArithmeticFunctions, NumbersSaturateAndWidthsAreBounded) {
  const std::string kMax = "9223372036854775807", kMin = "-9223372036854775808";
  const std::pair<std::string, std::string> rows[] = {
      {"@define(@t, " + kMax + ")@add(@t, 1)@t", kMax},
      {"@define(@t, " + kMin + ")@sub(@t, 1)@t", kMin},
      {"@define(@t, 9999999999)@mul(@t, 9999999999)@t", kMax},
      {"@define(@t, -2)@mul(@t, " + kMax + ")@t", kMin},
      {"@define(@t, " + kMin + ")@div(@t, -1)@t|@define(@t, " + kMin + ")@mod(@t, -1)@t", kMax + "|0"},
      {"@define(@t, 1)@add(@t, 99999999999999999999)@t", kMax},
      {"@define(@t, -99999999999999999999)@add(@t, 0)@t", kMin},
      {"@sizetype(99999999999999999999, K)", "9.007.199.254.740.991K"},
      {"@foreach(00)x@end.", "."},
      {"@foreach($a)x@end.", "xx."},
      {"@char($42)", std::string(1, '\0')},
      {"[@just(x, 4294967298, L)]", "[Bad type of @MaxLen parametr"},
      {"[@center(ab, 4294967300)]", "[Bad type of @MaxLen parametr"},
      {"[@sizetolimitstr(1, 4294967297)]", "[Bad type of @MaxLen parametr"},
      {"[@just(x, 65535, L)]", "[x" + std::string(65534, ' ') + "]"},
  };
  for (const auto& [text, expected] : rows) EXPECT_EQ(RunFunctions(text), expected) << text;
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
