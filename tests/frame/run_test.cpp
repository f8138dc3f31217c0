// The zeb executable end to end: banner, help, configuration lookup, exit code.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <string>

namespace {

struct RunResult {
  std::string Output;
  int ExitCode = -1;
};

RunResult RunZebBinary(const std::string& args) {
  RunResult result;
  const std::string command = "cd /tmp && NO_COLOR=1 LANG=C " + std::string(ZEB_BINARY) + " " + args + " 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return result;
  char buf[4096];
  size_t n;
  while ((n = fread(buf, 1, sizeof buf, pipe)) > 0) result.Output.append(buf, n);
  const int status = pclose(pipe);
  result.ExitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

std::string BinaryDir() {
  const std::string path = ZEB_BINARY;
  return path.substr(0, path.find_last_of('/') + 1);
}

const char* const kBanner =
    " Zebrant (Win32) Version 3.05\n"
    " \u25A0 Multithreaded version\n"
    " \u25A0 Available free memory: ";

const char* const kHelp =
    "\n"
    "The following keys are supported:\n"
    "/h, /hlp, /help or /?   - display this message\n"
    "/lX  (X=0..4)           - define log level, 0-lower, 4-highest\n"
    "/c, /cfg, /config       - the next parameter is alternativ config\n"
    "/a, /addcfg             - the next parameter is additional config\n"
    "/d                      - work in debug mode\n"
    "--config, --addcfg      - the long forms of /c and /a\n"
    "--help, --version       - this message; the program's version\n"
    "/q, -q, --quiet         - print only errors and reports to con\n"
    "/da                     - trace every directory test of the scan\n"
    "--check                 - make every report and tell how it went; store nothing, write no log\n"
    "--dry-run               - as --check, and show each report's text\n"
    "\n";

TEST(ZebBinary, HelpShowsBannerAndKeysAndReadsNoConfiguration) {
  for (const char* option : {"/?", "-?", "/help", "-hlp", "/h", "--help"}) {
    const RunResult r = RunZebBinary(std::string("'") + option + "' /c /nonexistent/zeb.ctl");
    EXPECT_EQ(r.ExitCode, 0);
    ASSERT_EQ(r.Output.rfind(kBanner, 0), 0u) << option << "\n" << r.Output;
    const size_t memoryEnd = r.Output.find('\n', std::string(kBanner).size());
    EXPECT_EQ(r.Output.substr(memoryEnd + 1), kHelp) << option;
  }
}

TEST(ZebBinary, VersionIsOneLineWithoutBannerOrRun) {
  const RunResult r = RunZebBinary("--version /c /nonexistent/zeb.ctl");
  EXPECT_EQ(r.ExitCode, 0);
  EXPECT_EQ(r.Output, "zeb 3.05\n");
}

TEST(ZebBinary, FreeMemoryIsGroupedWithDots) {
  const RunResult r = RunZebBinary("/?");
  const size_t start = std::string(kBanner).size();
  const std::string figure = r.Output.substr(start, r.Output.find('\n', start) - start);
  ASSERT_FALSE(figure.empty());
  for (size_t i = 0; i < figure.size(); ++i) {
    const size_t fromEnd = figure.size() - i;
    if (fromEnd % 4 == 0)
      EXPECT_EQ(figure[i], '.') << figure;
    else
      EXPECT_TRUE(isdigit(static_cast<unsigned char>(figure[i]))) << figure;
  }
}

TEST(ZebBinary, MissingConfigurationIsReportedWithItsFullPath) {
  RunResult r = RunZebBinary("/H");
  EXPECT_EQ(r.ExitCode, 1);
  EXPECT_EQ(r.Output, " \u25BA Error: Unknown option /H\nTry zeb --help\n") << "/H is not help";

  r = RunZebBinary("/c relative-zeb-test.ctl");
  EXPECT_NE(r.Output.find("Configuration file not found at /tmp/relative-zeb-test.ctl\n"), std::string::npos)
      << "relative to the current directory, as every command takes its arguments:\n"
      << r.Output;

  // Beside the program, then where Linux keeps configurations.
  r = RunZebBinary("/c");
  if (!std::filesystem::exists("/etc/zeb/zeb.ctl")) {
    EXPECT_NE(r.Output.find("not found at " + BinaryDir() + "zeb.ctl or /etc/zeb/zeb.ctl\n"), std::string::npos)
        << r.Output;
  }
  EXPECT_EQ(r.ExitCode, 1);
}

}  // namespace
