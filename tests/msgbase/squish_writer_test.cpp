#include "msgbase/squish_writer.h"

#include <gtest/gtest.h>

#include <vector>

#include "msgbase_test_util.h"
#include "support/text.h"

namespace zeb::test {
namespace {

// A reader of the test's own, following the published Squish layouts.
struct SqHeader {
  uint16_t Len, SzSqhdr, KeepDays;
  uint32_t NumMsg, HighMsg, HighWater, Uid, Begin, Last, End;
  std::string Name;
};

SqHeader ReadSqHeader(const std::string& d) {
  return {U16(d, 0),   U16(d, 130), U16(d, 128), U32(d, 4),   U32(d, 8), U32(d, 16),
          U32(d, 20),  U32(d, 104), U32(d, 108), U32(d, 120), Field(d, 24, 80)};
}

struct SqFrame {
  uint32_t At, Next, Prev, FrameLen, MsgLen, CLen, Attr, Umsgid;
  uint16_t Type;
  std::string From, To, Subject, FtsDate, Control, Text;
  uint16_t Orig[4], Dest[4], Written[2], Arrived[2];
};

SqFrame ReadSqFrame(const std::string& d, uint32_t at) {
  EXPECT_EQ(U32(d, at), 0xAFAE4453u) << "frame id at " << at;
  SqFrame f{};
  f.At = at;
  f.Next = U32(d, at + 4);
  f.Prev = U32(d, at + 8);
  f.FrameLen = U32(d, at + 12);
  f.MsgLen = U32(d, at + 16);
  f.CLen = U32(d, at + 20);
  f.Type = U16(d, at + 24);
  const size_t x = at + 28;
  f.Attr = U32(d, x);
  f.From = Field(d, x + 4, 36);
  f.To = Field(d, x + 40, 36);
  f.Subject = Field(d, x + 76, 72);
  for (int i = 0; i < 4; ++i) {
    f.Orig[i] = U16(d, x + 148 + 2 * i);
    f.Dest[i] = U16(d, x + 156 + 2 * i);
  }
  f.Written[0] = U16(d, x + 164);
  f.Written[1] = U16(d, x + 166);
  f.Arrived[0] = U16(d, x + 168);
  f.Arrived[1] = U16(d, x + 170);
  f.Umsgid = U32(d, x + 214);
  f.FtsDate = d.substr(x + 218, 20);
  f.Control = d.substr(x + 238, f.CLen);
  f.Text = d.substr(x + 238 + f.CLen, f.MsgLen - 238 - f.CLen);
  return f;
}

// The message chain from the first frame on, each link checked both ways.
std::vector<SqFrame> ReadSqChain(const std::string& d) {
  const SqHeader h = ReadSqHeader(d);
  std::vector<SqFrame> frames;
  uint32_t prev = 0;
  for (uint32_t at = h.Begin; at != 0 && frames.size() < 100;) {
    frames.push_back(ReadSqFrame(d, at));
    EXPECT_EQ(frames.back().Prev, prev) << "previous-frame link of the frame at " << at;
    EXPECT_LE(at + 28 + frames.back().FrameLen, h.End);
    prev = at;
    at = frames.back().Next;
  }
  EXPECT_EQ(prev, h.Last);
  return frames;
}

struct SqIndex {
  uint32_t Ofs, Umsgid, Hash;
};

std::vector<SqIndex> ReadSqIndex(const std::string& i) {
  EXPECT_EQ(i.size() % 12, 0u);
  std::vector<SqIndex> records;
  for (size_t at = 0; at + 12 <= i.size(); at += 12) records.push_back({U32(i, at), U32(i, at + 4), U32(i, at + 8)});
  return records;
}

// A frame as another program writes it: no NUL after the control area.
std::string ForeignFrame(uint32_t next, uint32_t prev, uint32_t umsgid, const std::string& to, const std::string& text) {
  const std::string control = "\x01MSGID: 2:5020/1 0000abcd";
  const uint32_t length = static_cast<uint32_t>(238 + control.size() + text.size());
  std::string f = Le32(0xAFAE4453) + Le32(next) + Le32(prev) + Le32(length) + Le32(length) +
                  Le32(static_cast<uint32_t>(control.size())) + std::string(4, '\0') + Le32(0x00020100) +
                  std::string(234, '\0');
  f.replace(28 + 40, to.size(), to);
  Set32(f, 28 + 214, umsgid);
  return f + control + text;
}

class SquishWriterTest : public ::testing::Test {
 protected:
  FakeDisk disk_;
  ScopedDisk scoped_{disk_};

  const std::string& Data() { return *disk_.Contents("/sq/base.sqd"); }
  const std::string& Index() { return *disk_.Contents("/sq/base.sqi"); }

