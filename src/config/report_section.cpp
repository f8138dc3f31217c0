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

bool Template(TLoadContext& context, const std::string& value) {
  std::string path = ExpandPath(value, context.ConfigDir);
  if (path.empty()) return RejectEmptyPath(context);
  context.Report->Template = std::move(path);
  context.Report->TemplateName = value;
  return true;
}

bool SortBy(TLoadContext& context, const std::string& value) {
  static const char* const kKeys[] = {"size",         "address",          "days",   "netmailsize",
                                      "echomailsize", "fileechomailsize", "flavour"};
  if (value.empty()) return Reject(context, "no sort key given");
  std::string rest = value;
  for (size_t position = 0; position < context.Report->SortBy.size() && !rest.empty(); ++position) {
    std::string word = LowerStr(FirstWord(rest));
    const bool reversed = word.starts_with('-');
    if (reversed) word.erase(0, 1);
    uint8_t code = 0;
    for (uint8_t k = 0; k < 7 && code == 0; ++k)
      if (word == kKeys[k]) code = static_cast<uint8_t>(k + 1);
    if (code == 0) return RejectUnknown(context, "sort key", word, kKeys);
    context.Report->SortBy[position] = reversed ? code | kSortReversed : code;
  }
  return true;
}

// A number of steps from 1 up.
bool MaxSteps(TLoadContext& context, const std::string& value) {
  const int64_t steps = TextToInt(value, 0);
  if (steps < 1) return Reject(context, Format("bad step count \"%s\" (a number from 1 up)", value.c_str()));
  context.Report->MaxSteps = steps;
  return true;
}

// kind, path, and for pkt the area tag and an optional password, for squish
// an optional keeping period in days.
bool PostTo(TLoadContext& context, const std::string& value) {
  static const char* const kDestinations[] = {"jam", "squish", "file", "msg", "pkt", "netmail", "area"};
  std::string rest = value;
  const std::string kindWord = LowerStr(FirstWord(rest));
  if (kindWord == "area") return PostToArea(context, rest);
  int kind = -1;
  for (int k = 0; k < 6 && kind < 0; ++k)
    if (kindWord == kPostKindWords[k]) kind = k;
  if (kind < 0) return RejectUnknown(context, "destination", kindWord, kDestinations);
  if (rest.empty()) return Reject(context, Format("a path must follow %s", kindWord.c_str()));

  TPostArea area;
  area.Kind = static_cast<TPostKind>(kind);
  std::string path = FirstWord(rest);
  if (path[0] == '"' || path[0] == '\'') path.erase(0, 1);
  if (!path.empty() && (path.back() == '"' || path.back() == '\'')) path.pop_back();
  area.Path = ExpandPath(path, context.ConfigDir);
  // A path that expands to nothing (an unset variable) names no destination.
  if (area.Path.empty()) return RejectEmptyPath(context);
  int32_t keepDays = context.Report->KeepDays;
  if (area.Kind == TPostKind::Pkt) {
    if (rest.empty()) return Reject(context, "pkt needs the area's tag after the path");
    area.Area = FirstWord(rest);
    area.Password = FirstWord(rest).substr(0, 8);
  } else if (area.Kind == TPostKind::Squish && !rest.empty()) {
    keepDays = static_cast<int32_t>(TextToInt(FirstWord(rest), 0));
  }
  if (!rest.empty()) return Reject(context, Format("unexpected \"%s\" at the end", rest.c_str()));
  context.Report->PostTo = std::move(area);
  context.Report->KeepDays = keepDays;
  context.ReportAreaAka.reset();
  return true;
}

