// The program's directory and the expansion of every configured path.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zeb {

// The directory of the running executable, with its trailing "/".
const std::string& HomeDir();
void SetHomeDir(std::string dir);

// Sets HomeDir from the executable's path.
void InitHomeDir(std::string_view exePath);

// Where the default configuration is looked for, in order: zeb.ctl beside
// the program, then where Linux keeps configurations: PREFIX/etc/zeb for a
// program installed as PREFIX/bin/zeb under a prefix other than /usr (such
// as /usr/local), and /etc/zeb.
std::vector<std::string> DefaultConfigPaths();

// Expands a path: quotes removed, %NAME% taken from the environment (an
// unclosed "%" gives the empty text), "\" read as "/", trailing separators
// removed, and a relative path taken from `baseDir` (a leading "./" dropped,
// a lone "." the directory itself, a leading "../" its parent). "con" (any
// case) stays "con", the console.
std::string ExpandPathFrom(std::string_view text, std::string_view baseDir);

// Expands a path written in a configuration file: a relative path is taken
// from `configDir`, the directory of the file being read, or from HomeDir
// outside one (`configDir` empty).
std::string ExpandPath(std::string_view text, std::string_view configDir = {});

// The directory relative paths inside the configuration file `filePath`
// are taken from, with its trailing "/".
std::string ConfigDirOf(std::string_view filePath);

}  // namespace zeb
