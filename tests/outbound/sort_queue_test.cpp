#include "outbound/sort_queue.h"

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
  static TDomain& Domain(const char* name, std::initializer_list<uint16_t> zones) {
    TDomain& domain = *GetOrAddDomain(MainConfig(), name);
    for (uint16_t zone : zones) AddZone(domain, zone);
    return domain;
  }
  static void Skip(TDomain& domain, const TNetAddr& addr) {
    if (domain.Skip == nullptr) domain.Skip = std::make_unique<TNetAddrSet>();
    domain.Skip->Insert(addr);
  }
  static TReport& Report(std::initializer_list<TDomain*> domains, std::initializer_list<uint8_t> keys) {
    auto report = std::make_unique<TReport>();
    for (TDomain* d : domains) report->Domains.Insert(d);
    size_t i = 0;
    for (uint8_t key : keys) report->SortBy[i++] = key;
    MainConfig().Reports.push_back(std::move(report));
    return *MainConfig().Reports.back();
  }
  // The report's nodes as addresses, in its order.
  static std::vector<std::string> Listed(const TReport& report) {
    std::vector<std::string> list;
    for (const TQueueNode* node : report.ReportNodes.value()) list.push_back(FormatNetAddr(node->Addr));
    return list;
  }
  using Names = std::vector<std::string>;
};

TEST_F(SortQueueTest, SizeThenAddressAndSizeAloneKeepingTiesInAddressOrder) {
  TDomain& fido = Domain("fidonet", {2});
  TReport& sizeAddress = Report({&fido}, {kSortSize, kSortAddress});
  TReport& sizeOnly = Report({&fido}, {kSortSize});
  TReport& addressLast = Report({&fido}, {kSortSize, kSortNetmailSize, kSortAddress});
  Merge(Addr(2, 1, 3), kFlavourNormal, kKindNetmail, 100);
  Merge(Addr(2, 1, 1), kFlavourNormal, kKindFile, 100);
  Merge(Addr(2, 1, 2), kFlavourNormal, kKindEchomail, 500);
  Merge(Addr(2, 1, 4), kFlavourNormal, kKindEchomail, 40);
  Merge(Addr(2, 1, 4), kFlavourNormal, kKindFile, 60);
  SortQueue();
  EXPECT_EQ(Listed(sizeAddress), (Names{"2:1/2", "2:1/1", "2:1/3", "2:1/4"}));
  EXPECT_EQ(Listed(sizeOnly), (Names{"2:1/2", "2:1/1", "2:1/3", "2:1/4"}));
  EXPECT_EQ(Listed(addressLast), (Names{"2:1/2", "2:1/3", "2:1/1", "2:1/4"}));
}

TEST_F(SortQueueTest, EachKeyOrdersItsWay) {
  TDomain& fido = Domain("fidonet", {1});
  TReport& days = Report({&fido}, {kSortDays});
  TReport& netmail = Report({&fido}, {kSortNetmailSize, kSortAddress});
  TReport& echomail = Report({&fido}, {kSortEchomailSize, kSortAddress});
  TReport& files = Report({&fido}, {kSortFileEchomailSize, kSortAddress});
  TReport& flavour = Report({&fido}, {kSortFlavour, kSortAddress});
  TReport& address = Report({&fido}, {kSortAddress});
  Merge(Addr(1, 9, 1), kFlavourImmediate, kKindNetmail, 10, "a", Dos(2026, 1, 5));
  Merge(Addr(1, 9, 2), kFlavourHold, kKindEchomail, 10, "b", Dos(2026, 1, 9));
  Merge(Addr(1, 9, 3), kFlavourRequest, kKindFile, 10, "c", Dos(2026, 1, 1));
  Merge(Addr(1, 9, 4), kFlavourBusy, kKindFlag, 0, "", Dos(2026, 1, 7));
  Merge(Addr(1, 9, 5), kFlavourCrash, kKindNetmail, 30, "e", Dos(2026, 1, 3));
  Merge(Addr(1, 9, 5, 1), kFlavourNormal, kKindFile, 5, "f", Dos(2026, 1, 2));
  SortQueue();
  EXPECT_EQ(Listed(days), (Names{"1:9/2", "1:9/4", "1:9/1", "1:9/5", "1:9/5.1", "1:9/3"}));
  EXPECT_EQ(Listed(netmail), (Names{"1:9/5", "1:9/1", "1:9/2", "1:9/3", "1:9/4", "1:9/5.1"}));
  EXPECT_EQ(Listed(echomail), (Names{"1:9/2", "1:9/1", "1:9/3", "1:9/4", "1:9/5", "1:9/5.1"}));
  EXPECT_EQ(Listed(files), (Names{"1:9/3", "1:9/5.1", "1:9/1", "1:9/2", "1:9/4", "1:9/5"}));
  // No flavour or R only first, then H, N, D, C, I.
  EXPECT_EQ(Listed(flavour), (Names{"1:9/3", "1:9/4", "1:9/2", "1:9/5.1", "1:9/5", "1:9/1"}));
  EXPECT_EQ(Listed(address), (Names{"1:9/1", "1:9/2", "1:9/3", "1:9/4", "1:9/5", "1:9/5.1"}));
}

