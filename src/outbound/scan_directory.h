// One directory of an outbound: a zone directory, a point directory or a
// file box, its entries classified and handed over to the queue.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "config/records.h"
#include "outbound/dir_lookup.h"
#include "outbound/for_queue.h"
#include "support/net_addr.h"

namespace zeb {

enum class TScanMode : uint8_t {
  Outbound,  // a zone directory: flow files, flags, point directories, boxes
  Point,     // the point directory of `addr`: short forms named by point number
  Box,       // a file box of `addr`: every file waits with `flavour`
  BoxDir,    // a directory of T-Mail file boxes named by their addresses
};

// A directory of the scan found and read: its path as it stands on disk and
// its entries in name order.
struct TListedDirectory {
  std::string Dir;
  std::vector<TDirEntry> Entries;
};

// Logs the directory's zone and path, finds it without regard to case and
// reads it. False, once told as ScanDirectory tells it, when the directory
// is missing or cannot be read.
bool ListScanDirectory(TScanContext& scan, const std::string& path, uint16_t zone, bool configured,
                       TListedDirectory& listed);

// The entries [from, to) of a listed directory, classified and handed over.
void ScanListedEntries(TForQueueList& list, TScanContext& scan, const TMainConfig& config,
                       const TListedDirectory& listed, size_t from, size_t to, uint16_t zone, TScanMode mode,
                       const TNetAddr& addr, uint8_t flavour);

// ListScanDirectory, then every entry. A directory that cannot be read is an error. One named in the configuration
// (`configured`) is an error when missing too; one found inside an outbound
// may be gone by the time it is scanned, which is only logged. The scan
// flags come from `config`.
void ScanDirectory(TForQueueList& list, TScanContext& scan, const TMainConfig& config, const std::string& path, uint16_t zone, TScanMode mode, const TNetAddr& addr, uint8_t flavour,
                   bool configured = false);

}  // namespace zeb
