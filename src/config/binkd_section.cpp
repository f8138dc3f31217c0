// The binkd section: each line names a binkd configuration file whose
// domains, outbounds, addresses, sysop and file boxes fill what the lines
// before it have not given. Lines after it change the configuration as they
// always do, so zeb.ctl's own main, domain, outbound and bink/+ sections are
// best written before it and the reports after it.
#include <algorithm>
#include <memory>
#include <string_view>

#include "config/binkd_config.h"
#include "config/domains.h"
#include "config/paths.h"
#include "config/section_table.h"
#include "config/sections.h"
#include "log/console.h"
#include "log/log_queue.h"
#include "platform/disk.h"
#include "support/text.h"

namespace zeb {

namespace {

std::string AddressText(const TBinkdAddress& address) { return FormatNetAddr(address.Addr) + "@" + address.Domain; }

// binkd's flavour letter as a flavour code: i, c, d, "-" and h are 3 to 7.
uint8_t FlavourOf(char letter) {
  const size_t at = std::string_view("icd-h").find(letter);
  return static_cast<uint8_t>(at == std::string_view::npos ? 6 : at + 3);
}

bool CoveredByOutbound(const TMainConfig& config, const TDomain* domain) {
  return std::any_of(config.Outbounds.begin(), config.Outbounds.end(), [&](const auto& group) {
    size_t index = 0;
    return group->Domains.Search(domain->Name, index);
  });
}

class TBinkdMerge {
 public:
  TBinkdMerge(TMainConfig& config, const TBinkdConfig& binkd, std::string baseDir)
      : config_(config), binkd_(binkd), baseDir_(std::move(baseDir)) {}

  void Apply() {
    // A link or a domain left out would vanish from the reports unseen.
    for (const TBinkdNote& note : binkd_.Notes)
      AnnounceError(Format("%s (%d): binkd's line not used", note.File.c_str(), note.Line), note.Text);
    for (const TBinkdDomain& domain : binkd_.Domains) {
      AddDomain(domain);
      AddOutbound(domain);
    }
    AddAddresses();
    if (config_.Sysop.empty() && !binkd_.Sysop.empty()) {
      config_.Sysop = binkd_.Sysop;
      LogLine(Format("binkd sysop: %s", config_.Sysop.c_str()), 2);
    }
    for (const TBinkdNode& node : binkd_.Nodes)
      if (!node.Obox.empty()) AddBox(node);
    for (const std::string& dir : binkd_.FileBoxes) AddBoxDir(dir);
    for (const std::string& dir : binkd_.BrakeBoxes)
      LogLine(Format("binkd brakebox %s: not read (zeb reads filebox and node boxes)", Expand(dir).c_str()), 1);
  }

 private:
  // A path of the binkd file, relative ones taken from its directory; empty
  // when it expands to nothing.
  std::string Expand(const std::string& path) const { return ExpandPathFrom(path, baseDir_); }

  void AddDomain(const TBinkdDomain& binkd) {
    if (FindDomain(config_, binkd.Name) != nullptr) return;
    TDomain* domain = GetOrAddDomain(config_, binkd.Name);
    AddZone(*domain, binkd.Zone);
    for (const TBinkdAddress& address : binkd_.Addresses)
      if (SameText(address.Domain, binkd.Name)) AddZone(*domain, address.Addr.Zone);
    for (const TBinkdNode& node : binkd_.Nodes)
      if (SameText(node.Address.Domain, binkd.Name)) AddZone(*domain, node.Address.Addr.Zone);
    std::string zones;
    for (const uint16_t zone : domain->Zones) zones += (zones.empty() ? "" : " ") + std::to_string(zone);
    LogLine(Format("binkd domain: %s, zones %s", domain->Name.c_str(), zones.c_str()), 2);
  }

  // One group per domain with an outbound, unless zeb.ctl already scans the
  // domain: the same directory scanned twice would count its mail twice.
  void AddOutbound(const TBinkdDomain& binkd) {
    if (binkd.Outbound.empty()) return;
    TDomain* domain = FindDomain(config_, binkd.Name);
    if (CoveredByOutbound(config_, domain)) return;
    std::string path = Expand(binkd.Outbound);
    if (path.empty()) return;
    auto group = std::make_unique<TOutboundGroup>();
    group->Domains.Insert(domain);
    LogLine(Format("binkd outbound: %s for %s", path.c_str(), domain->Name.c_str()), 2);
    group->Paths.Insert(std::move(path));
    config_.Outbounds.push_back(std::move(group));
  }

  // The first address is the main one when zeb.ctl gives none; every
  // address is its domain's own address when the domain has none yet.
  void AddAddresses() {
    for (size_t i = 0; i < binkd_.Addresses.size(); ++i) {
      const TBinkdAddress& address = binkd_.Addresses[i];
      TDomain* domain = FindDomain(config_, address.Domain);
      const bool main = i == 0 && config_.Address.IsEmpty();
      if (main) {
        config_.Address = address.Addr;
        config_.Domain = domain->Name;
        AddZone(*domain, address.Addr.Zone);
      } else if (!domain->Aka.IsEmpty()) {
        continue;
      }
      domain->Aka = address.Addr;
      LogLine(Format("binkd %s: %s", main ? "main address" : "address", AddressText(address).c_str()), 2);
    }
  }

  // As a line of the bink/+ section of the node's domain; a box zeb.ctl
  // gives for the same address is kept.
  void AddBox(const TBinkdNode& node) {
    TDomain* domain = FindDomain(config_, node.Address.Domain);
    auto box = std::make_unique<TBoxe>();
    box->Path = Expand(node.Obox);
    if (box->Path.empty()) return;
    box->Addr = node.Address.Addr;
    box->Flavour = FlavourOf(node.Flavour);
    const std::string logged =
        Format("binkd file box: %s %s %c", AddressText(node.Address).c_str(), box->Path.c_str(), node.Flavour);
    if (!domain->Boxes) domain->Boxes = std::make_unique<TBoxeList>();
    if (domain->Boxes->Insert(std::move(box))) LogLine(logged, 2);
  }

  void AddBoxDir(const std::string& binkd) {
    std::string dir = Expand(binkd);
    if (dir.empty() || std::find(config_.BoxDirs.begin(), config_.BoxDirs.end(), dir) != config_.BoxDirs.end()) return;
    LogLine(Format("binkd filebox: %s", dir.c_str()), 2);
    config_.BoxDirs.push_back(std::move(dir));
  }

  TMainConfig& config_;
  const TBinkdConfig& binkd_;
  const std::string baseDir_;
};

bool BinkdLine(TLoadContext& context, const std::string& line) {
  const std::string path = ExpandPath(line, context.ConfigDir);
  if (path.empty()) return RejectEmptyPath(context);
  TBinkdConfig binkd;
  if (!ReadBinkdConfig(Disk(), path, binkd, context.PendingMessage)) return false;
  TBinkdMerge(context.Config, binkd, path.substr(0, path.find_last_of('/') + 1)).Apply();
  return true;
}

const TSectionTable kBinkdTable{{}, nullptr, BinkdLine};

}  // namespace

bool OpenBinkdSection(TLoadContext& context, const std::string& rest) { return OpenPlainSection(context, rest, kBinkdTable); }

}  // namespace zeb
