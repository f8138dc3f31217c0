#include "log/log_writer.h"

namespace zeb {

TLogWriter::TLogWriter(const TLogSettings& settings) : settings_(settings.WithDefaults()) {}

std::string TLogWriter::FormatRecord(const TLogRec& record) { return record.Text; }

}  // namespace zeb
