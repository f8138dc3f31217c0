// The control statements, named values and aliases, with their messages.
#include <gtest/gtest.h>

#include "run_template.h"

namespace zeb::test {
namespace {

TEST(Define, StoresTheValueEvaluatedNow) {
  EXPECT_EQ(RunTemplate("@define(@a, 1)@define(@a, 2)@a"), "2");
  EXPECT_EQ(RunTemplate("@define(@a, x)@define(@b, [@a])@define(@a, y)@b"), "[x]");
  EXPECT_EQ(RunTemplate("@define(@msg, \"a, b\")@msg"), "a, b") << "only the first comma splits";
  EXPECT_EQ(RunTemplate("@define(@msg, \"say \"\"hi\"\"\")@msg"), "say \"hi\"");
}

TEST(Define, MalformedDefinitionsDoNothing) {
  EXPECT_EQ(RunTemplate("@define(a, 1)|@a"), "|@a");
  EXPECT_EQ(RunTemplate("@define(@a)|@a"), "|@a");
  EXPECT_EQ(RunTemplate("@define(, 1)|"), "|");
  EXPECT_EQ(RunTemplate("@define()|"), "|");
}

TEST(Define, CannotReplaceAFunction) {
  EXPECT_EQ(RunTemplate("a@define(@if, 1)b"), "aCan't replace function @if\n\r");
  EXPECT_EQ(RunTemplate("@define(@IF, 1)b"), "Can't replace function @IF\n\r");
}

TEST(Define, InABranchNotTakenChangesNothing) {
  EXPECT_EQ(RunTemplate("@define(@a, 1)@if(0)@define(@a, 2)@end@a"), "1");
}

TEST(If, OneOperandConditions) {
  EXPECT_EQ(RunTemplate("@if(0)A@end|@if()B@end|@if(1)C@end|@if(x)D@end"), "||C|D");
  EXPECT_EQ(RunTemplate("@if(0)@if(1)inner@end@end."), ".");
}

TEST(If, ComparisonsNumericOrText) {
  const struct {
    const char* condition;
    bool expected;
  } cases[] = {
      {"a, =, a", true},     {"a, =, A", false},   {"abc, <, abd", true}, {"ab, <, abc", true},
      {"007, =, 7", true},   {"1, ==, 1", false},  {"1, 1", false},       {"10, >, 9", true},
      {"10, <, 9a", true},   {"2; <>; 3", true},   {"3, <=, 3", true},    {"2, >=, 3", false},
      {"\"a,b\", =, \"a,b\"", true}, {"(1,2), =, (1,2)", true},
      {"3000000000, >, 1000000000", true}, {"4294967297, =, 1", false},
      {"99999999999999999999, >, 99999999999999999998", true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(RunTemplate(std::string("@if(") + c.condition + ")T@else F@end"), c.expected ? "T" : " F")
        << c.condition;
  }
  EXPECT_EQ(RunTemplate("@define(@n, 10)@if(@n, >, 9)big@end"), "big");
}

TEST(If, TooManyPartsIsAnError) {
  EXPECT_EQ(RunTemplate("a@if(1, =, 1, 1)b@end c"), "aBad parameters for operator @if (1, =, 1, 1)\n\r");
}

TEST(If, ElseTakesTheOtherBranch) {
  EXPECT_EQ(RunTemplate("@if(1, =, 2) A @else B @end"), " B ");
  EXPECT_EQ(RunTemplate("@if(1, =, 1) A @else B @end"), " A ");
  EXPECT_EQ(RunTemplate("@if(1, =, 2)@if(1)x@else y@end@else z@end"), " z") << "nested if pairs its own else";
  // A one-operand false condition runs its body with output off and its
  // else branch stays off too.
  EXPECT_EQ(RunTemplate("@if(0)A@else B@end."), ".");
}

TEST(While, RunsUntilTheConditionIsFalse) {
  EXPECT_EQ(RunTemplate("@define(@f, 1)@while(@f, =, 1)body@define(@f, 0)@end."), "body.");
  EXPECT_EQ(RunTemplate("@while(1)once@break@end."), "once.");
  EXPECT_EQ(RunTemplate("@while(0)never@end."), ".");
  EXPECT_EQ(RunTemplate("@define(@s, a)@while(@s, <, aaaa)@s,@define(@s, @s@s)@end"), "a,aa,");
}

TEST(While, MalformedConditionEndsTheRunInsteadOfSpinning) {
  EXPECT_EQ(RunTemplate("@while(1, =, 1, 1)x@end"), "Bad parameters for operator @while (1, =, 1, 1)\n\r");
}

TEST(Foreach, CountsNumbersOrCharacters) {
  EXPECT_EQ(RunTemplate("@foreach(3)x@end."), "xxx.");
  EXPECT_EQ(RunTemplate("@foreach(abc)x@end."), "xxx.");
  EXPECT_EQ(RunTemplate("@foreach(0)x@end.|@foreach()x@end.|@foreach(@@x)x@end."), ".|.|.");
  EXPECT_EQ(RunTemplate("@define(@n, 2)@foreach(@n)x@end."), "xx.");
}

// The loop body is read once: each pass must still see the names defined
// and removed by the passes before it.
TEST(Foreach, EveryPassSeesTheNamesOfThePassBefore) {
  EXPECT_EQ(RunTemplate("@foreach(3)[@a]@define(@a, x)@end"), "[@a][x][x]");
  EXPECT_EQ(RunTemplate("@foreach(2)@for(@i, 1, 1)@i@end@i|@end"), "1@i|1@i|");
}

TEST(For, CountsAndRemovesItsCounter) {
  EXPECT_EQ(RunTemplate("@for(@i, 1, 3)@i,@end@i"), "1,2,3,@i");
  EXPECT_EQ(RunTemplate("@fordown(@i, 3, 1)@i,@end"), "3,2,1,");
  EXPECT_EQ(RunTemplate("@for(@i, 5, 1)@i,@end."), ".");
  EXPECT_EQ(RunTemplate("@define(@n, 2)@for(@i, 1, @n)@i@end"), "12");
  EXPECT_EQ(RunTemplate("@define(@i, old)@for(@i, 1, 1)@i@end@i"), "1@i");
  EXPECT_EQ(RunTemplate("@for(@i, 4294967295, 4294967296)@i,@end"), "4294967295,4294967296,");
  EXPECT_EQ(RunTemplate("@for(@i, 9223372036854775806, 9223372036854775807)@i,@end."),
            "9223372036854775806,9223372036854775807,.") << "the last counter takes no step past the range";
  EXPECT_EQ(RunTemplate("@fordown(@i, 1, 0)@i,@end."), "1,0,.");
}

TEST(For, BodyMayChangeTheCounter) {
  EXPECT_EQ(RunTemplate("@for(@i, 1, 9)@i@if(@i, =, 1)@define(@i, 7)@end@end"), "189");
  EXPECT_EQ(RunTemplate("@for(@i, 1, 3)@i@define(@i, x)@end"), "1The changed type for value i");
  EXPECT_EQ(RunTemplate("@for(@i, 1, 3)@define(@i, x)@RaiseError(r)@end"), "User raise error: r\n\r")
      << "the error that stopped the run stays the last output";
  EXPECT_EQ(RunTemplate("@for(@i, 1, 3)@i@alias(@i, 9)@end"), "1") << "an alias counter is read as its body";
}

TEST(For, BadParameters) {
  EXPECT_EQ(RunTemplate("@for(i, 1, 3)x@end"), "Bad parameters for operator @for (i, 1, 3)\n\r");
  EXPECT_EQ(RunTemplate("@for(@i, -1, 3)x@end"), "Bad parameters for operator @for (@i, -1, 3)\n\r");
  EXPECT_EQ(RunTemplate("@fordown(@i, 3)x@end"), "Bad parameters for operator @fordown (@i, 3)\n\r");
  EXPECT_EQ(RunTemplate("@for(@if, 1, 2)x@end"), "Can't replace function @if\n\r");
}

// A branch not taken, or a loop that does not run, is inert.
TEST(For, ABranchNotTakenIsInert) {
  const std::pair<const char*, const char*> rows[] = {
      {"@if(0)@for(@i, 1, 3)x@end@end.", "."}, {"@if(0)@fordown(@i, 3, 0)x@end@end.", "."},
      {"@define(@i, 7)@if(0)@for(@i, 1, 2)@end@end@i", "7"}, {"@if(0)@for(x)@end@end.", "."},
      {"@define(@i, 7)@for(@j, 2, 1)@fordown(@i, 2, 1)@end@end@i", "7"}, {"@if(1, =, 2)@for(@if, 1, 2)@end@end.", "."},
      {"@if(0)@if(1, =, 1, 1)@end@end.", "."}, {"@for()x@end.", "Bad parameters for operator @for ()\n\r"},
      {"@for(0)x@end.", "Bad parameters for operator @for (0)\n\r"}};
  for (const auto& [text, expected] : rows) EXPECT_EQ(RunTemplate(text), expected) << text;
}

TEST(Break, InsideIfInsideLoop) {
  // The if body after the break is still written; the loop body after the
  // if is not, and no further pass starts.
  EXPECT_EQ(RunTemplate("@foreach(3)a@if(1)b@break c@end d@end."), "ab c.");
  EXPECT_EQ(RunTemplate("@for(@i, 1, 5)@i@if(@i, =, 2)@break@end,@end."), "1,2.");
  EXPECT_EQ(RunTemplate("@if(0)@break@end@foreach(2)x@end"), "xx") << "break only acts with output on";
}

TEST(Break, EndsOnlyTheInnermostLoop) {
  EXPECT_EQ(RunTemplate("@for(@i, 1, 2)@for(@j, 1, 3)@i@j @if(@j, =, 2)@break@end@end|@end"), "11 12 |21 22 |");
}

TEST(Nesting, SameStatementNestedInItself) {
  EXPECT_EQ(RunTemplate("@for(@i, 1, 2)@for(@j, 1, 2)@i@j,@end@end"), "11,12,21,22,");
  EXPECT_EQ(RunTemplate("@foreach(2)@foreach(3)x@end|@end"), "xxx|xxx|");
  EXPECT_EQ(RunTemplate("@if(1)@if(0, =, 1)a@else b@end c@else d@end"), " b c");
}

TEST(Nesting, TooDeepEndsTheRun) {
  std::string deep;
  for (int i = 0; i < 200000; ++i) deep += "@if(1)";
  EXPECT_EQ(RunTemplate(deep), "Nesting too deep\n\r");
  EXPECT_EQ(RunTemplate("@alias(@a, x@a)@a"), std::string(1000, 'x') + "Nesting too deep\n\r");
  // Both limits at once must still fit the stack.
  std::string both = "@alias(@a, x@a)";
  for (int i = 0; i < 999; ++i) both += "@if(1)";
  EXPECT_EQ(RunTemplate(both + "@a"), std::string(1000, 'x') + "Nesting too deep\n\r");
  // Parameters nested past the limit: the message lands in the value being
  // defined, like every error inside an evaluated text, the run ends and
  // the outermost define shows it.
  std::string params;
  for (int i = 0; i < 1100; ++i) params += "@define(@d, ";
  EXPECT_EQ(RunTemplate(params + std::string(1100, ')') + "after"), "Nesting too deep\n\r");
}

TEST(Alias, EvaluatedAtEveryUse) {
  EXPECT_EQ(RunTemplate("@define(@name, Ann)@alias(@greet, \"Hi @name\")@greet|@define(@name, Bob)@greet"),
            "Hi Ann|Hi Bob");
  EXPECT_EQ(RunTemplate("@if(0)@alias(@a, x)@end@a"), "x") << "alias acts in a branch not taken";
  EXPECT_EQ(RunTemplate("@alias(@end, x)"), "Can't replace function @end\n\r");
}

TEST(Alias, MayRedefineItselfWhileRunning) {
  EXPECT_EQ(RunTemplate("@alias(@a, \"@define(@a, 2)1\")@a@a"), "12");
}

TEST(Alias, BlockStatementInsideIsAnError) {
  EXPECT_EQ(RunTemplate("@alias(@a, \"x@if(1)y@end\")[@a]"), "[xBlock statement @if is not allowed here\n\r");
}

TEST(RaiseError, StopsWithTheEvaluatedMessage) {
  EXPECT_EQ(RunTemplate("@define(@w, disk)a@RaiseError(\"no @w\")b"), "aUser raise error: no disk\n\r");
  EXPECT_EQ(RunTemplate("@if(0)@RaiseError(x)@end ok"), " ok");
  EXPECT_EQ(RunTemplate("@raiseerror(x)"), "User raise error: x\n\r");
}

TEST(Errors, InsideAnEvaluatedParameterLandInItsValue) {
  EXPECT_EQ(RunTemplate("@alias(@a, \"@RaiseError(x)y\")[@a]z"), "[User raise error: x\n\r");
}

}  // namespace
}  // namespace zeb::test
