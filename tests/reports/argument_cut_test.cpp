// The cut of an evaluated parameter text at its last comma.
#include <gtest/gtest.h>

#include "reports/evaluated_function.h"

namespace zeb::test {
namespace {

std::string Cut(std::string_view text) {
  const TLastCommaCut cut = CutAtLastComma(text);
  return "[" + cut.Before + "][" + cut.After + "]";
}

TEST(ArgumentCut, AtTheLastCommaWithBothPartsTrimmed) {
  EXPECT_EQ(Cut("abc, 7"), "[abc][7]");
  EXPECT_EQ(Cut(" a, b ,  c "), "[a, b][c]") << "the part before keeps its commas";
  EXPECT_EQ(Cut("\"x, y\", 3"), "[\"x, y\"][3]") << "quotes are no shelter for the last comma";
  EXPECT_EQ(Cut("\"x, y\""), "[\"x][y\"]");
  EXPECT_EQ(Cut(" abc "), "[][abc]") << "without a comma the whole text comes after";
  EXPECT_EQ(Cut("abc,"), "[abc][]");
  EXPECT_EQ(Cut(""), "[][]");
  EXPECT_EQ(Cut("a,\tb"), "[a][\tb]") << "only blanks are trimmed";
}

}  // namespace
}  // namespace zeb::test
