#include "outbound/queue.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "outbound/queue_fixture.h"
#include "platform/system.h"
#include "support/text.h"
#include "support/unix_time.h"

namespace zeb::test {
namespace {

// 21 dots with the given 1-based positions set.
std::string FlagsWith(std::initializer_list<std::pair<int, char>> marks) {
  std::string flags(kFlagsLength, '\xFA');
  for (const auto& [pos, c] : marks) flags[pos - 1] = c;
  return flags;
}

// Item paths are kept end to end in blocks; every view handed out must stay
// valid and unchanged while more paths (one longer than a block) follow.
TEST(TextStore, KeptTextsNeverMove) {
  TTextStore store;
  std::vector<std::string> texts;
  std::vector<std::string_view> kept;
  for (int i = 0; i < 20000; ++i) {
    texts.push_back(i == 7000 ? std::string(100000, 'L') : "/out/" + std::string(i % 97, 'x') + std::to_string(i));
    kept.push_back(store.Keep(texts.back()));
  }
  kept.push_back(store.Keep(""));
  texts.emplace_back();
  for (size_t i = 0; i < texts.size(); ++i) ASSERT_EQ(kept[i], texts[i]) << i;
}

using MergeRecordTest = QueueTest;

TEST_F(MergeRecordTest, BusyFlagAloneMarksOnlyPositionTwoAndAgesTheNode) {
  const uint32_t time = Dos(2025, 3, 4, 5, 6, 8);
  Merge(Addr(2, 5020, 1), kFlavourBusy, kKindFlag, 0, "", time);
  ASSERT_EQ(queue_.Count(), 1u);
  const TQueueNode& node = NodeAt(0);
  EXPECT_EQ(node.Flags, FlagsWith({{2, 'b'}}));
  EXPECT_EQ(node.Items.Count(), 0u);
  EXPECT_EQ(node.NetmailSize + node.EchomailSize + node.FilesSize, 0);
  EXPECT_EQ(node.NetmailCount + node.EchomailCount + node.FilesCount, 0);
  EXPECT_EQ(node.Oldest, DosDateTimeToUnix(time));
}

TEST_F(MergeRecordTest, TwoCrashPacketsAndAHoldFile) {
  const TNetAddr a = Addr(2, 5020, 1);
  Merge(a, kFlavourCrash, kKindNetmail, 100, "/out/a.cut");
  Merge(a, kFlavourCrash, kKindNetmail, 50, "/out/b.cut");
  const int64_t big = int64_t{3} << 30;  // beyond 32 bits, as files in boxes are
  Merge(a, kFlavourHold, kKindFile, big, "/box/dvd.iso");
  Merge(Addr(2, 5020, 2), kFlavourNormal, kKindEchomail, 7, "/out/x.su0");
  ASSERT_EQ(queue_.Count(), 2u);
  const TQueueNode& node = NodeAt(0);
  EXPECT_EQ(node.NetmailCount, 2);
  EXPECT_EQ(node.NetmailSize, 150);
  EXPECT_EQ(node.FilesCount, 1);
  EXPECT_EQ(node.FilesSize, big);
  EXPECT_EQ(node.Items[0].Size, big);
  EXPECT_EQ(node.Flags, FlagsWith({{3, 'C'}, {7, 'M'}, {18, 'F'}}));
  EXPECT_EQ(NodeAt(1).Flags, FlagsWith({{3, 'N'}, {14, 'X'}}));
  EXPECT_EQ(queue_.NetmailSize, 150);
  EXPECT_EQ(queue_.EchomailSize, 7);
  EXPECT_EQ(queue_.FilesSize, big);
}

TEST_F(MergeRecordTest, EveryDeliveryFlavourAndKindHasItsColumn) {
  const TNetAddr a = Addr(1, 1, 1);
  for (uint8_t f = kFlavourImmediate; f <= kFlavourRequest; ++f)
    for (uint8_t k = kKindNetmail; k <= kKindFile; ++k) Merge(a, f, k, 1);
  EXPECT_EQ(NodeAt(0).Flags, std::string("\xFA\xFA") + "IMXFMXFMXFMXFMXFMXF");
}

TEST_F(MergeRecordTest, PositionThreeShowsTheHighestRankingFlavour) {
  Merge(Addr(1, 1, 1), kFlavourCrash, kKindFlag);
  Merge(Addr(1, 1, 1), kFlavourHold, kKindFlag);
  EXPECT_EQ(NodeAt(0).Flags[2], 'C');

  Merge(Addr(1, 1, 2), kFlavourHold, kKindFlag);
  EXPECT_EQ(NodeAt(1).Flags[2], 'H');
  Merge(Addr(1, 1, 2), kFlavourCrash, kKindFlag);
  EXPECT_EQ(NodeAt(1).Flags[2], 'C');
  Merge(Addr(1, 1, 2), kFlavourRequest, kKindFile);
  Merge(Addr(1, 1, 2), kFlavourImmediate, kKindFlag);
  EXPECT_EQ(NodeAt(1).Flags[2], 'I');

  // Call, busy and the flavours without a column touch only positions 1 and 2.
  TQueueNode node;
  SetFlavourMark(kFlavourCall, node);
  SetFlavourMark(kFlavourNone, node);
  SetFlavourMark(kFlavourStatus, node);
  EXPECT_EQ(node.Flags, FlagsWith({{1, 'c'}}));
}

TEST_F(MergeRecordTest, FlavoursOutsideDeliveryCountButMarkNoColumn) {
  const TNetAddr a = Addr(1, 1, 1);
  Merge(a, kFlavourStatus, kKindNetmail, 10, "n");
  Merge(a, kFlavourNone, kKindEchomail, 20, "e");
  Merge(a, kFlavourBusy, kKindFile, 30, "f");
  Merge(a, 200, kKindFile, 40, "g");  // a damaged code: no column, no crash
  const TQueueNode& node = NodeAt(0);
  EXPECT_EQ(node.Flags, FlagsWith({{2, 'b'}}));
  EXPECT_EQ(node.Items.Count(), 4u);
  EXPECT_EQ(node.NetmailCount + node.EchomailCount + node.FilesCount, 4);
  EXPECT_EQ(queue_.NetmailSize + queue_.EchomailSize + queue_.FilesSize, 100);
}

TEST_F(MergeRecordTest, PointsFollowTheirNodeAndSearchGivesInsertionPlace) {
  size_t index = 7;
  EXPECT_FALSE(queue_.Search(Addr(2, 5020, 1), index));
  EXPECT_EQ(index, 0u);
  Merge(Addr(1, 23, 45, 6), kFlavourNormal, kKindFlag);
  Merge(Addr(2, 1, 1), kFlavourNormal, kKindFlag);
  Merge(Addr(1, 23, 45), kFlavourNormal, kKindFlag);
  Merge(Addr(1, 23, 45), kFlavourHold, kKindFlag);
  ASSERT_EQ(queue_.Count(), 3u);
  EXPECT_EQ(FormatNetAddr(NodeAt(0).Addr), "1:23/45");
  EXPECT_EQ(FormatNetAddr(NodeAt(1).Addr), "1:23/45.6");
  EXPECT_EQ(FormatNetAddr(NodeAt(2).Addr), "2:1/1");
  EXPECT_TRUE(queue_.Search(Addr(1, 23, 45, 6), index));
  EXPECT_EQ(index, 1u);
  EXPECT_FALSE(queue_.Search(Addr(1, 23, 46), index));
  EXPECT_EQ(index, 2u);
}

TEST_F(MergeRecordTest, ItemsAreNewestFirstAndKeepEqualOnes) {
  const TNetAddr a = Addr(1, 1, 1);
  Merge(a, kFlavourNormal, kKindNetmail, 1, "A", Dos(2026, 1, 3));
  Merge(a, kFlavourNormal, kKindFlag, 0, "", Dos(2026, 1, 1));
  Merge(a, kFlavourNormal, kKindFile, 2, "B", Dos(2026, 1, 2));
  Merge(a, kFlavourNormal, kKindEchomail, 3, "C", Dos(2026, 1, 4));
  Merge(a, kFlavourNormal, kKindEchomail, 3, "C", Dos(2026, 1, 4));
  const TQueueItems& items = NodeAt(0).Items;
  ASSERT_EQ(items.Count(), 4u);
  EXPECT_EQ(items[0].Name, "C");
  EXPECT_EQ(items[1].Name, "C");
  EXPECT_EQ(items[2].Name, "B");
  EXPECT_EQ(items[3].Name, "A");
  EXPECT_EQ(items[2].Kind, kKindFile);
  EXPECT_EQ(items[2].Size, 2);
  EXPECT_EQ(items[2].Stamp, DosDateTimeToUnix(Dos(2026, 1, 2)));
  // The flag's time is the oldest of all.
  EXPECT_EQ(NodeAt(0).Oldest, DosDateTimeToUnix(Dos(2026, 1, 1)));
}

TEST_F(MergeRecordTest, LogsOneLinePerRecordAtLevelTwo) {
  SetLogLevel(1);
  Merge(Addr(1, 23, 45), kFlavourCrash, kKindNetmail, 1, "x");
  EXPECT_TRUE(Logged().empty());

  SetLogLevel(2);
  Merge(Addr(1, 23, 45), kFlavourCrash, kKindNetmail, 1, "x");
  Merge(Addr(1, 23, 45, 6), kFlavourBusy, kKindFlag);
  Merge(Addr(1, 23, 45), kFlavourHold, kKindEchomail, 1, "y");
  Merge(Addr(1, 23, 45), kFlavourRequest, kKindFile, 1, "z");
  const std::string id = Format("[%d] ", static_cast<int>(CurrentThreadId()));
  EXPECT_EQ(Logged(), (std::vector<std::string>{
                          id + "Add netmail for 1:23/45 with flag C",
                          id + "Add flag b for 1:23/45.6",
                          id + "Add echomail for 1:23/45 with flag H",
                          id + "Add file for 1:23/45 with flag R",
                      }));
}

}  // namespace
}  // namespace zeb::test
