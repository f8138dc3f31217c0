// Looking up and growing the configured network domains.
#pragma once

#include <cstdint>
#include <string_view>

#include "config/records.h"

namespace zeb {

// The domain named `name` (ignoring case), or null.
TDomain* FindDomain(TMainConfig& config, std::string_view name);

// The existing domain or a new empty one inserted into the configuration.
TDomain* GetOrAddDomain(TMainConfig& config, std::string_view name);

// Adds a zone to a domain unless listed; false for zone 0.
bool AddZone(TDomain& domain, uint16_t zone);

// The address that completes a short address in a domain: its own address,
// and for a domain without one (zone 0) the first zone it lists, since mail
// queued for zone 0 belongs to no domain and would be in no report.
TNetAddr DefaultAddrOf(const TDomain& domain);

// How an address text names its domain: by the name after "@" when one
// follows, otherwise by the zone before ":".
struct TDomainKey {
  bool ByName = false;
  std::string Name;
  bool ByZone = false;
  uint16_t Zone = 0;
};
TDomainKey DomainKeyOf(std::string_view text);

// Finds the domain an address text belongs to in a list kept in name order:
// by name, or the first domain (its zones from the last listed) that lists
// the zone. `index` receives its position.
template <typename List>
bool FindDomainFor(const List& domains, std::string_view text, size_t& index) {
  const TDomainKey key = DomainKeyOf(text);
  if (key.ByName) return domains.Search(key.Name, index);
  if (!key.ByZone) return false;
  for (size_t i = 0; i < domains.Count(); ++i) {
    const TDomain& d = *domains[i];
    for (size_t z = d.Zones.size(); z > 0; --z) {
      if (d.Zones[z - 1] == key.Zone) {
        index = i;
        return true;
      }
    }
  }
  return false;
}

}  // namespace zeb
