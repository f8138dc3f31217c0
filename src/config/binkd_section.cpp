// The binkd section: each line names a binkd configuration file whose
// domains, outbounds, addresses, sysop and file boxes fill what the lines
// before it have not given. Lines after it change the configuration as they
// always do, so zeb.ctl's own main, domain, outbound and bink/+ sections are
// best written before it and the reports after it.
#include <string_view>

#include "config/binkd_config.h"
#include "config/config_fill.h"
#include "config/paths.h"
#include "config/section_table.h"
#include "config/sections.h"
#include "log/log_queue.h"
#include "platform/disk.h"
#include "support/text.h"

namespace zeb {

namespace {

// binkd's flavour letter as a flavour code: i, c, d, "-" and h are 3 to 7.
uint8_t FlavourOf(char letter) {
  const size_t at = std::string_view("icd-h").find(letter);
  return static_cast<uint8_t>(at == std::string_view::npos ? 6 : at + 3);
}

void Apply(const TConfigFill& fill, const TBinkdConfig& binkd) {
  fill.Notes(binkd.Notes);
  for (const TBinkdDomain& domain : binkd.Domains) {
    // The default zone, then the zones of the domain's addresses and links.
    std::vector<uint16_t> zones{domain.Zone};
    for (const TDomainAddress& address : binkd.Addresses)
      if (SameText(address.Domain, domain.Name)) zones.push_back(address.Addr.Zone);
    for (const TBinkdNode& node : binkd.Nodes)
      if (SameText(node.Address.Domain, domain.Name)) zones.push_back(node.Address.Addr.Zone);
    fill.Domain(domain.Name, zones);
    if (!domain.Outbound.empty()) fill.Outbound(domain.Name, domain.Outbound);
  }
  fill.Addresses(binkd.Addresses);
  fill.Sysop(binkd.Sysop);
  for (const TBinkdNode& node : binkd.Nodes)
    if (!node.Obox.empty()) fill.Box(node.Address, node.Obox, FlavourOf(node.Flavour), node.Flavour);
  for (const std::string& dir : binkd.FileBoxes) fill.BoxDir(dir, "filebox");
  for (const std::string& dir : binkd.BrakeBoxes)
    LogLine(Format("binkd brakebox %s: not read (zeb reads filebox and node boxes)", fill.Expand(dir).c_str()), 1);
}

bool BinkdLine(TLoadContext& context, const std::string& line) {
  const std::string path = ExpandPath(line, context.ConfigDir);
  if (path.empty()) return RejectEmptyPath(context);
  TBinkdConfig binkd;
  if (!ReadBinkdConfig(Disk(), path, binkd, context.PendingMessage)) return false;
  Apply(TConfigFill(context.Config, "binkd", path.substr(0, path.find_last_of('/') + 1)), binkd);
  return true;
}

const TSectionTable kBinkdTable{{}, nullptr, BinkdLine};

}  // namespace

bool OpenBinkdSection(TLoadContext& context, const std::string& rest) { return OpenPlainSection(context, rest, kBinkdTable); }

}  // namespace zeb
