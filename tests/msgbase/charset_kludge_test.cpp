// The charset keyword: a CHRS control line right after PID in every message
// format, and not a byte of difference without it.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "msgbase_test_util.h"
#include "support/text.h"

namespace zeb::test {
namespace {

const std::string kPid = "\x01PID: ZEB-W 3.05";

class CharsetKludge : public ::testing::Test {
 protected:
  // The message of a report as its writer frames it, with the MSGID serial
  // written as `serial` so that two messages compare byte by byte.
  static std::string Framed(TReport report, uint32_t serial) {
    auto writer = MakeMessageWriter(report, SampleTime(), TestSerials());
    std::string buf = Produce(*writer, "Queue text\r");
    const std::string own = Format("%.8x", writer->Lines().Serial());
    buf.replace(buf.find(own), own.size(), Format("%.8x", serial));
    return buf;
  }
  // `base` with `line` put in right after the PID line.
  static std::string WithAfterPid(std::string base, const std::string& pidLine, const std::string& line) {
    const size_t at = base.find(pidLine);
    EXPECT_NE(at, std::string::npos);
    return base.insert(at + pidLine.size(), line);
  }

  FakeDisk disk_;
  ScopedDisk scoped_{disk_};
};

TEST_F(CharsetKludge, WrittenWithOrWithoutItsCr) {
  TReport r = SampleReport(TPostKind::Msg, "/m");
  TControlLines lines(r, 1);
  std::string buf;
  lines.WriteChrs(buf);
  EXPECT_EQ(buf, "") << "no charset, no line";
  r.Charset = "CP866 2";
  lines.WriteChrs(buf);
  lines.BareKludges = true;
  lines.WriteChrs(buf);
  EXPECT_EQ(buf, "\x01" "CHRS: CP866 2\r\x01" "CHRS: CP866 2");
}

TEST_F(CharsetKludge, FollowsPidInMsgNetmailAndPkt) {
  for (TPostKind kind : {TPostKind::Msg, TPostKind::Netmail, TPostKind::Pkt}) {
    TReport r = SampleReport(kind, "/out");
    r.PostTo.Area = "ZEB.REPORTS";
    r.From.Addr.Point = 5;  // netmail: FMPT; pkt: SEEN-BY and PATH
    r.To.Addr.Point = 7;
    const std::string without = Framed(r, 0x4f906ca6);
    r.Charset = "CP866 2";
    EXPECT_EQ(Framed(r, 0x4f906ca6), WithAfterPid(without, kPid + "\r", "\x01" "CHRS: CP866 2\r"))
        << static_cast<int>(kind);
  }
}

TEST_F(CharsetKludge, FollowsPidInTheSquishControlArea) {
  TReport r = SampleReport(TPostKind::Squish, "/sq/base");
  const std::string without = Framed(r, 0x4f906ca6);
  r.Charset = "LATIN-1 2";
  const std::string line = "\x01" "CHRS: LATIN-1 2";
  std::string expected = WithAfterPid(without, kPid, line);
  // The frame's length, the message's length and the control length.
  for (size_t field : {12, 16, 20}) Set32(expected, field, U32(expected, field) + static_cast<uint32_t>(line.size()));
  EXPECT_EQ(Framed(r, 0x4f906ca6), expected);
}

// The subfields of the first message header of a JAM base.
std::vector<std::pair<uint16_t, std::string>> JamSubfields(const std::string& jhr) {
  std::vector<std::pair<uint16_t, std::string>> fields;
  const size_t start = 1024 + 76, end = start + U32(jhr, 1024 + 8);
  for (size_t at = start; at < end; at += 8 + U32(jhr, at + 4))
    fields.emplace_back(U16(jhr, at), jhr.substr(at + 8, U32(jhr, at + 4)));
  EXPECT_EQ(jhr.size(), end);
  return fields;
}

TEST_F(CharsetKludge, FtsKludgeSubfieldAfterPidInJam) {
  disk_.AddDir("/jam");
  TReport r = SampleReport(TPostKind::Jam, "/jam/without");
  uint32_t serialWithout = 0, serialWith = 0;
  ASSERT_TRUE(PostReport(r, "Queue text\r", &serialWithout));
  r.PostTo.Path = "/jam/with";
  r.Charset = "CP866 2";
  ASSERT_TRUE(PostReport(r, "Queue text\r", &serialWith));

  auto expected = JamSubfields(*disk_.Contents("/jam/without.jhr"));
  ASSERT_EQ(expected.size(), 8u);
  ASSERT_EQ(expected[6].first, 7) << "PID";
  expected[5].second = "2:5020/9999 " + Format("%.8x", serialWith);
  expected.insert(expected.begin() + 7, {2000, "CHRS: CP866 2"});
  EXPECT_EQ(JamSubfields(*disk_.Contents("/jam/with.jhr")), expected);
  EXPECT_EQ(*disk_.Contents("/jam/with.jdt"), *disk_.Contents("/jam/without.jdt")) << "no kludge in the text";
}

}  // namespace
}  // namespace zeb::test
