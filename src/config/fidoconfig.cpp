#include "config/fidoconfig.h"

#include <fnmatch.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <optional>

#include "support/text.h"

namespace zeb {

namespace {

// Where a value was written, for notes made once the whole file is read.
struct TWrittenAt {
  std::string File;
  int Line = 0;
  std::string Text;
};

// One branch of an if ... endif: whether its lines are read.
struct TCondition {
  bool Outer = true;   // the enclosing branch is read
  bool Taken = false;  // this branch is read
  bool Any = false;    // some branch of this if was read
  TWrittenAt At;
};

struct TPendingLink {
  std::string Name;
  TWrittenAt At;
  std::optional<TWrittenAt> Aka;
  std::string FileBox;
};

struct TPendingArea {
  TTosserArea Area;
  TWrittenAt At;
  std::optional<TWrittenAt> Aka;  // -a
};

const char* const kAreaKeywords[] = {"echoarea", "localarea", "netmailarea", "badarea", "dupearea"};

class TFidoReader : public TLineFileReader {
 public:
  TFidoReader(DiskInterface& disk, TFidoConfig& out, std::string& error) : TLineFileReader(disk, error), out_(out) {}

  bool ReadTop(const std::string& path) {
    if (!ReadFile(path)) return false;
    for (const TCondition& open : conditions_) NoteAt(open.At, "if without endif");
    Finish();
    return true;
  }

 private:
  void NoteAt(const TWrittenAt& at, std::string text) { out_.Notes.push_back({at.File, at.Line, std::move(text)}); }
  void Note(std::string text) { out_.Notes.push_back({File(), startLine_, std::move(text)}); }
  TWrittenAt Here(std::string text) const { return {File(), startLine_, std::move(text)}; }
  bool Reading() const { return conditions_.empty() || conditions_.back().Taken; }

  bool ReadLine(std::string_view raw) override {
    // A line ending in a blank and "\" goes on in the next one.
    if (pending_.empty()) startLine_ = Line();
    if (raw.size() >= 2 && raw.back() == '\\' && IsBlank(raw[raw.size() - 2])) {
      pending_.append(raw.substr(0, raw.size() - 1));
      return true;
    }
    std::string line = std::move(pending_) + std::string(raw);
    pending_.clear();
    line = Expand(WithoutComment(TrimBlanks(line)));
    if (line.empty()) return true;
    std::string rest = line;
    const size_t blank = std::find_if(rest.begin(), rest.end(), IsBlank) - rest.begin();
    const std::string keyword = LowerStr(rest.substr(0, blank));
    rest = TrimBlanks(rest.substr(blank));
    if (Condition(keyword, rest) || !Reading()) return true;
    if (line.find('`') != std::string::npos) {
      out_.Commands.push_back({File(), startLine_, line});
      return true;
    }
    return Keyword(keyword, rest);
  }

  // The comment character at the start of the line, or with blanks on both
  // sides, begins a comment.
  std::string WithoutComment(std::string line) const {
    for (size_t i = 0; i < line.size(); ++i) {
      if (line[i] != commentChar_) continue;
      if (i == 0 || (IsBlank(line[i - 1]) && (i + 1 == line.size() || IsBlank(line[i + 1])))) return TrimBlanks(line.substr(0, i));
    }
    return line;
  }

  // [NAME]: a variable of set, else of the environment; [OS] and [module]
  // are what the husky programs give on this system (no module is zeb).
  std::string Expand(const std::string& line) const {
    std::string out;
    for (size_t i = 0; i < line.size(); ++i) {
      const size_t close = line[i] == '[' ? line.find(']', i) : std::string::npos;
      if (close == std::string::npos) {
        out += line[i];
        continue;
      }
      out += Variable(line.substr(i + 1, close - i - 1)).value_or("");
      i = close;
    }
    return out;
  }

  std::optional<std::string> Variable(const std::string& name) const {
    const std::string lower = LowerStr(name);
    if (const auto set = variables_.find(lower); set != variables_.end()) return set->second;
    if (lower == "os") return "UNIX";
    if (lower == "module") return std::nullopt;
    if (const char* env = std::getenv(name.c_str())) return env;
    return std::nullopt;
  }

  static std::string Unquoted(std::string_view text) {
    std::string value = TrimBlanks(text);
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"') value = value.substr(1, value.size() - 2);
    return value;
  }

  // a==b, a!=b, a=~pattern, a!~pattern (shell patterns); in any case.
  bool Test(const std::string& expression) {
    static const char* const kOperators[] = {"==", "!=", "=~", "!~"};
    for (const char* op : kOperators) {
      const size_t at = expression.find(op);
      if (at == std::string::npos) continue;
      const std::string left = Unquoted(expression.substr(0, at)), right = Unquoted(expression.substr(at + 2));
      const bool match = op[1] == '~' ? fnmatch(right.c_str(), left.c_str(), FNM_CASEFOLD) == 0 : SameText(left, right);
      return match == (op[0] != '!');
    }
    Note(Format("Bad condition: %s", expression.c_str()));
    return false;
  }

