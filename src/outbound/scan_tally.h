// What a scan met that no node's queue shows: files that no mailer sends,
// and directories that could not be read.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace zeb {

// A file in an outbound or a directory of boxes that only a list file can
// make a mailer send: a packet, a bundle, a tic or a file of no known form.
struct TLooseFile {
  std::string Path;
  uint16_t Zone = 0;  // of the directory it lies in
};

struct TScanTally {
  // Stray files by the zone of the directory (or box) they lie in, so that
  // each report counts those of its own domains.
  std::map<uint16_t, int32_t> StraysByZone;
  // Loose files found, strays unless a list file names them: that is known
  // once the whole queue is.
  std::vector<TLooseFile> Loose;
  // Directories whose error was shown: the queue misses what they hold.
  int32_t ScanErrors = 0;

  void Add(const TScanTally& other) {
    for (const auto& [zone, count] : other.StraysByZone) StraysByZone[zone] += count;
    Loose.insert(Loose.end(), other.Loose.begin(), other.Loose.end());
    ScanErrors += other.ScanErrors;
  }
};

}  // namespace zeb
