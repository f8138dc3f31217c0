// Dividing the queue among the reports.
#pragma once

#include <cstdint>

#include "config/records.h"
#include "outbound/queue.h"

namespace zeb {

// Stops the queue manager, logs the queue (all of it at level 3 and up), then
// gives every report its share of the queue: the nodes of its domains' zones
// that those domains do not skip, in the order of its sort keys. Nodes that
// tie on every key, and all nodes of a report without keys, are listed in
// address order.
void SortQueue();

// Whether the zone is one of the domain's zones.
bool ZoneInDomain(uint16_t zone, const TDomain& domain);

// Orders two nodes by the report's sort keys: negative, zero or positive.
int CompareReportNodes(const TReport& report, const TQueueNode& a, const TQueueNode& b);

}  // namespace zeb