  // True when the line is one of if, ifdef, ifndef, elseif, else, endif.
  bool Condition(const std::string& keyword, const std::string& rest) {
    if (keyword == "if" || keyword == "ifdef" || keyword == "ifndef") {
      TCondition condition{Reading(), false, false, Here(keyword)};
      if (condition.Outer) {
        if (rest.find('`') != std::string::npos)
          out_.Commands.push_back({File(), startLine_, keyword + " " + rest});
        else
          condition.Taken = keyword == "if" ? Test(rest) : Variable(Unquoted(rest)).has_value() == (keyword == "ifdef");
      }
      condition.Any = condition.Taken;
      conditions_.push_back(std::move(condition));
      return true;
    }
    if (keyword != "elseif" && keyword != "else" && keyword != "endif") return false;
    if (conditions_.empty()) {
      Note(Format("%s without if", keyword.c_str()));
      return true;
    }
    TCondition& top = conditions_.back();
    if (keyword == "endif") {
      conditions_.pop_back();
    } else {
      top.Taken = top.Outer && !top.Any && (keyword == "else" || Test(rest));
      top.Any = top.Any || top.Taken;
    }
    return true;
  }

  bool Keyword(const std::string& keyword, const std::string& rest) {
    std::vector<std::string> words;
    if (!SplitQuotedWords(rest, words)) {
      if (IsRead(keyword)) Note("Unclosed quote");
      return true;
    }
    if (keyword == "include") return Include(words);
    if (keyword == "set") {
      Set(rest);
    } else if (keyword == "commentchar") {
      if (words.size() == 1 && words[0].size() == 1)
        commentChar_ = words[0][0];
      else
        Note("commentChar takes one character");
    } else if (keyword == "address") {
      if (OneWord(words, keyword)) addresses_.push_back(Here(words[0]));
    } else if (keyword == "sysop") {
      out_.Sysop = rest;
    } else if (keyword == "outbound" || keyword == "fileboxesdir") {
      std::string path;
      if (OnePath(words, keyword, path)) (keyword == "outbound" ? out_.Outbound : out_.FileBoxesDir) = path;
    } else if (keyword == "link") {
      links_.push_back({rest, Here(rest), std::nullopt, {}});
    } else if (keyword == "aka" || keyword == "filebox") {
      LinkLine(keyword, words);
    } else if (keyword == "echoareadefaults") {
      defaults_ = words.size() == 1 && SameText(words[0], "off") ? std::vector<std::string>() : words;
    } else if (IsArea(keyword)) {
      Area(keyword, words);
    }
    return true;
  }

  static bool IsArea(const std::string& keyword) {
    return std::find(std::begin(kAreaKeywords), std::end(kAreaKeywords), keyword) != std::end(kAreaKeywords);
  }

  // Keywords whose lines zeb reads; the others are the tosser's business.
  static bool IsRead(const std::string& keyword) {
    static const char* const kRead[] = {"include", "set",  "commentchar", "address", "sysop",           "outbound",
                                        "fileboxesdir", "link", "aka",         "filebox", "echoareadefaults"};
    return IsArea(keyword) || std::find(std::begin(kRead), std::end(kRead), keyword) != std::end(kRead);
  }

  bool OneWord(const std::vector<std::string>& words, const std::string& keyword) {
    if (words.size() == 1) return true;
    Note(Format("%s takes one value", keyword.c_str()));
    return false;
  }

  bool OnePath(const std::vector<std::string>& words, const std::string& keyword, std::string& path) {
    if (!OneWord(words, keyword)) return false;
    path = words[0];
    if (UsablePath(path)) return true;
    Note(Format("%s not usable here: %s", keyword.c_str(), words[0].c_str()));
    return false;
  }

  bool Include(const std::vector<std::string>& words) {
    std::string path;
    if (!OnePath(words, "include", path)) return true;
    const size_t depth = conditions_.size();
    if (!ReadFile(IncludePath(path))) return false;
    // A file's if ends in the same file.
    for (size_t i = depth; i < conditions_.size(); ++i) NoteAt(conditions_[i].At, "if without endif");
    conditions_.resize(depth);
    return true;
  }

  void Set(const std::string& rest) {
    const std::string assignment = Unquoted(rest);
    const size_t equals = assignment.find('=');
    const std::string name = TrimBlanks(assignment.substr(0, equals));
    if (equals == std::string::npos || name.empty()) {
      Note("set needs NAME=VALUE");
      return;
    }
    variables_[LowerStr(name)] = Unquoted(assignment.substr(equals + 1));
  }

