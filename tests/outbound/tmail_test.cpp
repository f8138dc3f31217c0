#include <gtest/gtest.h>

#include "outbound/scan.h"
#include "outbound/tmail.h"
#include "scan_fixture.h"

namespace zeb::test {
namespace {

using Lines = std::vector<std::string>;

// A packet of `size` bytes (at least 58) whose header names the destination.
std::string Packet(uint16_t zone, uint16_t net, uint16_t node, uint16_t point, size_t size = 60) {
  std::string p(size, '\0');
  auto put = [&p](size_t offset, uint16_t value) {
    p[offset] = static_cast<char>(value & 0xFF);
    p[offset + 1] = static_cast<char>(value >> 8);
  };
  put(0, 999);      // origin node
  put(20, 888);     // origin net
  put(34, 777);     // origin zone
  put(46, 777);     // origin zone (type 2+)
  put(50, 666);     // origin point
  put(18, 2);       // packet type
  put(2, node);
  put(22, net);
  put(36, zone);
  put(48, 4444);    // the type 2+ zone copy is not what counts
  put(52, point);
  return p;
}

class TMailScan : public ScanTest {};

TEST_F(TMailScan, PacketsByExtensionWithTheirHeaderAddress) {
  const uint32_t t = Dos(2026, 12, 6, 23, 0, 0);
  disk_.AddFile("/tmail/x.pkt", std::string(59, '\0'), t);
  disk_.AddFile("/tmail/y.pkh", Packet(1, 23, 45, 0), t);
  disk_.AddFile("/tmail/z.pkt", Packet(2, 5020, 1042, 7, 200), t);
  disk_.AddFile("/tmail/A.PHR", Packet(3, 4, 5, 0, 100), t);
  disk_.AddFile("/tmail/a.REQ", "files\r\n", t);
  disk_.AddFile("/tmail/b.phr", Packet(3, 4, 6, 0, 80), t);
  disk_.AddFile("/tmail/c.pkt", Packet(3, 4, 7, 0, 80), t);
  disk_.AddFile("/tmail/c.req", "not looked at", t);
  disk_.AddDir("/tmail/d.pkt");
  config_.TMailOutbound = "/tmail";
  TScanContext scan(false, true);
  ScanOutbounds(list_, scan, config_);
  EXPECT_EQ(Records(), (Lines{
                           "3:4/7 N netmail /tmail/c.pkt 80",
                           "2:5020/1042.7 N netmail /tmail/z.pkt 200",
                           "1:23/45 H netmail /tmail/y.pkh 60",
                           "3:4/5 R netmail /tmail/A.PHR 100",
                           "3:4/5 R file /tmail/a.REQ 7",
                           "3:4/6 R netmail /tmail/b.phr 80",
                       }));
  for (size_t i = 0; i < list_.Count(); ++i) EXPECT_EQ(list_[i].Time, t) << i;
  EXPECT_TRUE(Logged("1:Scan T-Mail directory: /tmail"));
  EXPECT_TRUE(Logged("2:Analyze T-Mail netmail file: /tmail/x.pkt"));
  EXPECT_TRUE(Logged("1:Bad file x.pkt"));
  EXPECT_TRUE(Logged("2:Decoded address: 2:5020/1042.7"));
  EXPECT_FALSE(Logged("2:Analyze T-Mail netmail file: /tmail/d.pkt"));
}

TEST_F(TMailScan, EmptyPacketsWithEmptyPacketAsPoll) {
  disk_.AddFile("/tmail/y.pkh", Packet(1, 23, 45, 0));
  disk_.AddFile("/tmail/r.phr", Packet(1, 23, 46, 0));
  disk_.AddFile("/tmail/r.req", "x");
  config_.EmptyPacketAsPoll = true;
  ScanTMail(list_, scan_, config_, "/tmail");
  EXPECT_EQ(Records(), (Lines{"1:23/46 R file /tmail/r.req 1"})) << "the request still waits";
  EXPECT_TRUE(Logged("2:Decoded address: 1:23/45"));
}

TEST_F(TMailScan, PacketsThatCannotBeReadWhole) {
  TDirEntry gone{"gone.pkt", 100, 0x20, 0};
  AnalyzeTMailPacket(list_, scan_, config_, 6, gone, "/tmail");
  // Listed at 100 bytes, cut to 30 before it was read.
  disk_.AddFile("/tmail/cut.pkt", Packet(1, 2, 3, 0).substr(0, 30));
  TDirEntry cut{"cut.pkt", 100, 0x20, 0};
  AnalyzeTMailPacket(list_, scan_, config_, 6, cut, "/tmail");
  EXPECT_EQ(list_.Count(), 0u);
  EXPECT_EQ(Log(), (Lines{"2:Analyze T-Mail netmail file: /tmail/gone.pkt", "1:Can't open file /tmail/gone.pkt",
                          "1:Reason: No such file or directory", "2:Analyze T-Mail netmail file: /tmail/cut.pkt", "1:Bad file cut.pkt"}));
}

TEST_F(TMailScan, AMissingDirectoryIsAnError) {
  ScanTMail(list_, scan_, config_, "/nowhere");
  EXPECT_EQ(list_.Count(), 0u);
  EXPECT_EQ(Log(), (Lines{"1:Scan T-Mail directory: /nowhere", "0:Error: Directory /nowhere not exist"}));
}

}  // namespace
}  // namespace zeb::test
