// The two worked examples of the template language, byte for byte.
#include <gtest/gtest.h>

#include "run_template.h"

namespace zeb::test {
namespace {

const char kDefineIfExample[] =
    "@define(@n, 3)\r\n"
    "Total: @n items\r\n"
    "@if(@n, >, 2)\r\n"
    "Many\r\n"
    "@else\r\n"
    "Few\r\n"
    "@end\r\n"
    "Mail to a@@b\r\n";

TEST(WorkedExamples, DefineIfElseAndDoubleCommandChar) {
  EXPECT_EQ(RunTemplate(kDefineIfExample), "Total: 3 items\r\nMany\r\nMail to a@b\r\n");
}

TEST(WorkedExamples, WithLfOffLinesEndInCrAlone) {
  EXPECT_EQ(RunTemplate(kDefineIfExample, false, [](TTemplateParser& p) { p.Lf = false; }),
            "Total: 3 items\rMany\rMail to a@b\r");
}

TEST(WorkedExamples, ForLoop) {
  const char kFor[] = "@for(@i, 1, 3)\r\nLine @i\r\n@end\r\nDone\r\n";
  EXPECT_EQ(RunTemplate(kFor), "Line 1\r\nLine 2\r\nLine 3\r\nDone\r\n");
  const char kBackwards[] = "@for(@i, 3, 1)\r\nLine @i\r\n@end\r\nDone\r\n";
  EXPECT_EQ(RunTemplate(kBackwards), "Done\r\n");
}

}  // namespace
}  // namespace zeb::test
