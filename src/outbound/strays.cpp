#include "outbound/strays.h"

#include <algorithm>
#include <string_view>
#include <unordered_set>

#include "log/log_queue.h"
#include "support/text.h"

namespace zeb {

void CountStrays(TScanTally& tally, const TQueue& queue) {
  if (tally.Loose.empty()) return;
  // husky keeps bundles beside the list files that send them.
  std::unordered_set<std::string_view> listed;
  for (size_t i = 0; i < queue.Count(); ++i) {
    const TQueueItems& items = queue[i].Items;
    for (size_t k = 0; k < items.Count(); ++k) listed.insert(items[k].Name);
  }
  // Two threads find them in no fixed order.
  std::sort(tally.Loose.begin(), tally.Loose.end(),
            [](const TLooseFile& a, const TLooseFile& b) { return a.Path < b.Path; });
  for (const TLooseFile& file : tally.Loose) {
    if (listed.contains(file.Path)) continue;
    LogLine(Format("Stray file %s", file.Path.c_str()), 1);
    ++tally.StraysByZone[file.Zone];
  }
  tally.Loose.clear();
}

}  // namespace zeb
