// The fidoconfig and crashmail sections: each line names a tosser's
// configuration file whose addresses, sysop, outbound and file boxes fill
// what the lines before it have not given, and whose message areas the
// reports after it can post into with postto area.
#include <algorithm>

#include "config/config_fill.h"
#include "config/crashmail_config.h"
#include "config/fidoconfig.h"
#include "config/paths.h"
#include "config/section_table.h"
#include "config/sections.h"
#include "log/log_queue.h"
#include "platform/disk.h"
#include "support/text.h"

namespace zeb {

namespace {

// The domain of an address the file gives none for: the configured domain
// that lists its zone, else the main address's, else fidonet.
void ResolveDomain(const TMainConfig& config, TDomainAddress& address) {
  if (!address.Domain.empty()) return;
  for (const auto& domain : config.Domains)
    if (std::find(domain->Zones.begin(), domain->Zones.end(), address.Addr.Zone) != domain->Zones.end()) {
      address.Domain = domain->Name;
      return;
    }
  address.Domain = config.Domain.empty() ? "fidonet" : config.Domain;
}

// Gives every address its domain, creates the domains that zeb.ctl does
// not define with the zones of `addresses` and `others` (links), then takes
// `addresses`.
void FillAddresses(const TConfigFill& fill, TLoadContext& context, std::vector<TDomainAddress>& addresses,
                   std::vector<TDomainAddress>& others) {
  std::vector<TDomainZones> domains;
  for (auto* list : {&addresses, &others})
    for (TDomainAddress& address : *list) {
      ResolveDomain(context.Config, address);
      AddDomainZones(domains, address);
    }
  for (const TDomainZones& domain : domains) fill.Domain(domain.Name, domain.Zones);
  fill.Addresses(addresses);
}

// The areas whose tags no file read before defines, paths expanded.
void FillAreas(const TConfigFill& fill, TLoadContext& context, const std::vector<TTosserArea>& areas,
               const std::string& path) {
  size_t taken = 0;
  for (TTosserArea area : areas) {
    const bool known = std::any_of(context.Areas.begin(), context.Areas.end(),
                                   [&](const TTosserArea& a) { return SameText(a.Tag, area.Tag); });
    if (known) continue;
    if (area.Base != TAreaBase::Passthrough) area.Path = fill.Expand(area.Path);
    context.Areas.push_back(std::move(area));
    ++taken;
  }
  context.AreaFiles.push_back(path);
  fill.Log(Format("areas: %zu", taken));
}

// A line names a tosser's configuration file: it is read with `read`, its
// notes are errors, `fill` takes what it gives besides the areas, and the
// areas are registered.
template <typename TConfig>
bool TosserLine(TLoadContext& context, const std::string& line, const char* source,
                bool (*read)(DiskInterface&, const std::string&, TConfig&, std::string&),
                void (*fill)(const TConfigFill&, TLoadContext&, TConfig&)) {
  const std::string path = ExpandPath(line, context.ConfigDir);
  if (path.empty()) return RejectEmptyPath(context);
  TConfig config;
  if (!read(Disk(), path, config, context.PendingMessage)) return false;
  const TConfigFill filler(context.Config, source, path.substr(0, path.find_last_of('/') + 1));
  filler.Notes(config.Notes);
  fill(filler, context, config);
  FillAreas(filler, context, config.Areas, path);
  return true;
}

void FillFromFidoconfig(const TConfigFill& fill, TLoadContext& context, TFidoConfig& fido) {
  for (const TConfigNote& command : fido.Commands)
    LogLine(Format("%s (%d): fidoconfig's line with a command not read (zeb runs none): %s", command.File.c_str(),
                   command.Line, command.Text.c_str()),
            1);
  std::vector<TDomainAddress> linkAkas;
  for (const TFidoLink& link : fido.Links) linkAkas.push_back(link.Aka);
  FillAddresses(fill, context, fido.Addresses, linkAkas);
  if (!fido.Outbound.empty() && !context.Config.Domain.empty()) fill.Outbound(context.Config.Domain, fido.Outbound);
  fill.Sysop(fido.Sysop);
  // A link's own box holds its files with no flavour of their own: normal.
  for (size_t i = 0; i < fido.Links.size(); ++i)
    if (!fido.Links[i].FileBox.empty()) fill.Box(linkAkas[i], fido.Links[i].FileBox, 6, '-');
  if (!fido.FileBoxesDir.empty()) fill.BoxDir(fido.FileBoxesDir, "FileBoxesDir");
}

void FillFromCrashmail(const TConfigFill& fill, TLoadContext& context, TCrashmailConfig& crashmail) {
  std::vector<TDomainAddress> noLinks;
  FillAddresses(fill, context, crashmail.Addresses, noLinks);
  fill.Sysop(crashmail.Sysop);
}

bool FidoconfigLine(TLoadContext& context, const std::string& line) {
  return TosserLine(context, line, "fidoconfig", ReadFidoConfig, FillFromFidoconfig);
}

bool CrashmailLine(TLoadContext& context, const std::string& line) {
  return TosserLine(context, line, "crashmail", ReadCrashmailConfig, FillFromCrashmail);
}

const TSectionTable kFidoconfigTable{{}, nullptr, FidoconfigLine};
const TSectionTable kCrashmailTable{{}, nullptr, CrashmailLine};

}  // namespace

bool OpenFidoconfigSection(TLoadContext& context, const std::string& rest) {
  return OpenPlainSection(context, rest, kFidoconfigTable);
}

bool OpenCrashmailSection(TLoadContext& context, const std::string& rest) {
  return OpenPlainSection(context, rest, kCrashmailTable);
}

}  // namespace zeb
