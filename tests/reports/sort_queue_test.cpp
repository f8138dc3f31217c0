#include "reports/sort_queue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <memory>
#include <vector>

#include "config/domains.h"
#include "outbound/queue_fixture.h"
#include "support/utf8.h"

namespace zeb::test {
namespace {

class SortQueueTest : public QueueTest {
 protected:
  TDomain& Domain(const char* name, std::initializer_list<uint16_t> zones) {
    TDomain& domain = *GetOrAddDomain(config_, name);
    for (uint16_t zone : zones) AddZone(domain, zone);
    return domain;
  }
  static void Skip(TDomain& domain, const TNetAddr& addr) {
    if (domain.Skip == nullptr) domain.Skip = std::make_unique<TNetAddrSet>();
    domain.Skip->Insert(addr);
  }
  // A new report of the configuration; its index.
  size_t Report(std::initializer_list<TDomain*> domains, std::initializer_list<uint8_t> keys) {
    auto report = std::make_unique<TReport>();
    for (TDomain* d : domains) report->Domains.Insert(d);
    size_t i = 0;
    for (uint8_t key : keys) report->SortBy[i++] = key;
    config_.Reports.push_back(std::move(report));
    return config_.Reports.size() - 1;
  }
  void Sort() { shares_ = SortQueue(config_.Reports, queue_); }
  // The share of a report as addresses, in its order.
  std::vector<std::string> Listed(size_t report) const {
    std::vector<std::string> list;
    for (const TQueueNode* node : shares_.at(report).ReportNodes.value()) list.push_back(FormatNetAddr(node->Addr));
    return list;
  }
  TMainConfig config_;
  std::vector<TReportShare> shares_;
  using Names = std::vector<std::string>;
};

TEST_F(SortQueueTest, SizeThenAddressAndSizeAloneKeepingTiesInAddressOrder) {
  TDomain& fido = Domain("fidonet", {2});
  const size_t sizeAddress = Report({&fido}, {kSortSize, kSortAddress});
  const size_t sizeOnly = Report({&fido}, {kSortSize});
  const size_t addressLast = Report({&fido}, {kSortSize, kSortNetmailSize, kSortAddress});
  Merge(Addr(2, 1, 3), kFlavourNormal, kKindNetmail, 100);
  Merge(Addr(2, 1, 1), kFlavourNormal, kKindFile, 100);
  Merge(Addr(2, 1, 2), kFlavourNormal, kKindEchomail, 500);
  Merge(Addr(2, 1, 4), kFlavourNormal, kKindEchomail, 40);
  Merge(Addr(2, 1, 4), kFlavourNormal, kKindFile, 60);
  Sort();
  EXPECT_EQ(Listed(sizeAddress), (Names{"2:1/2", "2:1/1", "2:1/3", "2:1/4"}));
  EXPECT_EQ(Listed(sizeOnly), (Names{"2:1/2", "2:1/1", "2:1/3", "2:1/4"}));
  EXPECT_EQ(Listed(addressLast), (Names{"2:1/2", "2:1/3", "2:1/1", "2:1/4"}));
}

TEST_F(SortQueueTest, EachKeyOrdersItsWay) {
  TDomain& fido = Domain("fidonet", {1});
  const size_t days = Report({&fido}, {kSortDays});
  const size_t longestWaiting = Report({&fido}, {kSortDays | kSortReversed});
  const size_t netmail = Report({&fido}, {kSortNetmailSize, kSortAddress});
  const size_t echomail = Report({&fido}, {kSortEchomailSize, kSortAddress});
  const size_t files = Report({&fido}, {kSortFileEchomailSize, kSortAddress});
  const size_t flavour = Report({&fido}, {kSortFlavour, kSortAddress});
  const size_t address = Report({&fido}, {kSortAddress});
  Merge(Addr(1, 9, 1), kFlavourImmediate, kKindNetmail, 10, "a", Dos(2026, 1, 5));
  Merge(Addr(1, 9, 2), kFlavourHold, kKindEchomail, 10, "b", Dos(2026, 1, 9));
  Merge(Addr(1, 9, 3), kFlavourRequest, kKindFile, 10, "c", Dos(2026, 1, 1));
  Merge(Addr(1, 9, 4), kFlavourBusy, kKindFlag, 0, "", Dos(2026, 1, 7));
  Merge(Addr(1, 9, 5), kFlavourCrash, kKindNetmail, 30, "e", Dos(2026, 1, 3));
  Merge(Addr(1, 9, 5, 1), kFlavourNormal, kKindFile, 5, "f", Dos(2026, 1, 2));
  Sort();
  EXPECT_EQ(Listed(days), (Names{"1:9/2", "1:9/4", "1:9/1", "1:9/5", "1:9/5.1", "1:9/3"}));
  EXPECT_EQ(Listed(longestWaiting), (Names{"1:9/3", "1:9/5.1", "1:9/5", "1:9/1", "1:9/4", "1:9/2"}));
  EXPECT_EQ(Listed(netmail), (Names{"1:9/5", "1:9/1", "1:9/2", "1:9/3", "1:9/4", "1:9/5.1"}));
  EXPECT_EQ(Listed(echomail), (Names{"1:9/2", "1:9/1", "1:9/3", "1:9/4", "1:9/5", "1:9/5.1"}));
  EXPECT_EQ(Listed(files), (Names{"1:9/3", "1:9/5.1", "1:9/1", "1:9/2", "1:9/4", "1:9/5"}));
  // No flavour or R only first, then H, N, D, C, I.
  EXPECT_EQ(Listed(flavour), (Names{"1:9/3", "1:9/4", "1:9/2", "1:9/5.1", "1:9/5", "1:9/1"}));
  EXPECT_EQ(Listed(address), (Names{"1:9/1", "1:9/2", "1:9/3", "1:9/4", "1:9/5", "1:9/5.1"}));
}

TEST_F(SortQueueTest, WithoutSortKeysEveryNodeInAddressOrder) {
  TDomain& fido = Domain("fidonet", {2});
  const size_t report = Report({&fido}, {});
  for (uint16_t node : {7, 3, 5}) Merge(Addr(2, 1, node), kFlavourNormal, kKindNetmail, 10);
  Sort();
  EXPECT_EQ(Listed(report), (Names{"2:1/3", "2:1/5", "2:1/7"}));
}

TEST_F(SortQueueTest, TiesAndZonesFrom32768KeepAddressOrderUnderEveryKey) {
  TDomain& fido = Domain("fidonet", {1, 40000});
  const std::vector<std::vector<uint8_t>> keyLists = {{}, {kSortAddress}, {kSortSize}, {kSortDays}, {kSortSize, kSortDays}};
  for (const auto& keys : keyLists) {
    Report({&fido}, {});
    std::copy(keys.begin(), keys.end(), config_.Reports.back()->SortBy.begin());
  }
  for (const TNetAddr& a : {Addr(40000, 1, 1), Addr(1, 2, 1), Addr(1, 1, 1, 5), Addr(1, 1, 1)})
    Merge(a, kFlavourNormal, kKindNetmail, 1000, "m", Dos(2026, 1, 5));
  Sort();
  const Names inAddressOrder{"1:1/1", "1:1/1.5", "1:2/1", "40000:1/1"};
  EXPECT_EQ(FormatNetAddr(queue_[3].Addr), "40000:1/1");
  for (size_t i = 0; i < keyLists.size(); ++i) EXPECT_EQ(Listed(i), inAddressOrder) << "key list " << i;
}

TEST_F(SortQueueTest, DomainsZonesAndSkipSets) {
  TDomain& fido = Domain("fidonet", {1, 2});
  TDomain& other = Domain("othernet", {2, 99});
  TDomain& unused = Domain("unused", {50});
  Skip(fido, Addr(2, 1, 1));
  Skip(fido, Addr(1, 1, 1));
  Skip(other, Addr(99, 1, 1));
  const size_t both = Report({&fido, &other}, {kSortAddress});
  const size_t fidoOnly = Report({&fido}, {kSortAddress});
  const size_t nothing = Report({&unused}, {kSortAddress});
  const size_t otherOnly = Report({&other}, {kSortAddress});
  Merge(Addr(1, 1, 1), kFlavourNormal, kKindFlag);   // skipped by the only domain of zone 1
  Merge(Addr(2, 1, 1), kFlavourNormal, kKindFlag);   // skipped by fidonet, kept through othernet
  Merge(Addr(3, 1, 1), kFlavourNormal, kKindFlag);   // in no domain
  Merge(Addr(99, 1, 1), kFlavourNormal, kKindFlag);  // skipped by othernet
  Merge(Addr(99, 1, 2), kFlavourNormal, kKindFlag);
  Sort();
  EXPECT_EQ(Listed(both), (Names{"2:1/1", "99:1/2"}));
  EXPECT_EQ(Listed(fidoOnly), Names{});
  EXPECT_FALSE(shares_[nothing].ReportNodes.has_value());
  EXPECT_EQ(Listed(otherOnly), (Names{"2:1/1", "99:1/2"}));
  EXPECT_EQ(queue_.Count(), 5u);
}

TEST_F(SortQueueTest, LogsTheSortAndDumpsTheQueueFromLevelThree) {
  Report({&Domain("fidonet", {2})}, {kSortAddress});
  Merge(Addr(2, 5020, 1), kFlavourCrash, kKindNetmail, 1);
  Merge(Addr(2, 5020, 1, 7), kFlavourBusy, kKindFlag);

  SetLogLevel(2);
  Sort();
  auto lines = Logged();
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0], "Sorted 2 addresses from queue by report group");
  EXPECT_EQ(lines[1], "Sort queue for 1 report(s)");
  EXPECT_TRUE(lines[2].starts_with("Sorting completed after ") && lines[2].ends_with(" msec")) << lines[2];

  SetLogLevel(3);
  Sort();
  lines = Logged();
  ASSERT_EQ(lines.size(), 9u);
  const std::string header = lines[4];
  EXPECT_EQ(header,
            "Address           cbF\u250CI\u2510\u250C" "C\u2510\u250C" "D\u2510\u250CN\u2510\u250CH\u2510\u250CR\u2510");
  EXPECT_EQ(TTextUnits(true).Length(header), 39u);
  const auto dots = [](int count) {
    std::string text;
    for (int i = 0; i < count; ++i) text += "\u00B7";
    return text;
  };
  EXPECT_EQ(lines[5], "2:5020/1          " + dots(2) + "C" + dots(3) + "M" + dots(14));
  EXPECT_EQ(lines[6], "2:5020/1.7        " + dots(1) + "b" + dots(19));
  EXPECT_EQ(lines[7], "Sort queue for 1 report(s)");
}

}  // namespace
}  // namespace zeb::test
