// Whole runs of the zeb executable over a generated outbound: the report
// file compared byte for byte, and messages appended to JAM and Squish bases.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <utime.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <string>

#include "scratch_dir.h"

namespace {

constexpr int64_t kMinute = 60, kHour = 3600, kDay = 86400;

class ReportRun : public ::testing::Test, protected zeb::test::ScratchDir {
 protected:
  void SetUp() override {
    // Even seconds: the outbound's times are kept as DOS times.
    now_ = static_cast<int64_t>(std::time(nullptr)) & ~int64_t{1};
    for (const char* sub : {"out", "bundles", "jam", "sq"}) std::filesystem::create_directories(Dir() + "/" + sub);
  }

  // A file of `size` bytes, `age` seconds old.
  void File(const std::string& name, size_t size, int64_t age) { Text(name, std::string(size, 'z'), age); }
  void Text(const std::string& name, const std::string& text, int64_t age) {
    Write(name, text);
    const utimbuf times{static_cast<time_t>(now_ - age), static_cast<time_t>(now_ - age)};
    ASSERT_EQ(utime(Path(name).c_str(), &times), 0);
  }
  // The local date-time `age` seconds ago in strftime's format.
  std::string Ago(int64_t age, const char* format) const {
    const time_t t = static_cast<time_t>(now_ - age);
    tm local{};
    localtime_r(&t, &local);
    char buf[64];
    strftime(buf, sizeof buf, format, &local);
    return buf;
  }
  void RunZeb() {
    const std::string command = std::string(ZEB_BINARY) + " /c " + Dir() + "/zeb.ctl >" + Dir() + "/console.txt";
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }

