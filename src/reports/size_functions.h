// @sizetostr(size), @sizetype(size, unit) and @sizetolimitstr(size, width):
// byte counts written for people.
#pragma once

#include <string>

#include "reports/evaluated_function.h"

namespace zeb {

std::string SizeToStrFunction(TEvaluatedFunction& self, const std::string& evaluated);
std::string SizeTypeFunction(TEvaluatedFunction& self, const std::string& evaluated);
std::string SizeToLimitStrFunction(TEvaluatedFunction& self, const std::string& evaluated);

}  // namespace zeb
