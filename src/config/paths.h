// The program's directory and the expansion of every configured path.
#pragma once

#include <string>
#include <string_view>

namespace zeb {

// The directory of the running executable, with its trailing "/".
const std::string& HomeDir();
void SetHomeDir(std::string dir);

// Sets HomeDir from the executable's path.
void InitHomeDir(std::string_view exePath);

// Expands a path: quotes removed, %NAME% taken from the environment (an
// unclosed "%" gives the empty text), "\" read as "/", trailing separators
// removed, and a relative path taken from `baseDir` (a leading "./" dropped,
// a lone "." the directory itself, a leading "../" its parent). "con" (any
// case) stays "con", the console.
std::string ExpandPathFrom(std::string_view text, std::string_view baseDir);

// Expands a path written in a configuration file: a relative path is taken
// from the directory of the file being read, from HomeDir outside one.
std::string ExpandPath(std::string_view text);

// While one lives, relative configured paths are taken from the directory
// of the configuration file `filePath`; the previous directory comes back
// at its end, so an included file does not change its includer's base.
class TConfigDirScope {
 public:
  explicit TConfigDirScope(std::string_view filePath);
  ~TConfigDirScope();
  TConfigDirScope(const TConfigDirScope&) = delete;
  TConfigDirScope& operator=(const TConfigDirScope&) = delete;

 private:
  std::string saved_;
};

}  // namespace zeb
