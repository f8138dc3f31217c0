// Producing every configured report.
#pragma once

#include <vector>

#include "config/records.h"
#include "outbound/queue.h"
#include "reports/sort_queue.h"

namespace zeb {

// Makes each of the configuration's reports from its share of the queue;
// `shares` follows the order of the reports.
void MakeReports(const TMainConfig& config, const TQueue& queue, const std::vector<TReportShare>& shares);

}  // namespace zeb
