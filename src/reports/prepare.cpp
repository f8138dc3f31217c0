#include "reports/prepare.h"

#include "reports/report_parser.h"
#include "template/arguments.h"

namespace zeb {

std::optional<std::string> PrepareNodes(TReportParser& parser, std::string_view masks) {
  const TReportShare& share = parser.Share;
  if (!share.ReportNodes || masks.empty()) return "0";
  parser.Prepared = true;
  if (parser.PreparedNodes == nullptr) {
    parser.PreparedNodes = std::make_unique<TAddrMaskList>();
  } else {
    parser.PreparedNodes->ClearMasks();
  }
  TAddrMaskList& list = *parser.PreparedNodes;
  // Masks are read relative to the report's own address.
  const TNetAddr own = parser.OwnAddress();
  size_t start = 0;
  while (start <= masks.size()) {
    size_t comma = masks.find(',', start);
    if (comma == std::string_view::npos) comma = masks.size();
    // Pieces are not trimmed: masks are written without blanks.
    const std::string piece = ExpandQuotes(masks.substr(start, comma - start), parser.GetCommandChar());
    bool valid = true;
    if (!piece.empty() && piece[0] == '!') {
      if (piece.size() > 1) valid = list.AddExclusion(own, own, std::string_view(piece).substr(1));
    } else if (!piece.empty()) {
      valid = list.AddInclusion(own, own, piece);
    }
    if (!valid) return std::nullopt;
    start = comma + 1;
  }
  for (TQueueNode* node : *share.ReportNodes) list.Insert(*node);
  parser.SetNodeIndex(0);  // the walk starts again, over the prepared nodes
  return std::to_string(list.Count());
}

}  // namespace zeb
