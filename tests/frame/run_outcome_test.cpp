// Whole runs as a script or cron sees them: the exit status, a quiet
// console, a console whose reader goes away, report files read by Unix tools.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "zeb_binary.h"

namespace zeb::test {
namespace {

using RunOutcome = ZebBinaryTest;

std::string FileReport(const std::string& tpl, const std::string& out) {
  return "def report fidonet\ntemplate " + tpl + "\npostto file " + out + "\nend\n";
}

size_t Lines(const std::string& text) { return static_cast<size_t>(std::count(text.begin(), text.end(), '\n')); }

TEST_F(RunOutcome, ExitStatusTellsErrorsAndQuietShowsOnlyThem) {
  Write("ok.tpl", "ok\n");
  const std::string good = FileReport(Path("ok.tpl"), Path("ok.txt"));
  const std::string unwritable = FileReport(Path("ok.tpl"), Path("none/ok.txt"));
  const std::string noTemplate =
      "def report fidonet\ntemplate " + Path("none/missing.tpl") + "\npostto jam " + Path("q") + "\nend\n";
  const struct {
    std::string report;
    const char* options;
    int status;
    std::string error;  // a text of the one error line, empty for none (a
                        // missing directory: its reason follows it)
  } cases[] = {
      {good, "", 0, ""},
      {good, "/q", 0, ""},
      {unwritable, "", 2, Path("none/ok.txt")},
      {unwritable, "-q", 2, Path("none/ok.txt")},
      {noTemplate, "--quiet", 2, Path("none/missing.tpl")},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.report + c.options);
    std::filesystem::remove(Path("zeb.log"));
    Write("zeb.ctl", ConfigHead() + c.report);
    EXPECT_EQ(Run("zeb.ctl", c.options), c.status);
    const std::string console = Read("console0.txt");
    const bool quiet = *c.options != '\0';
    EXPECT_EQ(console.find("Zebrant (Win32)") == std::string::npos, quiet) << console;
    EXPECT_EQ(console.find("Error: ") != std::string::npos, !c.error.empty()) << console;
    EXPECT_NE(console.find(c.error), std::string::npos) << console;
    EXPECT_EQ(console.find("\n   Reason: No such file or directory\n") != std::string::npos, !c.error.empty())
        << console;
    if (quiet) {
      EXPECT_EQ(Lines(console), c.error.empty() ? 0u : 2u) << console;
    }
    const std::string log = Read("zeb.log");
    EXPECT_NE(log.find("Zebrant (Win32)"), std::string::npos) << "a quiet run logs as any other";
    EXPECT_NE(log.find("Executing time: "), std::string::npos);
  }
}

TEST_F(RunOutcome, ConsoleClosedByItsReaderEndsNothing) {
  // More than a pipe holds, so zeb is still writing when head has gone.
  std::string big;
  for (int i = 0; i < 4096; ++i) big += std::string(63, 'x') + "\n";
  Write("big.tpl", big);
  Write("ok.tpl", "ok\n");
  Write("zeb.ctl", ConfigHead() + FileReport(Path("big.tpl"), "con") + FileReport(Path("ok.tpl"), Path("ok.txt")));
  const std::string command =
      "(" + std::string(ZEB_BINARY) + " /c " + Path("zeb.ctl") + "; echo $? >" + Path("rc") + ") | head -c 1 >/dev/null";
  ASSERT_EQ(std::system(command.c_str()), 0);
  EXPECT_EQ(Read("rc"), "2\n") << "the console report was lost";
  EXPECT_EQ(Read("ok.txt"), "ok\n") << "the report after it is stored";
  const std::string log = Read("zeb.log");
  EXPECT_NE(log.find("Error: Can't write to file con\n"), std::string::npos) << log;
  EXPECT_NE(log.find("] Flushed buffers and stoped\n"), std::string::npos) << log;
}

TEST_F(RunOutcome, ReportFileLinesEndInLfWhateverTheTemplateUses) {
  const std::pair<std::string, std::string> templates[] = {{"crlf", "a\r\nb\r\n"}, {"lf", "a\nb\n"}, {"cr", "a\rb\r"}};
  std::string config = ConfigHead();
  for (const auto& [name, text] : templates) {
    Write(name + ".tpl", text);
    config += FileReport(Path(name + ".tpl"), Path(name + ".txt"));
  }
  Write("zeb.ctl", config);
  ASSERT_EQ(Run("zeb.ctl"), 0) << Read("console0.txt");
  for (const auto& [name, text] : templates) EXPECT_EQ(Read(name + ".txt"), "a\nb\n") << name;
}

}  // namespace
}  // namespace zeb::test
