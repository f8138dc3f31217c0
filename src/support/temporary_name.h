// The names of zeb's temporary files. A message file, a packet or a report
// is written whole under such a name in its destination's directory and
// only then given its final name. No tosser takes these names (they are
// neither *.pkt nor *.msg), and the outbound scanner never counts them.
#pragma once

#include <string_view>

namespace zeb {

// ".zeb-" PID "-" SEQUENCE ".tmp"
inline constexpr std::string_view kTemporaryPrefix = ".zeb-";
inline constexpr std::string_view kTemporarySuffix = ".tmp";
inline constexpr const char* kTemporaryPattern = ".zeb-*.tmp";

// True for a name (in lower case) that zeb gives its temporary files.
inline bool IsTemporaryName(std::string_view name) {
  return name.starts_with(kTemporaryPrefix) && name.ends_with(kTemporarySuffix);
}

}  // namespace zeb
