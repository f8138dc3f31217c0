// List files (?lo, *.list, tobesent.$$$): the files they name, queued for
// one node.
#pragma once

#include <cstdint>
#include <string>

#include "outbound/dir_lookup.h"
#include "outbound/for_queue.h"
#include "support/net_addr.h"

namespace zeb {

// Queues every existing file named in the list file at `path` for `addr`
// with `flavour`. Lines beginning with "~" were sent already; a leading "#"
// or "^" (what the mailer does after sending) is dropped; "\" reads as "/".
void ScanListFile(TForQueueList& list, TScanContext& scan, uint8_t flavour, const std::string& path, const TNetAddr& addr);

}  // namespace zeb
