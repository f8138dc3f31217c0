// Scanning every configured outbound into the queue.
#pragma once

#include <cstdint>
#include <string>

#include "config/records.h"
#include "outbound/dir_lookup.h"
#include "outbound/for_queue.h"

namespace zeb {

// Every outbound group's directories with their zone directories, every
// domain's file boxes, then the T-Mail netmail directory.
void ScanOutbounds(TForQueueList& list, TScanContext& scan, const TMainConfig& config);

// One configured outbound directory P and its siblings P.zzz, whose
// hexadecimal extension gives their zone; P itself has `defaultZone`.
void ScanOutboundZones(TForQueueList& list, TScanContext& scan, const TMainConfig& config, const std::string& path, uint16_t defaultZone);

}  // namespace zeb
