// @prepare: the report's nodes filtered by address masks.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zeb {

class TReportParser;

// Rebuilds the parser's PreparedNodes from the report's nodes with the
// comma-separated masks ("!" before a mask excludes) and restarts the walk
// over them; returns their count, or nothing for a mask with a number beyond
// 65535. A report without nodes, or an empty mask text, changes nothing and
// gives "0".
std::optional<std::string> PrepareNodes(TReportParser& parser, std::string_view masks);

}  // namespace zeb
