// Every example template of examples/ run by zeb over the sample outbound of
// examples/make_outbound.sh, with the outbound's times and zeb's clock fixed
// at the same moment, and its report compared with examples/expected/: the
// text as the console shows it on a UTF-8 terminal.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "log/console.h"
#include "zeb_binary.h"
#include "support/unix_time.h"

namespace {

const std::string kSource = ZEB_SOURCE_DIR;
const char* const kTemplates[] = {"queue", "alert", "files", "busy", "queue.json", "queue.utf8", "queue.prom"};

// The charset line of an example's report section: the UTF-8 template is
// declared so, the others name none.
std::string CharsetLine(const std::string& name) { return name == "queue.utf8" ? "charset UTF-8 4\n" : ""; }

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// The report file as a UTF-8 console shows it.
std::string AsShown(const std::string& text) { return zeb::RenderOemText(text, true); }

class ExampleTemplates : public ::testing::Test, protected zeb::test::ScratchDir {
 protected:
  void RunZebAtFixedTime(const std::vector<std::string>& params, const std::string& console = "console.txt") {
    ASSERT_EQ(zeb::test::RunZebAtFixedTime(params, Path(console)), 0) << Read(console);
  }
};

TEST_F(ExampleTemplates, ReportsOfTheSampleOutboundMatchTheExpectedTexts) {
  const std::string make = "sh " + kSource + "/examples/make_outbound.sh " + Dir() + "/ob '2026-12-07 12:00:00'";
  ASSERT_EQ(std::system(make.c_str()), 0);

  // The example node's addresses, outbounds and file box, reporting into files.
  std::string config =
      "def main\naddress 2:5020/9999@fidonet\nend\n"
      "def domain\nfidonet 1 2 3 4 5 6\nfsxnet 21\nend\n"
      "def mainaka\n21:4/999@fsxnet\nend\n"
      "def outbound fidonet\n" + Dir() + "/ob/out\nend\n"
      "def outbound fsxnet\n" + Dir() + "/ob/fsxnet\nend\n"
      "def bink/+ fidonet\n2:5020/9999.1 " + Dir() + "/ob/boxes/point1 hold\nend\n"
      "def skipaddress\n2:5020/9999.1@fidonet\nend\n"
      "def log\npath " + Dir() + "/zeb.log\nend\n";
  for (const char* name : kTemplates) {
    config += "def report fidonet fsxnet\ntemplate " + kSource + "/examples/" + name + ".tpl\nsortby size address\n"
              "postto file " + Dir() + "/" + name + ".txt\n" + CharsetLine(name) + "end\n";
  }
  Write("zeb.ctl", config);
  RunZebAtFixedTime({"/c", Path("zeb.ctl")});

  for (const char* name : kTemplates) {
    SCOPED_TRACE(name);
    const std::string shown = AsShown(Read(std::string(name) + ".txt"));
    const std::string expected = ReadFile(kSource + "/examples/expected/" + name + ".txt");
    EXPECT_FALSE(expected.empty());
    if (shown != expected) std::ofstream(std::string("/tmp/zeb-example-") + name + ".txt", std::ios::binary) << shown;
    EXPECT_EQ(shown, expected) << "the report as run is in /tmp/zeb-example-" << name << ".txt\n"
                               << Read("console.txt");
  }
}

// The example node as "make run" runs it: --check and --dry-run leave its
// bases, MSGID file and log as they were, and the dry run shows the texts
// that the run after it stores.
TEST_F(ExampleTemplates, CheckAndDryRunOfTheExampleNodeStoreNothing) {
  for (const auto& entry : std::filesystem::directory_iterator(kSource + "/examples"))
    if (entry.path().extension() == ".tpl") std::filesystem::copy(entry.path(), Path(entry.path().filename()));
  const std::string make = "sh " + kSource + "/examples/make_outbound.sh " + Path("outbound") + " '2026-12-07 12:00:00'";
  ASSERT_EQ(std::system(make.c_str()), 0);
  std::filesystem::create_directories(Path("msgbase"));
  setenv("ZEB_EXAMPLES", Dir().c_str(), 1);
  setenv("ZEB_MSGBASE", Path("msgbase").c_str(), 1);
  const auto bases = [&] {
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(Path("msgbase")))
      files[entry.path().filename()] = ReadFile(entry.path());
    return files;
  };
  const std::vector<std::string> run = {"/c", kSource + "/examples/zeb.ctl"};
  RunZebAtFixedTime(run);
  const auto before = bases();
  ASSERT_TRUE(before.contains("queue.jam.jdt") && before.contains("zeb.msgid") && before.contains("zeb.log"));
  RunZebAtFixedTime({run[0], run[1], "--check"}, "check.txt");
  EXPECT_EQ(bases(), before);
  const std::string checked = "Report 2 (%ZEB_EXAMPLES%/queue.tpl -> jam " + Path("msgbase/queue.jam") + "): ok, ";
  EXPECT_NE(Read("check.txt").find(checked), std::string::npos) << Read("check.txt");
  RunZebAtFixedTime({run[0], run[1], "--dry-run"}, "dry.txt");
  EXPECT_EQ(bases(), before);
  RunZebAtFixedTime(run, "real.txt");
  unsetenv("ZEB_EXAMPLES");
  unsetenv("ZEB_MSGBASE");

  const std::string dry = Read("dry.txt");
  const auto shown = [&](int n) {
    const size_t start = dry.find('\n', dry.find("--- Text of report " + std::to_string(n) + " ---")) + 1;
    return dry.substr(start, dry.find("\nReport " + std::to_string(n + 1) + " (", start) + 1 - start);
  };
  EXPECT_NE(Read("real.txt").find(shown(1)), std::string::npos) << "the console report";
  // The message texts as a console shows them, with LF line ends.
  const auto added = [&](const std::string& name) {
    std::string text = bases()[name].substr(before.at(name).size());
    std::replace(text.begin(), text.end(), '\r', '\n');
    return AsShown(text);
  };
  EXPECT_EQ(added("queue.jam.jdt"), AsShown(shown(2)));
  EXPECT_NE(added("queue.sq.sqd").find(AsShown(shown(3))), std::string::npos);
}

}  // namespace
