// Cleaning and splitting configuration lines, and the value conversions
// that several sections share.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zeb {

struct TLoadContext;

// Cuts the line at the first ";" or "#" outside a quoted run (a run opened
// by " or ' ends at the next occurrence of the same character). `error` is
// set when a quoted run is not closed by the end of the line.
std::string StripComment(std::string_view text, bool& error);

// Splits off the first word, which ends at the first blank outside a quoted
// run and keeps its quotes; `text` becomes the rest without leading blanks.
std::string FirstWord(std::string& text);

// A boolean value: "false", "true", "no", "yes", "0" or "1" in any case.
// Other values fail with the extra text "Unknown parameter: %s".
bool ParseBoolean(TLoadContext& context, std::string_view value, bool& result);

// A decimal number, or `fallback` when the text is not one (or does not fit).
int64_t TextToInt(std::string_view text, int64_t fallback);

}  // namespace zeb
