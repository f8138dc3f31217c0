// The netmail directory of a T-Mail style mailer: packets whose extension
// gives the flavour and whose header gives the destination.
#pragma once

#include <cstdint>
#include <string>

#include "config/records.h"
#include "outbound/dir_lookup.h"
#include "outbound/for_queue.h"
#include "platform/disk.h"

namespace zeb {

// "pkt" normal, "pkh" hold, "phr" request packets of the directory. A
// directory that is missing or cannot be read is an error.
void ScanTMail(TForQueueList& list, TScanContext& scan, const TMainConfig& config, const std::string& path);

// The files of `path` with the extension `ext`, as packets of `flavour`;
// false when the directory cannot be read, with the reason in `*error` when
// that is given.
bool ScanTMailPackets(TForQueueList& list, TScanContext& scan, const TMainConfig& config, const std::string& path, const std::string& ext, uint8_t flavour,
                      std::string* error = nullptr);

// One packet: its destination read from the header; a "phr" packet may
// have a request file of the same name beside it.
void AnalyzeTMailPacket(TForQueueList& list, TScanContext& scan, const TMainConfig& config, uint8_t flavour, const TDirEntry& entry, const std::string& path);

}  // namespace zeb
