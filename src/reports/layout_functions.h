// @center(text, width) and @just(text, width, mode): a text laid out in
// columns.
#pragma once

#include <string>

#include "reports/evaluated_function.h"

namespace zeb {

std::string CenterFunction(TEvaluatedFunction& self, const std::string& evaluated);
std::string JustFunction(TEvaluatedFunction& self, const std::string& evaluated);

}  // namespace zeb
