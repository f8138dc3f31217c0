// Which loose files of a scan are strays: those that no list file names.
#pragma once

#include "outbound/queue.h"
#include "outbound/scan_tally.h"

namespace zeb {

// Counts every loose file of the tally that no item of the queue names as
// a stray of its zone, logged at level 1 as "Stray file %s" in path order;
// the loose files are then forgotten.
void CountStrays(TScanTally& tally, const TQueue& queue);

}  // namespace zeb
