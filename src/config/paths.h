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

// Expands a path from the configuration or the command line: quotes
// removed, %NAME% taken from the environment (an unclosed "%" gives the empty
// text), "\" read as "/", trailing separators removed, and a relative path
// taken from HomeDir. "con" (any case) stays "con", the console.
std::string ExpandPath(std::string_view text);

}  // namespace zeb
