#include "config/paths.h"

#include <algorithm>

#include "platform/system.h"
#include "support/text.h"

namespace zeb {

namespace {
std::string g_homeDir = "./";
}  // namespace

const std::string& HomeDir() { return g_homeDir; }
void SetHomeDir(std::string dir) { g_homeDir = std::move(dir); }

void InitHomeDir(std::string_view exePath) {
  const size_t slash = exePath.find_last_of('/');
  g_homeDir = slash == std::string_view::npos ? std::string("./") : std::string(exePath.substr(0, slash + 1));
}

std::vector<std::string> DefaultConfigPaths() {
  std::vector<std::string> paths{g_homeDir + "zeb.ctl"};
  constexpr std::string_view kBin = "/bin/";
  if (g_homeDir.size() > kBin.size() && g_homeDir.ends_with(kBin)) {
    const std::string prefix = g_homeDir.substr(0, g_homeDir.size() - kBin.size());
    if (prefix != "/usr") paths.push_back(prefix + "/etc/zeb/zeb.ctl");
  }
  paths.push_back("/etc/zeb/zeb.ctl");
  return paths;
}

namespace {

// Replaces every %NAME% by the variable's value; false on an unclosed "%".
bool SubstituteVariables(std::string& text) {
  std::string result;
  size_t pos = 0;
  while (pos < text.size()) {
    const size_t open = text.find('%', pos);
    if (open == std::string::npos) {
      result.append(text, pos, std::string::npos);
      break;
    }
    const size_t close = text.find('%', open + 1);
    if (close == std::string::npos) return false;
    result.append(text, pos, open - pos);
    result += GetEnv(std::string_view(text).substr(open + 1, close - open - 1)).value_or("");
    pos = close + 1;
  }
  text = std::move(result);
  return true;
}

}  // namespace

std::string ExpandPathFrom(std::string_view input, std::string_view baseDir) {
  std::string text(input);
  if (!text.empty() && text[0] == '"') text = text.size() >= 2 ? text.substr(1, text.size() - 2) : std::string();
  if (LowerStr(text) == "con") return "con";
  if (!SubstituteVariables(text)) return {};
  std::replace(text.begin(), text.end(), '\\', '/');
  while (!text.empty() && text.back() == '/') text.pop_back();
  if (text.empty() || text[0] == '/') return text;

  // "./x" is x in the base; ".x" is a name of its own.
  if (text == ".") text.clear();
  while (text.rfind("./", 0) == 0) text.erase(0, text.find_first_not_of('/', 1));
  std::string base(baseDir);
  while (!base.empty() && base.back() == '/') base.pop_back();
  if (text.rfind("../", 0) == 0) {
    text.erase(0, 3);
    const size_t slash = base.find_last_of('/');
    base = slash == std::string::npos ? std::string() : base.substr(0, slash);
  }
  if (text.empty()) return base.empty() ? "/" : base;
  return base + "/" + text;
}

std::string ExpandPath(std::string_view text, std::string_view configDir) {
  return ExpandPathFrom(text, configDir.empty() ? std::string_view(g_homeDir) : configDir);
}

std::string ConfigDirOf(std::string_view filePath) {
  const size_t slash = filePath.find_last_of('/');
  return slash == std::string_view::npos ? g_homeDir : std::string(filePath.substr(0, slash + 1));
}

}  // namespace zeb