  // A base of two messages written by another program, with blank index
  // records left past the last message and stray bytes past the used data.
  void AddForeignBase() {
    const uint32_t at2 = static_cast<uint32_t>(256 + ForeignFrame(0, 0, 0, "Sysop", "first\r").size());
    const std::string f1 = ForeignFrame(at2, 0, 7, "Sysop", "first\r");
    const std::string f2 = ForeignFrame(0, 256, 9, "All", "second\r");
    const uint32_t end = static_cast<uint32_t>(at2 + f2.size());
    std::string header(256, '\0');
    header[1] = '\x01';  // len 256
    Set32(header, 4, 2);
    Set32(header, 8, 2);
    Set32(header, 16, 9);  // high-water mark: both exported
    Set32(header, 20, 10);
    Set32(header, 104, 256);
    Set32(header, 108, at2);
    Set32(header, 120, end);
    header[128] = 14;  // keep days
    header[130] = 28;
    const std::string data = header + f1 + f2;
    disk_.AddFile("/sq/base.sqd", data + "stray");
    const std::string blank = Le32(0) + Le32(0xFFFFFFFF) + Le32(0xFFFFFFFF);
    const std::string index =
        Le32(256) + Le32(7) + Le32(SquishHash("Sysop")) + Le32(at2) + Le32(9) + Le32(SquishHash("All")) + blank + blank;
    disk_.AddFile("/sq/base.sqi", index);
  }
};

TEST(SquishHash, PublishedVectors) {
  EXPECT_EQ(SquishHash(""), 0u);
  EXPECT_EQ(SquishHash("All"), 0x682Cu);
  EXPECT_EQ(SquishHash("all"), SquishHash("All"));
  EXPECT_EQ(SquishHash("Sysop"), 0x007B0A60u);
  EXPECT_EQ(SquishHash("abcdefgh"), 0x789ABEF8u) << "OR, not the XOR of the textbook hash";
  EXPECT_EQ(SquishHash("123456789"), 0x5678BEF9u);
  EXPECT_EQ(SquishHash("Kostya Pakhomov"), 0x70C08876u);
}

TEST_F(SquishWriterTest, NewBaseWithOneMessage) {
  disk_.AddDir("/sq");
  TReport r = SampleReport(TPostKind::Squish, "/sq/base");
  r.KeepDays = 30;
  uint32_t serial = 0;
  ASSERT_TRUE(PostReport(r, "Queue text\r", &serial));
  const std::string& d = Data();
  const SqHeader h = ReadSqHeader(d);
  EXPECT_EQ(h.Len, 256);
  EXPECT_EQ(h.NumMsg, 1u);
  EXPECT_EQ(h.HighMsg, 1u);
  EXPECT_EQ(h.HighWater, 0u) << "the scanners' export mark stays";
  EXPECT_EQ(h.Uid, 2u);
  EXPECT_EQ(h.Begin, 256u);
  EXPECT_EQ(h.Last, 256u);
  EXPECT_EQ(h.End, d.size());
  EXPECT_EQ(h.KeepDays, 30);
  EXPECT_EQ(h.SzSqhdr, 28);
  EXPECT_EQ(h.Name, "/sq/base");
  EXPECT_EQ(U32(d, 112), 0u);
  EXPECT_EQ(U32(d, 116), 0u);

  const std::vector<SqFrame> chain = ReadSqChain(d);
  ASSERT_EQ(chain.size(), 1u);
  const SqFrame& f = chain[0];
  const std::string control = "\x01MSGID: 2:5020/9999 " + Format("%.8x", serial) +
                              "\x01PID: ZEB-W 3.05\x01Program: Zebrant (Win32)  V 3.05";
  EXPECT_EQ(f.Control, control) << "control lines without CR and without NUL";
  EXPECT_EQ(f.CLen, control.size());
  EXPECT_EQ(f.Text, "Queue text\r--- zeb\r * Origin: Example Node (2:5020/9999)\r" + std::string(1, '\0'));
  EXPECT_EQ(f.MsgLen, 238 + f.CLen + f.Text.size());
  EXPECT_EQ(f.FrameLen, f.MsgLen);
  EXPECT_EQ(f.Next, 0u);
  EXPECT_EQ(f.Type, 0);
  EXPECT_EQ(f.Attr, 0x000A0100u);
  EXPECT_EQ(f.From, "Zebrant");
  EXPECT_EQ(f.To, "All");
  EXPECT_EQ(f.Subject, "Queue Report");
  const uint16_t addr[4] = {2, 5020, 9999, 0};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(f.Orig[i], addr[i]);
    EXPECT_EQ(f.Dest[i], addr[i]);
  }
  EXPECT_EQ(f.Written[0], 0x4093) << "date word first";
  EXPECT_EQ(f.Written[1], 0x9E61);
  EXPECT_EQ(f.Arrived[0], 0x4093);
  EXPECT_EQ(f.Arrived[1], 0x9E61);
  EXPECT_EQ(f.Umsgid, 1u);
  EXPECT_EQ(f.FtsDate, std::string("19 Apr 12  19:51:02\0", 20));

