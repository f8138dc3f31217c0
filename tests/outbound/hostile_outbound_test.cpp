// Hostile outbounds on the machine's own file system and hostile list files
// and packets: odd bytes in names, names of 255 bytes, very deep
// directories, symbolic-link loops, megabyte lines, binary junk and cut
// packet headers. The scan ends, and whatever is sound is still queued.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

#include "config/domains.h"
#include "outbound/list_file.h"
#include "outbound/scan.h"
#include "outbound/tmail.h"
#include "scan_fixture.h"
#include "scratch_dir.h"

namespace zeb::test {
namespace {

using Lines = std::vector<std::string>;

class HostileOutbound : public ::testing::Test, protected ScratchDir {
 protected:
  TForQueueList list_;
  TScanContext scan_{false, false};
  void MakeDir(const std::string& path) { ASSERT_EQ(mkdir(Path(path).c_str(), 0777), 0) << path; }
  void Link(const std::string& target, const std::string& path) {
    ASSERT_EQ(symlink(target.c_str(), Path(path).c_str()), 0) << path;
  }
  // The outbound out/ of the scratch folder for fidonet, zone 2, with a file box.
  void ScanOut() {
    TDomain* fidonet = GetOrAddDomain(config_, "fidonet");
    fidonet->Aka = TNetAddr{0, 1, 5020, 2};
    auto group = std::make_unique<TOutboundGroup>();
    group->Paths.Insert(Dir() + "/out");
    group->Domains.Insert(fidonet);
    config_.Outbounds.push_back(std::move(group));
    fidonet->Boxes = std::make_unique<TBoxeList>();
    fidonet->Boxes->Insert(std::make_unique<TBoxe>(TBoxe{Dir() + "/box", TNetAddr{0, 20, 1, 2}, 7}));
    TScanContext scan(false, true);
    ScanOutbounds(list_, scan, config_);
  }
  std::vector<std::string> Records() const {
    std::vector<std::string> out;
    for (size_t i = 0; i < list_.Count(); ++i) {
      std::string line = Describe(list_[i]);
      const size_t at = line.find(Dir());
      if (at != std::string::npos) line.replace(at, Dir().size(), "~");
      out.push_back(line);
    }
    return out;
  }
  TMainConfig config_;
  LogCapture log_;
};

TEST_F(HostileOutbound, OddNamesDeepDirectoriesAndLinkLoops) {
  MakeDir("out");
  MakeDir("box");
  // Every byte a name may hold on this system, in names of known forms.
  for (int c = 1; c < 256; ++c) {
    if (c == '/') continue;
    const std::string odd(1, static_cast<char>(c));
    Write("out/" + odd + "0001000a.cut", "x");
    Write("out/0001000b" + odd + ".hlo", "x");
    Write("box/" + odd + ".zip", "x");
  }
  Write("out/" + std::string(251, 'a') + ".cut", "x");
  Write("out/" + std::string(255, '\xFF'), "x");
  Write("box/" + std::string(255, 'b'), "x");
  // Links that loop: to themselves, to the outbound as a point directory
  // and as a file box, and a chain of two.
  Link("self", "out/self");
  Link(".", "out/0001000c.pnt");
  Link(".", "out/x.2.1.13.0.hold");
  Link("loop-b", "out/loop-a");
  Link("loop-a", "out/loop-b");
  Link("..", "box/up");
  // A directory nested deeper than a path may be long, as a point directory.
  MakeDir("out/0001000d.pnt");
  std::string deep = "out/0001000d.pnt";
  for (int i = 0; i < 300; ++i) {
    deep += "/" + std::string(40, 'd');
    if (mkdir((Dir() + "/" + deep).c_str(), 0777) != 0) break;
  }
  Write("out/0001000a.cut", "12345");
  Write("out/0001000b.flo", Dir() + "/out/loop-a/x\n" + Dir() + "/" + deep + "/f\n" + Dir() + "/box/up/box/up/box/" +
                               std::string(255, 'b') + "\n");
  ScanOut();
  const Lines records = Records();
  auto has = [&records](const std::string& line) {
    return std::find(records.begin(), records.end(), line) != records.end();
  };
  EXPECT_TRUE(has("2:1/10 C netmail ~/out/0001000a.cut 5")) << "sound names are still queued";
  EXPECT_TRUE(has("2:1/11 N file ~/box/up/box/up/box/" + std::string(255, 'b') + " 1"));
  EXPECT_TRUE(has("2:1/20 H file ~/box/" + std::string(255, 'b') + " 1"));
  EXPECT_TRUE(log_.Contains("File not found on path " + Dir() + "/out/loop-a/x"));
}

TEST_F(HostileOutbound, ListFilesOfMegabyteLinesAndJunk) {
  MakeDir("files");
  Write("files/a.zip", "zip");
  std::string junk;
  for (int i = 0; i < 1 << 16; ++i) junk += static_cast<char>((i * 7919) & 0xFF);
  Write("list.flo", std::string(1 << 20, 'x') + "\n" + std::string(1 << 20, '/') + "\n" + junk + "\n" +
                       std::string(1 << 20, '\0') + "\n" + Dir() + "/files/a.zip\n" + std::string(1 << 20, '\\'));
  ScanListFile(list_, scan_, 4, Dir() + "/list.flo", TNetAddr{0, 10, 1, 2});
  EXPECT_EQ(Records().back(), "2:1/10 C file ~/files/a.zip 3") << "the sound line after the junk";
}

TEST_F(HostileOutbound, CutPacketHeaders) {
  MakeDir("tmail");
  std::string packet(60, '\0');
  packet[2] = 5;
  packet[22] = 4;
  packet[36] = 3;
  for (size_t size : {0, 1, 2, 37, 53, 57, 58, 59}) Write("tmail/" + std::to_string(size) + ".pkt", packet.substr(0, size));
  Write("tmail/whole.pkt", packet);
  Write("tmail/junk.pkh", std::string(200, '\xFF'));
  ScanTMail(list_, scan_, config_, Dir() + "/tmail");
  EXPECT_EQ(Records(), (Lines{"3:4/5 N netmail ~/tmail/whole.pkt 60", "65535:65535/65535.65535 H netmail ~/tmail/junk.pkh 200"}));
  for (size_t size : {0, 1, 2, 37, 53, 57, 58, 59}) EXPECT_TRUE(log_.Contains("Bad file " + std::to_string(size) + ".pkt"));
}

}  // namespace
}  // namespace zeb::test
