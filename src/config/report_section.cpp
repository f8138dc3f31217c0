// The report section: one report, its template, destination, parties and
// sort keys.
#include "config/domains.h"
#include "config/line_parse.h"
#include "config/paths.h"
#include "config/section_table.h"
#include "config/sections.h"
#include "support/program_identity.h"
#include "support/text.h"

namespace zeb {

namespace {

std::unique_ptr<TReport> g_report;  // the report of the open section

bool Template(const std::string& value) {
  std::string path = ExpandPath(value);
  if (path.empty()) return false;
  g_report->Template = std::move(path);
  return true;
}

bool SortBy(const std::string& value) {
  static const char* const kKeys[] = {"size",         "address",          "days",   "netmailsize",
                                      "echomailsize", "fileechomailsize", "flavour"};
  if (value.empty()) return false;
  std::string rest = value;
  for (size_t position = 0; position < g_report->SortBy.size() && !rest.empty(); ++position) {
    const std::string word = LowerStr(FirstWord(rest));
    uint8_t code = 0;
    for (uint8_t k = 0; k < 7 && code == 0; ++k)
      if (word == kKeys[k]) code = static_cast<uint8_t>(k + 1);
    if (code == 0) return false;
    g_report->SortBy[position] = code;
  }
  return true;
}

// kind, path, and for pkt the area tag and an optional password, for squish
// an optional keeping period in days.
bool PostTo(const std::string& value) {
  static const char* const kKinds[] = {"jam", "squish", "file", "msg", "pkt", "netmail"};
  std::string rest = value;
  const std::string kindWord = LowerStr(FirstWord(rest));
  int kind = -1;
  for (int k = 0; k < 6 && kind < 0; ++k)
    if (kindWord == kKinds[k]) kind = k;
  if (kind < 0 || rest.empty()) return false;

  TPostArea area;
  area.Kind = static_cast<TPostKind>(kind);
  std::string path = FirstWord(rest);
  if (path[0] == '"' || path[0] == '\'') path.erase(0, 1);
  if (!path.empty() && (path.back() == '"' || path.back() == '\'')) path.pop_back();
  area.Path = ExpandPath(path);
  // A path that expands to nothing (an unset variable) names no destination.
  if (area.Path.empty()) return false;
  int32_t keepDays = g_report->KeepDays;
  if (area.Kind == TPostKind::Pkt) {
    if (rest.empty()) return false;
    area.Area = FirstWord(rest);
    area.Password = FirstWord(rest).substr(0, 8);
  } else if (area.Kind == TPostKind::Squish && !rest.empty()) {
    keepDays = static_cast<int32_t>(TextToInt(FirstWord(rest), 0));
  }
  if (!rest.empty()) return false;
  g_report->PostTo = std::move(area);
  g_report->KeepDays = keepDays;
  return true;
}

// A name and an address: the address is the text after the last space
// unless the value ends with a double quote. A missing address part comes
// from the own address of the report's domain the address names, or from
// the main address.
TFTAddr Party(const std::string& value, const std::string& defaultName) {
  const std::string text = TrimBlanks(value);
  std::string name, addrText;
  if (!text.empty() && text.back() == '"') {
    name = text;
  } else {
    const size_t space = text.rfind(' ');
    addrText = space == std::string::npos ? text : text.substr(space + 1);
    if (space != std::string::npos) name = text.substr(0, space);
  }
  TFTAddr party;
  party.Name = UnquoteText(TrimBlanks(name));
  if (party.Name.empty()) party.Name = defaultName;
  size_t index = 0;
  const TNetAddr def =
      FindDomainFor(g_report->Domains, addrText, index) ? g_report->Domains[index]->Aka : MainConfig().Address;
  party.Addr = ParseNetAddr(addrText.substr(0, addrText.find('@')), def);
  return party;
}

bool From(const std::string& value) {
  g_report->From = Party(value, Format("%s %s", kProgramTag, kProgramVersion));
  return true;
}

bool To(const std::string& value) {
  g_report->To = Party(value, "All");
  return true;
}

bool Subject(const std::string& value) {
  g_report->Subject = UnquoteText(value);
  if (g_report->Subject.empty()) g_report->Subject = "Queue Report";
  return true;
}

bool Origin(const std::string& value) {
  g_report->Origin = UnquoteText(value);
  return true;
}

bool Tearline(const std::string& value) {
  g_report->Tearline = UnquoteText(value);
  return true;
}

bool Charset(const std::string& value) {
  g_report->Charset = UnquoteText(value);
  return true;
}

bool ShowLeftKludges(const std::string& value) { return ParseBoolean(value, g_report->ShowLeftKludges); }
bool SeenBy(const std::string& value) { return ParseBoolean(value, g_report->SeenBy); }
bool PathLine(const std::string& value) { return ParseBoolean(value, g_report->Path); }

// The report is registered only here: one left open at the end of the
// configuration produces nothing. Without a destination the report would
// land in a base of no name in the current directory: the section is
// refused instead.
bool ReportEnd() {
  TReport& report = *g_report;
  if (report.PostTo.Path.empty()) {
    SetPendingMessage("No postto in the report section");
    return false;
  }
  const TNetAddr& main = MainConfig().Address;
  if (report.From.Name.empty()) report.From = TFTAddr{"Zebrant", main};
  if (report.To.Name.empty()) report.To = TFTAddr{"All", main};
  if (report.Subject.empty()) report.Subject = "Queue Report";
  MainConfig().Reports.push_back(std::move(g_report));
  return true;
}

const TSectionTable kReportTable{{
                                     {"template", Template},
                                     {"sortby", SortBy},
                                     {"postto", PostTo},
                                     {"from", From},
                                     {"to", To},
                                     {"subject", Subject},
                                     {"origin", Origin},
                                     {"showleftkludges", ShowLeftKludges},
                                     {"tierline", Tearline},
                                     {"seen-by", SeenBy},
                                     {"path", PathLine},
                                     {"tearline", Tearline},
                                     {"charset", Charset},
                                 },
                                 ReportEnd};

}  // namespace

bool OpenReportSection(const std::string& rest) {
  auto report = std::make_unique<TReport>();
  if (rest.empty()) {
    for (const auto& domain : MainConfig().Domains) report->Domains.Insert(domain.get());
  }
  std::string names = rest;
  while (!names.empty()) {
    const std::string name = FirstWord(names);
    TDomain* domain = FindDomain(name);
    if (domain == nullptr) return DomainNotDefined(name);
    report->Domains.Insert(domain);
  }
  g_report = std::move(report);
  SelectTable(kReportTable);
  return true;
}

}  // namespace zeb
