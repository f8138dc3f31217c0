#include "reports/addr_mask.h"

#include <algorithm>

namespace zeb {

namespace {

std::array<uint16_t, 4> Fields(const TNetAddr& a) { return {a.Point, a.Node, a.Net, a.Zone}; }

bool AddMask(std::vector<TAddrMask>& table, const TNetAddr& main, const TNetAddr& domain, std::string_view text) {
  const TAddrMask mask = ParseAddrMask(text, main, domain);
  if (!mask.Valid) return false;
  if (table.size() < TAddrMaskList::kMaxMasks) table.push_back(mask);
  return true;
}

}  // namespace

TAddrMask ParseAddrMask(std::string_view text, const TNetAddr& main, const TNetAddr& domain) {
  TAddrMask mask;
  if (text.empty()) return mask;
  std::array<uint32_t, 4> values{};
  size_t field = kMaskZone;
  for (char c : text) {
    switch (c) {
      case ':': field = kMaskNet; break;
      case '/': field = kMaskNode; break;
      case '.': field = kMaskPoint; break;
      case '*': mask.Wild[field] = true; break;
      default:
        // Any other character counts as a digit.
        values[field] = std::min<uint32_t>(values[field] * 10 + static_cast<uint8_t>(c - 48), 65536);
        mask.Valid = mask.Valid && values[field] <= 65535;
        mask.Value[field] = static_cast<uint16_t>(values[field]);
        mask.Given[field] = true;
    }
  }
  const std::array<uint16_t, 4> base = Fields(domain.Zone != 0 ? domain : main);
  for (size_t f = kMaskZone + 1; f-- > 0 && !mask.Given[f] && !mask.Wild[f];) {
    mask.Value[f] = base[f];
    mask.Given[f] = true;
  }
  for (size_t f = 0; f < 4; ++f) {
    if (!mask.Given[f]) mask.Wild[f] = true;
  }
  return mask;
}

bool MaskMatches(const TAddrMask& mask, const TNetAddr& addr) {
  const std::array<uint16_t, 4> fields = Fields(addr);
  for (size_t f = 0; f < 4; ++f) {
    if (!mask.Wild[f] && mask.Value[f] != fields[f]) return false;
  }
  return true;
}

bool TAddrMaskList::AddExclusion(const TNetAddr& main, const TNetAddr& domain, std::string_view text) {
  return AddMask(exclusions_, main, domain, text);
}

bool TAddrMaskList::AddInclusion(const TNetAddr& main, const TNetAddr& domain, std::string_view text) {
  return AddMask(inclusions_, main, domain, text);
}

void TAddrMaskList::ClearMasks() {
  nodes_.clear();
  exclusions_.clear();
  inclusions_.clear();
}

void TAddrMaskList::Insert(TQueueNode& node) {
  if (AcceptsNode(node)) nodes_.push_back(&node);
}

bool TAddrMaskList::AcceptsNode(const TQueueNode& node) const {
  const auto matches = [&](const TAddrMask& mask) { return MaskMatches(mask, node.Addr); };
  if (std::any_of(exclusions_.begin(), exclusions_.end(), matches)) return false;
  return std::any_of(inclusions_.begin(), inclusions_.end(), matches);
}

}  // namespace zeb
