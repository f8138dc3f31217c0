// What the queue functions show of one node: flavour flags, ages and sums.
#include <gtest/gtest.h>

#include "outbound/for_queue.h"
#include "report_fixture.h"
#include "reports/node_age.h"
#include "reports/node_flags.h"
#include "reports/node_sizes.h"

namespace zeb::test {
namespace {

using NodeFigures = ReportFixture;

TEST_F(NodeFigures, FlagsShowBusyAndEveryPresentFlavourInItsPlace) {
  EXPECT_EQ(FlagsText(nullptr), "          ");
  EXPECT_EQ(PFlagsText(nullptr), "      ");

  TQueueNode& n = Merge(Addr(2, 1, 10), kFlavourCrash, kKindNetmail, 100, "/o/0001000a.cut");
  EXPECT_EQ(FlagsText(&n), "   C      ");
  EXPECT_EQ(PFlagsText(&n), "     C");

  Merge(Addr(2, 1, 10), kFlavourHold, kKindEchomail, 10, "/o/x.mo0");
  Merge(Addr(2, 1, 10), kFlavourRequest, kKindFile, 10, "/o/0001000a.req");
  Merge(Addr(2, 1, 10), kFlavourBusy, kKindFlag);
  EXPECT_EQ(FlagsText(&n), "b  C  HR  ");
  EXPECT_EQ(PFlagsText(&n), "b  CHR");

  Merge(Addr(2, 1, 10), kFlavourImmediate, kKindFile, 10, "/o/f");
  Merge(Addr(2, 1, 10), kFlavourDirect, kKindFile, 10, "/o/g");
  Merge(Addr(2, 1, 10), kFlavourNormal, kKindNetmail, 10, "/o/0001000a.out");
  EXPECT_EQ(FlagsText(&n), "b ICDNHR  ");
  EXPECT_EQ(PFlagsText(&n), "b INHR") << "one of I, C, D shows: the most urgent";
}

TEST_F(NodeFigures, AFlavourLetterAnywhereInTheFlagsCountsAndCallIsNoCrash) {
  TQueueNode n;
  n.Flags[0] = 'c';  // call flag: lower case, not crash
  EXPECT_EQ(FlagsText(&n), "          ");
  n.Flags[2] = 'D';
  EXPECT_EQ(FlagsText(&n), "    D     ");
  EXPECT_EQ(PFlagsText(&n), "     D");
  n.Flags[15] = 'X';  // a hold echomail mark
  EXPECT_TRUE(FlavourPresent(n, kFlavourHold));
  EXPECT_EQ(PFlagsText(&n), "    DH");
}

class NodeAges : public ReportFixture {
 protected:
  // A node whose oldest record is `age` seconds older than kNow.
  TQueueNode* Aged(int64_t age) {
    node_.Oldest = kNow - age;
    return &node_;
  }
  static constexpr int64_t kNow = 1780000000;
  static constexpr int64_t kDay = 86400;
  TQueueNode node_;
};

TEST_F(NodeAges, CDayTimeShowsDaysHoursMinutesAndTheMarkFromTheLimitOn) {
  const int64_t age = 3 * kDay + 4 * 3600 + 5 * 60 + 30;
  EXPECT_EQ(CDayTimeText(Aged(age), kNow, "2,!"), "!   3-04:05");
  EXPECT_EQ(CDayTimeText(Aged(age), kNow, "3, '!'"), "!   3-04:05") << "the parts are trimmed and unquoted";
  EXPECT_EQ(CDayTimeText(Aged(age), kNow, "4,!"), "    3-04:05");
  EXPECT_EQ(CDayTimeText(Aged(age), kNow, "2,"), "    3-04:05") << "an empty mark marks nothing";
  EXPECT_EQ(CDayTimeText(Aged(age), kNow, "!"), "    3-04:05") << "without a comma the limit is 65025";
  EXPECT_EQ(CDayTimeText(Aged(35 * 60), kNow, "2,!"), "      00:35");
  EXPECT_EQ(CDayTimeText(Aged(35 * 60), kNow, "0,!"), "!     00:35");
  EXPECT_EQ(CDayTimeText(Aged(123 * kDay), kNow, ""), "  123-00:00");
  EXPECT_EQ(CDayTimeText(nullptr, kNow, "0,!"), "      00:00");
  EXPECT_EQ(CDayTimeText(Aged(-3600), kNow, ""), "      00:00") << "a record from the future is not old";
}

TEST_F(NodeAges, FDaysShowsWholeDaysOrTheMarkBeyondTheLimit) {
  EXPECT_EQ(FDaysText(Aged(5 * kDay), kNow, "3,*"), " *");
  EXPECT_EQ(FDaysText(Aged(29 * kDay / 10), kNow, "3,*"), " 2");
  EXPECT_EQ(FDaysText(Aged(3 * kDay), kNow, "3,*"), " 3");
  EXPECT_EQ(FDaysText(Aged(5 * kDay), kNow, "3"), " !") << "the mark defaults to !";
  EXPECT_EQ(FDaysText(Aged(5 * kDay), kNow, "3,"), " !");
  EXPECT_EQ(FDaysText(Aged(5 * kDay), kNow, "3,xyz"), " x");
  EXPECT_EQ(FDaysText(Aged(kDay), kNow, "none"), " !") << "a limit that is no number is 0";
  EXPECT_EQ(FDaysText(Aged(0), kNow, "none"), " 0");
  EXPECT_EQ(FDaysText(Aged(150 * kDay), kNow, "500"), " !") << "the limit is at most 99";
  EXPECT_EQ(FDaysText(Aged(99 * kDay), kNow, "500"), "99");
  EXPECT_EQ(FDaysText(nullptr, kNow, "3,*"), " !");
}

TEST_F(NodeAges, AMarkOfAUtf8ReportIsItsWholeFirstCharacter) {
  const TTextUnits utf8(true);
  EXPECT_EQ(FDaysText(Aged(5 * kDay), kNow, "3,\u2717x", utf8), " \u2717");
  EXPECT_EQ(CDayTimeText(Aged(5 * kDay), kNow, "2,\u2717", utf8), "\u2717   5-00:00");
}

TEST_F(NodeAges, OldRoundsToTheNearestDayAndFromDayGivesTheDate) {
  EXPECT_EQ(OldText(Aged(kDay * 5 / 2), kNow), "3");
  EXPECT_EQ(OldText(Aged(kDay * 5 / 2 - 1), kNow), "2");
  EXPECT_EQ(OldText(Aged(0), kNow), "0");
  EXPECT_EQ(OldText(nullptr, kNow), "0");

  node_.Oldest = DateToUnix(0, 0, 23, 9, 3, 2026);
  const TDateTime today{2026, 12, 7, 10, 0, 0};
  EXPECT_EQ(FromDayText(&node_, today), "09-03-2026");
  EXPECT_EQ(FromDayText(nullptr, today), "07-12-2026");
}

TEST_F(NodeFigures, SumsByTypeLetterFromTheNodeOrTheReportTotals) {
  TQueueNode& n = Merge(Addr(2, 1, 10), kFlavourCrash, kKindNetmail, 100, "/o/0001000a.cut");
  Merge(Addr(2, 1, 10), kFlavourNormal, kKindEchomail, 2000, "/o/a.mo0");
  Merge(Addr(2, 1, 10), kFlavourNormal, kKindEchomail, 3000, "/o/a.tu1");
  Merge(Addr(2, 1, 10), kFlavourNormal, kKindFile, 40000, "/o/f.zip");
  share_.NetmailSize = 7;
  share_.NetmailCount = 8;
  share_.FilesSize = 9;

  EXPECT_EQ(SumByType(share_, &n, "N", true), 100);
  EXPECT_EQ(SumByType(share_, &n, "nef", true), 45100);
  EXPECT_EQ(SumByType(share_, &n, "NN", true), 100) << "a repeated letter counts once";
  EXPECT_EQ(SumByType(share_, &n, "E", false), 2);
  EXPECT_EQ(SumByType(share_, &n, "NEF", false), 4);
  EXPECT_EQ(SumByType(share_, &n, "NT", true), 7) << "T takes the report's totals";
  EXPECT_EQ(SumByType(share_, &n, "fnt", true), 16);
  EXPECT_EQ(SumByType(share_, &n, "nt", false), 8);
  EXPECT_EQ(SumByType(share_, &n, "T", true), 0);
  EXPECT_EQ(SumByType(share_, nullptr, "NEF", true), 0);
  EXPECT_EQ(SumByType(share_, nullptr, "NT", true), 7);
  EXPECT_EQ(SumByType(share_, &n, "x", true), std::nullopt);
  EXPECT_EQ(SumByType(share_, nullptr, "N E", true), std::nullopt);
}

TEST_F(NodeFigures, PercentIsTheTruncatedShareOfTheWholeQueue) {
  TQueueNode n;
  n.NetmailSize = 1;
  n.EchomailSize = 1;
  n.FilesSize = 1;
  EXPECT_EQ(PercentText(&n, 9), " 33.33");
  EXPECT_EQ(PercentText(&n, 3), "100.00");
  EXPECT_EQ(PercentText(&n, 90000), "  0.00");
  n.FilesSize = 2;
  EXPECT_EQ(PercentText(&n, 6), " 66.66") << "truncated, not rounded";
  EXPECT_EQ(PercentText(&n, 0), "  0.00");
  EXPECT_EQ(PercentText(nullptr, 6), "  0.00");
}

}  // namespace
}  // namespace zeb::test
