// Whole runs of the zeb executable with a configuration on the real disk.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

class ZebRun : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/zeb-run-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  void Write(const std::string& name, const std::string& text) { std::ofstream(dir_ + "/" + name) << text; }
  std::string Read(const std::string& name) {
    std::ifstream in(dir_ + "/" + name);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  // Runs zeb with the parameters; its exit code.
  int Run(const std::string& params) {
    const int status = std::system((std::string(ZEB_BINARY) + " " + params + " >" + dir_ + "/console.txt").c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  std::string LogSection() const { return "def log\npath " + dir_ + "/zeb.log\nlevel low\nlogformat \"@log\"\nend\n"; }

  std::string dir_;
};

TEST_F(ZebRun, ConfigurationWithALogSectionWritesBannerAndExecutingTime) {
  Write("zeb.ctl", "def main\naddress 2:34/6@fidonet\nend\n" + LogSection());
  EXPECT_EQ(Run("/c " + dir_ + "/zeb.ctl"), 0);
  const std::string log = Read("zeb.log");
  const size_t banner = log.find("Zebrant (Win32) Version 3.05\n");
  const size_t started = log.find("] Loger - started\n");
  ASSERT_NE(banner, std::string::npos) << log;
  ASSERT_NE(started, std::string::npos) << log;
  EXPECT_LT(banner, started);
  EXPECT_NE(log.find("Available free memory: "), std::string::npos);
  EXPECT_NE(log.find("Executing time: "), std::string::npos);
  EXPECT_NE(log.find("] Flushed buffers and stoped\n"), std::string::npos);
}

TEST_F(ZebRun, BadAddressEndsTheRunThroughTheUnhandledErrorPath) {
  Write("zeb.ctl", LogSection() + "def main\naddress 2:3x/6@fidonet\nend\n");
  EXPECT_EQ(Run("/c " + dir_ + "/zeb.ctl"), 0);
  const std::string log = Read("zeb.log");
  EXPECT_NE(log.find("EConvertError - '3x' is not a valid integer value\n"), std::string::npos) << log;
  EXPECT_NE(log.find("Executing time: "), std::string::npos);
  EXPECT_NE(Read("console.txt").find("'3x' is not a valid integer value"), std::string::npos);
}

TEST_F(ZebRun, RejectedLineAndMissingAdditionalFile) {
  Write("zeb.ctl", LogSection() + "def main\naddress 2:34/6@fidonet\nend\n");
  EXPECT_EQ(Run("/c " + dir_ + "/zeb.ctl /a " + dir_ + "/missing.ctl"), 0);
  EXPECT_NE(Read("console.txt").find("Configuration file not found at " + dir_ + "/missing.ctl"), std::string::npos);
  EXPECT_NE(Read("zeb.log").find("Executing time: "), std::string::npos) << "the run went on";

  Write("bad.ctl", LogSection() + "def main\nbogus\n");
  EXPECT_EQ(Run("/c " + dir_ + "/bad.ctl"), 0);
  const std::string log = Read("zeb.log");
  EXPECT_NE(log.find("\n\nZebrant (Win32)"), std::string::npos) << "the second run appended after an empty line";
  EXPECT_NE(log.find("Error: bad.ctl (7): bogus\nError: Bad configuration file string in section: main\n"),
            std::string::npos)
      << log;
}

}  // namespace
