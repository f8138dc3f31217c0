#include "outbound/scan.h"

#include <vector>

#include "config/domains.h"
#include "outbound/dir_lookup.h"
#include "outbound/name_parts.h"
#include "outbound/scan_directory.h"
#include "outbound/tmail.h"
#include "support/text.h"

namespace zeb {

namespace {

// The zone of a zone directory: its extension of three hexadecimal digits
// (four for zones above 4095); any other name keeps the default zone.
uint16_t ZoneOfDirectory(const std::string& name, uint16_t defaultZone) {
  const size_t dot = name.find_last_of('.');
  if (dot == std::string::npos) return defaultZone;
  const std::string digits = name.substr(dot + 1);
  if (digits.size() != 3 && digits.size() != 4) return defaultZone;
  bool digitError = false;
  return ParseNumber(16, defaultZone, digits, digitError);
}

}  // namespace

void ScanOutboundZones(TForQueueList& list, TScanContext& scan, const TMainConfig& config, const std::string& configured, uint16_t defaultZone) {
  std::string path = configured;
  if (path.size() > 1 && path.back() == '/') path.pop_back();
  const size_t slash = path.find_last_of('/');
  const std::string parent = slash == std::string::npos ? std::string() : slash == 0 ? "/" : path.substr(0, slash);
  const std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
  std::vector<TDirEntry> found;
  ListDirectory(parent, base + ".*", found);
  std::vector<std::string> zoneDirs;
  bool configuredFound = false;
  for (const TDirEntry& entry : found) {
    if (!entry.IsDirectory()) continue;
    zoneDirs.push_back(entry.Name);
    configuredFound = configuredFound || SameText(entry.Name, base);
  }
  // The configured directory itself must be there, even beside zone
  // directories of its name.
  if (!configuredFound) ScanDirectory(list, scan, config, path, defaultZone, TScanMode::Outbound, TNetAddr{}, 0, true);
  for (const std::string& name : zoneDirs) {
    const std::string full = slash == std::string::npos ? name : JoinPath(parent, name);
    ScanDirectory(list, scan, config, full, ZoneOfDirectory(name, defaultZone), TScanMode::Outbound, TNetAddr{}, 0);
  }
}

void ScanOutbounds(TForQueueList& list, TScanContext& scan, const TMainConfig& config) {
  for (const auto& group : config.Outbounds) {
    // A group always names a domain once its section has ended; the main
    // address stands in for one that does not.
    const uint16_t zone = group->Domains.Empty() ? config.Address.Zone : DefaultAddrOf(*group->Domains[0]).Zone;
    for (const std::string& path : group->Paths) ScanOutboundZones(list, scan, config, path, zone);
  }
  for (const auto& domain : config.Domains) {
    if (!domain->Boxes) continue;
    for (const auto& box : *domain->Boxes)
      ScanDirectory(list, scan, config, box->Path, box->Addr.Zone, TScanMode::Box, box->Addr, box->Flavour, true);
  }
  if (!config.TMailOutbound.empty()) ScanTMail(list, scan, config, config.TMailOutbound);
}

}  // namespace zeb
