#include "reports/prepare.h"

#include "reports/report_parser.h"
#include "template/arguments.h"

namespace zeb {

namespace {

// Masks are read relative to the report's first domain, or to the main
// address when that domain has no zone.
TNetAddr DomainBase(const TReport& report) {
  return report.Domains.Empty() ? TNetAddr{} : report.Domains[0]->Aka;
}

}  // namespace

std::string PrepareNodes(TReportParser& parser, std::string_view masks) {
  const TReport& report = parser.Report;
  const TReportShare& share = parser.Share;
  if (!share.ReportNodes || masks.empty()) return "0";
  parser.Prepared = true;
  if (parser.PreparedNodes == nullptr) {
    parser.PreparedNodes = std::make_unique<TAddrMaskList>();
  } else {
    parser.PreparedNodes->ClearMasks();
  }
  TAddrMaskList& list = *parser.PreparedNodes;
  const TNetAddr main = parser.MainAddress;
  const TNetAddr domain = DomainBase(report);
  size_t start = 0;
  while (start <= masks.size()) {
    size_t comma = masks.find(',', start);
    if (comma == std::string_view::npos) comma = masks.size();
    // Pieces are not trimmed: masks are written without blanks.
    const std::string piece = ExpandQuotes(masks.substr(start, comma - start), parser.GetCommandChar());
    if (!piece.empty() && piece[0] == '!') {
      if (piece.size() > 1) list.AddExclusion(main, domain, std::string_view(piece).substr(1));
    } else if (!piece.empty()) {
      list.AddInclusion(main, domain, piece);
    }
    start = comma + 1;
  }
  for (TQueueNode* node : *share.ReportNodes) list.Insert(*node);
  parser.SetNodeIndex(0);  // the walk starts again, over the prepared nodes
  return std::to_string(list.Count());
}

}  // namespace zeb
