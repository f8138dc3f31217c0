// What a node's flags show in a report: @flags, @pflags and the presence of
// each delivery flavour.
#pragma once

#include <cstdint>
#include <string>

#include "outbound/queue.h"

namespace zeb {

// Flavour 3..8 (I C D N H R) is present when its letter stands anywhere in
// the node's flags or one of its three item marks (netmail, echomail, file)
// is set.
bool FlavourPresent(const TQueueNode& node, uint8_t flavour);
bool BusyPresent(const TQueueNode& node);

// Ten characters: "b" at 1 when busy, each present flavour's letter at its
// code's position (3..8). Ten blanks for no node.
std::string FlagsText(const TQueueNode* node);

// Six characters, right-aligned: the present R, H and N, and the first
// present of I, C, D, in that order from the right; "b" first when busy.
// Six blanks for no node.
std::string PFlagsText(const TQueueNode* node);

}  // namespace zeb
