#include "config/config_fill.h"

#include <algorithm>
#include <memory>

#include "config/domains.h"
#include "config/paths.h"
#include "log/console.h"
#include "log/log_queue.h"
#include "support/text.h"

namespace zeb {

namespace {

std::string AddressText(const TDomainAddress& address) { return FormatNetAddr(address.Addr) + "@" + address.Domain; }

bool CoveredByOutbound(const TMainConfig& config, const TDomain* domain) {
  return std::any_of(config.Outbounds.begin(), config.Outbounds.end(), [&](const auto& group) {
    size_t index = 0;
    return group->Domains.Search(domain->Name, index);
  });
}

}  // namespace

void TConfigFill::Notes(const std::vector<TConfigNote>& notes) const {
  for (const TConfigNote& note : notes)
    AnnounceError(Format("%s (%d): %s's line not used", note.File.c_str(), note.Line, source_.c_str()), note.Text);
}

void TConfigFill::Domain(const std::string& name, const std::vector<uint16_t>& zones) const {
  if (FindDomain(config_, name) != nullptr) return;
  TDomain* domain = GetOrAddDomain(config_, name);
  for (const uint16_t zone : zones) AddZone(*domain, zone);
  std::string listed;
  for (const uint16_t zone : domain->Zones) listed += (listed.empty() ? "" : " ") + std::to_string(zone);
  Log(Format("domain: %s, zones %s", domain->Name.c_str(), listed.c_str()));
}

void TConfigFill::Outbound(const std::string& domainName, const std::string& written) const {
  TDomain* domain = FindDomain(config_, domainName);
  if (domain == nullptr || CoveredByOutbound(config_, domain)) return;
  std::string path = Expand(written);
  if (path.empty()) return;
  auto group = std::make_unique<TOutboundGroup>();
  group->Domains.Insert(domain);
  Log(Format("outbound: %s for %s", path.c_str(), domain->Name.c_str()));
  group->Paths.Insert(std::move(path));
  config_.Outbounds.push_back(std::move(group));
}

void TConfigFill::Addresses(const std::vector<TDomainAddress>& addresses) const {
  for (size_t i = 0; i < addresses.size(); ++i) {
    const TDomainAddress& address = addresses[i];
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
    Log(Format("%s: %s", main ? "main address" : "address", AddressText(address).c_str()));
  }
}

void TConfigFill::Sysop(const std::string& sysop) const {
  if (!config_.Sysop.empty() || sysop.empty()) return;
  config_.Sysop = sysop;
  Log(Format("sysop: %s", sysop.c_str()));
}

void TConfigFill::Box(const TDomainAddress& node, const std::string& written, uint8_t flavour, char letter) const {
  TDomain* domain = FindDomain(config_, node.Domain);
  auto box = std::make_unique<TBoxe>();
  box->Path = Expand(written);
  if (domain == nullptr || box->Path.empty()) return;
  box->Addr = node.Addr;
  box->Flavour = flavour;
  const std::string logged = Format("file box: %s %s %c", AddressText(node).c_str(), box->Path.c_str(), letter);
  if (!domain->Boxes) domain->Boxes = std::make_unique<TBoxeList>();
  if (domain->Boxes->Insert(std::move(box))) Log(logged);
}

void TConfigFill::BoxDir(const std::string& written, const char* keyword) const {
  std::string dir = Expand(written);
  if (dir.empty() || std::find(config_.BoxDirs.begin(), config_.BoxDirs.end(), dir) != config_.BoxDirs.end()) return;
  Log(Format("%s: %s", keyword, dir.c_str()));
  config_.BoxDirs.push_back(std::move(dir));
}

std::string TConfigFill::Expand(const std::string& path) const { return ExpandPathFrom(path, baseDir_); }

void TConfigFill::Log(const std::string& text) const { LogLine(source_ + " " + text, 2); }

void AddDomainZones(std::vector<TDomainZones>& domains, const TDomainAddress& address) {
  auto domain = std::find_if(domains.begin(), domains.end(), [&](const TDomainZones& d) { return SameText(d.Name, address.Domain); });
  if (domain == domains.end()) domain = domains.insert(domains.end(), TDomainZones{address.Domain, {}});
  domain->Zones.push_back(address.Addr.Zone);
}

}  // namespace zeb
