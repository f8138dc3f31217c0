// The text, number and date functions that every report template can call.
#pragma once

#include "support/utf8.h"

namespace zeb {

class TTemplateParser;

// Registers center, sizetolimitstr, sizetostr, sizetype, just, time, date,
// year, month, day, dayofweek, hours, minutes, char, code, len, add, sub,
// div, mul and mod, in this order. `units` is how they measure and pad
// text.
void RegisterTextFunctions(TTemplateParser& parser, TTextUnits units = TTextUnits(false));

}  // namespace zeb
