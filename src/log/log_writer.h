// TLogWriter: expands the log line layout (a template of its own) for one
// record. A minimal parser whose only functions are @date, @time and @log.
#pragma once

#include <string>

#include "log/log_queue.h"
#include "log/log_settings.h"
#include "template/parser.h"

namespace zeb {

class TLogWriter : public TTemplateParser {
 public:
  explicit TLogWriter(const TLogSettings& settings);
  // One log line for the record, without its line end: LogFormat with @date
  // and @time (the record's Time through DateFormat and TimeFormat) and
  // @log (its text as it is, never expanded again).
  std::string FormatRecord(const TLogRec& record);

  const TLogRec* Current() const { return current_; }
  const TLogSettings& Settings() const { return settings_; }

 private:
  TLogSettings settings_;
  const TLogRec* current_ = nullptr;
};

}  // namespace zeb
