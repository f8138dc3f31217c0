// The loader's state: the configuration being built, the section table it
// dispatches to, the open section and what it has gathered so far, and the
// extra message of a rejected line. One lives for the whole loading, across
// included files and the additional file.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "config/foreign_config.h"
#include "config/records.h"
#include "log/log_settings.h"

namespace zeb {

struct TLoadContext;

// A keyword handler gets the rest of the line with blanks trimmed; a line
// handler gets the whole cleaned line. False rejects the line.
using TKeywordHandler = bool (*)(TLoadContext& context, const std::string& value);
using TLineHandler = bool (*)(TLoadContext& context, const std::string& line);
// An end handler may refuse the section as a whole: false rejects the "end"
// line.
using TEndHandler = bool (*)(TLoadContext& context);

struct TKeyword {
  const char* Name;  // lower case
  TKeywordHandler Handler;
};

struct TSectionTable {
  std::vector<TKeyword> Keywords;
  TEndHandler EndHandler = nullptr;    // called at the section's "end"
  TLineHandler LineHandler = nullptr;  // when set, every line goes to it
  // Called when a line of the section is rejected, which ends the loading.
  TEndHandler RejectHandler = nullptr;

  // The handler of a keyword (already in lower case), or null.
  TKeywordHandler Find(std::string_view keyword) const;
};

// The sections that "def" opens.
const TSectionTable& TopLevelTable();

// Told the settings of a log section at its end, after the command line's
// level is put in; true when a logger started with them. Only the first log
// section's logger runs.
using TLogSectionEnded = std::function<bool(const TLogSettings& settings)>;

struct TLoadContext {
  explicit TLoadContext(TMainConfig& config, TLogSectionEnded logSectionEnded = {}, int commandLineLogLevel = -1)
      : Config(config), LogSectionEnded(std::move(logSectionEnded)), CommandLineLogLevel(commandLineLogLevel) {}

  TMainConfig& Config;
  TLogSectionEnded LogSectionEnded;
  // The log level the command line asks for, which wins over the
  // configured one; -1 for none.
  int CommandLineLogLevel;

  const TSectionTable* Table = nullptr;  // null: the top-level table
  // The section name as written on its "def" line; empty at top level.
  std::string Section;
  // An extra error text a handler leaves just before it fails.
  std::string PendingMessage;
  // What is wrong with a rejected line, in the sysop's terms; shown as the
  // "Reason:" line under the line's error lines.
  std::string Reason;
  // The files being read, outermost first, so that an include cycle is
  // caught instead of recursing until the stack runs out.
  std::vector<std::string> Loading;
  // The directory of the file being read, which relative paths in it are
  // taken from; empty outside one.
  std::string ConfigDir;

  // The message areas of the tossers' configurations read so far (paths
  // expanded, the first of a tag kept), and those files, for postto area.
  std::vector<TTosserArea> Areas;
  std::vector<std::string> AreaFiles;

  // What the open section has gathered; registered at its end.
  std::unique_ptr<TReport> Report;
  // The address of the report's area, which From takes when the report's
  // from line gives no address (or there is none).
  std::optional<TNetAddr> ReportAreaAka;
  bool ReportFromAddress = false;
  std::unique_ptr<TOutboundGroup> Group;
  TDomain* BoxDomain = nullptr;
  std::string TMailPath;
  TLogSettings LogSettings;

  const TSectionTable& CurrentTable() const { return Table != nullptr ? *Table : TopLevelTable(); }
  bool AtTopLevel() const { return &CurrentTable() == &TopLevelTable(); }
  // Installs a section's table; a section handler calls it when it opens.
  void SelectTable(const TSectionTable& table) { Table = &table; }
  // Back to the top-level table with no section.
  void CloseSection() {
    Table = nullptr;
    Section.clear();
  }
};

// Installs `table` when the "def" line carries nothing after the section
// name; false otherwise.
bool OpenPlainSection(TLoadContext& context, const std::string& rest, const TSectionTable& table);

// Fail with the reason given: `reason` itself; `unknown WHAT "WORD"
// (CHOICES)`; that a path expands to nothing.
bool Reject(TLoadContext& context, std::string reason);
bool RejectUnknown(TLoadContext& context, std::string_view what, std::string_view word,
                   std::span<const char* const> choices);
bool RejectEmptyPath(TLoadContext& context);
// The choices separated by ", ".
std::string JoinChoices(std::span<const char* const> choices);

// Fails with the extra text "Domain name "%s" is not defined".
bool DomainNotDefined(TLoadContext& context, std::string_view name);

}  // namespace zeb
