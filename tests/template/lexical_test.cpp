// Lexical rules of templates, the line-end filter and its switches.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "run_template.h"

namespace zeb::test {
namespace {

TEST(Lexical, CommandCharacterWithoutName) {
  EXPECT_EQ(RunTemplate("a@@b"), "a@b");
  EXPECT_EQ(RunTemplate("a@ b"), "a@b") << "the blank after a lone @ is dropped";
  EXPECT_EQ(RunTemplate("mail@"), "mail@") << "an @ at the very end is written";
  EXPECT_EQ(RunTemplate("x@@@@y"), "x@@y");
}

TEST(Lexical, UnregisteredNamesAreWrittenThrough) {
  EXPECT_EQ(RunTemplate("@nosuch(1, 2)"), "@nosuch(1, 2)");
  EXPECT_EQ(RunTemplate("user@example.org"), "user@example.org");
  EXPECT_EQ(RunTemplate("@type!"), "Win32!") << "a name ends at the first other character";
}

TEST(Lexical, ParameterListsOnlyForCommandsWithParameters) {
  EXPECT_EQ(RunTemplate("@if (1)yes@end"), "yes") << "blanks before ( are skipped";
  EXPECT_EQ(RunTemplate("@define(@x, v)@x (1)"), "v (1)");
  EXPECT_EQ(RunTemplate("@define(@x, v)@x(1)"), "v(1)");
  EXPECT_EQ(RunTemplate("@type(x)"), "Win32(x)");
}

TEST(Lexical, ParameterListsNestAndSkipQuotedRuns) {
  EXPECT_EQ(RunTemplate("@define(@s, \")\")[@s]"), "[)]");
  EXPECT_EQ(RunTemplate("@define(@s, '(')[@s]"), "[(]");
  EXPECT_EQ(RunTemplate("@define(@s, (a(b)c))[@s]"), "[(a(b)c)]");
  EXPECT_EQ(RunTemplate("@define(@s, a\r\nb)[@s]"), "[a\r\nb]") << "a list may span lines";
}

TEST(Lexical, UnterminatedListLosesItsLastCharacter) {
  // "(@s, abc" is read to the end; the last character read is dropped.
  EXPECT_EQ(RunTemplate("@define(@s, abcd"), "");
  FakeDisk disk;
  ScopedDisk scoped(disk);
  disk.AddFile("/t.tpl", "@define(@s, abcd");
  TTemplateParser parser(false, "/t.tpl");
  parser.Run();
  auto* s = parser.FindCommand("s");
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(parser.Evaluate(true, "@s"), "abc");
}

TEST(Lexical, NulInTemplateIsNeverWritten) {
  EXPECT_EQ(RunTemplate(std::string("a\0b", 3)), "ab");
}

// Copied text passes the line-end filter in runs; the result must be the
// same as handing every character over one by one, wherever line ends, NULs
// and bytes above 127 fall across the runs.
TEST(LineEnds, TextInRunsMatchesCharacterByCharacter) {
  const char alphabet[] = {'a', ' ', '\r', '\n', '\0', '\xC4', '\x80', '\xFF', '\x8D', 'z'};
  std::mt19937 random(7);
  for (int round = 0; round < 800; ++round) {
    std::string text(random() % 90, ' ');
    // every other round with long runs between the line ends
    for (char& c : text) c = round % 2 == 0 || random() % 12 == 0 ? alphabet[random() % sizeof alphabet] : 'a';
    const int switches = static_cast<int>(random() % 16);
    const auto set = [switches](TTemplateParser& p) {
      p.CrLf = (switches & 1) == 0;
      p.Lf = (switches & 2) == 0;
      p.Cr = (switches & 4) == 0;
      p.LfToCr = (switches & 8) != 0;
    };
    TTemplateParser reference(false);
    set(reference);
    for (char c : text)
      if (c != '\0') reference.PutChar(c);
    ASSERT_EQ(RunTemplate(text, false, set), reference.Text()) << round;
  }
}

TEST(LineEnds, EmptyResultSwallowsTheLineEndRightAfterIt) {
  EXPECT_EQ(RunTemplate("@define(@e, )@e\r\nX\r\n"), "X\r\n");
  EXPECT_EQ(RunTemplate("@define(@e, )@e\nX"), "X") << "a lone LF";
  EXPECT_EQ(RunTemplate("@define(@e, )@e\rX"), "X") << "a lone CR";
  EXPECT_EQ(RunTemplate("@define(@e, )@e \r\nX"), " \r\nX") << "a blank cancels it";
  EXPECT_EQ(RunTemplate("@define(@e, )@e\r\n\r\nX"), "\r\nX") << "only one line end";
  EXPECT_EQ(RunTemplate("@define(@v, 1)@v\r\n"), "1\r\n") << "a non-empty result keeps it";
}

TEST(LineEnds, SwitchesFilterLineEnds) {
  EXPECT_EQ(RunTemplate("@lf_to_cr(on)a\nb\r\n"), "a\rb\r\r");
  EXPECT_EQ(RunTemplate("@lf(off)a\nb\r\n"), "ab\r");
  EXPECT_EQ(RunTemplate("@cr(0)a\nb\r\n"), "a\nb\n");
  EXPECT_EQ(RunTemplate("@crlf(false)a\nb\r\nc"), "abc");
  EXPECT_EQ(RunTemplate("@crlf(false)a\r\n@crlf(true)b\r\n"), "ab\r\n");
}

TEST(LineEnds, SwitchWordsAreExactAndEvaluated) {
  EXPECT_EQ(RunTemplate("@lf(OFF)a\n"), "a\n") << "case matters";
  EXPECT_EQ(RunTemplate("@lf(maybe)a\n"), "a\n");
  EXPECT_EQ(RunTemplate("@define(@w, off)@lf( @w )a\n"), "a");
  EXPECT_EQ(RunTemplate("@if(0)@lf(off)@end\na\n"), "a") << "switches act in a branch not taken";
}

TEST(LineEnds, LfToCrComesBeforeTheLfRules) {
  // The converted LF is a CR: it passes although Lf is off.
  EXPECT_EQ(RunTemplate("@lf(off)@lf_to_cr(on)a\nb"), "a\rb");
}

TEST(LineEnds, EndAtTopLevelEndsTheRun) {
  EXPECT_EQ(RunTemplate("a\r\n@end\r\nb\r\n"), "a\r\n");
}

TEST(Names, CaseRuleOfTheParser) {
  EXPECT_EQ(RunTemplate("@PARSER_VERSION|@Parser_Version|@parser_version"),
            "1.02.0001 build 0001|1.02.0001 build 0001|1.02.0001 build 0001");
  EXPECT_EQ(RunTemplate("@PARSER_VERSION|@parser_version", true), "@PARSER_VERSION|1.02.0001 build 0001");
  EXPECT_EQ(RunTemplate("@define(@Name, x)@NAME"), "x");
  EXPECT_EQ(RunTemplate("@define(@Name, x)@NAME", true), "@NAME");
  EXPECT_EQ(RunTemplate("@IF(1)y@END"), "y");
}

}  // namespace
}  // namespace zeb::test
