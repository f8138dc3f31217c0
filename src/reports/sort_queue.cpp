#include "reports/sort_queue.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "log/log_queue.h"
#include "log/marks.h"
#include "platform/system.h"
#include "support/text.h"

namespace zeb {

namespace {

template <typename T>
int Order(T a, T b) {
  return a < b ? -1 : (a > b ? 1 : 0);
}

// 1-based place of the node's delivery flavour in "HNDCI"; 0 for none or R.
int FlavourRank(const TQueueNode& node) {
  static constexpr char kRanks[] = "HNDCI";
  const void* at = std::memchr(kRanks, node.Flags[2], sizeof kRanks - 1);
  return at == nullptr ? 0 : static_cast<int>(static_cast<const char*>(at) - kRanks) + 1;
}

int64_t TotalSize(const TQueueNode& n) { return n.NetmailSize + n.EchomailSize + n.FilesSize; }

int CompareByKey(uint8_t key, const TQueueNode& a, const TQueueNode& b) {
  switch (key) {
    case kSortSize: return Order(TotalSize(b), TotalSize(a));
    case kSortAddress: return Order(a.Addr.Key(), b.Addr.Key());
    case kSortDays: return Order(b.Oldest, a.Oldest);
    case kSortNetmailSize: return Order(b.NetmailSize, a.NetmailSize);
    case kSortEchomailSize: return Order(b.EchomailSize, a.EchomailSize);
    case kSortFileEchomailSize: return Order(b.FilesSize, a.FilesSize);
    case kSortFlavour: return Order(FlavourRank(a), FlavourRank(b));
    default: return 0;
  }
}

bool HasSortKeys(const TReport& report) {
  return std::any_of(report.SortBy.begin(), report.SortBy.end(), [](uint8_t key) { return key != kSortNone; });
}

// The flags with the empty positions shown as the middle dot in UTF-8.
std::string FlagsForLog(const std::string& flags) {
  std::string text;
  for (const char c : flags) {
    if (c == kNoFlag)
      text += kEmptyFlagMark;
    else
      text += c;
  }
  return text;
}

void DumpQueue(const TQueue& queue) {
  std::string header = "Address           cbF";
  for (const char letter : std::string("ICDNHR")) header += kBoxLeftCorner + (letter + std::string(kBoxRightCorner));
  LogLine(header, 3);
  for (size_t i = 0; i < queue.Count(); ++i) {
    const TQueueNode& node = queue[i];
    LogLine(Format("%-16s  %s", FormatNetAddr(node.Addr).c_str(), FlagsForLog(node.Flags).c_str()), 3);
  }
}

// Whether one of the report's domains covers the node's zone without
// skipping its address; `covered` is raised when any covers the zone.
bool InReport(const TReport& report, const TQueueNode& node, bool& covered) {
  for (const TDomain* domain : report.Domains) {
    if (!ZoneInDomain(node.Addr.Zone, *domain)) continue;
    covered = true;
    size_t index = 0;
    if (domain->Skip != nullptr && domain->Skip->Search(node.Addr, index)) continue;
    return true;
  }
  return false;
}

// The report's share: the nodes met in address order, put in key order.
// The sort is stable, so nodes that tie on every key keep address order:
// a tie never leaves a node out, which would shrink the report's totals
// without a sign.
TReportShare GroupReport(const TReport& report, const TQueue& queue) {
  TReportShare share;
  for (const auto& strays : queue.Tally.StraysByZone)
    if (std::any_of(report.Domains.begin(), report.Domains.end(),
                    [&strays](const TDomain* domain) { return ZoneInDomain(strays.first, *domain); }))
      share.Strays += strays.second;
  bool covered = false;
  std::vector<TQueueNode*> nodes;
  for (size_t i = 0; i < queue.Count(); ++i) {
    if (InReport(report, queue[i], covered)) nodes.push_back(&queue[i]);
  }
  if (!covered) return share;
  if (HasSortKeys(report)) {
    const auto less = [&report](const TQueueNode* a, const TQueueNode* b) {
      return CompareReportNodes(report, *a, *b) < 0;
    };
    std::stable_sort(nodes.begin(), nodes.end(), less);
  }
  share.ReportNodes = std::move(nodes);
  SumQueueTotals(share);
  return share;
}

}  // namespace

bool ZoneInDomain(uint16_t zone, const TDomain& domain) {
  return std::find(domain.Zones.begin(), domain.Zones.end(), zone) != domain.Zones.end();
}

int CompareReportNodes(const TReport& report, const TQueueNode& a, const TQueueNode& b) {
  for (const uint8_t key : report.SortBy) {
    const int c = CompareByKey(key & ~kSortReversed, a, b);
    if (c != 0) return (key & kSortReversed) != 0 ? -c : c;
  }
  return 0;
}

void SumQueueTotals(TReportShare& share) {
  if (!share.ReportNodes) return;
  for (const TQueueNode* node : *share.ReportNodes) {
    share.NetmailSize += node->NetmailSize;
    share.NetmailCount += node->NetmailCount;
    share.EchomailSize += node->EchomailSize;
    share.EchomailCount += node->EchomailCount;
    share.FilesSize += node->FilesSize;
    share.FilesCount += node->FilesCount;
  }
}

std::vector<TReportShare> SortQueue(const std::vector<std::unique_ptr<TReport>>& reports, const TQueue& queue) {
  LogLine(Format("Sorted %d addresses from queue by report group", static_cast<int>(queue.Count())), 1);
  if (LogLevel() >= 3) DumpQueue(queue);
  LogLine(Format("Sort queue for %d report(s)", static_cast<int>(reports.size())), 2);
  const uint64_t start = TickCount();
  std::vector<TReportShare> shares;
  shares.reserve(reports.size());
  for (const auto& report : reports) shares.push_back(GroupReport(*report, queue));
  LogLine(Format("Sorting completed after %d msec", static_cast<int>(TickCount() - start)), 2);
  return shares;
}

}  // namespace zeb