  int64_t now_ = 0;
};

uint32_t U32(const std::string& s, size_t off) {
  uint32_t v = 0;
  for (int k = 3; k >= 0; --k) v = v << 8 | static_cast<uint8_t>(s.at(off + k));
  return v;
}

TEST_F(ReportRun, QueueTableFileWalkPrepareAndAboutAcrossFileJamAndSquish) {
  const int64_t cutAge = 3 * kDay + 4 * kHour + 5 * kMinute + 30;
  const int64_t mo0Age = kDay + 2 * kHour + 30, tu1Age = 5 * kHour + 10 * kMinute + 30;
  const int64_t hutAge = 10 * kMinute + 30;
  File("out/139c0001.cut", 3214, cutAge);
  File("bundles/139c0064.mo0", 48211, mo0Age);
  File("bundles/139c0064.tu1", 22640, tu1Age);
  Text("out/139c0064.flo", Dir() + "/bundles/139c0064.mo0\n^" + Dir() + "/bundles/139c0064.tu1\n", 36 * kMinute + 30);
  File("out/139c00c8.hut", 880, hutAge);

  Text("queue.tpl",
       "@about\n"
       "@foreach(@queue)\n"
       "@node|@flags|@pflags|@extflags|@mailsize(nef)|@files(nef)|@percent|@old|@fdays(3,*)|@cdaytime(2,!)|@fromday\n"
       "@foreach(@filecount)\n"
       "  @filename @filesize @filedatetime(yyyy-mm-dd hh:nn:ss)\n"
       "@nextfile\n"
       "@end\n"
       "@nextnode\n"
       "@end\n"
       "@prepare(*:*/*.*,!/1) @node\n",
       0);
  Text("about.tpl", "@about\n", 0);
  Text("zeb.ctl",
       "def main\naddress 2:5020/9999@fidonet\nend\n"
       "def domain\nfidonet 2\nend\n"
       "def outbound fidonet\n" + Dir() + "/out\nend\n"
       "def log\npath " + Dir() + "/zeb.log\nlevel low\nend\n"
       "def report fidonet\ntemplate " + Dir() + "/queue.tpl\nsortby address\npostto file " + Dir() + "/report.txt\nend\n"
       "def report fidonet\ntemplate " + Dir() + "/about.tpl\npostto jam " + Dir() + "/jam/queue\n"
       "tearline zeb\norigin Test\nend\n"
       "def report fidonet\ntemplate " + Dir() + "/about.tpl\npostto squish " + Dir() + "/sq/queue 30\n"
       "tearline zeb\norigin Test\nend\n",
       0);
  RunZeb();

  const std::string about = "Zebrant (Win32) V3.05  by the zeb developers";
  const std::string rule(about.size(), '\xC4');
  auto flags = [](char letter, size_t mark1, char kind1, size_t mark2 = 0, char kind2 = 0) {
    std::string f(21, '\xFA');
    f[2] = letter;
    f[mark1] = kind1;
    if (mark2 != 0) f[mark2] = kind2;
    return f;
  };
  const std::string expected =
      about + "\n" +
      "2:5020/1|   C      |     C|" + flags('C', 6, 'M') + "|3214|1|  4.28|3| 3|!   3-04:05|" +
      Ago(cutAge, "%d-%m-%Y") + "\n" +
      "  139c0001.cut 3214 " + Ago(cutAge, "%Y-%m-%d %H:%M:%S") + "\n" +
      "2:5020/100|     N    |     N|" + flags('N', 13, 'X') + "|70851|2| 94.53|1| 1|    1-02:00|" +
      Ago(mo0Age, "%d-%m-%Y") + "\n" +
      "  139c0064.tu1 22640 " + Ago(tu1Age, "%Y-%m-%d %H:%M:%S") + "\n" +
      "  139c0064.mo0 48211 " + Ago(mo0Age, "%Y-%m-%d %H:%M:%S") + "\n" +
      "2:5020/200|      H   |     H|" + flags('H', 15, 'M') + "|880|1|  1.17|0| 0|      00:10|" +
      Ago(hutAge, "%d-%m-%Y") + "\n" +
      "  139c00c8.hut 880 " + Ago(hutAge, "%Y-%m-%d %H:%M:%S") + "\n" +
      "2 2:5020/100\n";
  EXPECT_EQ(Read("report.txt"), expected) << Read("console.txt");

  // The JAM message: one header and index record, the text of the second
  // @about call of the run (the rule) with tearline and origin.
  const std::string jhr = Read("jam/queue.jhr"), jdt = Read("jam/queue.jdt"), jdx = Read("jam/queue.jdx");
  ASSERT_GE(jhr.size(), 1024u + 76u) << Read("console.txt");
  EXPECT_EQ(jhr.substr(0, 4), std::string("JAM\0", 4));
  EXPECT_EQ(jhr.substr(1024, 4), std::string("JAM\0", 4)) << "the message header's signature";
  EXPECT_EQ(jdx.size(), 8u);
  EXPECT_EQ(jdt, rule + "\r--- zeb\r * Origin: Test (2:5020/9999)\r");

  // The Squish message: one frame after the base header, indexed once, with
  // the third @about text.
  const std::string sqd = Read("sq/queue.sqd"), sqi = Read("sq/queue.sqi");
  ASSERT_GT(sqd.size(), 256u + 28u + 238u) << Read("console.txt");
  EXPECT_EQ(U32(sqd, 4), 1u) << "one message in the base";
  EXPECT_EQ(U32(sqd, 256), 0xAFAE4453u) << "the frame's signature";
  EXPECT_EQ(sqi.size(), 12u);
  EXPECT_NE(sqd.find(about + "\r--- zeb\r * Origin: Test (2:5020/9999)\r"), std::string::npos);
  EXPECT_EQ(sqd.find(rule), std::string::npos);
}

TEST_F(ReportRun, BinkdHoldAndTryFilesAndTheCharsetLine) {
  const auto tries = [](uint16_t good, uint16_t bad, const std::string& text) {
    return std::string{static_cast<char>(good & 0xFF), static_cast<char>(good >> 8), static_cast<char>(bad & 0xFF),
                       static_cast<char>(bad >> 8), static_cast<char>(text.size())} +
           text;
  };
  const auto hold = [this](int64_t from) { return std::to_string(now_ + from) + "\n"; };
  std::filesystem::create_directories(Dir() + "/out/139c0002.pnt");
  File("out/139c0001.cut", 100, kHour);
  Text("out/139c0001.hld", hold(2 * kHour), 0);
  Text("out/139c0001.try", tries(0, 3, "Connection refused"), 0);
  File("out/139c0002.hut", 200, kHour);
  Text("out/139c0002.hld", hold(-kMinute), 0);
  Text("out/139c0002.try", tries(12, 0, ""), 0);
  File("out/139c0002.pnt/00000007.out", 300, kHour);
  Text("out/139c0002.pnt/00000007.hld", hold(kDay), 0);
  Text("out/139c0002.pnt/00000007.try", tries(1, 65535, "Timeout"), 0);
  File("out/139c0003.out", 400, kHour);
  Text("out/139c0003.hld", "soon\n", 0);
  Text("out/139c0003.try", std::string("\x01\x00", 2), 0);
  Text("out/139c0009.hld", hold(kHour), 0);  // nothing waits for this node
  Text("out/139c0009.try", tries(0, 1, "x"), 0);

  Text("notes.tpl",
       "@foreach(@queue)\n"
       "@node|@mailsize(nef)|@files(nef)|@old|@holduntil(yyyy-mm-dd hh:nn:ss)|@trycount|@trytext|\n"
       "@nextnode\n"
       "@end\n",
       0);
  Text("plain.tpl", "Queue\n", 0);
  Text("zeb.ctl",
       "def main\naddress 2:5020/9999@fidonet\nend\n"
       "def domain\nfidonet 2\nend\n"
       "def outbound fidonet\n" + Dir() + "/out\nend\n"
       "def log\npath " + Dir() + "/zeb.log\nlevel high\nend\n"
       "def report fidonet\ntemplate " + Dir() + "/notes.tpl\nsortby address\npostto file " + Dir() + "/report.txt\n"
       "charset CP866 2\nend\n"
       "def report fidonet\ntemplate " + Dir() + "/plain.tpl\npostto msg " + Dir() + "/msg\ncharset CP866 2\nend\n"
       "def report fidonet\ntemplate " + Dir() + "/plain.tpl\npostto msg " + Dir() + "/msg\nend\n",
       0);
  std::filesystem::create_directories(Dir() + "/msg");
  RunZeb();

  EXPECT_EQ(Read("report.txt"),
            "2:5020/1|100|1|0|" + Ago(-2 * kHour, "%Y-%m-%d %H:%M:%S") + "|0/3|Connection refused|\n"
            "2:5020/2|200|1|0||12/0||\n"
            "2:5020/2.7|300|1|0|" + Ago(-kDay, "%Y-%m-%d %H:%M:%S") + "|1/65535|Timeout|\n"
            "2:5020/3|400|1|0||||\n")
      << "a past hold shows nothing, malformed files are ignored, notes alone make no node; a file gets no kludge\n"
      << Read("console.txt");
  const std::string log = Read("zeb.log");
  EXPECT_NE(log.find("Bad hold-until file " + Dir() + "/out/139c0003.hld ignored"), std::string::npos) << log;
  EXPECT_NE(log.find("Bad try file " + Dir() + "/out/139c0003.try ignored"), std::string::npos);

  const std::string withCharset = Read("msg/2.msg"), without = Read("msg/3.msg");
  EXPECT_NE(withCharset.find("\x01PID: ZEB-W 3.05\r\x01" "CHRS: CP866 2\r\x01Program: "), std::string::npos);
  EXPECT_NE(without.find("\x01PID: ZEB-W 3.05\r\x01Program: "), std::string::npos);
  EXPECT_EQ(without.find("CHRS"), std::string::npos);
}

TEST_F(ReportRun, AHubOfMoreThanFourGibibytesComparesAndCountsIn64Bits) {
  const uint64_t bytes = (uint64_t{4} << 30) + 5;  // sparse: no disk space taken
  File("out/139c0001.cut", 0, kHour);
  std::filesystem::resize_file(Dir() + "/out/139c0001.cut", bytes);
  Text("big.tpl",
       "@mailsize(NEFT) @if(@mailsize(NEFT), >, 2147483647)big@else small@end "
       "@if(@mailsize(n), =, 5)wrapped@else whole@end @for(@i, @mailsize(NEFT), 4294967301)@i;@end\n",
       0);
  Text("zeb.ctl",
       "def main\naddress 2:5020/9999@fidonet\nend\n"
       "def domain\nfidonet 2\nend\n"
       "def outbound fidonet\n" + Dir() + "/out\nend\n"
       "def report fidonet\ntemplate " + Dir() + "/big.tpl\npostto file " + Dir() + "/report.txt\nend\n",
       0);
  RunZeb();
  EXPECT_EQ(Read("report.txt"), "4294967301 big  whole 4294967301;") << Read("console.txt");
}

}  // namespace
