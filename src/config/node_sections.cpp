// The sections that describe the node itself: main, domain, mainaka,
// scanflags, skipaddress and queue.
#include "config/domains.h"
#include "config/line_parse.h"
#include "config/paths.h"
#include "config/section_table.h"
#include "config/sections.h"
#include "support/text.h"

namespace zeb {

namespace {

bool BadAddress(TLoadContext& context, const std::string& text) {
  context.PendingMessage = Format("Bad address: %s", text.c_str());
  return false;
}

// --- main ---

bool MainSysop(TLoadContext& context, const std::string& value) {
  if (value.empty()) return Reject(context, "the sysop's name is missing");
  context.Config.Sysop = value;
  return true;
}

bool MainAddress(TLoadContext& context, const std::string& value) {
  std::string rest = value;
  const std::string word = FirstWord(rest);
  if (!rest.empty()) return BadAddress(context, value);
  const TAddrDomain parsed = ParseAddrDomain(word, TNetAddr{});
  const TNetAddr& a = parsed.Addr;
  if (a.Zone == 0 || a.Net == 0 || (a.Node == 0 && a.Point != 0) || parsed.Domain.empty()) return BadAddress(context, value);
  TMainConfig& config = context.Config;
  config.Address = a;
  config.Domain = parsed.Domain;
  TDomain* domain = GetOrAddDomain(config, parsed.Domain);
  AddZone(*domain, a.Zone);
  domain->Aka = a;
  return true;
}

bool MainMsgIdFile(TLoadContext& context, const std::string& value) {
  std::string path = ExpandPath(value, context.ConfigDir);
  if (path.empty()) return RejectEmptyPath(context);
  context.Config.MsgIdFile = std::move(path);
  return true;
}

// --- domain ---

// A domain name and its zones: a zone that is not a number from 1 to 65535
// rejects the line, the zones before it stay added.
bool DomainLine(TLoadContext& context, const std::string& line) {
  std::string rest = line;
  TDomain* domain = GetOrAddDomain(context.Config, FirstWord(rest));
  while (!rest.empty()) {
    const std::string word = FirstWord(rest);
    const int64_t zone = TextToInt(word, 0);
    if (zone < 1 || zone > 0xFFFF || !AddZone(*domain, static_cast<uint16_t>(zone)))
      return Reject(context, Format("bad zone \"%s\" (a number from 1 to 65535)", word.c_str()));
  }
  return true;
}

// --- mainaka ---

bool MainAkaLine(TLoadContext& context, const std::string& line) {
  const TAddrDomain parsed = ParseAddrDomain(line, context.Config.Address);
  if (parsed.Domain.empty() || parsed.Addr.Zone == 0 || parsed.Addr.Net == 0) return BadAddress(context, line);
  TDomain* domain = FindDomain(context.Config, parsed.Domain);
  if (domain == nullptr) return DomainNotDefined(context, line);
  domain->Aka = parsed.Addr;
  return true;
}

// --- scanflags ---

bool SkipBusyFlag(TLoadContext& context, const std::string& value) { return ParseBoolean(context, value, context.Config.SkipBusyFlag); }
bool EmptyPacketAsPoll(TLoadContext& context, const std::string& value) { return ParseBoolean(context, value, context.Config.EmptyPacketAsPoll); }

// --- skipaddress ---

bool SkipAddressLine(TLoadContext& context, const std::string& line) {
  const size_t at = line.find('@');
  if (at == 0 || at == std::string::npos || at + 1 >= line.size())
    return Reject(context, "an address, \"@\" and a domain expected");
  TDomain* domain = FindDomain(context.Config, LowerStr(line.substr(at + 1)));
  if (domain == nullptr) return Reject(context, Format("unknown domain \"%s\"", line.substr(at + 1).c_str()));
  const TNetAddr addr = ParseNetAddr(line.substr(0, at), DefaultAddrOf(*domain));
  if (!domain->Skip) domain->Skip = std::make_unique<TNetAddrSet>();
  domain->Skip->Insert(addr);
  return true;
}

// --- queue ---

bool ParseBadQueue(TLoadContext& context, const std::string& value) { return ParseBoolean(context, value, context.Config.ParseBadQueue); }

bool FileQueue(TLoadContext& context, const std::string& value) {
  std::string path = ExpandPath(value, context.ConfigDir);
  if (path.empty()) return RejectEmptyPath(context);
  context.Config.FileQueue = std::move(path);
  return true;
}

const TSectionTable kMainTable{{{"sysop", MainSysop}, {"address", MainAddress}, {"msgidfile", MainMsgIdFile}}};
const TSectionTable kDomainTable{{}, nullptr, DomainLine};
const TSectionTable kMainAkaTable{{}, nullptr, MainAkaLine};
const TSectionTable kScanFlagsTable{{{"skipbusyflag", SkipBusyFlag}, {"emptypacketaspoll", EmptyPacketAsPoll}}};
const TSectionTable kSkipAddressTable{{}, nullptr, SkipAddressLine};
const TSectionTable kQueueTable{{{"parsebadqueue", ParseBadQueue}, {"filequeue", FileQueue}}};

}  // namespace

bool OpenMainSection(TLoadContext& context, const std::string& rest) { return OpenPlainSection(context, rest, kMainTable); }
bool OpenDomainSection(TLoadContext& context, const std::string& rest) { return OpenPlainSection(context, rest, kDomainTable); }
bool OpenMainAkaSection(TLoadContext& context, const std::string& rest) { return OpenPlainSection(context, rest, kMainAkaTable); }
bool OpenScanFlagsSection(TLoadContext& context, const std::string& rest) { return OpenPlainSection(context, rest, kScanFlagsTable); }
bool OpenSkipAddressSection(TLoadContext& context, const std::string& rest) { return OpenPlainSection(context, rest, kSkipAddressTable); }
bool OpenQueueSection(TLoadContext& context, const std::string& rest) { return OpenPlainSection(context, rest, kQueueTable); }

}  // namespace zeb
