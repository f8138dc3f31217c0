// What a scan met that no node's queue shows: files that no mailer sends,
// and directories that could not be read.
#pragma once

#include <cstdint>
#include <map>

namespace zeb {

struct TScanTally {
  // Stray files by the zone of the directory (or box) they lie in, so that
  // each report counts those of its own domains.
  std::map<uint16_t, int32_t> StraysByZone;
  // Directories whose error was shown: the queue misses what they hold.
  int32_t ScanErrors = 0;

  void Add(const TScanTally& other) {
    for (const auto& [zone, count] : other.StraysByZone) StraysByZone[zone] += count;
    ScanErrors += other.ScanErrors;
  }
};

}  // namespace zeb
