// @center and @just: texts laid out in columns, and their argument errors.
#include <gtest/gtest.h>

#include <utility>

#include "run_functions.h"

namespace zeb::test {
namespace {

TEST(CenterFunction, CentresOrKeepsTheMiddle) {
  EXPECT_EQ(RunFunctions("[@center(abc, 7)]"), "[  abc  ]");
  EXPECT_EQ(RunFunctions("[@center(abcd, 7)]"), "[ abcd  ]") << "the odd blank goes to the right";
  EXPECT_EQ(RunFunctions("[@center(abc, 2)]"), "[ab]");
  EXPECT_EQ(RunFunctions("[@center(abcdefg, 3)]"), "[cde]");
  EXPECT_EQ(RunFunctions("[@center(abc, 0)]"), "[]");
  EXPECT_EQ(RunFunctions("[@center(abc, x)]"), "[abc]") << "a width that is no number is the text's length";
  EXPECT_EQ(RunFunctions("[@center(abc)]"), "[]") << "without a comma the text is empty";
  EXPECT_EQ(RunFunctions("[@center(4)]"), "[    ]") << "the whole text is the width";
}

TEST(CenterFunction, CutsAtTheLastCommaAndUnquotesTheText) {
  EXPECT_EQ(RunFunctions("[@center(a, b, 6)]"), "[ a, b ]");
  EXPECT_EQ(RunFunctions("[@center(\" a \", 5)]"), "[  a  ]");
  EXPECT_EQ(RunFunctions("@define(@w, 6)@define(@t, ab)[@center( @t , @w )]"), "[  ab  ]");
}

TEST(JustFunction, LaysOutByMode) {
  EXPECT_EQ(RunFunctions("[@just(abcdef, 4, R)]"), "[cdef]");
  EXPECT_EQ(RunFunctions("[@just(abcdef, 4, L)]"), "[abcd]");
  EXPECT_EQ(RunFunctions("[@just(abcdef, 4, C)]"), "[bcde]");
  EXPECT_EQ(RunFunctions("[@just(ab, 5, R)]"), "[   ab]");
  EXPECT_EQ(RunFunctions("[@just(ab, 5, r)]"), "[   ab]");
  EXPECT_EQ(RunFunctions("[@just(ab, 5, L)]"), "[ab   ]");
  EXPECT_EQ(RunFunctions("[@just(ab, 6, Center)]"), "[  ab  ]");
  EXPECT_EQ(RunFunctions("[@just(ab, 5, right)]"), "[   ab]");
  EXPECT_EQ(RunFunctions("[@just(abcdef, 4, x)][@just(abcdef, 4, Z)]"), "[    ][    ]")
      << "another single character leaves the blanks";
  EXPECT_EQ(RunFunctions("[@just(a, b, 6, L)]"), "[a, b  ]");
  EXPECT_EQ(RunFunctions("[@just(\"a, b\", 6, R)]"), "[  a, b]");
  EXPECT_EQ(RunFunctions("[@just(ab, 0, L)]"), "[]");
}

// A report declared UTF-8 measures and pads in characters and never cuts
// one; bytes outside a well-formed character count one each. Without the
// declaration every byte counts, as ever.
TEST(TextFunctions, CountCharactersOnlyInUtf8Reports) {
  const struct {
    const char* Template;
    const char* InBytes;
    const char* InUtf8;
  } kCases[] = {
      {"[@len(Gr\u00F6\u00DFe)]", "[7]", "[5]"},
      {"[@len(\u041F\u0440\u0438\u0432\u0435\u0442)]", "[12]", "[6]"},
      {"[@just(Gr\u00F6\u00DFe, 7, L)]", "[Gr\u00F6\u00DFe]", "[Gr\u00F6\u00DFe  ]"},
      {"[@just(Gr\u00F6\u00DFe, 7, R)]", "[Gr\u00F6\u00DFe]", "[  Gr\u00F6\u00DFe]"},
      {"[@center(\u041C\u0438\u0440, 7)]", "[\u041C\u0438\u0440 ]", "[  \u041C\u0438\u0440  ]"},
      {"[@center(\u041C\u0438\u0440)]", "[]", "[]"},
      {"[@center(\u041C\u0438\u0440, x)]", "[\u041C\u0438\u0440]", "[\u041C\u0438\u0440]"},
      {"[@just(\u041F\u0440\u0438\u0432\u0435\u0442, 3, L)]", "[\u041F\xD1]", "[\u041F\u0440\u0438]"},
      {"[@just(\u041F\u0440\u0438\u0432\u0435\u0442, 3, R)]", "[\xB5\u0442]", "[\u0432\u0435\u0442]"},
      {"[@center(\u041F\u0440\u0438\u0432\u0435\u0442, 2)]", "[\xB8\xD0]", "[\u0438\u0432]"},
      {"[@just(\x8F\xE0\xA8, 4, R)]", "[ \x8F\xE0\xA8]", "[ \x8F\xE0\xA8]"},
      {"[@len(\xC4\xC4\xF0\x9F\x98)]", "[5]", "[5]"},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(RunFunctions(c.Template), c.InBytes) << c.Template;
    EXPECT_EQ(RunFunctions(c.Template, TTextUnits(true)), c.InUtf8) << c.Template;
  }
}

TEST(JustFunction, RejectsModeThenWidth) {
  EXPECT_EQ(RunFunctions("x@just(abcdef, 4, Zebra)y"), "xBad type of @Format parametr");
  EXPECT_EQ(RunFunctions("x@just(abcdef, 4, )y"), "xBad type of @Format parametr");
  EXPECT_EQ(RunFunctions("x@just(abcdef, four, Zebra)y"), "xBad type of @Format parametr");
  EXPECT_EQ(RunFunctions("x@just(abcdef, four, L)y"), "xBad type of @MaxLen parametr");
  EXPECT_EQ(RunFunctions("x@just(abcdef, -4, L)y"), "xBad type of @MaxLen parametr");
  EXPECT_EQ(RunFunctions("x@just(abcdef)y"), "xBad type of @Format parametr") << "the whole text is the mode";
  EXPECT_EQ(RunFunctions("x@just(L)y"), "xBad type of @MaxLen parametr");
  EXPECT_EQ(RunFunctions("@define(@v, @just(ab, x, L))after"), "Bad type of @MaxLen parametr")
      << "an error inside a value ends the run and shows";
}

TEST(ArgumentErrors, TheInnermostMessageShowsWhereTheOutermostCallStood) {
  const std::pair<const char*, const char*> cases[] = {
      {"a @just(@sizetype(x,K),5,L) b", "a Bad type of @Integer parametr"},
      {"a @len(@just(a,x,L)) b", "a Bad type of @MaxLen parametr"},
      {"a @define(@v,@just(a,x,L))[@v] b", "a Bad type of @MaxLen parametr"},
      {"a @if(@len(@just(a,x,L)), >, 1)y@end b", "a Bad type of @MaxLen parametr"},
      {"a @alias(@v, \"x@just(a,x,L)\")@v b", "a xBad type of @MaxLen parametr"},
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(RunFunctions(text), expected) << text;
}

TEST(JustFunction, DoesNothingWhereOutputIsOff) {
  EXPECT_EQ(RunFunctions("@if(0)@just(ab, x, L)@end after"), " after");
  EXPECT_EQ(RunFunctions("@if(1)@just(ab, x, L)@end after"), "Bad type of @MaxLen parametr");
}

}  // namespace
}  // namespace zeb::test
