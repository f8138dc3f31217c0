// @char(number), @code(text) and @len(text): characters and their codes.
#pragma once

#include <string>

#include "reports/evaluated_function.h"

namespace zeb {

// The character whose code is the number modulo 256 (its low byte).
std::string CharFunction(TEvaluatedFunction& self, const std::string& evaluated);
// The code of the first character in decimal; "0" for the empty text.
std::string CodeFunction(TEvaluatedFunction& self, const std::string& evaluated);
// The length of the text in decimal.
std::string LenFunction(TEvaluatedFunction& self, const std::string& evaluated);

}  // namespace zeb
