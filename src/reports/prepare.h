// @prepare: the report's nodes filtered by address masks.
#pragma once

#include <string>
#include <string_view>

namespace zeb {

class TReportParser;

// Rebuilds the parser's PreparedNodes from the report's nodes with the
// comma-separated masks ("!" before a mask excludes) and restarts the walk
// over them; returns their count. A report without nodes, or an empty mask
// text, changes nothing and gives "0".
std::string PrepareNodes(TReportParser& parser, std::string_view masks);

}  // namespace zeb
