#include "reports/make_reports.h"

#include "config/records.h"
#include "frame/exit_steps.h"
#include "log/log_queue.h"
#include "platform/system.h"
#include "reports/report_parser.h"
#include "support/text.h"

namespace zeb {

void MakeReports() {
  const uint64_t start = TickCount();
  LogLine("Make reports", 1);
  // One report's memory serves the next: a large report would otherwise
  // have every page of its buffer fresh from the system again.
  std::string storage;
  for (const auto& report : MainConfig().Reports) {
    std::unique_ptr<TReportParser> parser = MakeReportParser(*report);
    if (parser == nullptr) continue;
    storage.clear();
    parser->SetText(std::move(storage));
    parser->Run();
    parser->Post();
    storage = parser->TakeText();
  }
  LogLine(Format("All reports maked after %d msec", static_cast<int>(TickCount() - start)), 1);
  ControlPoint(1);
}

}  // namespace zeb
