// The masks of @prepare: any comma-separated mask text ("!" before a mask
// excludes) read against a main address and a domain, and the node list they
// select from a small fixed queue. Besides running clean under the
// sanitizers, every mask must be whole (each field given or wild, and match
// the address of its own values), a mask with a field beyond 65535 must be
// refused, and the list must hold exactly the queue nodes that no exclusion
// and some inclusion among the first sixteen valid ones of each kind
// matches, in queue order.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "reports/addr_mask.h"

namespace {

zeb::TNetAddr A(uint16_t zone, uint16_t net, uint16_t node, uint16_t point = 0) {
  return zeb::TNetAddr{point, node, net, zone};
}

void Check(bool ok) {
  if (!ok) std::abort();
}

bool AnyMatches(const std::vector<zeb::TAddrMask>& masks, const zeb::TNetAddr& addr) {
  for (const zeb::TAddrMask& m : masks) {
    if (zeb::MaskMatches(m, addr)) return true;
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  static const zeb::TNetAddr kMain = A(2, 5020, 9999);
  // The first byte chooses the domain's base: a zone of its own, or none
  // (the main address is then the base).
  const zeb::TNetAddr domain = (data[0] & 1) != 0 ? A(1, 23, 4) : A(0, 0, 0);
  const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);

  static std::vector<zeb::TQueueNode> queue = [] {
    std::vector<zeb::TQueueNode> nodes(12);
    const zeb::TNetAddr addrs[] = {A(2, 5020, 9999), A(2, 5020, 1),    A(2, 5020, 100, 7), A(1, 23, 4),
                                   A(1, 23, 45),     A(1, 23, 45, 3), A(1, 24, 45),       A(0, 0, 0),
                                   A(65535, 65535, 65535, 65535),     A(2, 463, 0),       A(3, 5020, 1),
                                   A(1, 23, 4, 1)};
    for (size_t i = 0; i < nodes.size(); ++i) nodes[i].Addr = addrs[i];
    return nodes;
  }();

  zeb::TAddrMaskList list;
  std::vector<zeb::TAddrMask> exclusions, inclusions;
  size_t start = 0;
  while (start <= text.size()) {
    size_t comma = text.find(',', start);
    if (comma == std::string_view::npos) comma = text.size();
    const std::string_view piece = text.substr(start, comma - start);
    const bool exclude = !piece.empty() && piece[0] == '!';
    const std::string_view mask = exclude ? piece.substr(1) : piece;

    const zeb::TAddrMask parsed = zeb::ParseAddrMask(mask, kMain, domain);
    if (!mask.empty()) {
      for (size_t f = 0; f < 4; ++f) Check(parsed.Given[f] || parsed.Wild[f]);
    }
    const zeb::TNetAddr own = A(parsed.Value[zeb::kMaskZone], parsed.Value[zeb::kMaskNet],
                                parsed.Value[zeb::kMaskNode], parsed.Value[zeb::kMaskPoint]);
    Check(zeb::MaskMatches(parsed, own));

    // A mask with a field beyond 65535 is refused, not added.
    std::vector<zeb::TAddrMask>& table = exclude ? exclusions : inclusions;
    if (parsed.Valid && table.size() < zeb::TAddrMaskList::kMaxMasks) table.push_back(parsed);
    Check((exclude ? list.AddExclusion(kMain, domain, mask) : list.AddInclusion(kMain, domain, mask)) == parsed.Valid);
    start = comma + 1;
  }

  size_t expected = 0;
  for (zeb::TQueueNode& node : queue) {
    const bool accepts = list.AcceptsNode(node);
    Check(accepts == (!AnyMatches(exclusions, node.Addr) && AnyMatches(inclusions, node.Addr)));
    list.Insert(node);
    if (accepts) {
      Check(list.Count() == expected + 1 && &list[expected] == &node);
      ++expected;
    }
  }
  Check(list.Count() == expected);
  list.ClearMasks();
  Check(list.Count() == 0 && !list.AcceptsNode(queue[0]));
  return 0;
}
