#include "reports/report_outcome.h"

#include <string>

#include "log/console.h"
#include "log/log_queue.h"
#include "msgbase/post_file.h"
#include "support/text.h"

namespace zeb {

namespace {

const std::string& TemplateName(const TReport& report) {
  return report.TemplateName.empty() ? report.Template : report.TemplateName;
}

// "Template NAME (LINE:COLUMN)" for a place in the template.
std::string PlaceText(const TReportParser& parser, size_t at) {
  const std::string& name = TemplateName(parser.Report);
  if (at == std::string::npos) return Format("Template %s", name.c_str());
  const auto [line, column] = parser.LineAndColumn(at);
  return Format("Template %s (%d:%d)", name.c_str(), line, column);
}

void AnnounceProblems(const TReportParser& parser, bool checking) {
  for (const TTemplateParser::TProblem& problem : parser.Problems()) {
    const std::string text = PlaceText(parser, problem.At) + ": " + problem.Message;
    if (problem.Error) {
      AnnounceError(text);
    } else if (checking) {
      PrintLine(Color(kYellow) + "Warning: " + text);
    } else {
      LogLine("Warning: " + text, 1);
    }
  }
}

// How the report went, for --check: "ok, N bytes", "discarded" or the
// number of its errors.
std::string CheckOutcome(const TReportParser& parser) {
  if (!parser.HasTemplate()) return "no template";
  if (const size_t errors = parser.ErrorCount(); errors > 0)
    return Format("%zu error%s", errors, errors == 1 ? "" : "s");
  if (parser.Discarded()) return "discarded";
  return Format("ok, %zu bytes", parser.StoredSize());
}

}  // namespace

void ConcludeReport(TReportParser& parser, size_t number) {
  const TReport& report = parser.Report;
  const char* kind = kPostKindWords[static_cast<size_t>(report.PostTo.Kind)];
  const bool posting = parser.Production.Mode == TReportsMode::Post;
  const int n = static_cast<int>(number);
  if (!posting) {
    PrintLine(Format("Report %d (%s -> %s %s): %s", n, TemplateName(report).c_str(), kind,
                     report.PostTo.Path.c_str(), CheckOutcome(parser).c_str()));
    if (!parser.HasTemplate()) parser.AnnounceMissingTemplate();
  }
  AnnounceProblems(parser, !posting);
  if (parser.Discarded()) {
    const auto [line, column] = parser.LineAndColumn(parser.DiscardedAt());
    LogLine(Format("Report %d discarded by its template at %s (%d:%d)", n, TemplateName(report).c_str(), line, column),
            1);
    return;
  }
  if (posting) {
    if (parser.Post())
      LogLine(Format("Report %d stored: %s %s, %zu bytes", n, kind, parser.Made().c_str(), parser.StoredSize()), 1);
  } else if (parser.Production.Mode == TReportsMode::DryRun && parser.HasTemplate()) {
    PrintLine(Format("--- Text of report %d ---", n));
    const std::string_view text = parser.MessageText();
    // The next header starts a line of its own.
    if (PostToFile("con", text) && !text.empty() && !text.ends_with('\r') && !text.ends_with('\n')) PrintLine("");
  }
}

}  // namespace zeb