TEST_F(SortQueueTest, WithoutSortKeysEveryNodeInAddressOrder) {
  TDomain& fido = Domain("fidonet", {2});
  TReport& report = Report({&fido}, {});
  for (uint16_t node : {7, 3, 5}) Merge(Addr(2, 1, node), kFlavourNormal, kKindNetmail, 10);
  SortQueue();
  EXPECT_EQ(Listed(report), (Names{"2:1/3", "2:1/5", "2:1/7"}));
}

TEST_F(SortQueueTest, TiesAndZonesFrom32768KeepAddressOrderUnderEveryKey) {
  TDomain& fido = Domain("fidonet", {1, 40000});
  const std::vector<std::vector<uint8_t>> keyLists = {{}, {kSortAddress}, {kSortSize}, {kSortDays}, {kSortSize, kSortDays}};
  std::vector<TReport*> reports;
  for (const auto& keys : keyLists) {
    reports.push_back(&Report({&fido}, {}));
    std::copy(keys.begin(), keys.end(), reports.back()->SortBy.begin());
  }
  for (const TNetAddr& a : {Addr(40000, 1, 1), Addr(1, 2, 1), Addr(1, 1, 1, 5), Addr(1, 1, 1)})
    Merge(a, kFlavourNormal, kKindNetmail, 1000, "m", Dos(2026, 1, 5));
  SortQueue();
  const Names inAddressOrder{"1:1/1", "1:1/1.5", "1:2/1", "40000:1/1"};
  EXPECT_EQ(FormatNetAddr(Queue()[3].Addr), "40000:1/1");
  for (size_t i = 0; i < reports.size(); ++i) EXPECT_EQ(Listed(*reports[i]), inAddressOrder) << "key list " << i;
}

TEST_F(SortQueueTest, DomainsZonesAndSkipSets) {
  TDomain& fido = Domain("fidonet", {1, 2});
  TDomain& other = Domain("othernet", {2, 99});
  TDomain& unused = Domain("unused", {50});
  Skip(fido, Addr(2, 1, 1));
  Skip(fido, Addr(1, 1, 1));
  Skip(other, Addr(99, 1, 1));
  TReport& both = Report({&fido, &other}, {kSortAddress});
  TReport& fidoOnly = Report({&fido}, {kSortAddress});
  TReport& nothing = Report({&unused}, {kSortAddress});
  TReport& otherOnly = Report({&other}, {kSortAddress});
  Merge(Addr(1, 1, 1), kFlavourNormal, kKindFlag);   // skipped by the only domain of zone 1
  Merge(Addr(2, 1, 1), kFlavourNormal, kKindFlag);   // skipped by fidonet, kept through othernet
  Merge(Addr(3, 1, 1), kFlavourNormal, kKindFlag);   // in no domain
  Merge(Addr(99, 1, 1), kFlavourNormal, kKindFlag);  // skipped by othernet
  Merge(Addr(99, 1, 2), kFlavourNormal, kKindFlag);
  SortQueue();
  EXPECT_EQ(Listed(both), (Names{"2:1/1", "99:1/2"}));
  EXPECT_EQ(Listed(fidoOnly), Names{});
  EXPECT_FALSE(nothing.ReportNodes.has_value());
  EXPECT_EQ(Listed(otherOnly), (Names{"2:1/1", "99:1/2"}));
  EXPECT_EQ(Queue().Count(), 5u);
}

TEST_F(SortQueueTest, LogsTheSortAndDumpsTheQueueFromLevelThree) {
  Report({&Domain("fidonet", {2})}, {kSortAddress});
  Merge(Addr(2, 5020, 1), kFlavourCrash, kKindNetmail, 1);
  Merge(Addr(2, 5020, 1, 7), kFlavourBusy, kKindFlag);

  SetLogLevel(2);
  SortQueue();
  auto lines = Logged();
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0], "Sorted 2 addresses from queue by report group");
  EXPECT_EQ(lines[1], "Sort queue for 1 report(s)");
  EXPECT_TRUE(lines[2].starts_with("Sorting completed after ") && lines[2].ends_with(" msec")) << lines[2];

  SetLogLevel(3);
  SortQueue();
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
