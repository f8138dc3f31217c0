#include "log/logger.h"

#include <gtest/gtest.h>

#include <regex>
#include <sstream>
#include <thread>
#include <vector>

#include "fake_disk.h"
#include "log/log_queue.h"
#include "support/net_addr.h"
#include "support/text.h"

namespace zeb::test {
namespace {

using Lines = std::vector<std::string>;

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

  // The lines of the log file with every number shown as N.
  Lines FileLines() {
    Lines lines;
    const std::string* data = disk_.Contents("/log/zeb.log");
    std::istringstream in(data ? *data : std::string());
    for (std::string line; std::getline(in, line);)
      lines.push_back(std::regex_replace(line, std::regex("[0-9]+"), "N"));
    return lines;
  }

  FakeDisk disk_;
  ScopedDisk scoped_{disk_};
  TLogSettings settings_;
};

const Lines kStopLines = {"Executing time: N msec", "[N] Detect a shutdown flag - flushing log buffers",
                          "[N] Flushed buffers and stoped"};

Lines With(Lines lines, const Lines& tail = kStopLines) {
  lines.insert(lines.end(), tail.begin(), tail.end());
  return lines;
}

TEST_F(LoggerTest, LevelLowWritesOnlyLevelZeroAndEarlyRecordsComeFirst) {
  LogLine("Zebrant banner", 0);
  LogLine("a normal record", 1);
  ControlPoint(1);
  settings_.Level = 0;
  ASSERT_TRUE(StartLogger(settings_));
  EXPECT_FALSE(StartLogger(settings_)) << "a second start changes nothing";
  LogLine("Error: later", 0);
  LogLine("a detail", 3);
  LoggerExitStep();
  EXPECT_EQ(FileLines(), With({"Zebrant banner", "[N] Loger - started", "Error: later"}));
  EXPECT_TRUE(TakeLogRecords().empty()) << "everything was consumed";
}

TEST_F(LoggerTest, DebugLevelWritesControlPoints) {
  settings_.Level = 4;
  ASSERT_TRUE(StartLogger(settings_));
  EXPECT_EQ(LogLevel(), 4);
  ControlPoint(3);
  LoggerExitStep();
  EXPECT_EQ(FileLines(), With({"[N] Loger - started", "Control point - N"}));
}

TEST_F(LoggerTest, AppendsAfterAnEmptyLineOrRewrites) {
  disk_.AddFile("/log/zeb.log", "old run\n");
  ASSERT_TRUE(StartLogger(settings_));
  LoggerExitStep();
  EXPECT_EQ(FileLines(), With({"old run", "", "[N] Loger - started"}));

  settings_.Rewritable = true;
  ASSERT_TRUE(StartLogger(settings_));
  LoggerExitStep();
  EXPECT_EQ(FileLines(), With({"[N] Loger - started"}));

  disk_.RemoveFile("/log/zeb.log");
  settings_.Rewritable = false;
  ASSERT_TRUE(StartLogger(settings_));
  LoggerExitStep();
  EXPECT_EQ(FileLines(), With({"[N] Loger - started"})) << "a new file has no leading empty line";
}

TEST_F(LoggerTest, UnopenableFileStillConsumesRecords) {
  settings_.Path = "/no/such/dir/zeb.log";
  LogLine("queued before", 0);
  testing::internal::CaptureStdout();
  ASSERT_TRUE(StartLogger(settings_));
  LoggerExitStep();
  const std::string console = testing::internal::GetCapturedStdout();
  EXPECT_NE(console.find("Can't open log-file!\n   Reason: No such file or directory\n"), std::string::npos) << console;
  EXPECT_FALSE(disk_.Has("/no/such/dir/zeb.log"));
  EXPECT_TRUE(TakeLogRecords().empty());
}

TEST_F(LoggerTest, ExitStepWithoutLoggerDoesNotWait) {
  LoggerExitStep();
  const TLogRecs left = TakeLogRecords();
  ASSERT_EQ(left.size(), 1u);
  EXPECT_EQ(left[0]->Text.rfind("Executing time: ", 0), 0u);
}

TEST_F(LoggerTest, UnhandledErrorIsLoggedAndReportedByTheExitStep) {
  ASSERT_TRUE(StartLogger(settings_));
  ReportUnhandledException(EConvertError("'x' is not a valid integer value"));
  LoggerExitStep();
  EXPECT_EQ(FileLines(), With({"[N] Loger - started", "EConvertError - 'x' is not a valid integer value",
                               "Runtime error N in thread N"}));
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
  std::istringstream in(*disk_.Contents("/log/zeb.log"));
  for (std::string line; std::getline(in, line);) {
    int t = -1, n = -1;
    char tail = 0;
    if (line.rfind("producer ", 0) != 0) continue;
    ASSERT_EQ(std::sscanf(line.c_str(), "producer %d line %d%c", &t, &n, &tail), 2) << line;
    ASSERT_TRUE(t >= 0 && t < kThreads && n == next[t]) << "torn or out of order: " << line;
    ++next[t];
    ++total;
  }
  EXPECT_EQ(total, kThreads * kLines);
}

}  // namespace
}  // namespace zeb::test
