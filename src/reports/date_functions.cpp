#include "reports/date_functions.h"

#include "platform/system.h"
#include "template/arguments.h"
#include "template/dates.h"

namespace zeb {

std::string TimeFunction(TEvaluatedFunction& self, const std::string& evaluated) {
  TDateTime moment = LocalNow();
  moment.Year = 1899;
  moment.Month = 12;
  moment.Day = 30;
  moment.DayOfWeek = 6;
  return FormatDatePattern(ExpandQuotes(evaluated, self.CommandChar), moment);
}

std::string DateFunction(TEvaluatedFunction& self, const std::string& evaluated) {
  TDateTime moment = LocalNow();
  moment.Hour = moment.Minute = moment.Second = moment.Millisecond = 0;
  return FormatDatePattern(ExpandQuotes(evaluated, self.CommandChar), moment);
}

std::string TNowFunction::Invoke(TInterpreter&, TBufStream&) { return FormatDatePattern(pattern_, LocalNow()); }

}  // namespace zeb
