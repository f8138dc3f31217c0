// binkd's notes beside a node's flow files: the hold-until file (.hld, one
// line: the Unix time until which binkd will not call the node) and the try
// file (.try: the good and the bad session counts, 16 bits each, low byte
// first, then a length byte and the text of the last try). They are handed
// over as notes on the node, never as items.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "outbound/for_queue.h"
#include "support/net_addr.h"

namespace zeb {

// The time of a hold-until file's first line (decimal digits, blanks
// around them allowed); none when the file is empty or that line is not a
// number.
std::optional<int64_t> ParseHoldUntil(std::string_view contents);

struct TTries {
  uint16_t Good = 0;
  uint16_t Bad = 0;
  std::string Text;  // control characters shown as blanks
};

// The counts and the text of a try file; none when the file is shorter than
// its counts, its length byte and the text that byte announces. Bytes past
// the text are not read.
std::optional<TTries> ParseTries(std::string_view contents);

// Read the file and hand its note over for the node. A file that cannot be
// read or is malformed is logged at level 2 and ignored: the node then has
// no note of that kind from it.
void ScanHoldFile(TForQueueList& list, const std::string& path, const TNetAddr& addr);
void ScanTryFile(TForQueueList& list, const std::string& path, const TNetAddr& addr);

}  // namespace zeb
