// Whole runs of the zeb executable with a configuration on the real disk.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "scratch_dir.h"

namespace {

class ZebRun : public ::testing::Test, protected zeb::test::ScratchDir {
 protected:
  // Runs zeb with the parameters, from the directory `cwd` when one is given
  // and through the command `runAs` when one is given; its exit code.
  int Run(const std::string& params, const std::string& cwd = {}, const std::string& runAs = {}) {
    const std::string command = (cwd.empty() ? std::string() : "cd " + cwd + " && ") + runAs + ZEB_BINARY + " " +
                                params + " >" + Dir() + "/console.txt";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  bool Exists(const std::string& name) const { return std::filesystem::exists(Dir() + "/" + name); }
  std::string LogSection() const { return "def log\npath " + Dir() + "/zeb.log\nlevel low\nlogformat \"@log\"\nend\n"; }
};

TEST_F(ZebRun, ConfigurationWithALogSectionWritesBannerAndExecutingTime) {
  Write("zeb.ctl", "def main\naddress 2:34/6@fidonet\nend\n" + LogSection());
  EXPECT_EQ(Run("/c " + Dir() + "/zeb.ctl"), 0);
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

// A bad address or a report without a destination is a rejected line with
// its file and line, and the run does not start.
TEST_F(ZebRun, BadAddressesAndAReportWithoutDestinationAreRejectedLines) {
  const struct {
    std::string Lines;  // the last one is rejected
    std::string Section, Reason;
  } cases[] = {
      {"def main\naddress 2:3x/6@fidonet\n", "main", "Bad address: 2:3x/6@fidonet"},
      {"def report\nto All\n", "report", "Bad address: All"},
      {"def bink/+ fidonet\n2:5047/999.3x /box\n", "bink/+", "Bad address: 2:5047/999.3x /box"},
      {"def report\ntemplate empty.tpl\nend\n", "report", "No postto in the report section"},
  };
  Write("empty.tpl", "");
  const std::string head = "def main\naddress 2:5020/1@fidonet\nend\n" + LogSection() +
                           "def report\ntemplate empty.tpl\npostto file done.txt\nend\n";
  for (const auto& c : cases) {
    std::filesystem::remove(Dir() + "/zeb.log");
    const std::string config = head + c.Lines;
    Write("zeb.ctl", config);
    EXPECT_EQ(Run("/c zeb.ctl", Dir()), 1) << c.Reason;
    const std::string lines = c.Lines.substr(0, c.Lines.size() - 1);
    const std::string badLine = lines.substr(lines.find_last_of('\n') + 1);
    const int number = static_cast<int>(std::count(config.begin(), config.end(), '\n'));
    const std::string expected = "Error: zeb.ctl (" + std::to_string(number) + "): " + badLine +
                                 "\nError: Bad configuration file string in section: " + c.Section + "\nError: " +
                                 c.Reason + "\n";
    const std::string log = Read("zeb.log");
    EXPECT_NE(log.find(expected), std::string::npos) << log;
    EXPECT_EQ(log.find("EConvertError"), std::string::npos) << log;
    EXPECT_FALSE(Exists("done.txt")) << c.Reason << ": the run did not start";
  }
  EXPECT_FALSE(Exists(".jhr"));
}

// Command-line paths come from the current directory, paths inside a
// configuration file from that file's directory; a name may begin with ".".
TEST_F(ZebRun, RelativePathsAndZonesOfADomainWithoutAddress) {
  Write("sub/x.ctl",
        "def main\naddress 2:5020/1@fidonet\nend\n"
        "def log\npath zeb.log\nlevel low\nlogformat \"@log\"\nend\n"
        "def domain\nfidonet 2\nfsxnet 21\nend\n"
        "def outbound fsxnet\n.ob/out\n./ob2\nmissing\nend\n"
        "include rep.ctl\n");
  Write("sub/rep.ctl", "def report fsxnet\ntemplate queue.tpl\npostto file report.txt\nend\n");
  Write("sub/queue.tpl", "@foreach(@queue)\n@node\n@nextnode\n@end\n");
  Write("sub/.ob/out/0004000a.out", "packet");
  Write("sub/ob2/0004000b.out", "packet");
  Write("add.ctl", "def report fsxnet\ntemplate sub/queue.tpl\npostto file add.txt\nend\n");
  EXPECT_EQ(Run("/c sub/x.ctl /a add.ctl", Dir()), 2) << "the missing outbound";

  const std::string missing = "Error: Directory " + Dir() + "/sub/missing not exist\n";
  EXPECT_NE(Read("console.txt").find(missing), std::string::npos) << Read("console.txt");
  EXPECT_NE(Read("sub/zeb.log").find(missing), std::string::npos) << Read("sub/zeb.log");
  for (const char* report : {"sub/report.txt", "add.txt"}) {
    EXPECT_NE(Read(report).find("21:4/10"), std::string::npos) << report << ": " << Read(report);
    EXPECT_NE(Read(report).find("21:4/11"), std::string::npos) << report << ": " << Read(report);
  }
}

TEST_F(ZebRun, LogAtConIsStandardOutput) {
  Write("zeb.ctl", "def main\naddress 2:5020/1@fidonet\nend\ndef log\npath Con\nlogformat \"@log\"\nend\n");
  EXPECT_EQ(Run("/c zeb.ctl", Dir()), 0);
  EXPECT_NE(Read("console.txt").find("] Loger - started\n"), std::string::npos) << Read("console.txt");
  EXPECT_NE(Read("console.txt").find("Executing time: "), std::string::npos);
  EXPECT_FALSE(Exists("Con"));
  EXPECT_FALSE(Exists("con"));
}

// Root reads every directory, so the run is made as nobody.
TEST_F(ZebRun, AnOutboundItMayNotReadIsAnError) {
  const std::string asNobody = "setpriv --reuid=nobody --regid=nogroup --clear-groups ";
  if (geteuid() != 0 || std::system((asNobody + "true 2>/dev/null").c_str()) != 0)
    GTEST_SKIP() << "needs root and setpriv to run zeb as nobody";
  ASSERT_EQ(chmod(Dir().c_str(), 0755), 0);
  Write("out1/0001000a.out", "packet");
  Write("out2/0001000b.out", "packet");
  ASSERT_EQ(chmod((Dir() + "/out2").c_str(), 0700), 0);
  Write("queue.tpl", "@foreach(@queue)\n@node\n@nextnode\n@end\n");
  std::filesystem::create_directories(Dir() + "/rep");
  ASSERT_EQ(chmod((Dir() + "/rep").c_str(), 0777), 0);
  // The log goes to a file, so that the logger thread's lines cannot come
  // between the error and its reason on the console.
  Write("zeb.ctl", "def main\naddress 2:5020/1@fidonet\nend\ndef log\npath rep/zeb.log\nlevel low\nend\n"
                   "def outbound\nout1\nout2\nend\n"
                   "def report\ntemplate queue.tpl\npostto file rep/r.txt\nend\n");
  EXPECT_EQ(Run("/c " + Dir() + "/zeb.ctl", "", asNobody), 2);
  EXPECT_NE(Read("console.txt").find("Error: Can't read directory " + Dir() + "/out2\n   Reason: Permission denied\n"),
            std::string::npos)
      << Read("console.txt");
  EXPECT_NE(Read("rep/r.txt").find("2:1/10"), std::string::npos) << Read("rep/r.txt");
  EXPECT_EQ(Read("rep/r.txt").find("2:1/11"), std::string::npos);
}

TEST_F(ZebRun, RejectedLineAndMissingAdditionalFile) {
  Write("zeb.ctl", LogSection() + "def main\naddress 2:34/6@fidonet\nend\n");
  EXPECT_EQ(Run("/c " + Dir() + "/zeb.ctl /a " + Dir() + "/missing.ctl"), 2) << "went through with an error";
  EXPECT_NE(Read("console.txt")
                .find("Configuration file not found at " + Dir() + "/missing.ctl\n   Reason: No such file or directory\n"),
            std::string::npos);
  EXPECT_NE(Read("zeb.log").find("Executing time: "), std::string::npos) << "the run went on";

  Write("bad.ctl", LogSection() + "def main\nbogus\n");
  EXPECT_EQ(Run("/c " + Dir() + "/bad.ctl"), 1) << "a rejected line";
  const std::string log = Read("zeb.log");
  EXPECT_NE(log.find("\n\nZebrant (Win32)"), std::string::npos) << "the second run appended after an empty line";
  EXPECT_NE(log.find("Error: bad.ctl (7): bogus\nError: Bad configuration file string in section: main\n"),
            std::string::npos)
      << log;
}

// The whole road from the configuration to the sorted queue: a generated
// outbound is scanned and merged, and the sort dumps the queue at level 3.
TEST_F(ZebRun, QueueOfAGeneratedOutboundIsDumpedAtLevelThree) {
  for (const char* sub : {"out/0001000a.pnt", "out.003", "files", "box"})
    std::filesystem::create_directories(Dir() + "/" + sub);
  Write("out/0001000a.cut", "crash");
  Write("out/0001000a.hlo", "^" + Dir() + "/files/a.su0\n");
  Write("files/a.su0", "bundle");
  Write("out/0001000b.bsy", "");
  Write("out/0001000a.pnt/00000001.dut", "direct");
  Write("out.003/0001000c.out", "normal");
  Write("box/readme.txt", "readme");
  Write("empty.tpl", "");
  const std::string config = "def main\naddress 2:5020/1@fidonet\nend\n" + LogSection() +
                             "def domain\nfidonet 1 2 3\nend\n"
                             "def outbound fidonet\n" + Dir() + "/out\nend\n"
                             "def bink/+ fidonet\n1/13 " + Dir() + "/box hold\nend\n"
                             "def report fidonet\n"
                             "template " + Dir() + "/empty.tpl\n"
                             "postto file " + Dir() + "/report.txt\n"
                             "end\n";
  Write("zeb.ctl", config);
  // The log section says low; the command line raises the level.
  EXPECT_EQ(Run("/c " + Dir() + "/zeb.ctl /l3"), 0);

  // 21 flag places: call, busy, the most urgent flavour, then netmail, echomail
  // and file marks for I, C, D, N, H and R; the log shows an empty place as a
  // middle dot in UTF-8.
  const auto flags = [](std::initializer_list<std::pair<int, char>> marks) {
    std::string places(21, ' ');
    for (const auto& [place, mark] : marks) places[place - 1] = mark;
    std::string text;
    for (const char c : places) text += c == ' ' ? std::string("\u00B7") : std::string(1, c);
    return text;
  };
  const std::string expected = std::string("Address           cbF") +
                               "\u250CI\u2510\u250C" "C\u2510\u250C" "D\u2510\u250CN\u2510\u250CH\u2510\u250CR\u2510\n" +
                               "2:1/10            " + flags({{3, 'C'}, {7, 'M'}, {17, 'X'}}) + "\n" +
                               "2:1/10.1          " + flags({{3, 'D'}, {10, 'M'}}) + "\n" +
                               "2:1/11            " + flags({{2, 'b'}}) + "\n" +
                               "2:1/13            " + flags({{3, 'H'}, {18, 'F'}}) + "\n" +
                               "3:1/12            " + flags({{3, 'N'}, {13, 'M'}}) + "\n";
  const std::string log = Read("zeb.log");
  const size_t dump = log.find("Address           cbF");
  ASSERT_NE(dump, std::string::npos) << log;
  EXPECT_EQ(log.substr(dump, expected.size()), expected);
  EXPECT_NE(log.find("Sorted 5 addresses from queue by report group\n"), std::string::npos) << log;
}

// The log of a run with errors, detail lines and a UTF-8 path is text:
// grep under a UTF-8 locale finds its error lines, iconv takes it as UTF-8.
TEST_F(ZebRun, LogOfARunWithErrorsIsUtf8Text) {
  std::filesystem::create_directories(Dir() + "/Gr\u00F6\u00DFe/out");
  Write("Gr\u00F6\u00DFe/out/0001000a.cut", "crash");
  Write("empty.tpl", "");
  Write("zeb.ctl", "def main\naddress 2:5020/1@fidonet\nend\n"
                   "def log\npath " + Dir() + "/zeb.log\nlevel detail\nend\n"
                   "def domain\nfidonet 2\nend\n"
                   "def outbound fidonet\n" + Dir() + "/Gr\u00F6\u00DFe/out\nend\n"
                   "def report fidonet\ntemplate " + Dir() + "/empty.tpl\n"
                   "postto file " + Dir() + "/Gr\u00F6\u00DFe/missing/report.txt\nend\n");
  EXPECT_EQ(Run("/c " + Dir() + "/zeb.ctl"), 2) << "a run with an error";
  const std::string log = Read("zeb.log");
  const std::string error = "\u25A0 Error: Can't create file " + Dir() + "/Gr\u00F6\u00DFe/missing/report.txt\n";
  EXPECT_NE(log.find(error), std::string::npos) << log;
  EXPECT_NE(log.find("\u25BA Netmail packet for 2:1/10"), std::string::npos) << log;
  const std::string grep = "LC_ALL=C.UTF-8 grep Error: " + Dir() + "/zeb.log >" + Dir() + "/grep.txt";
  EXPECT_EQ(std::system(grep.c_str()), 0);
  EXPECT_NE(Read("grep.txt").find(error), std::string::npos) << Read("grep.txt");
  EXPECT_EQ(std::system(("iconv -f UTF-8 -t UTF-8 " + Dir() + "/zeb.log >/dev/null").c_str()), 0);
}

}  // namespace
