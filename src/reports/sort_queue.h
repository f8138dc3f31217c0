// Dividing the queue among the reports.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "config/records.h"
#include "outbound/queue.h"

namespace zeb {

// A report's share of the queue and its totals.
struct TReportShare {
  // The nodes in the order of the report's sort keys; none when no domain
  // of the report covers a queued zone. The nodes belong to the queue.
  std::optional<std::vector<TQueueNode*>> ReportNodes;
  int64_t NetmailSize = 0;
  int32_t NetmailCount = 0;
  int64_t EchomailSize = 0;
  int32_t EchomailCount = 0;
  int64_t FilesSize = 0;
  int32_t FilesCount = 0;
  // Files of the report's domains' zones that no mailer sends.
  int32_t Strays = 0;
};

// Adds the byte and item counts of the share's nodes to its totals; a
// share without nodes keeps its totals.
void SumQueueTotals(TReportShare& share);

// Logs the queue (all of it at level 3 and up), then gives every report its
// share of the queue, in the order of `reports`: the nodes of its domains'
// zones that those domains do not skip, in the order of its sort keys, with
// their totals. Nodes that tie on every key, and all nodes of a report
// without keys, are listed in address order.
std::vector<TReportShare> SortQueue(const std::vector<std::unique_ptr<TReport>>& reports, const TQueue& queue);

// Whether the zone is one of the domain's zones.
bool ZoneInDomain(uint16_t zone, const TDomain& domain);

// Orders two nodes by the report's sort keys: negative, zero or positive.
int CompareReportNodes(const TReport& report, const TQueueNode& a, const TQueueNode& b);

}  // namespace zeb
