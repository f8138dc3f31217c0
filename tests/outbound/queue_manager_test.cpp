#include "outbound/queue_manager.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <stdexcept>
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
  void HandOver(int count) {
    for (int i = 0; i < count; ++i)
      AddToQueue(list_, Addr(2, static_cast<uint16_t>(i % 1000), 1), "/out/" + std::to_string(i), i, Dos(2026, 1, 1),
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
  StartQueueManager(manager_, {&list_, 1}, queue_, true);
  StopQueueManager(manager_);
  FindManagerId();
  EXPECT_NE(managerId_, static_cast<int>(CurrentThreadId()));
  EXPECT_EQ(Logged(), (std::vector<std::string>{Line("Queue Manager - started"), Line("Detect a shutdown flag"),
                                                 Line("Finished")}));
  EXPECT_EQ(queue_.Count(), 0u);
  StopQueueManager(manager_);  // a second request returns at once
}

TEST_F(QueueManagerTest, MergesEveryRecordInOrderBeforeTheSortGoesOn) {
  StartQueueManager(manager_, {&list_, 1}, queue_, true);
  HandOver(100000);  // far faster than the manager merges
  StopQueueManager(manager_);
  ASSERT_EQ(queue_.Count(), 1000u);
  int64_t total = 0;
  for (size_t n = 0; n < queue_.Count(); ++n) {
    const TQueueNode& node = queue_[n];
    ASSERT_EQ(node.Items.Count(), 100u);
    // Newest first: the items of node n were records n + 1000 * k.
    for (size_t k = 0; k < 100; ++k) ASSERT_EQ(node.Items[k].Size, static_cast<int64_t>(n + 1000 * (99 - k)));
    total += node.NetmailSize;
  }
  EXPECT_EQ(total, int64_t{100000} * 99999 / 2);
  EXPECT_EQ(queue_.NetmailSize, total);
}

TEST_F(QueueManagerTest, RecordsHandedOverInBurstsWhileItIdlesAreAllMerged) {
  StartQueueManager(manager_, {&list_, 1}, queue_, true);
  for (int burst = 0; burst < 50; ++burst) {
    HandOver(3);
    std::this_thread::sleep_for(std::chrono::microseconds(200));
  }
  StopQueueManager(manager_);
  int32_t merged = 0;
  for (size_t n = 0; n < queue_.Count(); ++n) merged += queue_[n].NetmailCount;
  EXPECT_EQ(merged, 150);
}

TEST_F(QueueManagerTest, WithoutReportsDropsWhatStillWaits) {
  StartQueueManager(manager_, {&list_, 1}, queue_, false);
  HandOver(200000);
  StopQueueManager(manager_);
  FindManagerId();
  const auto lines = Logged();
  ASSERT_GE(lines.size(), 4u);
  EXPECT_EQ(lines[lines.size() - 3], Line("Detect a shutdown flag"));
  EXPECT_EQ(lines[lines.size() - 2], Line("Reports not found"));
  EXPECT_EQ(lines.back(), Line("Finished"));
  // What was merged is a beginning of the list, in order.
  for (size_t n = 0; n < queue_.Count(); ++n) {
    const TQueueNode& node = queue_[n];
    for (size_t k = 0; k < node.Items.Count(); ++k)
      ASSERT_EQ(node.Items[k].Size, static_cast<int64_t>(n + 1000 * (node.Items.Count() - 1 - k)));
  }
}

// An unhandled error leaves the scan with its manager running: the owner
// stops the thread before the queue goes, and the program ends cleanly.
TEST_F(QueueManagerTest, ItsOwnerStopsAManagerLeftRunning) {
  {
    TQueueManager manager;
    StartQueueManager(manager, {&list_, 1}, queue_, true);
    HandOver(1000);
  }
  FindManagerId();
  EXPECT_TRUE(WasLogged(Line("Finished")));
  int32_t merged = 0;
  for (size_t n = 0; n < queue_.Count(); ++n) merged += queue_[n].NetmailCount;
  EXPECT_EQ(merged, 1000);
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        try {
          TQueueManager manager;
          StartQueueManager(manager, {&list_, 1}, queue_, true);
          HandOver(1000);
          throw std::runtime_error("unhandled");
        } catch (const std::runtime_error&) {
        }
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
