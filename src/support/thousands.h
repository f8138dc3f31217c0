// Digit grouping for every number the program prints with separators.
#pragma once

#include <cstdint>
#include <string>

namespace zeb {

// The thousands separator; the program sets it to "." at start-up, whatever
// the locale says.
char ThousandSeparator();
void SetThousandSeparator(char separator);

// The decimal digits of `value`, grouped by threes with the separator.
std::string GroupThousands(int64_t value);

}  // namespace zeb
