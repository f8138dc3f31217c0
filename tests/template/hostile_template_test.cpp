// Templates no sysop would write: blocks left open or closed twice, and
// numbers beyond 64 bits. The run ends, and the text before the fault is
// still in the report.
#include <gtest/gtest.h>

#include "run_template.h"

namespace zeb::test {
namespace {

TEST(HostileTemplate, UnbalancedBlocks) {
  for (const char* text : {"ok @if(1)", "ok @if(1)@else", "ok @end", "ok @else", "ok @end@end@else@break",
                           "ok @while(0)", "ok @for(@i, 1, 3)", "ok @foreach(@a, x y)", "ok @if(1)@if(1)@if(1)",
                           "ok @define(@x, @if(1))@x@x", "ok @if(", "ok @for(@i,", "ok @("}) {
    EXPECT_EQ(RunTemplate(text).substr(0, 3), "ok ") << text;
  }
  std::string deep = "ok ";
  for (int i = 0; i < 5000; ++i) deep += "@if(1)";
  EXPECT_NE(RunTemplate(deep).find("Nesting too deep"), std::string::npos);
}

TEST(HostileTemplate, AStepBudgetEndsEveryRunawayLoop) {
  const auto withBudget = [](TTemplateParser& parser) { parser.SetStepLimit(50); };
  for (const char* text : {"@while(1)x@end", "@foreach(4000000000)", "@for(@i, 1, 9000000000)@end",
                           "@alias(@a, @a@a)@a", "@for(@i, 1, 2)@define(@i, 0)@end",
                           "@define(@x, ab)@while(1)@define(@x, @x@x)@end"}) {
    const std::string out = RunTemplate(text, false, withBudget);
    EXPECT_TRUE(out.ends_with("Template stopped after 50 steps\n\r")) << text << ": " << out;
  }
  EXPECT_EQ(RunTemplate("@foreach(3)x@end", false, withBudget), "xxx") << "a run within its budget is untouched";
  EXPECT_TRUE(RunTemplate(std::string(60 * 1024, 'x'), false, withBudget).ends_with("Template stopped after 50 steps\n\r"))
      << "long texts cost steps too, so a value that doubles on every pass ends";
}

TEST(HostileTemplate, NumbersBeyondSixtyFourBits) {
  const std::string huge = "123456789012345678901234567890";
  const std::string compared = RunTemplate("@if(" + huge + ", <>, 1)a@else b@end");
  EXPECT_TRUE(compared == "a" || compared == "b") << compared;
  EXPECT_EQ(RunTemplate("@for(@i, " + huge + ", " + huge + ")[@i]@end").substr(0, 1), "[");
  EXPECT_EQ(RunTemplate("ok @for(@i, $FFFFFFFFFFFFFFFFFFFF, 1)x@break@end"),
            "ok Bad parameters for operator @for (@i, $FFFFFFFFFFFFFFFFFFFF, 1)\n\r");
  EXPECT_EQ(RunTemplate("@define(@n, " + huge + huge + ")@n").substr(0, huge.size()), huge);
}

}  // namespace
}  // namespace zeb::test
