// Collects the log records queued since the capture began, for tests that
// check what a unit logged. Records are taken out of the log queue, so only
// one capture should be alive at a time.
#pragma once

#include <string>
#include <vector>

#include "log/log_queue.h"

namespace zeb::test {

class LogCapture {
 public:
  LogCapture() { Reset(); }
  // Forgets everything logged so far.
  void Reset() {
    TakeLogRecords();
    seen_.clear();
  }
  // Every record since the capture began, oldest first.
  const TLogRecs& Records() const {
    for (auto& record : TakeLogRecords()) seen_.push_back(std::move(record));
    return seen_;
  }
  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const auto& record : Records()) texts.push_back(record->Text);
    return texts;
  }
  bool Contains(const std::string& text) const {
    for (const auto& record : Records())
      if (record->Text == text) return true;
    return false;
  }

 private:
  mutable TLogRecs seen_;
};

}  // namespace zeb::test
