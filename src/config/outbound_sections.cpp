// The sections that say where the mailer keeps its outbound: outbound,
// t-mail and bink/+ (file boxes).
#include "config/domains.h"
#include "config/line_parse.h"
#include "config/paths.h"
#include "config/section_table.h"
#include "config/sections.h"
#include "support/text.h"

namespace zeb {

namespace {

// The domain named `name`, or with no name the first domain in name order.
TDomain* NamedOrFirstDomain(TMainConfig& config, const std::string& name) {
  if (!name.empty()) return FindDomain(config, name);
  TDomainList& domains = config.Domains;
  return domains.Empty() ? nullptr : domains[0].get();
}

// --- outbound ---

bool OutboundLine(TLoadContext& context, const std::string& line) {
  // An expansion that comes out empty (an unset variable) names no directory.
  std::string path = ExpandPath(line, context.ConfigDir);
  if (!path.empty()) context.Group->Paths.Insert(std::move(path));
  return true;
}

bool OutboundEnd(TLoadContext& context) {
  if (context.Group->Domains.Empty()) {
    TDomain* domain = FindDomain(context.Config, context.Config.Domain);
    if (domain == nullptr) domain = NamedOrFirstDomain(context.Config, {});
    if (domain != nullptr) context.Group->Domains.Insert(domain);
  }
  context.Config.Outbounds.push_back(std::move(context.Group));
  return true;
}

// --- t-mail ---

bool TMailLine(TLoadContext& context, const std::string& line) {
  context.TMailPath = ExpandPath(line, context.ConfigDir);
  return true;
}

bool TMailEnd(TLoadContext& context) {
  context.Config.TMailOutbound = context.TMailPath;
  return true;
}

// --- bink/+ ---

// address, blank, path (quotes allowed), and optionally blank and flavour.
bool BoxLine(TLoadContext& context, const std::string& line) {
  std::string rest = line;
  const std::string addrText = LowerStr(FirstWord(rest));
  std::string path = FirstWord(rest);
  if (path.size() >= 2 && (path[0] == '"' || path[0] == '\'') && path.back() == path[0])
    path = path.substr(1, path.size() - 2);
  if (path.empty()) return Reject(context, "an address and a path expected");
  path = ExpandPath(path, context.ConfigDir);
  if (path.empty()) return RejectEmptyPath(context);
  auto box = std::make_unique<TBoxe>();
  if (!rest.empty()) {
    box->Flavour = ParseFlavour(rest);
    if (box->Flavour == 0) {
      context.PendingMessage = Format("Unknown flavour %s", rest.c_str());
      return false;
    }
  }
  box->Addr = ParseNetAddr(addrText, DefaultAddrOf(*context.BoxDomain));
  box->Path = std::move(path);
  context.BoxDomain->Boxes->Insert(std::move(box));  // a second box for one address is ignored
  return true;
}

const TSectionTable kOutboundTable{{}, OutboundEnd, OutboundLine};
const TSectionTable kTMailTable{{}, TMailEnd, TMailLine};
const TSectionTable kBoxTable{{}, nullptr, BoxLine};

}  // namespace

bool OpenOutboundSection(TLoadContext& context, const std::string& rest) {
  auto group = std::make_unique<TOutboundGroup>();
  std::string names = rest;
  while (!names.empty()) {
    const std::string name = FirstWord(names);
    TDomain* domain = FindDomain(context.Config, name);
    if (domain == nullptr) return DomainNotDefined(context, name);
    group->Domains.Insert(domain);
  }
  context.Group = std::move(group);
  context.SelectTable(kOutboundTable);
  return true;
}

bool OpenTMailSection(TLoadContext& context, const std::string& rest) {
  context.TMailPath.clear();
  return OpenPlainSection(context, rest, kTMailTable);
}

bool OpenBinkBoxSection(TLoadContext& context, const std::string& rest) {
  TDomain* domain = NamedOrFirstDomain(context.Config, rest);
  if (domain == nullptr) return rest.empty() ? false : DomainNotDefined(context, rest);
  domain->Boxes = std::make_unique<TBoxeList>();
  context.BoxDomain = domain;
  context.SelectTable(kBoxTable);
  return true;
}

uint8_t ParseFlavour(std::string_view word) {
  static const char* const kShort[] = {"imm", "crash", "dir", "norm", "hold"};
  static const char* const kLong[] = {"immediate", "crash", "direct", "normal", "hold"};
  const std::string lower = LowerStr(word);
  for (uint8_t i = 0; i < 5; ++i)
    if (lower == kShort[i] || lower == kLong[i]) return static_cast<uint8_t>(i + 3);
  return 0;
}

}  // namespace zeb
