#include <gtest/gtest.h>

#include "config/line_parse.h"
#include "config_fixture.h"
#include "support/net_addr.h"
#include "support/text.h"

namespace zeb::test {
namespace {

TEST(LineParse, CommentsAreCutOutsideQuotesOnly) {
  bool error = true;
  EXPECT_EQ(StripComment("path c:\\log;old\\zeb.log", error), "path c:\\log");
  EXPECT_FALSE(error);
  EXPECT_EQ(StripComment("path \"c:\\log;old\\zeb.log\"", error), "path \"c:\\log;old\\zeb.log\"");
  EXPECT_EQ(StripComment("origin 'it''s # here' # note", error), "origin 'it''s # here' ");
  EXPECT_FALSE(error);
  EXPECT_EQ(StripComment("a \"b ' c\" # d", error), "a \"b ' c\" ") << "the other quote does not close a run";
  StripComment("subject \"unclosed ; text", error);
  EXPECT_TRUE(error);
  StripComment("subject 'it''s", error);
  EXPECT_TRUE(error);
}

TEST(LineParse, FirstWordKeepsQuotedRunsWhole) {
  std::string text = "postto\t file  \"/a b/c\" tail  ";
  EXPECT_EQ(FirstWord(text), "postto");
  EXPECT_EQ(FirstWord(text), "file");
  EXPECT_EQ(FirstWord(text), "\"/a b/c\"");
  EXPECT_EQ(text, "tail  ");
  std::string unclosed = "'a b c";
  EXPECT_EQ(FirstWord(unclosed), "'a b c");
  EXPECT_EQ(unclosed, "");
}

TEST(LineParse, UnquoteBooleansAndNumbers) {
  EXPECT_EQ(UnquoteText("\"say \"\"hi\"\"\""), "say \"hi\"");
  EXPECT_EQ(UnquoteText("plain \"x\""), "plain \"x\"");
  TMainConfig config;
  TLoadContext loading(config);
  bool value = false;
  for (const char* word : {"TRUE", "yes", " 1 "}) {
    value = false;
    EXPECT_TRUE(ParseBoolean(loading, word, value));
    EXPECT_TRUE(value) << word;
  }
  for (const char* word : {"False", "NO", "0"}) {
    value = true;
    EXPECT_TRUE(ParseBoolean(loading, word, value));
    EXPECT_FALSE(value) << word;
  }
  EXPECT_FALSE(ParseBoolean(loading, "maybe", value));
  EXPECT_EQ(loading.PendingMessage, "Unknown parameter: maybe");
  EXPECT_EQ(TextToInt("30", 0), 30);
  for (const char* text : {"abc", "", "12x", "+-5", "99999999999999999999"}) EXPECT_EQ(TextToInt(text, -1), -1) << text;
}

TEST_F(ConfigTest, RejectedLinesAreReportedWithTheirReasonsInOrder) {
  EXPECT_FALSE(Load("; comment\n\ndef nosuch\n"));
  EXPECT_EQ(Logged(), (Lines{"Error: zeb.ctl (3): def nosuch", "Error: Unknown section \"nosuch\"",
                             "Reason: known sections: main, log, domain, outbound, t-mail, bink/+, binkd, fidoconfig, crashmail, mainaka, "
                             "scanflags, skipaddress, report, queue"}));
  EXPECT_EQ(loading_->Section, "");

  EXPECT_FALSE(Load("def log extra\n"));
  EXPECT_EQ(Logged(), (Lines{"Error: zeb.ctl (1): def log extra", "Error: Bad parameters for section \"log\"",
                             "Reason: nothing may follow the section's name"}));
  EXPECT_TRUE(loading_->AtTopLevel());

  EXPECT_FALSE(Load("def log\n  colour red\n"));
  EXPECT_EQ(Logged(),
            (Lines{"Error: zeb.ctl (2):   colour red", "Error: Bad configuration file string in section: log",
                   "Reason: unknown keyword \"colour\" (known in this section: path, level, dateformat, timeformat, "
                   "logformat, rewritable, sleeptime)"}));

  ResetLoader();
  EXPECT_FALSE(Load("def Report\n sortby bogus\n"));
  EXPECT_EQ(Logged(),
            (Lines{"Error: zeb.ctl (2):  sortby bogus", "Error: Bad configuration file string in section: Report",
                   "Reason: unknown sort key \"bogus\" (size, address, days, netmailsize, echomailsize, "
                   "fileechomailsize, flavour)"}));

  ResetLoader();
  EXPECT_FALSE(Load("def log\nrewritable maybe\n"));
  EXPECT_EQ(Logged(),
            (Lines{"Error: zeb.ctl (2): rewritable maybe", "Error: Bad configuration file string in section: log",
                   "Error: Unknown parameter: maybe"}));
}

TEST_F(ConfigTest, UnclosedQuoteGivesOnlyTheLineErrors) {
  EXPECT_FALSE(Load("sysop \"Joe\n"));
  EXPECT_EQ(Logged(), (Lines{"Error: zeb.ctl (1): sysop \"Joe", "Reason: a quote is not closed"}));
  EXPECT_FALSE(Load("def main\nsysop \"Joe\n"));
  EXPECT_EQ(Logged(), (Lines{"Error: zeb.ctl (2): sysop \"Joe", "Error: Bad configuration file string in section: main",
                             "Reason: a quote is not closed"}));
}

TEST_F(ConfigTest, TopLevelAcceptsOnlyDefAndInclude) {
  for (const char* text : {"end\n", "def\n", "def main\ndef domain\n"}) {
    ResetLoader();
    EXPECT_FALSE(Load(text)) << text;
  }
}

TEST_F(ConfigTest, ReadingStopsAtTheFirstRejectedLine) {
  EXPECT_FALSE(Load("def main\r\nsysop First\r\nbogus\r\nsysop Second\r\nend\r\n"));
  EXPECT_EQ(config_.Sysop, "First");
  EXPECT_EQ(Logged().front(), "Error: zeb.ctl (3): bogus") << "the line as read, without its CR";
}

TEST_F(ConfigTest, LinesOfAnyLengthAreReadWhole) {
  const std::string name(100000, 'x');
  EXPECT_TRUE(Load("def main\nsysop " + name + "Z\nend"));
  EXPECT_EQ(config_.Sysop, name + "Z");
}

TEST_F(ConfigTest, MissingFileIsReportedOnTheConsoleOnly) {
  testing::internal::CaptureStdout();
  EXPECT_FALSE(LoadConfig(*loading_, "nosuch.ctl"));
  EXPECT_FALSE(LoadConfig(*loading_, ""));
  EXPECT_TRUE(Logged().empty());
  disk_.AddDir("/opt/zeb/adir");
  EXPECT_FALSE(LoadConfig(*loading_, "adir")) << "a directory cannot be read";
  const std::string console = testing::internal::GetCapturedStdout();
  EXPECT_NE(console.find("Configuration file not found at /opt/zeb/nosuch.ctl\n   Reason: No such file or directory\n"),
            std::string::npos)
      << console;
  EXPECT_NE(console.find("Configuration file not found at /opt/zeb/adir\n   Reason: Is a directory\n"), std::string::npos)
      << console;
}

TEST_F(ConfigTest, IncludeContinuesTheSectionAndSectionsStayOpenAcrossFiles) {
  disk_.AddFile("/opt/zeb/inc/part.ctl", "sysop From Include\n");
  disk_.AddFile("/etc/zeb/opens.ctl", "def main ; left open\n");
  EXPECT_TRUE(Load("def main\ninclude \"inc/part.ctl\"\naddress 2:34/6@fidonet\nend\ninclude /etc/zeb/opens.ctl\n"));
  EXPECT_EQ(config_.Sysop, "From Include");
  EXPECT_EQ(loading_->Section, "main") << "the included file left its section open";
  EXPECT_TRUE(Load("sysop Additional\nend\n", "add.ctl")) << "the additional file continues it";
  EXPECT_EQ(config_.Sysop, "Additional");
  EXPECT_TRUE(loading_->AtTopLevel());
}

TEST_F(ConfigTest, FailingIncludeFailsTheIncludingFileWithoutALineErrorOfItsOwn) {
  disk_.AddFile("/opt/zeb/bad.ctl", "def main\nbogus\n");
  EXPECT_FALSE(Load("include bad.ctl\ndef domain\nend\n"));
  EXPECT_EQ(Logged().size(), 3u) << "the lines and the reason of the included file's line only";
  ResetLoader();
  EXPECT_FALSE(Load("include\n"));
  EXPECT_FALSE(Load("include \"\"\n"));
  EXPECT_FALSE(Load("include %NO_SUCH_ZEB_VAR\n"));
  EXPECT_FALSE(Load("include missing.ctl\n"));
}

TEST_F(ConfigTest, IncludeLoopIsRejected) {
  disk_.AddFile("/opt/zeb/a.ctl", "include ../zeb/b.ctl\n");
  disk_.AddFile("/opt/zeb/b.ctl", "include ./a.ctl\n");
  EXPECT_FALSE(LoadConfig(*loading_, "a.ctl"));
  EXPECT_EQ(Logged(), (Lines{"Error: b.ctl (1): include ./a.ctl", "Error: Include loop: /opt/zeb/a.ctl"}));
  EXPECT_FALSE(Load("include zeb.ctl\n"));
  ResetLoader();
  disk_.AddFile("/opt/zeb/throws.ctl", "def main\naddress 2:x/1@fidonet\n");
  EXPECT_FALSE(Load("include throws.ctl\n")) << "a bad address in an included file stops the includer too";
  EXPECT_EQ(Logged().back(), "Error: Bad address: 2:x/1@fidonet");
  ResetLoader();
  disk_.AddFile("/opt/zeb/zeb.ctl", "def domain\nend\n");
  EXPECT_TRUE(Load("include zeb.ctl\n", "other.ctl")) << "no loop is seen after a load ended by an error";
}

TEST_F(ConfigTest, PendingMessageIsNotRepeatedForALaterLine) {
  EXPECT_FALSE(Load("def log\nsleeptime 0\n"));
  EXPECT_EQ(Logged().back(), "Error: Out of range: min 1 - max 10000");
  ResetLoader();
  EXPECT_FALSE(Load("bogus\n", "other.ctl"));
  EXPECT_EQ(Logged(), (Lines{"Error: other.ctl (1): bogus",
                             "Reason: \"bogus\" outside a section (only def and include are read there)"}));
}

}  // namespace
}  // namespace zeb::test
