// Evaluate and capture mode, and the minimal parser.
#include <gtest/gtest.h>

#include <memory>

#include "run_template.h"
#include "template/value_commands.h"

namespace zeb::test {
namespace {

TEST(Evaluate, CollectsTextAndResultsWithoutTheLineEndFilter) {
  TTemplateParser parser(false);
  parser.Lf = false;
  parser.AddCommand(std::make_unique<TValueCommand>("v", "1"));
  EXPECT_EQ(parser.Evaluate(true, "a\r\n@v\n@nosuch @@"), "a\r\n1\n@nosuch @");
  EXPECT_EQ(parser.Size(), 0u) << "nothing reaches the parser's buffer";
}

TEST(Evaluate, MinimalParserHasNoBuiltins) {
  TTemplateParser parser(false);
  EXPECT_FALSE(parser.HasTemplate());
  EXPECT_EQ(parser.Commands().Count(), 0u);
  EXPECT_EQ(parser.Evaluate(true, "@define(@a, 1)@type"), "@define(@a, 1)@type");
  parser.Run();  // without a template it does nothing
  EXPECT_EQ(parser.Size(), 0u);
}

TEST(Evaluate, StopsOnlyOnErrorsNotOnEnd) {
  FakeDisk disk;
  ScopedDisk scoped(disk);
  TTemplateParser parser(false, "/t.tpl");
  EXPECT_EQ(parser.Evaluate(true, "a@end b"), "a b");
  EXPECT_EQ(parser.Evaluate(true, "a@RaiseError(x)b"), "aUser raise error: x\n\r");
  EXPECT_TRUE(parser.Stopped);
  EXPECT_EQ(parser.Evaluate(true, "c@type"), "") << "a stopped parser evaluates nothing";
}

TEST(Evaluate, OutputFlagReachesTheCommands) {
  FakeDisk disk;
  ScopedDisk scoped(disk);
  TTemplateParser parser(false, "/t.tpl");
  EXPECT_EQ(parser.Evaluate(false, "@define(@a, 1)@a"), "@a") << "define acts only with output on";
  EXPECT_EQ(parser.Evaluate(false, "x@type"), "xWin32") << "results are captured either way";
}

TEST(Evaluate, EmptyResultInsideArmsTheSwallowOfTheRun) {
  // @e inside the define value arms the swallow; define's own empty result
  // does too, so the line end after the define goes.
  EXPECT_EQ(RunTemplate("@define(@e, )@define(@x, [@e])\r\n@x\r\n"), "[]\r\n");
}

}  // namespace
}  // namespace zeb::test
