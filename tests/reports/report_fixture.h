// Shared set-up for the report tests: a fake disk, an empty queue, nodes
// made by merging hand-over records, and a report over them whose template
// text is run by a report parser.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/records.h"
#include "fake_disk.h"
#include "log_capture.h"
#include "outbound/queue.h"
#include "platform/dos_time.h"
#include "reports/make_reports.h"
#include "reports/report_parser.h"
#include "template/dates.h"

namespace zeb::test {

class ReportFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    report_.PostTo.Kind = TPostKind::File;
    report_.PostTo.Path = "/r/out.txt";
    report_.Tearline = "zeb";
    report_.Origin = "Test";
    report_.From.Addr = TNetAddr{0, 9999, 5020, 2};
    disk_.AddDir("/r");
    log_.Reset();
  }
  static TNetAddr Addr(uint16_t zone, uint16_t net, uint16_t node, uint16_t point = 0) {
    return TNetAddr{point, node, net, zone};
  }
  // The local Unix time of a DOS date-time, as the queue keeps it.
  static int64_t Unix(uint32_t dos) { return DateToUnix(UnpackDosDateTime(dos)); }

  // Merges a record into the queue and returns its node.
  TQueueNode& Merge(const TNetAddr& addr, uint8_t flavour, uint8_t kind, int64_t size = 0,
                           const std::string& name = std::string(),
                           uint32_t time = PackDosDateTime(TDateTime{2026, 1, 1, 0, 0, 0})) {
    MergeRecord(queue_, TForQueue{addr, flavour, kind, name, size, time});
    return queue_.NodeFor(addr);
  }
  // Gives the report the queue's nodes in address order.
  void ShareWholeQueue() {
    share_.ReportNodes.emplace();
    for (size_t i = 0; i < queue_.Count(); ++i) share_.ReportNodes->push_back(&queue_[i]);
  }

  // Runs the template through a report parser of the report's kind and
  // posts it, with the share's totals summed as the division does; the
  // parser's output. The message's destination goes to destination_.
  std::string RunReport(const std::string& templateText) {
    disk_.AddFile("/t/report.tpl", templateText);
    report_.Template = "/t/report.tpl";
    TReportShare share = share_;
    SumQueueTotals(share);
    auto parser = MakeReportParser(report_, queue_, share, config_.Address, production_);
    parser->Run();
    std::string out(parser->Text());
    parser->Post();
    destination_ = parser->Destination();
    return out;
  }

  // Makes the configuration's reports; a report without a share here has
  // no share of the queue.
  void MakeAllReports(std::vector<TReportShare> shares = {}) {
    shares.resize(config_.Reports.size());
    MakeReports(config_, queue_, shares);
  }

  TMainConfig config_;
  TReportProduction production_;  // shared by the reports of one test, as by those of one run
  TQueue queue_;
  FakeDisk disk_;
  ScopedDisk scoped_{disk_};
  TReport report_;
  TReportShare share_;
  std::string destination_;
  LogCapture log_;
};

}  // namespace zeb::test
