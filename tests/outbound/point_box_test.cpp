#include <gtest/gtest.h>

#include "config/domains.h"
#include "outbound/scan.h"
#include "outbound/scan_directory.h"
#include "outbound/scan_entry.h"
#include "scan_fixture.h"

namespace zeb::test {
namespace {

using Lines = std::vector<std::string>;

class PointAndBoxScan : public ScanTest {
 protected:
  void Scan() { ScanDirectory(list_, scan_, config_, "/fido/out", 2, TScanMode::Outbound, TNetAddr{}, 0); }
};

TEST_F(PointAndBoxScan, PointDirectoriesHoldShortFormsByPointNumber) {
  const uint32_t t = Dos(2026, 10, 1);
  disk_.AddFile("/fido/out/0001000a.pnt/00000005.out", "12", t);
  disk_.AddFile("/fido/out/0001000a.pnt/0000002D.HUT", "123", t);
  disk_.AddFile("/fido/out/0001000a.pnt/00000005.clo", "/files/a.zip\n", t);
  disk_.AddFile("/fido/out/0001000a.pnt/00000006.bsy", "", t);
  disk_.AddFile("/fido/out/0001000a.pnt/00000007.csy", "", t);
  disk_.AddFile("/fido/out/0001000a.pnt/00000008.req", "x", t);
  disk_.AddFile("/fido/out/0001000a.pnt/readme.txt", "", t);
  // only short forms belong in a point directory
  disk_.AddFile("/fido/out/0001000a.pnt/2.1.10.9.out", "", t);
  disk_.AddFile("/fido/out/0001000a.pnt/x.2.1.10.9.busy", "", t);
  disk_.AddFile("/fido/out/0001000a.pnt/00000009.cpl", "", t);
  disk_.AddDir("/fido/out/0001000a.pnt/00000009.pnt");
  disk_.AddFile("/files/a.zip", "zip");
  Scan();
  EXPECT_EQ(Records(), (Lines{
                           "2:1/10.5 C flag",
                           "2:1/10.5 C file /files/a.zip 3",
                           "2:1/10.5 N netmail /fido/out/0001000a.pnt/00000005.out 2",
                           "2:1/10.6 b flag",
                           "2:1/10.7 c flag",
                           "2:1/10.8 R file /fido/out/0001000a.pnt/00000008.req 1",
                           "2:1/10.45 H netmail /fido/out/0001000a.pnt/0000002D.HUT 3",
                       }));
  for (const char* bad : {"2.1.10.9.out", "x.2.1.10.9.busy", "00000009.cpl", "00000009.pnt"})
    EXPECT_TRUE(Logged(std::string("0:The bad path /fido/out/0001000a.pnt/") + bad)) << bad;
  EXPECT_TRUE(Logged("3:\u25BA Scan sub-dir for 2:1/10"));
  EXPECT_TRUE(Logged("2:Default zone: 2"));
}

TEST_F(PointAndBoxScan, BoxesInsideTheOutboundInBothTMailForms) {
  const uint32_t t = Dos(2026, 9, 9, 9, 9, 8);
  disk_.AddFile("/fido/out/2.1.10.0.h/a.pkt", "pkt", t);
  disk_.AddFile("/fido/out/2.1.10.0.h/b.we1", "bundle", t);
  disk_.AddFile("/fido/out/2.1.10.0.h/c.tic", "tic", t);
  disk_.AddFile("/fido/out/2.1.10.0.h/readme.txt", "readme", t);
  disk_.AddDir("/fido/out/2.1.10.0.h/sub");
  disk_.AddFile("/fido/out/2.1.10.0/0001000a.out", "looks like flow", t);
  disk_.AddFile("/fido/out/0200100b.00H/x.zip", "zip", t);
  disk_.AddFile("/fido/out/x.2.1.12.0.crash/y.zip", "y", t);
  const uint32_t before = CurrentDosTime();
  Scan();
  const uint32_t after = CurrentDosTime();
  EXPECT_EQ(Records(), (Lines{
                           "2:1/11 H file /fido/out/0200100b.00H/x.zip 3",
                           "2:1/10 N file /fido/out/2.1.10.0/0001000a.out 15",
                           "2:1/10 H netmail /fido/out/2.1.10.0.h/a.pkt 3",
                           "2:1/10 H echomail /fido/out/2.1.10.0.h/b.we1 6",
                           "2:1/10 H file /fido/out/2.1.10.0.h/c.tic 3",
                           "2:1/10 H file /fido/out/2.1.10.0.h/readme.txt 6",
                           "2:1/12 C file /fido/out/x.2.1.12.0.crash/y.zip 1",
                       }));
  // Files of no known type wait with the current time, the others with their own.
  for (size_t i = 0; i < list_.Count(); ++i) {
    const TForQueue& r = list_[i];
    if (r.Name.ends_with(".pkt") || r.Name.ends_with(".we1") || r.Name.ends_with(".tic")) {
      EXPECT_EQ(r.Time, t) << r.Name;
    } else {
      EXPECT_GE(r.Time, before) << r.Name;
      EXPECT_LE(r.Time, after) << r.Name;
    }
  }
  EXPECT_TRUE(Logged("0:The bad path /fido/out/2.1.10.0.h/sub"));
  EXPECT_TRUE(Logged("3:\u25BA File box for 2:1/10"));
}

TEST_F(PointAndBoxScan, ConfiguredBoxesAndTheirToBeSentLists) {
  const uint32_t t = Dos(2026, 8, 8);
  TDomain* fidonet = GetOrAddDomain(config_, "fidonet");
  fidonet->Boxes = std::make_unique<TBoxeList>();
  fidonet->Boxes->Insert(std::make_unique<TBoxe>(TBoxe{"/boxes/b", TNetAddr{0, 20, 1, 2}, 4}));
  fidonet->Boxes->Insert(std::make_unique<TBoxe>(TBoxe{"/boxes/a", TNetAddr{0, 30, 1, 2}, 7}));
  fidonet->Boxes->Insert(std::make_unique<TBoxe>(TBoxe{"/boxes/gone", TNetAddr{0, 40, 1, 2}, 6}));
  TDomain* othernet = GetOrAddDomain(config_, "othernet");
  othernet->Boxes = std::make_unique<TBoxeList>();
  othernet->Boxes->Insert(std::make_unique<TBoxe>(TBoxe{"/boxes/o", TNetAddr{0, 1, 1, 99}, 3}));
  disk_.AddFile("/boxes/a/x.su1", "aaa", t);
  disk_.AddFile("/boxes/b/tobesent.$$$", "/files/f.tic\n~/files/g.zip\n", t);
  disk_.AddFile("/files/f.tic", "tic", t);
  disk_.AddFile("/files/g.zip", "zip", t);
  disk_.AddFile("/boxes/o/m.pkt", "m", t);
  TScanContext scan(false, true);
  ScanOutbounds(list_, scan, config_);
  EXPECT_EQ(Records(), (Lines{
                           "2:1/20 C file /files/f.tic 3",
                           "2:1/30 H echomail /boxes/a/x.su1 3",
                           "99:1/1 I netmail /boxes/o/m.pkt 1",
                       }))
      << "domains in name order, boxes in address order";
  EXPECT_TRUE(Logged("0:Error: Directory /boxes/gone not exist")) << "a configured box";
  EXPECT_TRUE(Logged("2:Default zone: 99"));
}

}  // namespace
}  // namespace zeb::test
