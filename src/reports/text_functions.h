// The text, number and date functions that every report template can call.
#pragma once

namespace zeb {

class TTemplateParser;

// Registers center, sizetolimitstr, sizetostr, sizetype, just, time, date,
// year, month, day, dayofweek, hours, minutes, char, code, len, add, sub,
// div, mul and mod, in this order.
void RegisterTextFunctions(TTemplateParser& parser);

}  // namespace zeb