// A name and an address: the address is the text after the last space
// unless the value ends with a double quote. A missing address part comes
// from the own address of the report's domain the address names, or from
// the main address.
// `addressGiven` tells whether the value has an address part.
TFTAddr Party(const TLoadContext& context, const std::string& value, const std::string& defaultName,
              bool& addressGiven) {
  const std::string text = TrimBlanks(value);
  std::string name, addrText;
  if (!text.empty() && text.back() == '"') {
    name = text;
  } else {
    const size_t space = text.rfind(' ');
    addrText = space == std::string::npos ? text : text.substr(space + 1);
    if (space != std::string::npos) name = text.substr(0, space);
  }
  addressGiven = !addrText.empty();
  TFTAddr party;
  party.Name = UnquoteText(TrimBlanks(name));
  if (party.Name.empty()) party.Name = defaultName;
  size_t index = 0;
  const TNetAddr def =
      FindDomainFor(context.Report->Domains, addrText, index) ? context.Report->Domains[index]->Aka : context.Config.Address;
  party.Addr = ParseNetAddr(addrText.substr(0, addrText.find('@')), def);
  return party;
}

bool From(TLoadContext& context, const std::string& value) {
  context.Report->From = Party(context, value, Format("%s %s", kProgramTag, kProgramVersion), context.ReportFromAddress);
  return true;
}

bool To(TLoadContext& context, const std::string& value) {
  bool addressGiven = false;
  context.Report->To = Party(context, value, "All", addressGiven);
  return true;
}

bool Subject(TLoadContext& context, const std::string& value) {
  context.Report->Subject = UnquoteText(value);
  if (context.Report->Subject.empty()) context.Report->Subject = "Queue Report";
  return true;
}

bool Origin(TLoadContext& context, const std::string& value) {
  context.Report->Origin = UnquoteText(value);
  return true;
}

bool Tearline(TLoadContext& context, const std::string& value) {
  context.Report->Tearline = UnquoteText(value);
  return true;
}

bool Charset(TLoadContext& context, const std::string& value) {
  context.Report->Charset = UnquoteText(value);
  return true;
}

bool ShowLeftKludges(TLoadContext& context, const std::string& value) { return ParseBoolean(context, value, context.Report->ShowLeftKludges); }
bool SeenBy(TLoadContext& context, const std::string& value) { return ParseBoolean(context, value, context.Report->SeenBy); }
bool PathLine(TLoadContext& context, const std::string& value) { return ParseBoolean(context, value, context.Report->Path); }

// The report is registered only here: one left open at the end of the
// configuration produces nothing. Without a destination the report would
// land in a base of no name in the current directory: the section is
// refused instead.
bool ReportEnd(TLoadContext& context) {
  TReport& report = *context.Report;
  if (report.PostTo.Path.empty()) {
    context.PendingMessage = "No postto in the report section";
    return false;
  }
  const TNetAddr& main = context.Config.Address;
  if (report.From.Name.empty()) report.From = TFTAddr{"Zebrant", main};
  if (context.ReportAreaAka && !context.ReportFromAddress) report.From.Addr = *context.ReportAreaAka;
  if (report.To.Name.empty()) report.To = TFTAddr{"All", main};
  if (report.Subject.empty()) report.Subject = "Queue Report";
  context.Config.Reports.push_back(std::move(context.Report));
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
                                     {"maxsteps", MaxSteps},
                                 },
                                 ReportEnd};

}  // namespace

bool OpenReportSection(TLoadContext& context, const std::string& rest) {
  auto report = std::make_unique<TReport>();
  if (rest.empty()) {
    for (const auto& domain : context.Config.Domains) report->Domains.Insert(domain.get());
  }
  std::string names = rest;
  while (!names.empty()) {
    const std::string name = FirstWord(names);
    TDomain* domain = FindDomain(context.Config, name);
    if (domain == nullptr) return DomainNotDefined(context, name);
    report->Domains.Insert(domain);
    if (report->FirstDomain == nullptr) report->FirstDomain = domain;
  }
  if (report->FirstDomain == nullptr && !report->Domains.Empty()) report->FirstDomain = report->Domains[0];
  context.Report = std::move(report);
  context.ReportAreaAka.reset();
  context.ReportFromAddress = false;
  context.SelectTable(kReportTable);
  return true;
}

}  // namespace zeb
