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
TDomain* NamedOrFirstDomain(const std::string& name) {
  if (!name.empty()) return FindDomain(name);
  TDomainList& domains = MainConfig().Domains;
  return domains.Empty() ? nullptr : domains[0].get();
}

// --- outbound ---

std::unique_ptr<TOutboundGroup> g_group;  // the group of the open section

bool OutboundLine(const std::string& line) {
  // An expansion that comes out empty (an unset variable) names no directory.
  std::string path = ExpandPath(line);
  if (!path.empty()) g_group->Paths.Insert(std::move(path));
  return true;
}

bool OutboundEnd() {
  if (g_group->Domains.Empty()) {
    TDomain* domain = FindDomain(MainConfig().Domain);
    if (domain == nullptr) domain = NamedOrFirstDomain({});
    if (domain != nullptr) g_group->Domains.Insert(domain);
  }
  MainConfig().Outbounds.push_back(std::move(g_group));
  return true;
}

// --- t-mail ---

std::string g_tmailPath;

bool TMailLine(const std::string& line) {
  g_tmailPath = ExpandPath(line);
  return true;
}

bool TMailEnd() {
  MainConfig().TMailOutbound = g_tmailPath;
  return true;
}

// --- bink/+ ---

TDomain* g_boxDomain = nullptr;  // the domain of the open section

// address, blank, path (quotes allowed), and optionally blank and flavour.
bool BoxLine(const std::string& line) {
  std::string rest = line;
  const std::string addrText = LowerStr(FirstWord(rest));
  std::string path = FirstWord(rest);
  if (path.size() >= 2 && (path[0] == '"' || path[0] == '\'') && path.back() == path[0])
    path = path.substr(1, path.size() - 2);
  path = ExpandPath(path);
  if (path.empty()) return false;
  auto box = std::make_unique<TBoxe>();
  if (!rest.empty()) {
    box->Flavour = ParseFlavour(rest);
    if (box->Flavour == 0) {
      SetPendingMessage(Format("Unknown flavour %s", rest.c_str()));
      return false;
    }
  }
  box->Addr = ParseNetAddr(addrText, DefaultAddrOf(*g_boxDomain));
  box->Path = std::move(path);
  g_boxDomain->Boxes->Insert(std::move(box));  // a second box for one address is ignored
  return true;
}

const TSectionTable kOutboundTable{{}, OutboundEnd, OutboundLine};
const TSectionTable kTMailTable{{}, TMailEnd, TMailLine};
const TSectionTable kBoxTable{{}, nullptr, BoxLine};

}  // namespace

bool OpenOutboundSection(const std::string& rest) {
  auto group = std::make_unique<TOutboundGroup>();
  std::string names = rest;
  while (!names.empty()) {
    const std::string name = FirstWord(names);
    TDomain* domain = FindDomain(name);
    if (domain == nullptr) return DomainNotDefined(name);
    group->Domains.Insert(domain);
  }
  g_group = std::move(group);
  SelectTable(kOutboundTable);
  return true;
}

bool OpenTMailSection(const std::string& rest) {
  g_tmailPath.clear();
  return OpenPlainSection(rest, kTMailTable);
}

bool OpenBinkBoxSection(const std::string& rest) {
  TDomain* domain = NamedOrFirstDomain(rest);
  if (domain == nullptr) return rest.empty() ? false : DomainNotDefined(rest);
  domain->Boxes = std::make_unique<TBoxeList>();
  g_boxDomain = domain;
  SelectTable(kBoxTable);
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
