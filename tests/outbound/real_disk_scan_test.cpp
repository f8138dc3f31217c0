// The scanners on the machine's own file system, where the case of names
// matters: everything is found without regard to case and handed over by the
// name that stands on disk.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <utime.h>

#include <cstdlib>
#include <fstream>

#include "config/domains.h"
#include "outbound/scan.h"
#include "platform/dos_time.h"
#include "scan_fixture.h"

namespace zeb::test {
namespace {

using Lines = std::vector<std::string>;

class RealDiskScan : public ::testing::Test {
 protected:
  void SetUp() override {
    char tmpl[] = "/tmp/zeb-scan-XXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    root_ = tmpl;
    ClearForQueue();
    MainConfig() = TMainConfig{};
  }
  void TearDown() override {
    std::system(("rm -rf '" + root_ + "'").c_str());
    ClearForQueue();
    MainConfig() = TMainConfig{};
  }
  void Dir(const std::string& path) { ASSERT_EQ(mkdir((root_ + "/" + path).c_str(), 0777), 0) << path; }
  // A file with the given contents and modification time.
  void File(const std::string& path, const std::string& data, time_t mtime) {
    std::ofstream(root_ + "/" + path, std::ios::binary) << data;
    utimbuf times{mtime, mtime};
    ASSERT_EQ(utime((root_ + "/" + path).c_str(), &times), 0) << path;
  }
  std::vector<std::string> Records() const {
    std::vector<std::string> out;
    for (size_t i = 0; i < ForQueueCount(); ++i) {
      std::string line = Describe(ForQueueAt(i));
      const size_t at = line.find(root_);
      if (at != std::string::npos) line.replace(at, root_.size(), "~");
      out.push_back(line);
    }
    return out;
  }
  std::string root_;
  LogCapture log_;
};

TEST_F(RealDiskScan, UpperCaseNamesAreFoundAndKept) {
  const time_t t = 1780000000;  // 2026-05-28
  Dir("OUT");
  Dir("OUT.003");
  Dir("OUT/0001000A.PNT");
  Dir("Files");
  Dir("BOX");
  Dir("TMail");
  File("OUT/0001000A.CUT", "12345", t);
  File("OUT/0001000B.FLO", "^" + root_ + "/files/report.txt\r\n" + root_ + "/Files/readme.txt\r\n", t);
  File("OUT/0001000A.PNT/00000005.OUT", "123", t);
  File("OUT.003/0001000C.HUT", "1", t);
  File("Files/README.TXT", "readme", t);
  File("BOX/X.ZIP", "zip", t);
  std::string packet(60, '\0');
  packet[2] = 5;   // node
  packet[22] = 4;  // net
  packet[36] = 3;  // zone
  File("TMail/A.PHR", packet, t);
  File("TMail/a.req", "req", t);

  TDomain* fidonet = GetOrAddDomain("fidonet");
  fidonet->Aka = TNetAddr{0, 1, 5020, 2};
  auto group = std::make_unique<TOutboundGroup>();
  group->Paths.Insert(root_ + "/out");
  group->Domains.Insert(fidonet);
  MainConfig().Outbounds.push_back(std::move(group));
  fidonet->Boxes = std::make_unique<TBoxeList>();
  fidonet->Boxes->Insert(std::make_unique<TBoxe>(TBoxe{root_ + "/box", TNetAddr{0, 20, 1, 2}, 7}));
  MainConfig().TMailOutbound = root_ + "/TMail";

  ScanOutbounds();
  EXPECT_EQ(Records(), (Lines{
                           "2:1/10 C netmail ~/OUT/0001000A.CUT 5",
                           "2:1/10.5 N netmail ~/OUT/0001000A.PNT/00000005.OUT 3",
                           "2:1/11 N flag",
                           "2:1/11 N file ~/Files/README.TXT 6",
                           "3:1/12 H netmail ~/OUT.003/0001000C.HUT 1",
                           "2:1/20 H file ~/BOX/X.ZIP 3",
                           "3:4/5 R netmail ~/TMail/A.PHR 60",
                           "3:4/5 R file ~/TMail/a.req 3",
                       }));
  const uint32_t dos = FileTimeToDos(t);
  EXPECT_EQ(ForQueueAt(0).Time, dos);
  EXPECT_EQ(ForQueueAt(2).Time, dos) << "the list file's own time";
  EXPECT_TRUE(log_.Contains("File not found on path " + root_ + "/files/report.txt")) << "directories of listed paths keep their case";
}

}  // namespace
}  // namespace zeb::test
