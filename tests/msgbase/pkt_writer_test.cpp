#include "msgbase/pkt_writer.h"

#include <gtest/gtest.h>

#include "msgbase_test_util.h"
#include "support/text.h"

namespace zeb::test {
namespace {

class PktWriterTest : public ::testing::Test {
 protected:
  FakeDisk disk_;
  ScopedDisk scoped_{disk_};
};

// 2012-04-19 19:51:02 as a DOS date-time stamp: date 0x4093, time 0x9E61.
constexpr const char* kPacketName = "/out/40939e61.pkt";

TEST_F(PktWriterTest, HeaderOfAPointSender) {
  disk_.AddDir("/out");
  TReport r = SampleReport(TPostKind::Pkt, "/out");
  r.From.Addr = {5, 20, 10, 3};
  r.To.Addr = {0, 20, 10, 3};
  r.PostTo.Area = "ZEB.REPORTS";
  r.PostTo.Password = "secret";
  uint32_t serial = 0;
  ASSERT_TRUE(PostReport(r, "Queue\r", &serial));
  EXPECT_TRUE(disk_.Has(kPacketName));
  const std::string& p = *disk_.Contents(kPacketName);
  EXPECT_EQ(U16(p, 0), 20);    // origin node
  EXPECT_EQ(U16(p, 2), 20);    // destination node
  EXPECT_EQ(U16(p, 4), 2012);
  EXPECT_EQ(U16(p, 6), 3) << "months count from 0";
  EXPECT_EQ(U16(p, 8), 19);
  EXPECT_EQ(U16(p, 10), 19);
  EXPECT_EQ(U16(p, 12), 51);
  EXPECT_EQ(U16(p, 14), 2);
  EXPECT_EQ(U16(p, 16), 0);    // baud
  EXPECT_EQ(U16(p, 18), 2);    // packet type
  EXPECT_EQ(U16(p, 20), 10);   // origin net: the real net (FSC-0039 form)
  EXPECT_EQ(U16(p, 22), 10);
  EXPECT_EQ(U16(p, 24), 0);    // product code, revision
  EXPECT_EQ(p.substr(26, 8), std::string("secret\0\0", 8));
  EXPECT_EQ(U16(p, 34), 3);
  EXPECT_EQ(U16(p, 36), 3);
  EXPECT_EQ(U16(p, 38), 0);    // auxiliary net
  EXPECT_EQ(static_cast<uint8_t>(p[40]), 0x00) << "validation copy: capability word byte-swapped";
  EXPECT_EQ(static_cast<uint8_t>(p[41]), 0x01);
  EXPECT_EQ(U16(p, 42), 0);
  EXPECT_EQ(static_cast<uint8_t>(p[44]), 0x01);
  EXPECT_EQ(static_cast<uint8_t>(p[45]), 0x00);
  EXPECT_EQ(U16(p, 46), 3);
  EXPECT_EQ(U16(p, 48), 3);
  EXPECT_EQ(U16(p, 50), 5) << "origin point";
  EXPECT_EQ(U16(p, 52), 0) << "destination point";
  EXPECT_EQ(p.substr(54, 4), "ZEB3");

  // The packed message.
  EXPECT_EQ(U16(p, 58), 2);
  EXPECT_EQ(U16(p, 60), 20);
  EXPECT_EQ(U16(p, 62), 20);
  EXPECT_EQ(U16(p, 64), 10);
  EXPECT_EQ(U16(p, 66), 10);
  EXPECT_EQ(U16(p, 68), 0);  // attribute
  EXPECT_EQ(U16(p, 70), 0);  // cost
  EXPECT_EQ(p.substr(72, 20), std::string("19 Apr 12  19:51:02\0", 20));
  const std::string rest = p.substr(92);
  EXPECT_EQ(rest, std::string("All\0Zebrant\0Queue Report\0", 25) + "AREA:ZEB.REPORTS\r\x01MSGID: 3:10/20.5 " +
                      Format("%.8x", serial) +
                      "\r\x01PID: ZEB-W 3.05\r\x01Program: Zebrant (Win32)  V 3.05\rQueue\r--- zeb\r"
                      " * Origin: Example Node (3:10/20.5)\rSEEN-BY: 10/20\r\x01PATH: 10/20\r" +
                      std::string(3, '\0'))
      << "to before from; SEEN-BY and PATH of a point; the text's NUL and the packet's two";
}

TEST_F(PktWriterTest, FieldLimitsAndPasswordEdges) {
  disk_.AddDir("/out");
  TReport r = SampleReport(TPostKind::Pkt, "/out");
  r.To.Name = std::string(50, 'T');
  r.From.Name = std::string(36, 'F');
  r.Subject = std::string(100, 'S');
  r.PostTo.Password = "12345678";
  ASSERT_TRUE(PostReport(r, ""));
  const std::string& p = *disk_.Contents(kPacketName);
  EXPECT_EQ(p.substr(26, 8), "12345678") << "an eight-character password has no NUL";
  EXPECT_EQ(U16(p, 34), 2);
  EXPECT_EQ(p.substr(92, 36 + 36 + 72),
            std::string(35, 'T') + '\0' + std::string(35, 'F') + '\0' + std::string(71, 'S') + '\0');
  EXPECT_EQ(p.substr(92 + 144, 6), "AREA:\r") << "an empty area tag still gives the AREA line";
  EXPECT_EQ(p.find("SEEN-BY"), std::string::npos) << "no SEEN-BY and PATH from a node";
  EXPECT_EQ(p.substr(p.size() - 4), std::string("\r\0\0\0", 4));

  TReport empty = SampleReport(TPostKind::Pkt, "/out");
  ASSERT_TRUE(PostReport(empty, ""));
  EXPECT_TRUE(disk_.Has("/out/40939e62.pkt")) << "a taken name gives the next stamp value";
  EXPECT_EQ(disk_.Contents("/out/40939e62.pkt")->substr(26, 8), std::string(8, '\0'));
  EXPECT_EQ(disk_.Contents(kPacketName)->substr(26, 8), "12345678") << "the first packet is kept";
}

TEST_F(PktWriterTest, FailedWriteLeavesNoPacket) {
  disk_.AddDir("/out");
  disk_.FailOp(FakeDisk::Op::Write, 0, true);
  TReport r = SampleReport(TPostKind::Pkt, "/out");
  EXPECT_FALSE(PostReport(r, "text"));
  EXPECT_EQ(LastLog(2), std::string("Error: Can't write to file ") + kPacketName + "\nReason: Input/output error");
  EXPECT_FALSE(disk_.Has(kPacketName)) << "a half packet would end in the tosser's bad folder";
}

}  // namespace
}  // namespace zeb::test
