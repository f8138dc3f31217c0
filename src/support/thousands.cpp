#include "support/thousands.h"

namespace zeb {

namespace {
char g_separator = '.';
}

char ThousandSeparator() { return g_separator; }
void SetThousandSeparator(char separator) { g_separator = separator; }

std::string GroupThousands(int64_t value) {
  const bool negative = value < 0;
  uint64_t magnitude = negative ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
  std::string digits;
  int count = 0;
  do {
    if (count > 0 && count % 3 == 0) digits += g_separator;
    digits += static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
    ++count;
  } while (magnitude != 0);
  if (negative) digits += '-';
  return std::string(digits.rbegin(), digits.rend());
}

}  // namespace zeb
