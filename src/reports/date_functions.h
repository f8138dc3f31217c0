// The current date and time in report templates: @time(pattern),
// @date(pattern), and @year, @month, @day, @dayofweek, @hours, @minutes,
// which take no parameter list.
#pragma once

#include <string>

#include "reports/evaluated_function.h"
#include "template/command.h"

namespace zeb {

// The time of day, on the day that counts as day zero (Saturday,
// 1899-12-30), so that date letters in the pattern show that day.
std::string TimeFunction(TEvaluatedFunction& self, const std::string& evaluated);
// Today at 00:00:00.
std::string DateFunction(TEvaluatedFunction& self, const std::string& evaluated);

// Now, formatted with a fixed pattern.
class TNowFunction : public TTemplateCommand {
 public:
  TNowFunction(std::string name, std::string pattern)
      : TTemplateCommand(std::move(name)), pattern_(std::move(pattern)) {}
  std::string Invoke(TInterpreter& caller, TBufStream& params) override;

 private:
  std::string pattern_;
};

}  // namespace zeb
