#include "msgbase/jam_writer.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "msgbase_test_util.h"
#include "support/text.h"

namespace zeb::test {
namespace {

// A reader of the test's own, following the published JAM layouts.
struct JamMessage {
  uint32_t SubfieldLen, TimesRead, MsgIdCrc, ReplyCrc, ReplyTo, Written, Received, Processed, Number, Attr, Attr2,
      TxtOffset, TxtLen, PasswordCrc, Cost;
  uint16_t Revision;
  std::vector<std::pair<uint16_t, std::string>> Subfields;
};

JamMessage ReadJamMessage(const std::string& h, uint32_t at) {
  EXPECT_EQ(h.substr(at, 4), std::string("JAM\0", 4)) << "message header at " << at;
  JamMessage m{};
  m.Revision = U16(h, at + 4);
  EXPECT_EQ(U16(h, at + 6), 0);
  m.SubfieldLen = U32(h, at + 8);
  m.TimesRead = U32(h, at + 12);
  m.MsgIdCrc = U32(h, at + 16);
  m.ReplyCrc = U32(h, at + 20);
  m.ReplyTo = U32(h, at + 24) | U32(h, at + 28) | U32(h, at + 32);
  m.Written = U32(h, at + 36);
  m.Received = U32(h, at + 40);
  m.Processed = U32(h, at + 44);
  m.Number = U32(h, at + 48);
  m.Attr = U32(h, at + 52);
  m.Attr2 = U32(h, at + 56);
  m.TxtOffset = U32(h, at + 60);
  m.TxtLen = U32(h, at + 64);
  m.PasswordCrc = U32(h, at + 68);
  m.Cost = U32(h, at + 72);
  for (uint32_t s = at + 76; s < at + 76 + m.SubfieldLen;) {
    EXPECT_EQ(U16(h, s + 2), 0) << "HiID";
    const uint32_t length = U32(h, s + 4);
    m.Subfields.emplace_back(U16(h, s), h.substr(s + 8, length));
    s += 8 + length;
  }
  return m;
}

std::vector<std::pair<uint32_t, uint32_t>> ReadJamIndex(const std::string& x) {
  EXPECT_EQ(x.size() % 8, 0u);
  std::vector<std::pair<uint32_t, uint32_t>> records;
  for (size_t at = 0; at + 8 <= x.size(); at += 8) records.emplace_back(U32(x, at), U32(x, at + 4));
  return records;
}

class JamWriterTest : public ::testing::Test {
 protected:
  FakeDisk disk_;
  ScopedDisk scoped_{disk_};

  const std::string& File(const char* ext) { return *disk_.Contents(std::string("/jam/base.") + ext); }

