// Pieces of outbound names: the last dotted part, numbers in the bases that
// the naming schemes use, and the flavour words and extensions.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zeb {

struct TLastPart {
  std::string Last;  // the extension without its dot, or the whole text
  std::string Rest;  // the text before that dot; empty when there is none
};

// Cuts the extension (from the last "." after the last "/") off the text.
TLastPart SplitLastPart(std::string_view text);

// Reads the text as a number in base 10, 16 or 32 (base 32 takes "a".."z" in
// either case as 10..35), wrapping at 65536. At the first character that is
// not a digit of the base, `digitError` is set and `def` is returned.
uint16_t ParseNumber(int base, uint16_t def, std::string_view text, bool& digitError);

// "busy" 2, "immediate" 3, "crash" 4, "direct" 5, "normal" 6, "hold" 7,
// "request" 8, "status" 9; any other word 0.
uint8_t FlavourWordCode(std::string_view word);

// "sta" 9, "req" 8, "bsy" 2, "csy" 1; any other extension 0.
uint8_t StatusExtCode(std::string_view ext);

}  // namespace zeb
