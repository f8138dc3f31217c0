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

// A sysop's mistakes are named on the console (quiet: nothing else) and in
// the log, with the exit status; a command line or a configuration that
// cannot be used scans and posts nothing.
TEST_F(RunOutcome, MistakesAreNamedNotRun) {
  Write("ok.tpl", "@queue links, @strays strays, @scanerrors scan errors\n");
  Write("out/stray.pkt", "a packet no mailer sends");
  Write("out/00010002.mo0", "a bundle sent by the list file beside it");
  Write("out/00010002.flo", "^" + Path("out/00010002.mo0") + "\n");
  const std::string head = ConfigHead(), report = FileReport(Path("ok.tpl"), Path("ok.txt"));
  const std::string noAddress = head.substr(head.find("def domain"));
  const auto reportWith = [&](const std::string& line) { return head + "def report\npostto file x\n" + line + "\nend\n"; };
  const struct {
    std::string config;
    const char* options;
    int status;
    std::string console, log;  // log empty: none written
    const char* posted;        // null: nothing
  } cases[] = {
      {head + report, "-q -v", 1, "Error: Unknown option -v\nTry zeb --help\n", "", nullptr},
      {head + report, "--verbose", 1, "Error: Unknown option --verbose\nTry zeb --help\n", "", nullptr},
      {head + report, "etc/zeb.ctl", 1, "Error: Unexpected parameter etc/zeb.ctl\nTry zeb --help\n", "", nullptr},
      {noAddress + report, "-q", 1, "Error: No main address in the configuration\n   Reason: give one", "Error: No main", nullptr},
      {reportWith("sortyb size"), "-q", 1, "section: report\n   Reason: unknown keyword \"sortyb\" (known in this "
       "section: template, sortby, postto,", "Reason: unknown keyword", nullptr},
      {reportWith("sortby size adress"), "-q", 1, "Reason: unknown sort key \"adress\" (size, address, days, "
       "netmailsize, echomailsize, fileechomailsize, flavour)\n", "sortby size adress\n", nullptr},
      {reportWith("postto jamm x"), "-q", 1, "Reason: unknown destination \"jamm\" (jam, squish, file, msg, pkt, "
       "netmail, area)\n", "(jam, squish,", nullptr},
      {head.substr(0, head.find("def log")) + "def log\npath " + Path("zeb.log") + "\nlevel verbose\nend\n", "-q", 1, "section: log\n   Reason: "
       "unknown level \"verbose\" (low, normal, high, detail, debug)\n", "Reason: unknown level", nullptr},
      {head + "def outbound fidonet\n" + Path("gone") + "\nend\n" + report, "-q /l1", 2, "Error: Directory " + Path("gone") +
       " not exist\n", "Stray file " + Path("out/stray.pkt") + "\n", "1 links, 1 strays, 1 scan errors\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.config + c.options);
    std::filesystem::remove(Path("zeb.log"));
    std::filesystem::remove(Path("ok.txt"));
    Write("zeb.ctl", c.config);
    EXPECT_EQ(Run("zeb.ctl", c.options), c.status);
    const std::string console = Read("console0.txt");
    EXPECT_NE(console.find(c.console), std::string::npos) << console;
    EXPECT_EQ(console.find("Zebrant"), std::string::npos) << console;
    EXPECT_EQ(std::filesystem::exists(Path("zeb.log")), !c.log.empty());
    EXPECT_NE(Read("zeb.log").find(c.log), std::string::npos) << Read("zeb.log");
    EXPECT_EQ(std::filesystem::exists(Path("ok.txt")), c.posted != nullptr);
    if (c.posted) {
      EXPECT_EQ(Read("ok.txt"), c.posted);
    }
  }
}

TEST_F(RunOutcome, TemplateMistakesAreShownWhereTheyStandAndCounted) {
  const struct {
    const char* tpl;
    int status;
    std::string logged;  // an error (also on the console) or a warning
    const char* text;    // the stored report, as before; null: none
  } cases[] = {
      {"A @just(@node, 20) B\n", 2, "Error: Template t.tpl (1:3): Bad type of @Format parametr in @just",
       "A Bad type of @Format parametr"},
      {"x\n@foreach(@queue\ny\n", 2, "Error: Template t.tpl (2:1): Unclosed parameter list of @foreach", "x\n"},
      {"x\n@len(It's)\n", 2, "Error: Template t.tpl (2:1): Unclosed quote ' in the parameters of @len", "x\n5"},
      {"@if(1)\nA\n@end\n@end\nB\n", 2, "Error: Template t.tpl (4:1): @end without a block", "A\n"},
      {"@else\nA\n", 2, "Error: Template t.tpl (1:1): @else without a block", "A\n"},
      {"@foreach(2)\nline\n", 0, "Warning: Template t.tpl (1:1): @foreach without @end", "line\nline\n"},
      {"Mail @mailsise(NEF) to user@example.com\n", 0, "Warning: Template t.tpl (1:6): Unknown function @mailsise",
       "Mail @mailsise(NEF) to user@example.com\n"},
      {"one\r\n @RaiseError(late: @len(ab))\r\n", 2, "Error: Template t.tpl (2:2): User raise error: late: 2",
       "one\n User raise error: late: 2\n"},
      {"@define(@w, @just(ab, x, L))\n@w\n", 2, "Error: Template t.tpl (1:1): Bad type of @MaxLen parametr in @just",
       "Bad type of @MaxLen parametr"},
      {"@if(@just(ab, x, L), =, ab)\nA\n@end\n", 2,
       "Error: Template t.tpl (1:1): Bad type of @MaxLen parametr in @just", "Bad type of @MaxLen parametr"},
      {"head\n@if(1)\n@discard\n@end\n", 0, "Report 1 discarded by its template at t.tpl (3:1)", nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.tpl);
    std::filesystem::remove(Path("zeb.log"));
    std::filesystem::remove(Path("t.txt"));
    Write("t.tpl", c.tpl);
    std::string head = ConfigHead();
    head.replace(head.find("level low"), 9, "level normal");
    Write("zeb.ctl", head + FileReport("t.tpl", Path("t.txt")));
    EXPECT_EQ(Run("zeb.ctl"), c.status);
    EXPECT_EQ(Read("console0.txt").find(c.logged) != std::string::npos, c.status != 0) << Read("console0.txt");
    const std::string log = Read("zeb.log");
    EXPECT_NE(log.find(" " + c.logged + "\n"), std::string::npos) << log;
    EXPECT_EQ(std::filesystem::exists(Path("t.txt")), c.text != nullptr);
    if (c.text == nullptr) continue;
    EXPECT_EQ(Read("t.txt"), c.text);
    const std::string stored = "Report 1 stored: file " + Path("t.txt") + ", " + std::to_string(Read("t.txt").size());
    EXPECT_NE(log.find(stored + " bytes\n"), std::string::npos) << log;
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