  // Two messages numbered 5 and 6 by another program, which keeps its own
  // mark in the reserved part of the base header.
  void AddForeignBase() {
    std::string base(1024, '\0');
    base.replace(0, 4, std::string("JAM\0", 4));
    base.replace(4, 16, Le32(1000) + Le32(41) + Le32(2) + Le32(0xFFFFFFFF));
    base.replace(20, 8, Le32(5) + Le32(0x12345678));
    std::string headers = base, index;
    const std::string texts = "first\rsecond\r";
    for (uint32_t i = 0; i < 2; ++i) {
      const std::string sub = std::string("\x03\0\0\0\x05\0\0\0Sysop", 13);
      std::string h(76, '\0');
      h.replace(0, 4, std::string("JAM\0", 4));
      h[4] = 1;
      h.replace(8, 4, Le32(static_cast<uint32_t>(sub.size())));
      h.replace(48, 4, Le32(5 + i));
      h.replace(60, 8, Le32(i == 0 ? 0 : 6) + Le32(i == 0 ? 6 : 7));
      index += Le32(JamCrc("Sysop")) + Le32(static_cast<uint32_t>(headers.size()));
      headers += h + sub;
    }
    disk_.AddFile("/jam/base.jhr", headers);
    disk_.AddFile("/jam/base.jdt", texts);
    disk_.AddFile("/jam/base.jdx", index);
    disk_.AddFile("/jam/base.jlr", std::string(16, '\x07'));
  }
};

TEST(JamCrc, PublishedVectors) {
  EXPECT_EQ(JamCrc("123456789"), 0x340BC6D9u);
  EXPECT_EQ(JamCrc(""), 0xFFFFFFFFu);
  EXPECT_EQ(JamCrc("All"), 0xC4E78E22u);
  EXPECT_EQ(JamCrc("all"), 0xC4E78E22u);
  EXPECT_EQ(JamCrc("Sysop"), 0x754FADB6u);
  EXPECT_EQ(JamCrc("2:5063/88 45fb9778"), 0x98129133u);
}

TEST_F(JamWriterTest, NewBaseWithOneMessage) {
  disk_.AddDir("/jam");
  TReport r = SampleReport(TPostKind::Jam, "/jam/base");
  uint32_t serial = 0;
  ASSERT_TRUE(PostReport(r, "Queue text\r", &serial));
  const std::string& h = File("jhr");
  EXPECT_EQ(h.substr(0, 4), std::string("JAM\0", 4));
  EXPECT_EQ(U32(h, 4), 0x4F906CA6u) << "date created, local Unix time";
  EXPECT_EQ(U32(h, 8), 1u) << "modification counter raised with the message";
  EXPECT_EQ(U32(h, 12), 1u) << "active messages";
  EXPECT_EQ(U32(h, 16), 0xFFFFFFFFu) << "no password";
  EXPECT_EQ(U32(h, 20), 1u) << "base message number";
  EXPECT_EQ(h.substr(24, 1000), std::string(1000, '\0'));

  const std::string text = "Queue text\r--- zeb\r * Origin: Example Node (2:5020/9999)\r";
  EXPECT_EQ(File("jdt"), text) << "no control lines and no NUL in the text";
  const JamMessage m = ReadJamMessage(h, 1024);
  EXPECT_EQ(m.Revision, 1);
  EXPECT_EQ(m.Number, 1u);
  EXPECT_EQ(m.TxtOffset, 0u);
  EXPECT_EQ(m.TxtLen, text.size());
  EXPECT_EQ(m.Attr, 0x01000001u) << "local echomail";
  EXPECT_EQ(m.Attr2, 0u);
  EXPECT_EQ(m.ReplyCrc, 0xFFFFFFFFu);
  EXPECT_EQ(m.PasswordCrc, 0xFFFFFFFFu);
  EXPECT_EQ(m.TimesRead | m.ReplyTo | m.Cost, 0u);
  EXPECT_EQ(m.Written, 0x4F906CA6u);
  EXPECT_EQ(m.Received, 0x4F906CA6u);
  EXPECT_EQ(m.Processed, 0x4F906CA6u);
  const std::string msgid = "2:5020/9999 " + Format("%.8x", serial);
  const std::vector<std::pair<uint16_t, std::string>> expected = {
      {2, "Zebrant"},     {0, "2:5020/9999"},  {3, "All"},
      {1, "2:5020/9999"}, {6, "Queue Report"}, {4, msgid},
      {7, "ZEB-W 3.05"},  {2000, "Program: Zebrant (Win32)  V 3.05"}};
  EXPECT_EQ(m.Subfields, expected);
  EXPECT_EQ(m.MsgIdCrc, JamCrc(msgid));
  EXPECT_EQ(h.size(), 1024 + 76 + m.SubfieldLen);

  const auto index = ReadJamIndex(File("jdx"));
  ASSERT_EQ(index.size(), 1u);
  EXPECT_EQ(index[0].first, 0xC4E78E22u);
  EXPECT_EQ(index[0].second, 1024u);
  EXPECT_EQ(File("jlr"), "") << "a new base gets its lastread file";
  EXPECT_FALSE(disk_.LockHeld("/jam/base.jhr"));
  EXPECT_EQ(disk_.LastLockWait(), 10);
  EXPECT_EQ(disk_.OpenFiles(), 0);
}

TEST_F(JamWriterTest, SecondAndThirdMessages) {
  disk_.AddDir("/jam");
  std::vector<uint32_t> textLengths;
  for (int i = 0; i < 3; ++i) {
    TReport r = SampleReport(TPostKind::Jam, "/jam/base");
    r.ShowLeftKludges = i != 1;
    r.To.Name = i == 2 ? "Sysop" : "All";
    const size_t before = disk_.Has("/jam/base.jdt") ? File("jdt").size() : 0;
    ASSERT_TRUE(PostReport(r, Format("report %d\r", i + 1)));
    textLengths.push_back(static_cast<uint32_t>(File("jdt").size() - before));
  }
  const std::string& h = File("jhr");
  EXPECT_EQ(U32(h, 8), 3u);
  EXPECT_EQ(U32(h, 12), 3u);
  const auto index = ReadJamIndex(File("jdx"));
  ASSERT_EQ(index.size(), 3u);
  uint32_t headerAt = 1024, textAt = 0;
  for (uint32_t i = 0; i < 3; ++i) {
    EXPECT_EQ(index[i].second, headerAt);
    const JamMessage m = ReadJamMessage(h, headerAt);
    EXPECT_EQ(m.Number, i + 1);
    EXPECT_EQ(m.TxtOffset, textAt);
    EXPECT_EQ(m.TxtLen, textLengths[i]);
    EXPECT_EQ(File("jdt").substr(textAt, 9), Format("report %u\r", i + 1));
    EXPECT_EQ(m.Subfields.size(), i == 1 ? 7u : 8u) << "no Program subfield with showleftkludges off";
    headerAt += 76 + m.SubfieldLen;
    textAt += m.TxtLen;
  }
  EXPECT_EQ(index[2].first, 0x754FADB6u);
  EXPECT_EQ(h.size(), headerAt);
}

TEST_F(JamWriterTest, AppendKeepsAForeignBaseIntact) {
  AddForeignBase();
  const std::string headers = File("jhr"), texts = File("jdt"), index = File("jdx");
  TReport r = SampleReport(TPostKind::Jam, "/jam/base");
  ASSERT_TRUE(PostReport(r, "mine\r"));
  const std::string& h = File("jhr");
  EXPECT_EQ(U32(h, 4), 1000u);
  EXPECT_EQ(U32(h, 8), 42u);
  EXPECT_EQ(U32(h, 12), 3u);
  EXPECT_EQ(U32(h, 16), 0xFFFFFFFFu);
  EXPECT_EQ(U32(h, 20), 5u);
  EXPECT_EQ(U32(h, 24), 0x12345678u) << "the reserved part is kept";
  EXPECT_EQ(h.substr(24, headers.size() - 24), headers.substr(24)) << "old message headers unchanged";
  EXPECT_EQ(File("jdt"), texts + File("jdt").substr(texts.size()));
  EXPECT_EQ(File("jdx").substr(0, index.size()), index);
  EXPECT_EQ(File("jlr"), std::string(16, '\x07'));
  const JamMessage m = ReadJamMessage(h, static_cast<uint32_t>(headers.size()));
  EXPECT_EQ(m.Number, 7u) << "the base's first number plus the index position";
  EXPECT_EQ(m.TxtOffset, texts.size());
  EXPECT_EQ(ReadJamIndex(File("jdx")).back().second, headers.size());
}

TEST_F(JamWriterTest, NumberAfterADeletedLastMessage) {
  AddForeignBase();
  std::string index = File("jdx");
  index.replace(8, 8, std::string(8, '\xFF'));
  disk_.AddFile("/jam/base.jdx", index);
  TReport r = SampleReport(TPostKind::Jam, "/jam/base");
  ASSERT_TRUE(PostReport(r, "mine\r"));
  const auto records = ReadJamIndex(File("jdx"));
  ASSERT_EQ(records.size(), 3u);
  EXPECT_EQ(ReadJamMessage(File("jhr"), records[2].second).Number, 7u);
}

TEST_F(JamWriterTest, FailedWritesLeaveTheBaseAsItWas) {
  AddForeignBase();
  const std::string headers = File("jhr"), texts = File("jdt"), index = File("jdx");
  // The text, the message header with its subfields, the index record, the
  // base header.
  const std::vector<std::pair<const char*, int>> failures = {
      {"/jam/base.jdt", 0}, {"/jam/base.jhr", 0}, {"/jam/base.jdx", 0}, {"/jam/base.jhr", 1}};
  for (const auto& [path, call] : failures) {
    disk_.Fault(path).FailWriteAfterCalls = call;
    TReport r = SampleReport(TPostKind::Jam, "/jam/base");
    EXPECT_FALSE(PostReport(r, "mine\r")) << path << " " << call;
    EXPECT_EQ(LastLog(2), std::string("Error: Can't write to file ") + path + "\nReason: Input/output error");
    EXPECT_EQ(File("jhr"), headers) << path << " " << call;
    EXPECT_EQ(File("jdt"), texts) << path << " " << call;
    EXPECT_EQ(File("jdx"), index) << path << " " << call;
    disk_.Fault(path).FailWriteAfterCalls = -1;
  }
  disk_.Fault("/jam/base.jdt").WriteBudget = 2;
  TReport r = SampleReport(TPostKind::Jam, "/jam/base");
  EXPECT_FALSE(PostReport(r, "mine\r"));
  EXPECT_EQ(File("jdt"), texts);
  disk_.Fault("/jam/base.jdt").WriteBudget = -1;
  EXPECT_TRUE(PostReport(r, "mine\r"));
  EXPECT_EQ(ReadJamMessage(File("jhr"), static_cast<uint32_t>(headers.size())).Number, 7u);
  EXPECT_EQ(disk_.OpenFiles(), 0);
}

TEST_F(JamWriterTest, RefusedBasesStayUntouched) {
  AddForeignBase();
  const std::string headers = File("jhr");
  TReport r = SampleReport(TPostKind::Jam, "/jam/base");

  disk_.Fault("/jam/base.jhr").Locked = true;
  EXPECT_FALSE(PostReport(r, "x"));
  EXPECT_EQ(LastLog(2), "Error: Can't lock file /jam/base.jhr\nReason: Resource temporarily unavailable");
  disk_.Fault("/jam/base.jhr").Locked = false;

  disk_.Fault("/jam/base.jdt").FailOpen = true;
  EXPECT_FALSE(PostReport(r, "x"));
  EXPECT_EQ(LastLog(2), "Error: Can't open file /jam/base.jdt\nReason: Permission denied");
  EXPECT_FALSE(disk_.LockHeld("/jam/base.jhr"));
  disk_.Fault("/jam/base.jdt").FailOpen = false;

  disk_.Fault("/jam/base.jhr").FailRead = true;
  EXPECT_FALSE(PostReport(r, "x"));
  EXPECT_EQ(LastLog(2), "Error: Can't read file /jam/base.jhr\nReason: Input/output error");
  disk_.Fault("/jam/base.jhr").FailRead = false;

  std::string foreign = headers;
  foreign[0] = 'X';
  disk_.AddFile("/jam/base.jhr", foreign);
  EXPECT_FALSE(PostReport(r, "x")) << "not a JAM base";
  EXPECT_EQ(File("jhr"), foreign);
  EXPECT_EQ(File("jdx").size(), 16u);

  disk_.AddDir("/new");
  disk_.Fault("/new/base.jhr").WriteBudget = 100;
  TReport full = SampleReport(TPostKind::Jam, "/new/base");
  EXPECT_FALSE(PostReport(full, "x"));
  EXPECT_EQ(*disk_.Contents("/new/base.jhr"), "") << "no half base header is left";
  disk_.Fault("/new/base.jhr").WriteBudget = -1;
  EXPECT_TRUE(PostReport(full, "x")) << "and the next report creates the base";

  TJamWriter unframed(r, SampleTime(), TestSerials());
  EXPECT_FALSE(unframed.Post("")) << "no message without a template run";
  EXPECT_EQ(File("jhr"), foreign);

  TReport gone = SampleReport(TPostKind::Jam, "/none/base");
  EXPECT_FALSE(PostReport(gone, "x"));
  EXPECT_EQ(LastLog(2), "Error: Can't create file /none/base.jhr\nReason: No such file or directory");
  EXPECT_EQ(disk_.OpenFiles(), 0);
}

}  // namespace
}  // namespace zeb::test
