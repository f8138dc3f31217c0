#include "outbound/queue_manager.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <thread>

#include "outbound/queue_fixture.h"
#include "reports/sort_queue.h"
#include "platform/system.h"
#include "support/text.h"

namespace zeb::test {
namespace {

class QueueManagerTest : public QueueTest {
 protected:
  // Record i goes to one of 1000 nodes and carries its number as size.
  static void HandOver(int count) {
    for (int i = 0; i < count; ++i)
      AddToQueue(Addr(2, static_cast<uint16_t>(i % 1000), 1), "/out/" + std::to_string(i), i, Dos(2026, 1, 1),
                 kFlavourNormal, kKindNetmail);
  }
  std::string Line(const char* text) const { return Format("[%d] %s", managerId_, text); }
  // The manager's identifier, taken from its first line.
  void FindManagerId() {
    for (const std::string& line : Logged())
      if (line.ends_with("] Queue Manager - started")) managerId_ = std::stoi(line.substr(1));
  }
  int managerId_ = -1;
};

TEST_F(QueueManagerTest, WithoutRecordsStartsDetectsTheRequestAndFinishes) {
  StartQueueManager(true);
  StopQueueManager();
  FindManagerId();
  EXPECT_NE(managerId_, static_cast<int>(CurrentThreadId()));
  EXPECT_EQ(Logged(), (std::vector<std::string>{Line("Queue Manager - started"), Line("Detect a shutdown flag"),
                                                 Line("Finished")}));
  EXPECT_EQ(Queue().Count(), 0u);
  StopQueueManager();  // a second request returns at once
}

TEST_F(QueueManagerTest, MergesEveryRecordInOrderBeforeTheSortGoesOn) {
  StartQueueManager(true);
  HandOver(100000);  // far faster than the manager merges
  StopQueueManager();
  ASSERT_EQ(Queue().Count(), 1000u);
  int64_t total = 0;
  for (size_t n = 0; n < Queue().Count(); ++n) {
    const TQueueNode& node = Queue()[n];
    ASSERT_EQ(node.Items.Count(), 100u);
    // Newest first: the items of node n were records n + 1000 * k.
    for (size_t k = 0; k < 100; ++k) ASSERT_EQ(node.Items[k].Size, static_cast<int64_t>(n + 1000 * (99 - k)));
    total += node.NetmailSize;
  }
  EXPECT_EQ(total, int64_t{100000} * 99999 / 2);
  EXPECT_EQ(QueueNetmailSize(), total);
}

TEST_F(QueueManagerTest, RecordsHandedOverInBurstsWhileItIdlesAreAllMerged) {
  StartQueueManager(true);
  for (int burst = 0; burst < 50; ++burst) {
    HandOver(3);
    std::this_thread::sleep_for(std::chrono::microseconds(200));
  }
  StopQueueManager();
  int32_t merged = 0;
  for (size_t n = 0; n < Queue().Count(); ++n) merged += Queue()[n].NetmailCount;
  EXPECT_EQ(merged, 150);
}

TEST_F(QueueManagerTest, WithoutReportsDropsWhatStillWaits) {
  StartQueueManager(false);
  HandOver(200000);
  StopQueueManager();
  FindManagerId();
  const auto lines = Logged();
  ASSERT_GE(lines.size(), 4u);
  EXPECT_EQ(lines[lines.size() - 3], Line("Detect a shutdown flag"));
  EXPECT_EQ(lines[lines.size() - 2], Line("Reports not found"));
  EXPECT_EQ(lines.back(), Line("Finished"));
  // What was merged is a beginning of the list, in order.
  for (size_t n = 0; n < Queue().Count(); ++n) {
    const TQueueNode& node = Queue()[n];
    for (size_t k = 0; k < node.Items.Count(); ++k)
      ASSERT_EQ(node.Items[k].Size, static_cast<int64_t>(n + 1000 * (node.Items.Count() - 1 - k)));
  }
}

TEST_F(QueueManagerTest, ExitStepStopsTheManagerAndFreesListAndQueue) {
  StartQueueManager(true);
  HandOver(10);
  QueueManagerExitStep();
  FindManagerId();
  EXPECT_EQ(ForQueueCount(), 0u);
  EXPECT_EQ(Queue().Count(), 0u);
  EXPECT_EQ(QueueNetmailSize(), 0);
  const auto lines = Logged();
  const auto at = [&lines](const std::string& text) { return std::find(lines.begin(), lines.end(), text) - lines.begin(); };
  EXPECT_LT(at("Control point - 4"), at(Line("Detect a shutdown flag")));
  EXPECT_LT(at(Line("Finished")), at("Control point - 5"));
  EXPECT_LT(at("Control point - 5"), at("Control point - 6"));
  EXPECT_LT(at("Control point - 6"), at("Control point - 7"));
  EXPECT_LT(at("Control point - 7"), static_cast<ptrdiff_t>(lines.size()));
}

// After an unhandled error the exit steps but the logger's are skipped; the
// program must still end cleanly with the manager running.
TEST_F(QueueManagerTest, ProgramEndsCleanlyWhileTheManagerRuns) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        StartQueueManager(true);
        HandOver(1000);
        std::exit(0);
      },
      ::testing::ExitedWithCode(0), "");
}

TEST(ForQueueList, StoredRecordsNeverMoveAsTheListGrows) {
  TForQueueList list;
  list.Append(TForQueue{TNetAddr{0, 1, 1, 1}, kFlavourCrash, kKindNetmail, "first", 1, 2});
  const TForQueue* first = &list[0];
  for (int i = 1; i < 70000; ++i)
    list.Append(TForQueue{TNetAddr{0, static_cast<uint16_t>(i), 1, 1}, kFlavourHold, kKindFile,
                          std::to_string(i), i, 0});
  EXPECT_EQ(&list[0], first);
  EXPECT_EQ(list[0].Name, "first");
  ASSERT_EQ(list.Count(), 70000u);
  for (size_t i : {127u, 128u, 383u, 384u, 69999u}) EXPECT_EQ(list[i].Size, static_cast<int64_t>(i));
  list.Clear();
  EXPECT_EQ(list.Count(), 0u);
  list.Append(TForQueue{});
  EXPECT_EQ(list.Count(), 1u);
}

}  // namespace
}  // namespace zeb::test
