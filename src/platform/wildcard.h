// DOS wildcard matching of file names, without regard to case.
#pragma once

#include <string_view>

namespace zeb {

// "*" matches any run of characters, "?" any one character; as on DOS,
// a pattern ending in ".*" also matches the name without any extension
// ("name.*" matches "name"), and "*.*" matches every name.
bool MatchWildcard(std::string_view pattern, std::string_view name);

}  // namespace zeb
