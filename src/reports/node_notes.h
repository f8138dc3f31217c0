// What the mailer's own files say of a node in a report: @holduntil,
// @trycount and @trytext. `now` is the local time as Unix seconds.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "outbound/queue.h"

namespace zeb {

// The hold-until moment formatted with the date-time pattern; empty for no
// node, no hold-until file, or a moment that is not later than now.
std::string HoldUntilText(const TQueueNode* node, int64_t now, std::string_view pattern);

// The good and the bad session counts as "good/bad"; empty for no node or
// no try file.
std::string TryCountText(const TQueueNode* node);

// The text of the last try; empty for no node or no try file.
std::string TryTextOf(const TQueueNode* node);

}  // namespace zeb
