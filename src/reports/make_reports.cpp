#include "reports/make_reports.h"

#include <new>
#include <string>

#include "config/records.h"
#include "outbound/queue.h"
#include "log/log_queue.h"
#include "msgbase/control_lines.h"
#include "platform/system.h"
#include "reports/report_parser.h"
#include "support/text.h"

namespace zeb {

namespace {

// Room for a report that lists every queued item and node, so that such a
// report is never copied to a larger buffer while it grows. The system only
// provides the pages the report fills; a larger report grows as usual, and
// without the room (a tight memory limit) nothing is lost.
void ReserveReportSpace(const TQueue& queue, std::string& storage) {
  constexpr size_t kBase = 64 * 1024, kPerItem = 128, kPerNode = 1024;
  size_t room = kBase;
  for (size_t i = 0; i < queue.Count(); ++i) room += kPerNode + kPerItem * queue[i].Items.Count();
  try {
    storage.reserve(room);
  } catch (const std::bad_alloc&) {
  }
}

// The MSGID file as configured, or "zeb.msgid" in the directory of the log
// file (the current directory for the default log and the console).
std::string MsgIdFile(const TMainConfig& config) {
  if (!config.MsgIdFile.empty()) return config.MsgIdFile;
  const size_t slash = config.LogPath.find_last_of('/');
  if (slash == std::string::npos) return "zeb.msgid";
  return config.LogPath.substr(0, slash + 1) + "zeb.msgid";
}

}  // namespace

void MakeReports(const TMainConfig& config, const TQueue& queue, const std::vector<TReportShare>& shares) {
  const uint64_t start = TickCount();
  LogLine("Make reports", 1);
  // One report's memory serves the next: a large report would otherwise
  // have every page of its buffer fresh from the system again.
  std::string storage;
  ReserveReportSpace(queue, storage);
  TReportProduction production(MsgIdFile(config));
  for (size_t i = 0; i < config.Reports.size(); ++i) {
    std::unique_ptr<TReportParser> parser = MakeReportParser(*config.Reports[i], queue, shares[i], config.Address, production);
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
