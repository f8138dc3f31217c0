#include "config/domains.h"

#include <algorithm>

namespace zeb {

TDomain* FindDomain(TMainConfig& config, std::string_view name) {
  size_t index = 0;
  TDomainList& domains = config.Domains;
  return domains.Search(std::string(name), index) ? domains[index].get() : nullptr;
}

TDomain* GetOrAddDomain(TMainConfig& config, std::string_view name) {
  if (TDomain* existing = FindDomain(config, name)) return existing;
  auto domain = std::make_unique<TDomain>();
  domain->Name = std::string(name);
  TDomain* raw = domain.get();
  config.Domains.Insert(std::move(domain));
  return raw;
}

bool AddZone(TDomain& domain, uint16_t zone) {
  if (zone == 0) return false;
  if (std::find(domain.Zones.begin(), domain.Zones.end(), zone) == domain.Zones.end()) domain.Zones.push_back(zone);
  return true;
}

TNetAddr DefaultAddrOf(const TDomain& domain) {
  TNetAddr addr = domain.Aka;
  if (addr.Zone == 0 && !domain.Zones.empty()) addr.Zone = domain.Zones.front();
  return addr;
}

TDomainKey DomainKeyOf(std::string_view text) {
  TDomainKey key;
  const size_t at = text.find('@');
  if (at != std::string_view::npos && at + 1 < text.size()) {
    key.ByName = true;
    key.Name = std::string(text.substr(at + 1));
    return key;
  }
  const size_t colon = text.find(':');
  if (colon != std::string_view::npos && colon >= 1) {
    key.ByZone = true;
    key.Zone = static_cast<uint16_t>(static_cast<uint64_t>(StrToIntStrict(text.substr(0, colon))) & 0xFFFF);
  }
  return key;
}

}  // namespace zeb
