#include "log/logger.h"

#include <gtest/gtest.h>

#include <regex>
#include <sstream>
#include <thread>
#include <vector>

#include "fake_disk.h"
#include "frame/exit_steps.h"
#include "log/log_queue.h"
#include "support/net_addr.h"
#include "support/text.h"

namespace zeb::test {
namespace {

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// Lines are compared with patterns in which "N" stands for a number.
void ExpectLines(const std::vector<std::string>& lines, const std::vector<std::string>& patterns) {
  ASSERT_EQ(lines.size(), patterns.size()) << ::testing::PrintToString(lines);
  for (size_t i = 0; i < lines.size(); ++i) {
    std::string re;
    for (char c : patterns[i]) {
      if (c == 'N')
        re += "-?[0-9]+";
      else if (std::string_view("[](){}.*+?^$|\\").find(c) != std::string_view::npos)
        re += std::string("\\") + c;
      else
        re += c;
    }
    EXPECT_TRUE(std::regex_match(lines[i], std::regex(re))) << lines[i] << " vs " << patterns[i];
  }
}

class LoggerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TakeLogRecords();
    disk_.AddDir("/log");
    settings_.Path = "/log/zeb.log";
    settings_.LogFormat = "@log";
    settings_.SleepTime = 5;
  }
  void TearDown() override { SetLogLevel(1); }

  std::vector<std::string> FileLines() {
    const std::string* data = disk_.Contents("/log/zeb.log");
    return data ? SplitLines(*data) : std::vector<std::string>{};
  }

  FakeDisk disk_;
  ScopedDisk scoped_{disk_};
  TLogSettings settings_;
};

TEST_F(LoggerTest, LevelLowWritesOnlyLevelZeroAndEarlyRecordsComeFirst) {
  LogLine("Zebrant (Win32) Version 3.05", 0);
  LogLine("a normal record", 1);
  ControlPoint(1);
  LogLine("Error: something", 0);
  LogLine("a detail", 3);
  settings_.Level = 0;
  ASSERT_TRUE(StartLogger(settings_));
  EXPECT_FALSE(StartLogger(settings_)) << "a second start changes nothing";
  LogLine("Error: later", 0);
  LogLine("a detail", 3);
  LoggerExitStep();
  ExpectLines(FileLines(), {"Zebrant (Win32) Version 3.05", "Error: something", "[N] Loger - started",
                            "Error: later", "Executing time: N msec", "[N] Detect a shutdown flag - flushing log buffers",
                            "[N] Flushed buffers and stoped"});
  EXPECT_TRUE(TakeLogRecords().empty()) << "everything was consumed";
}

TEST_F(LoggerTest, DebugLevelWritesControlPoints) {
  settings_.Level = 4;
  ASSERT_TRUE(StartLogger(settings_));
  EXPECT_EQ(LogLevel(), 4);
  ControlPoint(3);
  LoggerExitStep();
  const auto lines = FileLines();
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(lines[1], "Control point - 3");
}

TEST_F(LoggerTest, AppendsAfterAnEmptyLineOrRewrites) {
  disk_.AddFile("/log/zeb.log", "old run\n");
  ASSERT_TRUE(StartLogger(settings_));
  LoggerExitStep();
  auto lines = FileLines();
  ASSERT_GE(lines.size(), 3u);
  EXPECT_EQ(lines[0], "old run");
  EXPECT_EQ(lines[1], "");
  EXPECT_NE(lines[2], "");

  settings_.Rewritable = true;
  ASSERT_TRUE(StartLogger(settings_));
  LoggerExitStep();
  lines = FileLines();
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_NE(lines[0], "old run");
  EXPECT_NE(lines[0], "");

  disk_.RemoveFile("/log/zeb.log");
  settings_.Rewritable = false;
  ASSERT_TRUE(StartLogger(settings_));
  LoggerExitStep();
  EXPECT_NE(FileLines().at(0), "") << "a new file has no leading empty line";
}

TEST_F(LoggerTest, UnopenableFileStillConsumesRecords) {
  settings_.Path = "/no/such/dir/zeb.log";
  LogLine("queued before", 0);
  ASSERT_TRUE(StartLogger(settings_));
  LogLine("queued after", 0);
  LoggerExitStep();
  EXPECT_FALSE(disk_.Has("/no/such/dir/zeb.log"));
  EXPECT_TRUE(TakeLogRecords().empty());
}

TEST_F(LoggerTest, ExitStepWithoutLoggerDoesNotWait) {
  LoggerExitStep();
  const TLogRecs left = TakeLogRecords();
  ASSERT_EQ(left.size(), 1u);
  EXPECT_EQ(left[0]->Text.rfind("Executing time: ", 0), 0u);
  EXPECT_FALSE(disk_.Has("/log/zeb.log"));
}

TEST_F(LoggerTest, UnhandledErrorIsLoggedAndReportedByTheExitStep) {
  ASSERT_TRUE(StartLogger(settings_));
  ReportUnhandledException(EConvertError("'x' is not a valid integer value"));
  LoggerExitStep();
  ExpectLines(FileLines(), {"[N] Loger - started", "EConvertError - 'x' is not a valid integer value",
                            "Runtime error 217 in thread N", "Executing time: N msec",
                            "[N] Detect a shutdown flag - flushing log buffers", "[N] Flushed buffers and stoped"});
}

TEST_F(LoggerTest, ConcurrentProducersLoseAndTearNothing) {
  constexpr int kThreads = 4, kLines = 20000;
  settings_.SleepTime = 1000;
  ASSERT_TRUE(StartLogger(settings_));
  std::vector<std::thread> producers;
  for (int t = 0; t < kThreads; ++t)
    producers.emplace_back([t] {
      for (int n = 0; n < kLines; ++n) LogLine(Format("producer %d line %d", t, n), 0);
    });
  for (auto& p : producers) p.join();
  LoggerExitStep();

  std::vector<int> next(kThreads, 0);
  int total = 0;
  for (const std::string& line : FileLines()) {
    int t = -1, n = -1;
    char tail = 0;
    if (std::sscanf(line.c_str(), "producer %d line %d%c", &t, &n, &tail) != 2) continue;
    ASSERT_TRUE(t >= 0 && t < kThreads) << line;
    ASSERT_EQ(n, next[t]) << "thread " << t << " out of order";
    ++next[t];
    ++total;
  }
  EXPECT_EQ(total, kThreads * kLines);
}

}  // namespace
}  // namespace zeb::test
