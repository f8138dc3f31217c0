#include "log/log_writer.h"

#include <memory>

#include "template/dates.h"

namespace zeb {

namespace {

// @date, @time and @log of the record being written.
class TLogField : public TTemplateCommand {
 public:
  enum Field { kDate, kTime, kText };
  TLogField(std::string name, const TLogWriter& writer, Field field)
      : TTemplateCommand(std::move(name)), writer_(writer), field_(field) {}

  std::string Invoke(TInterpreter&, TBufStream&) override {
    const TLogRec* record = writer_.Current();
    if (record == nullptr) return {};
    switch (field_) {
      case kDate:
        return FormatDatePattern(writer_.Settings().DateFormat, UnixToDate(record->Time));
      case kTime:
        return FormatDatePattern(writer_.Settings().TimeFormat, UnixToDate(record->Time));
      case kText:
        break;
    }
    return record->Text;
  }

 private:
  const TLogWriter& writer_;
  Field field_;
};

}  // namespace

TLogWriter::TLogWriter(const TLogSettings& settings) : TTemplateParser(false), settings_(settings.WithDefaults()) {
  AddCommand(std::make_unique<TLogField>("date", *this, TLogField::kDate));
  AddCommand(std::make_unique<TLogField>("time", *this, TLogField::kTime));
  AddCommand(std::make_unique<TLogField>("log", *this, TLogField::kText));
}

std::string TLogWriter::FormatRecord(const TLogRec& record) {
  current_ = &record;
  std::string line = Evaluate(true, settings_.LogFormat);
  current_ = nullptr;
  return line;
}

}  // namespace zeb