  void LinkLine(const std::string& keyword, const std::vector<std::string>& words) {
    if (links_.empty()) {
      Note(Format("%s outside a link", keyword.c_str()));
      return;
    }
    if (keyword == "aka") {
      if (OneWord(words, keyword)) links_.back().Aka = Here(words[0]);
      return;
    }
    std::string path;
    if (OnePath(words, keyword, path)) links_.back().FileBox = path;
  }

  // TAG FILE [options] [links]: the options zeb reads are -b TYPE, -a AKA
  // and -pass; EchoAreaDefaults come before an echo area's own options.
  void Area(const std::string& keyword, const std::vector<std::string>& words) {
    if (words.size() < 2) {
      Note(Format("%s needs a tag and a file", keyword.c_str()));
      return;
    }
    TPendingArea pending;
    TTosserArea& area = pending.Area;
    area.Tag = words[0];
    area.Netmail = keyword == "netmailarea";
    pending.At = Here(words[0]);
    std::vector<std::string> options = keyword == "echoarea" ? defaults_ : std::vector<std::string>();
    options.insert(options.end(), words.begin() + 2, words.end());
    for (size_t i = 0; i < options.size(); ++i) {
      const std::string option = LowerStr(options[i]);
      if (option == "-pass") area.Base = TAreaBase::Passthrough;
      if (option != "-b" && option != "-a") continue;
      if (i + 1 == options.size()) {
        Note(Format("%s needs a value", options[i].c_str()));
        return;
      }
      const std::string& value = options[++i];
      if (option == "-a") {
        pending.Aka = Here(value);
        continue;
      }
      static const char* const kBases[] = {"msg", "squish", "jam", "passthrough"};
      const auto base = std::find(std::begin(kBases), std::end(kBases), LowerStr(value));
      if (base == std::end(kBases)) {
        Note(Format("Unknown message base type: %s", value.c_str()));
        return;
      }
      area.Base = static_cast<TAreaBase>(base - std::begin(kBases));
    }
    if (SameText(words[1], "passthrough")) area.Base = TAreaBase::Passthrough;
    if (area.Base != TAreaBase::Passthrough) {
      area.Path = words[1];
      if (!UsablePath(area.Path)) {
        Note(Format("Area file not usable here: %s", words[1].c_str()));
        return;
      }
    }
    const bool taken = std::any_of(areas_.begin(), areas_.end(), [&](const TPendingArea& a) { return SameText(a.Area.Tag, area.Tag); });
    if (taken)
      Note(Format("Duplicate area %s", area.Tag.c_str()));
    else
      areas_.push_back(std::move(pending));
  }

  // An address with a zone; without "@domain" it is in the main address's.
  bool Resolve(const TWrittenAt& at, TDomainAddress& address) {
    TWrittenAddr written;
    if (!ParseWrittenAddr(at.Text, written) || !written.HasZone) {
      NoteAt(at, Format("Bad address: %s", at.Text.c_str()));
      return false;
    }
    address = {written.Addr, written.Domain};
    if (address.Domain.empty() && !out_.Addresses.empty()) address.Domain = out_.Addresses.front().Domain;
    return true;
  }

  void Finish() {
    for (const TWrittenAt& at : addresses_) {
      TDomainAddress address;
      if (Resolve(at, address)) out_.Addresses.push_back(std::move(address));
    }
    for (TPendingLink& link : links_) {
      TFidoLink done{{}, std::move(link.FileBox)};
      if (!link.Aka)
        NoteAt(link.At, Format("Link %s has no Aka", link.Name.c_str()));
      else if (Resolve(*link.Aka, done.Aka))
        out_.Links.push_back(std::move(done));
    }
    // Without -a an area uses the main address.
    for (TPendingArea& pending : areas_) {
      if (pending.Aka && !Resolve(*pending.Aka, pending.Area.Aka)) continue;
      if (!pending.Aka && !out_.Addresses.empty()) pending.Area.Aka = out_.Addresses.front();
      out_.Areas.push_back(std::move(pending.Area));
    }
  }

  TFidoConfig& out_;
  std::string pending_;  // the lines so far of a line that goes on
  int startLine_ = 0;    // the first line of the line being read
  char commentChar_ = '#';
  std::map<std::string, std::string> variables_;  // by lower-case name
  std::vector<TCondition> conditions_;
  std::vector<std::string> defaults_;  // EchoAreaDefaults
  std::vector<TWrittenAt> addresses_;
  std::vector<TPendingLink> links_;
  std::vector<TPendingArea> areas_;
};

}  // namespace

bool ReadFidoConfig(DiskInterface& disk, const std::string& path, TFidoConfig& out, std::string& error) {
  out = {};
  error.clear();
  return TFidoReader(disk, out, error).ReadTop(path);
}

}  // namespace zeb
