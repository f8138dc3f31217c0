// binkd's hold-until (.hld) and try (.try) files: how they read, where the
// scanner finds them, and that they become notes on a node, never items.
#include <gtest/gtest.h>

#include "outbound/binkd_notes.h"
#include "outbound/scan_directory.h"
#include "queue_fixture.h"
#include "scan_fixture.h"
#include "scoped_time_zone.h"

namespace zeb::test {
namespace {

using Lines = std::vector<std::string>;

// A try file as binkd writes it: the counts low byte first, the length of
// the text in one byte, the text.
std::string TryFile(uint16_t good, uint16_t bad, const std::string& text) {
  std::string bytes{static_cast<char>(good & 0xFF), static_cast<char>(good >> 8), static_cast<char>(bad & 0xFF),
                    static_cast<char>(bad >> 8), static_cast<char>(text.size())};
  return bytes + text;
}

TEST(BinkdNoteFiles, HoldUntilIsTheNumberOnTheFirstLine) {
  EXPECT_EQ(ParseHoldUntil("1800000000\n"), 1800000000) << "as binkd writes it";
  EXPECT_EQ(ParseHoldUntil("1800000000"), 1800000000);
  EXPECT_EQ(ParseHoldUntil(" \t1800000000 \r\nnot read\n"), 1800000000);
  EXPECT_EQ(ParseHoldUntil("0\n"), 0);
  for (const char* bad : {"", "\n", "\r\n", "soon\n", "-5\n", "+5\n", "1800000000x\n", "18000 00000\n", "1.5\n",
                          "0x10\n", "\n1800000000\n", "99999999999999999999\n"})
    EXPECT_FALSE(ParseHoldUntil(bad)) << bad;
}

TEST(BinkdNoteFiles, TryCountsAreLowByteFirstThenTheTextOfItsLength) {
  auto tries = ParseTries(TryFile(2, 300, "Connection refused"));
  ASSERT_TRUE(tries);
  EXPECT_EQ(tries->Good, 2);
  EXPECT_EQ(tries->Bad, 300);
  EXPECT_EQ(tries->Text, "Connection refused");

  tries = ParseTries(TryFile(65535, 0, "") + "left over");
  ASSERT_TRUE(tries);
  EXPECT_EQ(tries->Good, 65535);
  EXPECT_EQ(tries->Text, "") << "bytes past the announced text are not read";

  tries = ParseTries(TryFile(0, 1, "M_ERR\r\x01" "AREA:X\n\xE8\xF2"));
  ASSERT_TRUE(tries);
  EXPECT_EQ(tries->Text, "M_ERR  AREA:X \xE8\xF2") << "control characters become blanks, 8-bit text stays";

  EXPECT_FALSE(ParseTries(""));
  EXPECT_FALSE(ParseTries(std::string("\x01\x00\x02\x00", 4))) << "no length byte";
  EXPECT_FALSE(ParseTries(TryFile(1, 2, "Timeout").substr(0, 11))) << "text shorter than its length";
}

class BinkdNoteScan : public ScanTest {
 protected:
  void Scan() { ScanDirectory(list_, scan_, config_, "/fido/out", 2, TScanMode::Outbound, TNetAddr{}, 0); }
  // 1800000000 is 2027-01-15 08:00:00 UTC; the notes hold local times.
  ScopedTimeZone zone_{"UTC-3"};
};

TEST_F(BinkdNoteScan, ShortDottedAndPointFormsBecomeNotesInLocalTime) {
  const uint32_t t = Dos(2026, 10, 1);
  disk_.AddFile("/fido/out/0001000a.hld", "1800000000\n", t);
  disk_.AddFile("/fido/out/0001000a.try", TryFile(0, 3, "Connection refused"), t);
  disk_.AddFile("/fido/out/0001000a.out", "pkt", t);
  disk_.AddFile("/fido/out/0001000B.HLD", "1700000000\n", t);  // a past time
  disk_.AddFile("/fido/out/3.5020.1042.0.hld", "1800000060\n", t);
  disk_.AddFile("/fido/out/3.5020.1042.0.try", TryFile(7, 0, ""), t);
  disk_.AddFile("/fido/out/0001000a.pnt/00000005.hld", "1800003600\n", t);
  disk_.AddFile("/fido/out/0001000a.pnt/00000005.try", TryFile(1, 2, "Timeout"), t);
  disk_.AddFile("/fido/out/0001000a.pnt/2.1.10.6.hld", "1800000000\n", t);  // only short forms here
  Scan();
  EXPECT_EQ(Records(), (Lines{
                           "2:1/11 hold-until 2023-11-15 01:13:20",
                           "2:1/10 hold-until 2027-01-15 11:00:00",
                           "2:1/10 N netmail /fido/out/0001000a.out 3",
                           "2:1/10.5 hold-until 2027-01-15 12:00:00",
                           "2:1/10.5 tries 1/2 \"Timeout\"",
                           "2:1/10 tries 0/3 \"Connection refused\"",
                           "3:5020/1042 hold-until 2027-01-15 11:01:00",
                           "3:5020/1042 tries 7/0 \"\"",
                       }));
  EXPECT_TRUE(Logged("0:The bad path /fido/out/0001000a.pnt/2.1.10.6.hld"));
  EXPECT_TRUE(Logged("3:\u25BA Hold-until file for 2:1/10"));
  EXPECT_TRUE(Logged("3:\u25BA Try file for 2:1/10.5"));
}

TEST_F(BinkdNoteScan, MalformedFilesAreLoggedAndIgnoredForTheirNodeOnly) {
  disk_.AddFile("/fido/out/0001000a.hld", "");
  disk_.AddFile("/fido/out/0001000a.try", std::string("\x01\x00", 2));
  disk_.AddFile("/fido/out/0001000b.hld", "tomorrow\n");
  disk_.AddFile("/fido/out/0001000b.try", TryFile(1, 1, "abc").substr(0, 7));
  disk_.AddFile("/fido/out/0001000c.hld", std::string(100000, '1'));
  disk_.AddFile("/fido/out/0001000d.try", TryFile(4, 5, "ok"));
  disk_.AddFile("/fido/out/0001000e.hld", "1800000000\n");
  disk_.Fault("/fido/out/0001000e.hld").FailRead = true;
  Scan();
  EXPECT_EQ(Records(), (Lines{"2:1/13 tries 4/5 \"ok\""}));
  for (const char* bad : {"hold-until file /fido/out/0001000a.hld", "try file /fido/out/0001000a.try",
                          "hold-until file /fido/out/0001000b.hld", "try file /fido/out/0001000b.try",
                          "hold-until file /fido/out/0001000c.hld", "hold-until file /fido/out/0001000e.hld"})
    EXPECT_TRUE(Logged(std::string("2:Bad ") + bad + " ignored")) << bad;
  EXPECT_EQ(disk_.OpenFiles(), 0);
}

TEST_F(BinkdNoteScan, FileBoxesAndListFilesKeepTheirOwnMeaning) {
  disk_.AddFile("/fido/out/2.1.10.0.h/0001000a.hld", "1800000000\n");
  disk_.AddFile("/files/0001000b.try", TryFile(0, 1, "x"));
  disk_.AddFile("/fido/out/0001000b.flo", "/files/0001000b.try\n");
  Scan();
  const Lines records = Records();
  ASSERT_EQ(records.size(), 3u);
  EXPECT_EQ(records[0], "2:1/11 N flag");
  EXPECT_EQ(records[1], "2:1/11 N file /files/0001000b.try 6") << "a listed file is sent, whatever its name";
  EXPECT_EQ(records[2], "2:1/10 H file /fido/out/2.1.10.0.h/0001000a.hld 11") << "a box sends all it holds";
}

using NodeNotes = QueueTest;

TEST_F(NodeNotes, NotesGoOnTheNodeAndChangeNothingElse) {
  const TNetAddr a = Addr(2, 1, 10);
  Merge(a, kFlavourCrash, kKindNetmail, 100, "/o/0001000a.cut", Dos(2026, 3, 1));
  const TQueueNode before = NodeAt(0);
  MergeRecord(queue_, TForQueue{a, kFlavourNone, kKindHoldUntil, "", 1800000000, 0});
  MergeRecord(queue_, TForQueue{a, kFlavourNone, kKindTries, "Timeout", 2 << 16 | 3, 0});
  ASSERT_EQ(queue_.Count(), 1u);
  const TQueueNode& node = NodeAt(0);
  EXPECT_EQ(node.Notes.HoldUntil, 1800000000);
  EXPECT_TRUE(node.Notes.HasTries);
  EXPECT_EQ(node.Notes.GoodTries, 2);
  EXPECT_EQ(node.Notes.BadTries, 3);
  EXPECT_EQ(node.Notes.TryText, "Timeout");
  EXPECT_EQ(node.Flags, before.Flags);
  EXPECT_EQ(node.Oldest, before.Oldest) << "a note's time 0 does not age the node";
  EXPECT_EQ(node.Items.Count(), 1u);
  EXPECT_EQ(node.NetmailSize + node.EchomailSize + node.FilesSize, 100);
  EXPECT_EQ(node.NetmailCount + node.EchomailCount + node.FilesCount, 1);
  EXPECT_EQ(queue_.NetmailSize + queue_.EchomailSize + queue_.FilesSize, 100);

  MergeRecord(queue_, TForQueue{a, kFlavourNone, kKindTries, "", 0, 0});
  EXPECT_EQ(NodeAt(0).Notes.BadTries, 0) << "a later try file replaces the earlier one";
  EXPECT_EQ(NodeAt(0).Notes.TryText, "");
}

TEST_F(NodeNotes, NotesAloneMakeNoNodeAndWaitForIt) {
  const TNetAddr a = Addr(2, 1, 10), b = Addr(2, 1, 11);
  MergeRecord(queue_, TForQueue{a, kFlavourNone, kKindHoldUntil, "", 1800000000, 0});
  MergeRecord(queue_, TForQueue{b, kFlavourNone, kKindTries, "busy", 1, 0});
  EXPECT_EQ(queue_.Count(), 0u) << "nothing waits for a node that has only notes";

  Merge(a, kFlavourHold, kKindNetmail, 10);
  ASSERT_EQ(queue_.Count(), 1u);
  EXPECT_EQ(NodeAt(0).Notes.HoldUntil, 1800000000) << "the note found its node when the node was made";
  EXPECT_FALSE(NodeAt(0).Notes.HasTries);

  queue_.Clear();
  Merge(b, kFlavourHold, kKindNetmail, 10);
  EXPECT_FALSE(NodeAt(0).Notes.HasTries) << "clearing the queue forgets the notes that waited";
}

}  // namespace
}  // namespace zeb::test
