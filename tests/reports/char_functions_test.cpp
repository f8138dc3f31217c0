// @char, @code and @len.
#include <gtest/gtest.h>

#include "run_functions.h"

namespace zeb::test {
namespace {

TEST(CharFunctions, CodesAndCharacters) {
  EXPECT_EQ(RunFunctions("@code(A)|@code(abc)|@code()|@code(\" x\")|@code(\"\"\"\")"), "65|97|0|32|34");
  EXPECT_EQ(RunFunctions("@code(\xC4)"), "196") << "codes are unsigned";
  EXPECT_EQ(RunFunctions("@char(65)@char(321)@char(x)."), std::string("AA\0.", 4));
  EXPECT_EQ(RunFunctions("@char(4294967233)"), "\xC1") << "a negative number gives its low byte";
  EXPECT_EQ(RunFunctions("@code(@char(200))"), "200");
  EXPECT_EQ(RunFunctions("@char(\"66\")"), "B");
}

TEST(CharFunctions, Lengths) {
  EXPECT_EQ(RunFunctions("@len(abc)|@len( abc )|@len()|@len(\"a, b\")|@len(a, b)"), "3|3|0|4|4");
  EXPECT_EQ(RunFunctions("@define(@s, hello)@len(@s!)"), "6");
  EXPECT_EQ(RunFunctions("@len(\" \")"), "1");
}

}  // namespace
}  // namespace zeb::test
