// The loader's state: the section table it dispatches to, the section being
// read and the extra message of a rejected line. It lives for the whole run,
// across included files and the additional file.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zeb {

// A keyword handler gets the rest of the line with blanks trimmed; a line
// handler gets the whole cleaned line. False rejects the line.
using TKeywordHandler = bool (*)(const std::string& value);
using TLineHandler = bool (*)(const std::string& line);
// An end handler may refuse the section as a whole: false rejects the "end"
// line.
using TEndHandler = bool (*)();

struct TKeyword {
  const char* Name;  // lower case
  TKeywordHandler Handler;
};

struct TSectionTable {
  std::vector<TKeyword> Keywords;
  TEndHandler EndHandler = nullptr;    // called at the section's "end"
  TLineHandler LineHandler = nullptr;  // when set, every line goes to it

  // The handler of a keyword (already in lower case), or null.
  TKeywordHandler Find(std::string_view keyword) const;
};

// The eleven sections that "def" opens.
const TSectionTable& TopLevelTable();

const TSectionTable& CurrentTable();
// Installs a section's table; a section handler calls it when it opens.
void SelectTable(const TSectionTable& table);
bool AtTopLevel();

// The section name as written on its "def" line; empty at top level.
const std::string& CurrentSection();
void SetCurrentSection(std::string name);

// An extra error text a handler leaves just before it fails.
const std::string& PendingMessage();
void SetPendingMessage(std::string text);

// Installs `table` when the "def" line carries nothing after the section
// name; false otherwise.
bool OpenPlainSection(const std::string& rest, const TSectionTable& table);

// Fails with the extra text "Domain name "%s" is not defined".
bool DomainNotDefined(std::string_view name);

// Back to the top-level table with no section and no message.
void ResetLoader();

}  // namespace zeb
