#include <gtest/gtest.h>

#include <map>

#include "config/domains.h"
#include "log/console.h"
#include "outbound/dir_lookup.h"
#include "outbound/scan.h"
#include "outbound/scan_directory.h"
#include "scan_fixture.h"

namespace zeb::test {
namespace {

using Lines = std::vector<std::string>;

class OutboundScan : public ScanTest {
 protected:
  // One outbound group for fidonet (own address 2:5020/1) with one path.
  void ConfigureOutbound(const std::string& path) {
    TDomain* fidonet = GetOrAddDomain(config_, "fidonet");
    fidonet->Aka = TNetAddr{0, 1, 5020, 2};
    auto group = std::make_unique<TOutboundGroup>();
    group->Paths.Insert(path);
    group->Domains.Insert(fidonet);
    config_.Outbounds.push_back(std::move(group));
  }
  void Scan(const std::string& dir = "/fido/out") {
    ScanDirectory(list_, scan_, config_, dir, 2, TScanMode::Outbound, TNetAddr{}, 0);
  }
};

TEST_F(OutboundScan, ZoneDirectoriesTakeTheirZoneFromAHexExtension) {
  ConfigureOutbound("/fido/out");
  disk_.AddFile("/fido/out/0001000a.out", "p");
  disk_.AddFile("/fido/out.003/0001000a.out", "p");
  disk_.AddFile("/fido/OUT.A/0001000a.out", "p");
  disk_.AddFile("/fido/out.01a/0001000a.out", "p");
  disk_.AddFile("/fido/out.1000/0001000a.out", "p");
  disk_.AddFile("/fido/out.log", "not a directory");
  disk_.AddFile("/fido/outbound/0001000a.out", "p");  // another outbound
  TScanContext scan(false, true);
  ScanOutbounds(list_, scan, config_);
  EXPECT_EQ(Records(), (Lines{
                           "2:1/10 N netmail /fido/OUT.A/0001000a.out 1",
                           "2:1/10 N netmail /fido/out/0001000a.out 1",
                           "3:1/10 N netmail /fido/out.003/0001000a.out 1",
                           "26:1/10 N netmail /fido/out.01a/0001000a.out 1",
                           "4096:1/10 N netmail /fido/out.1000/0001000a.out 1",
                       }));
  EXPECT_FALSE(Logged("0:Directory /fido/out.log not exist"));
  EXPECT_TRUE(Logged("2:Default zone: 3"));
  EXPECT_TRUE(Logged("1:Scan directory: /fido/out.003"));
}

TEST_F(OutboundScan, AMissingOutboundIsAnErrorAndSkipped) {
  ConfigureOutbound("/fido/none");
  disk_.AddDir("/fido");
  TScanContext scan(false, true);
  ScanOutbounds(list_, scan, config_);
  EXPECT_EQ(list_.Count(), 0u);
  EXPECT_EQ(Log(),
            (Lines{"2:Default zone: 2", "1:Scan directory: /fido/none", "0:Error: Directory /fido/none not exist"}));

  const int errors = ErrorCount();
  disk_.AddFile("/fido/out/0001000a.out", "p");
  disk_.Fault("/fido/out").FailRead = true;
  Scan();
  EXPECT_EQ(list_.Count(), 0u);
  EXPECT_TRUE(Logged("0:Error: Can't read directory /fido/out")) << "an outbound that cannot be read is an error";
  EXPECT_TRUE(Logged("0:Reason: Permission denied"));
  EXPECT_EQ(ErrorCount(), errors + 1);
}

TEST_F(OutboundScan, EveryFlavourLetterOfPacketsAndLists) {
  const uint32_t t = Dos(2026, 12, 1, 10, 30, 4);
  for (const char* ext : {"iut", "cut", "dut", "out", "hut", "ilo", "clo", "dlo", "flo", "hlo"})
    disk_.AddFile(std::string("/fido/out/00010002.") + ext, "", t);
  Scan();
  EXPECT_EQ(Records(), (Lines{
                           "2:1/2 C flag",
                           "2:1/2 C netmail /fido/out/00010002.cut",
                           "2:1/2 D flag",
                           "2:1/2 D netmail /fido/out/00010002.dut",
                           "2:1/2 N flag",
                           "2:1/2 H flag",
                           "2:1/2 H netmail /fido/out/00010002.hut",
                           "2:1/2 I flag",
                           "2:1/2 I netmail /fido/out/00010002.iut",
                           "2:1/2 N netmail /fido/out/00010002.out",
                       }));
  for (size_t i = 0; i < list_.Count(); ++i) EXPECT_EQ(list_[i].Time, t) << i;
}

TEST_F(OutboundScan, EmptyPacketsAndListsWithEmptyPacketAsPoll) {
  disk_.AddFile("/fido/out/00010002.cut", std::string(60, 'x'));
  disk_.AddFile("/fido/out/00010003.cut", std::string(61, 'x'));
  disk_.AddFile("/fido/out/00010004.hlo", "");
  Scan();
  EXPECT_EQ(Records(), (Lines{"2:1/2 C netmail /fido/out/00010002.cut 60", "2:1/3 C netmail /fido/out/00010003.cut 61",
                              "2:1/4 H flag"}));
  EXPECT_TRUE(Logged("3:\u25BA Netmail packet for 2:1/2 with size 60"));
  EXPECT_TRUE(Logged("3:\u25BA Scaning LO-file 00010004.hlo for 2:1/4"));

  list_.Clear();
  config_.EmptyPacketAsPoll = true;
  Scan();
  EXPECT_EQ(Records(), (Lines{"2:1/3 C netmail /fido/out/00010003.cut 61"}));
  EXPECT_TRUE(Logged("3:\u25BA Skipped empty netmail packets"));
}

TEST_F(OutboundScan, BusyCallRequestAndStatusFlagsInBothForms) {
  const uint32_t t = Dos(2026, 11, 30, 8, 0, 0);
  disk_.AddFile("/fido/out/x.2.1.10.0.busy", "", t);
  disk_.AddFile("/fido/out/0001000b.bsy", "pid 42", t);
  disk_.AddFile("/fido/out/0001000c.csy", "", t);
  disk_.AddFile("/fido/out/0001000d.req", "files.lst\r\n", t);
  disk_.AddFile("/fido/out/x.2.1.10.0.request", "nodelist", t);
  disk_.AddFile("/fido/out/0001000e.crq", "abc", t);
  disk_.AddFile("/fido/out/0001000f.sta", "", t);
  disk_.AddFile("/fido/out/x.2.1.10.0.status", "", t);
  Scan();
  EXPECT_EQ(Records(), (Lines{
                           "2:1/11 b flag",
                           "2:1/12 c flag",
                           "2:1/13 R file /fido/out/0001000d.req 11",
                           "2:1/14 R file /fido/out/0001000e.crq 3",
                           "2:1/10 b flag",
                           "2:1/10 R file /fido/out/x.2.1.10.0.request 8",
                       }));
  EXPECT_TRUE(Logged("3:\u25BA Request for 2:1/13 with size 11"));
  EXPECT_TRUE(Logged("3:\u25BA Status file for 2:1/15 skipped"));
  EXPECT_TRUE(Logged("3:\u25BA Status file for 2:1/10 skipped"));

  list_.Clear();
  config_.SkipBusyFlag = true;
  Scan();
  EXPECT_EQ(Records(), (Lines{
                           "2:1/12 c flag",
                           "2:1/13 R file /fido/out/0001000d.req 11",
                           "2:1/14 R file /fido/out/0001000e.crq 3",
                           "2:1/10 R file /fido/out/x.2.1.10.0.request 8",
                       }));
  EXPECT_TRUE(Logged("3:\u25BA Busy flag for 2:1/11 skipped"));
  EXPECT_TRUE(Logged("3:\u25BA Busy flag for 2:1/10 skipped"));
}

TEST_F(OutboundScan, LongAndDottedNamesAndTheBadOnes) {
  disk_.AddFile("/fido/out/x.2.1.10.0.crash.mail", "12345");
  disk_.AddFile("/fido/out/2.1.10.0.crash.mail", "12345");
  disk_.AddFile("/fido/out/2.1.10.0.crq", "12");
  disk_.AddFile("/fido/out/1.2.3.4.out", "1");
  disk_.AddFile("/fido/out/fido.1.2.3.4.hold.list", "");
  disk_.AddFile("/fido/out/readme.txt", "r");
  disk_.AddFile("/fido/out/a.pkt", "r");
  disk_.AddFile("/fido/out/0001000a.su0", "r");
  disk_.AddFile("/fido/out/0001000a.hpl", "");
  disk_.AddFile("/fido/out/tobesent.$$$", "/etc/hostname");
  disk_.AddDir("/fido/out/junk");
  Scan();
  EXPECT_EQ(Records(), (Lines{
                           "1:2/3.4 N netmail /fido/out/1.2.3.4.out 1",
                           "2:1/10 C netmail /fido/out/2.1.10.0.crq 2",
                           "1:2/3.4 H flag",
                           "2:1/10 C netmail /fido/out/x.2.1.10.0.crash.mail 5",
                       }));
  EXPECT_TRUE(Logged("0:The bad path /fido/out/2.1.10.0.crash.mail"));
  EXPECT_TRUE(Logged("0:The bad path /fido/out/junk"));
  EXPECT_TRUE(Logged("3:Analyse readme.txt"));
  EXPECT_TRUE(Logged("3:\u25BA Netmail packet for 2:1/10 with size 5"));
  Lines loose;
  for (const TLooseFile& file : scan_.Tally().Loose) loose.push_back(file.Path);
  EXPECT_EQ(loose, (Lines{"/fido/out/0001000a.su0", "/fido/out/a.pkt", "/fido/out/readme.txt"}))
      << "no mailer sends them unless a list file names them";
}

TEST_F(OutboundScan, NamesAreClassifiedInLowerCaseButKeptAsOnDisk) {
  const uint32_t t = Dos(2026, 12, 7, 6, 5, 4);
  disk_.AddFile("/fido/out/0001000A.CUT", "abc", t);
  disk_.AddFile("/fido/out/0001000B.CLO", "/files/README.TXT\n", t);
  disk_.AddFile("/files/readme.txt", "12345");
  Scan();
  ASSERT_EQ(Records(), (Lines{"2:1/10 C netmail /fido/out/0001000A.CUT 3", "2:1/11 C flag",
                              "2:1/11 C file /files/readme.txt 5"}));
  EXPECT_TRUE(Logged("3:Found file: 0001000A.CUT                            , size:        3 bytes, "
                     "attribute: 20, datetime: 2026.12.07 06:05:04"));
  EXPECT_TRUE(Logged("3:\u25BA Scaning LO-file 0001000B.CLO for 2:1/11"));
}

TEST_F(OutboundScan, DirectoryTraceAnnouncesWhatItFinds) {
  disk_.AddDir("/fido/Out");
  TScanContext traced(true, false);
  EXPECT_TRUE(DirExists(traced, "/fido/out/"));
  EXPECT_FALSE(DirExists(traced, "/fido/none"));
  disk_.AddFile("/fido/file", "x");
  EXPECT_FALSE(DirExists(traced, "/fido/file"));
  EXPECT_TRUE(DirExists(scan_, "/fido/OUT"));
  EXPECT_EQ(Log(), (Lines{"0:Dir info => Name: Out => Attrib: 0x10", "0:TRUE", "0:Dir info => Name:  => Attrib: 0x00",
                          "0:FALSE", "0:Dir info => Name: file => Attrib: 0x20", "0:FALSE"}));
}

// A fake disk on which some files report a size without holding its bytes.
class LargeFileDisk : public FakeDisk {
 public:
  std::map<std::string, int64_t> Sizes;  // by full path
  bool Stat(const std::string& path, TDirEntry& entry, std::string* error = nullptr) override {
    if (!FakeDisk::Stat(path, entry, error)) return false;
    if (auto it = Sizes.find(path); it != Sizes.end()) entry.Size = it->second;
    return true;
  }
};

TEST_F(OutboundScan, SizesOfTwoGigabytesAndMoreAreHandedOverWhole) {
  constexpr int64_t kThreeGiB = int64_t{3} << 30;
  constexpr int64_t kFiveGiB = int64_t{5} << 30;
  LargeFileDisk disk;
  ScopedDisk scoped(disk);
  disk.AddFile("/fido/out/0001000a.out", "p");
  disk.AddFile("/fido/out/0001000a.req", "r");
  disk.AddFile("/fido/out/0001000a.flo", "/files/big.su0\n/files/big.iso\n");
  disk.AddFile("/files/big.su0", "b");
  disk.AddFile("/files/big.iso", "i");
  disk.AddFile("/fido/box/dvd.iso", "d");
  disk.AddFile("/tmail/a.pkt", std::string(60, '\0'));
  disk.Sizes = {{"/fido/out/0001000a.out", kThreeGiB},   {"/fido/out/0001000a.req", 0x80000000LL},
                {"/files/big.su0", kFiveGiB},            {"/files/big.iso", kFiveGiB + 1},
                {"/fido/box/dvd.iso", 0xFFFFFFFFLL + 2}, {"/tmail/a.pkt", kThreeGiB + 60}};
  Scan();
  ScanDirectory(list_, scan_, config_, "/fido/box", 2, TScanMode::Box, TNetAddr{0, 20, 1, 2}, kFlavourHold);
  config_.TMailOutbound = "/tmail";
  TScanContext scan(false, true);
  ScanOutbounds(list_, scan, config_);
  EXPECT_EQ(Records(), (Lines{
                           "2:1/10 N flag",
                           "2:1/10 N echomail /files/big.su0 5368709120",
                           "2:1/10 N file /files/big.iso 5368709121",
                           "2:1/10 N netmail /fido/out/0001000a.out 3221225472",
                           "2:1/10 R file /fido/out/0001000a.req 2147483648",
                           "2:1/20 H file /fido/box/dvd.iso 4294967297",
                           "0:0/0 N netmail /tmail/a.pkt 3221225532",
                       }));
  EXPECT_TRUE(Logged("3:\u25BA Netmail packet for 2:1/10 with size 3221225472"));
  EXPECT_TRUE(Logged("3:\u25BA Request for 2:1/10 with size 2147483648"));
  EXPECT_TRUE(Logged("3:\u25BA Echomail for 2:1/10 with size 5368709120"));
  EXPECT_TRUE(Logged("3:\u25BA File for 2:1/10 with size 5368709121"));
}

}  // namespace
}  // namespace zeb::test
