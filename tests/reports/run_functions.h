// Runs a template through a full parser that offers the text, date and
// drive functions of reports.
#pragma once

#include <string>

#include "reports/drive_functions.h"
#include "reports/text_functions.h"
#include "template/run_template.h"

namespace zeb::test {

inline std::string RunFunctions(const std::string& text, TTextUnits units = TTextUnits(false)) {
  return RunTemplate(text, false, [units](TTemplateParser& parser) {
    RegisterTextFunctions(parser, units);
    RegisterDriveFunctions(parser);
  });
}

}  // namespace zeb::test
