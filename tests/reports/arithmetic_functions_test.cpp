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

// Numbers and results saturate at 64 bits; a width above 65535 is an error.
TEST(ArithmeticFunctions, NumbersSaturateAndWidthsAreBounded) {
  const std::string max = "9223372036854775807", min = "-9223372036854775808", bad = "[Bad type of @MaxLen parametr";
  const std::pair<std::string, std::string> rows[] = {
      {"@define(@t, " + max + ")@add(@t, 1)@t", max}, {"@define(@t, -2)@mul(@t, " + max + ")@t", min},
      {"@define(@t, " + min + ")@sub(@t, 1)@t|@div(@t, -1)@t", min + "|" + max},
      {"@add(@t, 99999999999999999999)@t", max}, {"@foreach(00)x@end.|@foreach($a)x@end.", ".|xx."},
      {"@sizetype(99999999999999999999, K)", "9.007.199.254.740.991K"},
      {"[@just(x, 4294967298, L)]", bad}, {"[@center(ab, 4294967300)]", bad}, {"[@sizetolimitstr(1, 4294967297)]", bad},
      {"[@just(x, 65535, L)]", "[x" + std::string(65534, ' ') + "]"}};
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