  const std::vector<SqIndex> index = ReadSqIndex(Index());
  ASSERT_EQ(index.size(), 1u);
  EXPECT_EQ(index[0].Ofs, 256u);
  EXPECT_EQ(index[0].Umsgid, 1u);
  EXPECT_EQ(index[0].Hash, 0x682Cu);
  EXPECT_FALSE(disk_.LockHeld("/sq/base.sqd"));
  EXPECT_EQ(disk_.LastLockWait(), 10);
  EXPECT_EQ(disk_.OpenFiles(), 0);
}

TEST_F(SquishWriterTest, SecondAndThirdMessagesAreLinked) {
  disk_.AddDir("/sq");
  for (int i = 0; i < 3; ++i) {
    TReport r = SampleReport(TPostKind::Squish, "/sq/base");
    r.To.Name = i == 2 ? "Sysop" : "All";
    r.ShowLeftKludges = i != 1;
    r.KeepDays = 5 + i;
    ASSERT_TRUE(PostReport(r, Format("report %d\r", i + 1)));
  }
  const std::string& d = Data();
  const SqHeader h = ReadSqHeader(d);
  EXPECT_EQ(h.NumMsg, 3u);
  EXPECT_EQ(h.HighMsg, 3u);
  EXPECT_EQ(h.Uid, 4u);
  EXPECT_EQ(h.KeepDays, 5) << "keep-days is set only when the base is created";
  EXPECT_EQ(h.End, d.size());
  const std::vector<SqFrame> chain = ReadSqChain(d);
  ASSERT_EQ(chain.size(), 3u);
  EXPECT_EQ(chain[1].Prev, 256u);
  EXPECT_EQ(chain[1].At, 256 + 28 + chain[0].FrameLen);
  EXPECT_EQ(chain[2].At, chain[1].At + 28 + chain[1].FrameLen);
  EXPECT_EQ(chain[1].Control.find("Program"), std::string::npos);
  EXPECT_EQ(chain[2].Text.substr(0, 9), "report 3\r");
  const std::vector<SqIndex> index = ReadSqIndex(Index());
  ASSERT_EQ(index.size(), 3u);
  for (uint32_t i = 0; i < 3; ++i) {
    EXPECT_EQ(index[i].Ofs, chain[i].At);
    EXPECT_EQ(index[i].Umsgid, i + 1);
    EXPECT_EQ(chain[i].Umsgid, i + 1);
  }
  EXPECT_EQ(index[2].Hash, 0x007B0A60u);
}

TEST_F(SquishWriterTest, AppendKeepsAForeignBaseIntact) {
  AddForeignBase();
  const std::string before = Data();
  const std::string indexBefore = Index();
  const uint32_t end = U32(before, 120);
  TReport r = SampleReport(TPostKind::Squish, "/sq/base");
  ASSERT_TRUE(PostReport(r, "mine\r"));
  const std::string& d = Data();
  const SqHeader h = ReadSqHeader(d);
  EXPECT_EQ(h.NumMsg, 3u);
  EXPECT_EQ(h.Uid, 11u);
  EXPECT_EQ(h.HighWater, 9u);
  EXPECT_EQ(h.KeepDays, 14);
  EXPECT_EQ(h.Last, end) << "the new frame starts at the end of the used data, over the stray bytes";
  const std::vector<SqFrame> chain = ReadSqChain(d);
  ASSERT_EQ(chain.size(), 3u);
  EXPECT_EQ(chain[0].Text, "first\r");
  EXPECT_EQ(chain[1].Text, "second\r");
  EXPECT_EQ(chain[2].Umsgid, 10u);
  // Everything of the old frames but the last one's next link is unchanged.
  const uint32_t at2 = chain[1].At;
  EXPECT_EQ(d.substr(256, at2 + 4 - 256), before.substr(256, at2 + 4 - 256));
  EXPECT_EQ(d.substr(at2 + 8, end - at2 - 8), before.substr(at2 + 8, end - at2 - 8));
  const std::vector<SqIndex> index = ReadSqIndex(Index());
  ASSERT_EQ(index.size(), 3u) << "blank records past the new message are cut";
  EXPECT_EQ(Index().substr(0, 24), indexBefore.substr(0, 24));
  EXPECT_EQ(index[2].Ofs, end);
  EXPECT_EQ(index[2].Umsgid, 10u);
}

TEST_F(SquishWriterTest, FailedWritesLeaveTheBaseAsItWas) {
  AddForeignBase();
  const std::string before = Data();
  const std::string indexBefore = Index();
  // The new frame, the previous frame's link, the base header; the index
  // record and the cut of the index come before the base header.
  for (int call = 0; call < 3; ++call) {
    disk_.Fault("/sq/base.sqd").FailWriteAfterCalls = call;
    TReport r = SampleReport(TPostKind::Squish, "/sq/base");
    EXPECT_FALSE(PostReport(r, "mine\r")) << "write " << call;
    EXPECT_EQ(LastLog(2), "Error: Can't write to file /sq/base.sqd\nReason: Input/output error");
    EXPECT_EQ(Data(), before) << "write " << call;
    EXPECT_EQ(Index(), indexBefore) << "write " << call;
  }
  disk_.Fault("/sq/base.sqd").FailWriteAfterCalls = -1;
  disk_.Fault("/sq/base.sqi").FailWriteAfterCalls = 0;
  TReport r = SampleReport(TPostKind::Squish, "/sq/base");
  EXPECT_FALSE(PostReport(r, "mine\r"));
  EXPECT_EQ(LastLog(2), "Error: Can't write to file /sq/base.sqi\nReason: Input/output error");
  EXPECT_EQ(Data(), before);
  EXPECT_EQ(Index(), indexBefore);

  disk_.Fault("/sq/base.sqi").FailTruncate = true;
  EXPECT_FALSE(PostReport(r, "mine\r"));
  EXPECT_EQ(Data(), before);
  EXPECT_EQ(Index().size(), indexBefore.size());

  disk_.Fault("/sq/base.sqi").FailTruncate = false;
  disk_.Fault("/sq/base.sqd").WriteBudget = 100;  // the disk fills up
  EXPECT_FALSE(PostReport(r, "mine\r"));
  EXPECT_EQ(Data(), before);
  disk_.Fault("/sq/base.sqd").WriteBudget = -1;
  EXPECT_TRUE(PostReport(r, "mine\r")) << "the next report finds the base sound";
  EXPECT_EQ(ReadSqChain(Data()).size(), 3u);
  EXPECT_EQ(disk_.OpenFiles(), 0);
}

TEST_F(SquishWriterTest, RefusedBasesStayUntouched) {
  AddForeignBase();
  const std::string before = Data();
  TReport r = SampleReport(TPostKind::Squish, "/sq/base");

  disk_.Fault("/sq/base.sqd").Locked = true;
  EXPECT_FALSE(PostReport(r, "x"));
  EXPECT_EQ(LastLog(2), "Error: Can't lock file /sq/base.sqd\nReason: Resource temporarily unavailable");
  disk_.Fault("/sq/base.sqd").Locked = false;

  disk_.Fault("/sq/base.sqd").FailRead = true;
  EXPECT_FALSE(PostReport(r, "x"));
  EXPECT_EQ(LastLog(2), "Error: Can't read file /sq/base.sqd\nReason: Input/output error");
  disk_.Fault("/sq/base.sqd").FailRead = false;

  disk_.Fault("/sq/base.sqi").FailOpen = true;
  EXPECT_FALSE(PostReport(r, "x"));
  EXPECT_EQ(LastLog(2), "Error: Can't open file /sq/base.sqi\nReason: Permission denied");
  disk_.Fault("/sq/base.sqi").FailOpen = false;

  std::string odd = before;
  odd[130] = 32;  // frame headers of another size
  disk_.AddFile("/sq/base.sqd", odd);
  EXPECT_FALSE(PostReport(r, "x"));
  EXPECT_EQ(*disk_.Contents("/sq/base.sqd"), odd);

  std::string broken = before;
  broken[U32(before, 108)] = 'X';  // the last frame's id
  disk_.AddFile("/sq/base.sqd", broken);
  EXPECT_FALSE(PostReport(r, "x"));
  EXPECT_EQ(LastLog(), "Error: Can't read file /sq/base.sqd");
  EXPECT_EQ(Data(), broken);
  EXPECT_EQ(disk_.OpenFiles(), 0);
  EXPECT_FALSE(disk_.LockHeld("/sq/base.sqd"));
}

TEST_F(SquishWriterTest, MissingDirectoryAndMissingFrame) {
  TReport r = SampleReport(TPostKind::Squish, "/none/base");
  EXPECT_FALSE(PostReport(r, "x"));
  EXPECT_EQ(LastLog(2), "Error: Can't create file /none/base.sqd\nReason: No such file or directory");

  disk_.AddDir("/sq");
  TReport s = SampleReport(TPostKind::Squish, "/sq/base");
  TSquishWriter writer(s, SampleTime(), TestSerials());
  EXPECT_FALSE(writer.Post("")) << "without a frame (no template text) nothing is stored";
  EXPECT_FALSE(disk_.Has("/sq/base.sqd"));
}

}  // namespace
}  // namespace zeb::test
