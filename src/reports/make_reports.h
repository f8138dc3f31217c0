// Producing every configured report.
#pragma once

#include <thread>
#include <vector>

#include "config/records.h"
#include "outbound/queue.h"
#include "reports/report_parser.h"
#include "reports/sort_queue.h"

namespace zeb {

// Makes each of the configuration's reports from its share of the queue;
// `shares` follows the order of the reports. The reports' texts are made by
// up to `workers` threads side by side; they are framed and stored on the
// calling thread in the order of the configuration, so MSGID serials, file
// names and @about's turns are those of one report after the other. With
// one worker, or one report, no thread is started. `mode` tells whether
// the reports are stored, or only checked or shown.
void MakeReports(const TMainConfig& config, const TQueue& queue, const std::vector<TReportShare>& shares,
                 unsigned workers = std::thread::hardware_concurrency(), TReportsMode mode = TReportsMode::Post);

}  // namespace zeb
