// Shared set-up for the queue tests: a hand-over list, a queue and its manager, a
// chosen log level, and the log lines written meanwhile.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "config/records.h"
#include "log/log_queue.h"
#include "log_capture.h"
#include "outbound/for_queue.h"
#include "outbound/queue.h"
#include "outbound/queue_manager.h"
#include "platform/dos_time.h"

namespace zeb::test {

class QueueTest : public ::testing::Test {
 protected:
  void SetUp() override {
    savedLevel_ = LogLevel();
    SetLogLevel(1);
    log_.Reset();
  }
  void TearDown() override { SetLogLevel(savedLevel_); }

  // Texts of the records logged since the test began, oldest first.
  std::vector<std::string> Logged() const {
    return log_.Texts();
  }
  bool WasLogged(const std::string& text) const {
    const auto lines = Logged();
    return std::find(lines.begin(), lines.end(), text) != lines.end();
  }

  static TNetAddr Addr(uint16_t zone, uint16_t net, uint16_t node, uint16_t point = 0) {
    return TNetAddr{point, node, net, zone};
  }
  static uint32_t Dos(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
    return PackDosDateTime(TDateTime{year, month, day, hour, minute, second});
  }
  void Merge(const TNetAddr& addr, uint8_t flavour, uint8_t kind, int64_t size = 0,
                    const std::string& name = std::string(), uint32_t time = Dos(2026, 1, 1)) {
    MergeRecord(queue_, TForQueue{addr, flavour, kind, name, size, time});
  }
  TQueueNode& NodeAt(size_t index) { return queue_[index]; }

  TForQueueList list_;
  TQueue queue_;
  TQueueManager manager_;  // stopped before the queue it merges into goes

 private:
  int savedLevel_ = 0;
  LogCapture log_;
};

}  // namespace zeb::test
