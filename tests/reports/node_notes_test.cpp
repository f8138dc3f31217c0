// @holduntil, @trycount and @trytext: what binkd's own files say of the
// current node, in a report.
#include <gtest/gtest.h>

#include "fixed_clock.h"
#include "outbound/for_queue.h"
#include "report_fixture.h"
#include "reports/node_notes.h"

namespace zeb::test {
namespace {

using NodeNoteFunctions = ReportFixture;

TEST_F(NodeNoteFunctions, HoldUntilShowsOnlyAMomentStillToCome) {
  const int64_t now = DateToUnix(0, 0, 12, 15, 1, 2027);
  TQueueNode node;
  EXPECT_EQ(HoldUntilText(nullptr, now, "hh:nn"), "");
  EXPECT_EQ(HoldUntilText(&node, now, "hh:nn"), "") << "no hold-until file";
  node.Notes.HoldUntil = now;
  EXPECT_EQ(HoldUntilText(&node, now, "hh:nn"), "") << "a hold that ends now has passed";
  node.Notes.HoldUntil = now - 3600;
  EXPECT_EQ(HoldUntilText(&node, now, "hh:nn"), "");
  node.Notes.HoldUntil = now + 90061;
  EXPECT_EQ(HoldUntilText(&node, now, "dd-mm-yyyy hh:nn:ss"), "16-01-2027 13:01:01");
}

TEST_F(NodeNoteFunctions, TryCountAndTextOnlyWithATryFile) {
  TQueueNode node;
  EXPECT_EQ(TryCountText(nullptr), "");
  EXPECT_EQ(TryTextOf(nullptr), "");
  EXPECT_EQ(TryCountText(&node), "");
  EXPECT_EQ(TryTextOf(&node), "");
  node.Notes.HasTries = true;
  EXPECT_EQ(TryCountText(&node), "0/0") << "a try file with nothing counted yet";
  node.Notes.GoodTries = 65535;
  node.Notes.BadTries = 3;
  node.Notes.TryText = "Connection refused";
  EXPECT_EQ(TryCountText(&node), "65535/3");
  EXPECT_EQ(TryTextOf(&node), "Connection refused");
}

TEST_F(NodeNoteFunctions, WalkOfAReportWithAndWithoutNotes) {
  FixedClock clock(2027, 1, 15, 12, 0, 0);
  const int64_t now = LocalUnixNow();
  Merge(Addr(2, 1, 10), kFlavourCrash, kKindNetmail, 100, "/o/0001000a.cut");
  Merge(Addr(2, 1, 11), kFlavourHold, kKindNetmail, 100, "/o/0001000b.hut");
  Merge(Addr(2, 1, 12), kFlavourNormal, kKindFile, 5, "/f/x.zip");
  MergeRecord(queue_, TForQueue{Addr(2, 1, 10), kFlavourNone, kKindHoldUntil, "", now + 7200, 0});
  MergeRecord(queue_, TForQueue{Addr(2, 1, 10), kFlavourNone, kKindTries, "Connection refused", 0 << 16 | 3, 0});
  MergeRecord(queue_, TForQueue{Addr(2, 1, 11), kFlavourNone, kKindHoldUntil, "", now - 60, 0});
  MergeRecord(queue_, TForQueue{Addr(2, 1, 11), kFlavourNone, kKindTries, "", 5 << 16 | 0, 0});
  ShareWholeQueue();
  EXPECT_EQ(RunReport("@foreach(@queue)\n"
                      "@node [@holduntil(\"dd.mm hh:nn\")] [@trycount] [@trytext]\n"
                      "@nextnode\n"
                      "@end\n"
                      "after the walk: [@holduntil(hh)@trycount@trytext]\n"),
            "2:1/10 [15.01 14:00] [0/3] [Connection refused]\r"
            "2:1/11 [] [5/0] []\r"
            "2:1/12 [] [] []\r"
            "after the walk: []\r");
}

}  // namespace
}  // namespace zeb::test
