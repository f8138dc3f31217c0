// One directory of an outbound: a zone directory, a point directory or a
// file box, its entries classified and handed over to the queue.
#pragma once

#include <cstdint>
#include <string>

#include "config/records.h"
#include "outbound/dir_lookup.h"
#include "outbound/for_queue.h"
#include "support/net_addr.h"

namespace zeb {

enum class TScanMode : uint8_t {
  Outbound,  // a zone directory: flow files, flags, point directories, boxes
  Point,     // the point directory of `addr`: short forms named by point number
  Box,       // a file box of `addr`: every file waits with `flavour`
};

// A directory that cannot be read is an error. One named in the configuration
// (`configured`) is an error when missing too; one found inside an outbound
// may be gone by the time it is scanned, which is only logged. The scan
// flags come from `config`.
void ScanDirectory(TForQueueList& list, TScanContext& scan, const TMainConfig& config, const std::string& path, uint16_t zone, TScanMode mode, const TNetAddr& addr, uint8_t flavour,
                   bool configured = false);

}  // namespace zeb
