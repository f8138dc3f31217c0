// The fidoconfig and crashmail sections: each line names a tosser's
// configuration file whose addresses, sysop, outbound and file boxes fill
// what the lines before it have not given, and whose message areas the
// reports after it post into with postto area (PostToArea, below).
#include <algorithm>

#include "config/config_fill.h"
#include "config/crashmail_config.h"
#include "config/fidoconfig.h"
#include "config/line_parse.h"
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

bool PostToArea(TLoadContext& context, std::string rest) {
  const std::string tag = FirstWord(rest);
  if (tag.empty()) return Reject(context, "area needs the area's tag");
  const std::string password = FirstWord(rest).substr(0, 8);
  if (!rest.empty()) return Reject(context, Format("unexpected \"%s\" at the end", rest.c_str()));
  const auto area = std::find_if(context.Areas.begin(), context.Areas.end(),
                                 [&](const TTosserArea& a) { return SameText(a.Tag, tag); });
  if (area == context.Areas.end()) {
    if (context.AreaFiles.empty())
      return Reject(context, Format("area \"%s\" is not defined: no def fidoconfig or def crashmail before it", tag.c_str()));
    std::string files;
    for (const std::string& file : context.AreaFiles) files += (files.empty() ? "" : " or ") + file;
    return Reject(context, Format("area \"%s\" is not defined in %s", tag.c_str(), files.c_str()));
  }
  if (area->Base == TAreaBase::Passthrough)
    return Reject(context, Format("area \"%s\" is passthrough: it has no base", tag.c_str()));
  static const TPostKind kKinds[] = {TPostKind::Msg, TPostKind::Squish, TPostKind::Jam};
  TPostKind kind = kKinds[static_cast<int>(area->Base)];
  // zeb writes netmail only as *.MSG files; a netmail message written as
  // echomail into a Squish or JAM netmail base would be sent by the tosser.
  if (area->Netmail && kind != TPostKind::Msg)
    return Reject(context, Format("netmail area \"%s\" is a %s base: zeb posts netmail only into a *.MSG directory",
                                  tag.c_str(), kPostKindWords[static_cast<int>(kind)]));
  if (area->Netmail) kind = TPostKind::Netmail;
  context.Report->PostTo = TPostArea{kind, area->Path, area->Tag, password};
  if (area->Aka.Addr.IsEmpty())
    context.ReportAreaAka.reset();
  else
    context.ReportAreaAka = area->Aka.Addr;
  return true;
}

bool OpenFidoconfigSection(TLoadContext& context, const std::string& rest) {
  return OpenPlainSection(context, rest, kFidoconfigTable);
}

bool OpenCrashmailSection(TLoadContext& context, const std::string& rest) {
  return OpenPlainSection(context, rest, kCrashmailTable);
}

}  // namespace zeb
