#include <gtest/gtest.h>

#include "config_fixture.h"
#include "log/logger.h"

namespace zeb::test {
namespace {

class LogSectionTest : public ConfigTest {
 protected:
  void SetUp() override {
    ConfigTest::SetUp();
    disk_.AddDir("/var/log");
  }
  void TearDown() override {
    SetLogLevel(1);
    ConfigTest::TearDown();
  }
  // Loads a log section that starts the logger, then stops it; the level
  // the logger ran with.
  int LevelAfter(const std::string& lines) {
    if (!Load("def log\npath /var/log/zeb.log\nsleeptime 5\n" + lines + "end\n")) return -1;
    const int level = LogLevel();
    LoggerExitStep();
    return level;
  }
};

TEST_F(LogSectionTest, CommandLineLevelWinsAtTheEnd) {
  EXPECT_EQ(LevelAfter(""), 1);
  EXPECT_EQ(LevelAfter("level DETAIL\n"), 3);
  ResetLoader(2);
  EXPECT_EQ(LevelAfter("level debug\n"), 2);
  ResetLoader(0);
  EXPECT_EQ(LevelAfter("level detail\n"), 0);
}

TEST_F(LogSectionTest, EndStartsTheLoggerThatWritesEarlierRecords) {
  LogLine("Zebrant banner", 0);
  ASSERT_TRUE(Load("def log\npath /var/log/zeb.log\nlevel low\nlogformat \"@log\"\nrewritable yes\nend\n"));
  LoggerExitStep();
  const std::string* log = disk_.Contents("/var/log/zeb.log");
  ASSERT_NE(log, nullptr);
  EXPECT_EQ(log->rfind("Zebrant banner\n", 0), 0u) << *log;
  EXPECT_NE(log->find("Executing time: "), std::string::npos);
}

TEST_F(LogSectionTest, RejectedValues) {
  struct Case {
    const char* line;
    const char* extra;  // the start of the third line
  } cases[] = {
      {"dateformat DD.MM.YYYY", "Reason: the format must be written in double quotes"},
      {"timeformat \"\"", "Reason: the format must be written in double quotes"},
      {"logformat \"@log", "Reason: a quote is not closed"},
      {"level normal extra", "Reason: unknown level \"normal extra\" (low, normal, high, detail, debug)"},
      {"level verbose", "Reason: unknown level \"verbose\""},
      {"path %UNCLOSED", "Reason: the path is empty once expanded"},
      {"sleeptime 0", "Error: Out of range: min 1 - max 10000"},
      {"sleeptime 10001", "Error: Out of range: min 1 - max 10000"},
      {"sleeptime abc", "Error: Out of range: min 1 - max 10000"},
      {"rewritable perhaps", "Error: Unknown parameter: perhaps"},
  };
  for (const Case& c : cases) {
    ResetLoader();
    EXPECT_FALSE(Load(std::string("def log\n") + c.line + "\n")) << c.line;
    const Lines logged = Logged();
    ASSERT_EQ(logged.size(), 3u) << c.line;
    EXPECT_EQ(logged[1], "Error: Bad configuration file string in section: log");
    EXPECT_TRUE(logged[2].starts_with(c.extra)) << logged[2];
  }
  ResetLoader();
  EXPECT_TRUE(Load("def log\ndateformat \"DD.MM.YYYY\"\nsleeptime 10000\npath \"/var/log;x/zeb.log\"\n"));
}

}  // namespace
}  // namespace zeb::test
