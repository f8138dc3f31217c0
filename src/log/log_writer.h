// TLogWriter: expands the log line layout for one record.
#pragma once

#include <string>

#include "log/log_queue.h"
#include "log/log_settings.h"

namespace zeb {

class TLogWriter {
 public:
  explicit TLogWriter(const TLogSettings& settings);
  // One log line for the record, without its line end.
  std::string FormatRecord(const TLogRec& record);

 private:
  TLogSettings settings_;
};

}  // namespace zeb
