// The byte and item figures of @mailsize, @files and @percent.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "outbound/queue.h"
#include "reports/sort_queue.h"

namespace zeb {

// The sum selected by type letters, any case: N netmail, E echomail,
// F files, each counted once; a T anywhere takes the figures from the
// report's totals in its share instead of the node (no node and no T: 0). `bytes`
// selects sizes, otherwise counts. Empty for a letter of no type.
std::optional<int64_t> SumByType(const TReportShare& share, const TQueueNode* node, std::string_view letters,
                                 bool bytes);

// The node's share of the queue's bytes, "%6.2f" of a percentage truncated
// to hundredths; 0.00 for no node or an empty queue.
std::string PercentText(const TQueueNode* node, int64_t queueBytes);

}  // namespace zeb
