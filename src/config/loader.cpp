#include "config/loader.h"

#include <algorithm>
#include <filesystem>
#include <utility>
#include <vector>

#include "config/line_parse.h"
#include "config/paths.h"
#include "config/section_table.h"
#include "log/console.h"
#include "platform/disk.h"
#include "support/net_addr.h"
#include "support/text.h"

namespace zeb {

namespace {

enum class TLineResult { Accepted, Rejected, IncludeFailed };

// Rejects the line with the reason given.
TLineResult RejectLine(TLoadContext& context, std::string reason) {
  Reject(context, std::move(reason));
  return TLineResult::Rejected;
}

std::string LoopKey(const std::string& path) { return std::filesystem::path(path).lexically_normal().string(); }

bool IsRooted(std::string_view path) { return !path.empty() && (path[0] == '/' || path[0] == '\\'); }

TLineResult IncludeFile(TLoadContext& context, std::string name) {
  if (!name.empty() && name[0] == '"') name = name.size() >= 2 ? name.substr(1, name.size() - 2) : std::string();
  if (name.empty()) return RejectLine(context, "include needs a file's name");
  // A relative name is taken from the including file's directory.
  const std::string path = ExpandPath(name, context.ConfigDir);
  if (path.empty()) {
    RejectEmptyPath(context);
    return TLineResult::Rejected;
  }
  if (std::find(context.Loading.begin(), context.Loading.end(), LoopKey(path)) != context.Loading.end()) {
    context.PendingMessage = Format("Include loop: %s", path.c_str());
    return TLineResult::Rejected;
  }
  return LoadConfig(context, path) ? TLineResult::Accepted : TLineResult::IncludeFailed;
}

// The keywords of a table, as a rejected line's reason lists them.
std::vector<const char*> KeywordNames(const TSectionTable& table) {
  std::vector<const char*> names;
  for (const TKeyword& keyword : table.Keywords) names.push_back(keyword.Name);
  return names;
}

TLineResult OpenSection(TLoadContext& context, std::string rest) {
  std::string name = FirstWord(rest);
  context.Section = name;
  if (name.empty()) return RejectLine(context, "a section's name must follow def");
  const TKeywordHandler open = TopLevelTable().Find(LowerStr(name));
  if (open == nullptr) {
    context.PendingMessage = Format("Unknown section \"%s\"", name.c_str());
    Reject(context, "known sections: " + JoinChoices(KeywordNames(TopLevelTable())));
    context.Section.clear();
    return TLineResult::Rejected;
  }
  if (!open(context, TrimBlanks(rest))) {
    context.PendingMessage = Format("Bad parameters for section \"%s\"", name.c_str());
    context.CloseSection();
    return TLineResult::Rejected;
  }
  return TLineResult::Accepted;
}

// A part of an address that is not a number rejects the line like any other
// bad value, so the sysop learns the file and the line.
TLineResult CallHandler(TLoadContext& context, TKeywordHandler handler, const std::string& value) {
  try {
    return handler(context, value) ? TLineResult::Accepted : TLineResult::Rejected;
  } catch (const EConvertError&) {
    context.PendingMessage = Format("Bad address: %s", value.c_str());
    return TLineResult::Rejected;
  }
}

TLineResult ProcessLine(TLoadContext& context, const std::string& line) {
  bool unclosed = false;
  // Blanks before a comment are no part of the value.
  const std::string cleaned = TrimBlanks(StripComment(TrimBlanks(line), unclosed));
  if (unclosed) return RejectLine(context, "a quote is not closed");
  if (cleaned.empty()) return TLineResult::Accepted;
  std::string rest = cleaned;
  const std::string keyword = LowerStr(FirstWord(rest));

  if (keyword == "include") return IncludeFile(context, rest);
  if (context.AtTopLevel()) {
    if (keyword == "def") return OpenSection(context, rest);
    return RejectLine(context, Format("\"%s\" outside a section (only def and include are read there)", keyword.c_str()));
  }

  const TSectionTable& table = context.CurrentTable();
  if (keyword == "end") {
    if (table.EndHandler != nullptr && !table.EndHandler(context)) return TLineResult::Rejected;
    context.CloseSection();
    return TLineResult::Accepted;
  }
  if (table.LineHandler != nullptr) return CallHandler(context, table.LineHandler, cleaned);
  const TKeywordHandler handler = table.Find(keyword);
  if (handler != nullptr) return CallHandler(context, handler, TrimBlanks(rest));
  return RejectLine(context, Format("unknown keyword \"%s\" (known in this section: %s)", keyword.c_str(),
                                    JoinChoices(KeywordNames(table)).c_str()));
}

// The line, its section and the handler's message, the reason under the
// last of them.
void ReportRejectedLine(TLoadContext& context, const std::string& fileName, int number, const std::string& line) {
  std::vector<std::string> errors{Format("%s (%d): %s", fileName.c_str(), number, line.c_str())};
  if (!context.Section.empty())
    errors.push_back(Format("Bad configuration file string in section: %s", context.Section.c_str()));
  if (!context.PendingMessage.empty()) errors.push_back(context.PendingMessage);
  for (size_t i = 0; i + 1 < errors.size(); ++i) AnnounceError(errors[i]);
  AnnounceError(errors.back(), context.Reason);
  // Reported once: a later rejected line must not repeat an old reason.
  context.PendingMessage.clear();
  context.Reason.clear();
}

// Reads the lines until the end or the first line that is not accepted.
bool ReadLines(TLoadContext& context, const std::string& fileName, const std::string& contents) {
  size_t start = 0;
  int number = 0;
  while (start < contents.size()) {
    size_t end = contents.find('\n', start);
    if (end == std::string::npos) end = contents.size();
    std::string line = contents.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    start = end + 1;
    ++number;
    const TLineResult result = ProcessLine(context, line);
    if (result == TLineResult::IncludeFailed) return false;
    if (result == TLineResult::Rejected) {
      ReportRejectedLine(context, fileName, number, line);
      if (const TEndHandler rejected = context.CurrentTable().RejectHandler) rejected(context);
      return false;
    }
  }
  return true;
}

// The first of the default places that holds a file; false, with every
// place told, when none does.
bool FindDefaultConfig(std::string& path) {
  const std::vector<std::string> places = DefaultConfigPaths();
  std::string error, tried;
  for (const std::string& place : places) {
    if (Disk().FileExists(place, error)) {
      path = place;
      return true;
    }
    tried += (tried.empty() ? "" : &place == &places.back() ? " or " : ", ") + place;
  }
  PrintError(Format("Configuration file not found at %s", tried.c_str()), error);
  return false;
}

}  // namespace

bool LoadConfig(TLoadContext& context, const std::string& pathArg) {
  std::string path = pathArg;
  if (path.empty()) {
    if (!FindDefaultConfig(path)) return false;
  } else if (!IsRooted(path)) {
    path = HomeDir() + path;
  }
  path = ExpandPath(path, context.ConfigDir);
  const std::string fileName = path.substr(path.find_last_of('/') + 1);

  std::string contents, error;
  if (!Disk().FileExists(path, error)) {
    PrintError(Format("Configuration file not found at %s", path.c_str()), error);
    return false;
  }
  if (!Disk().ReadFile(path, contents, error)) {
    PrintError(Format("Can't open file %s", path.c_str()), error);
    return false;
  }
  // Popped however the reading ends, also when an exception ends the run;
  // the includer's directory comes back with it, so that an included file
  // does not change its includer's base for relative paths.
  struct TLoadingGuard {
    TLoadingGuard(TLoadContext& context, const std::string& path)
        : Context(context), SavedConfigDir(std::exchange(context.ConfigDir, ConfigDirOf(path))) {
      Context.Loading.push_back(LoopKey(path));
    }
    ~TLoadingGuard() {
      Context.Loading.pop_back();
      Context.ConfigDir = std::move(SavedConfigDir);
    }
    TLoadContext& Context;
    std::string SavedConfigDir;
  } guard(context, path);
  return ReadLines(context, fileName, contents);
}

}  // namespace zeb
