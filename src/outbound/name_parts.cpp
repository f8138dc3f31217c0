#include "outbound/name_parts.h"

#include <array>
#include <utility>

namespace zeb {

TLastPart SplitLastPart(std::string_view text) {
  const size_t slash = text.find_last_of('/');
  const size_t dot = text.find_last_of('.');
  if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash))
    return {std::string(text), std::string()};
  return {std::string(text.substr(dot + 1)), std::string(text.substr(0, dot))};
}

namespace {

int DigitValue(char c, int base) {
  int value = 36;
  if (c >= '0' && c <= '9') value = c - '0';
  else if (c >= 'a' && c <= 'z') value = c - 'a' + 10;
  else if (c >= 'A' && c <= 'Z') value = c - 'A' + 10;
  const int limit = base == 10 ? 10 : base == 16 ? 16 : 36;
  return value < limit ? value : -1;
}

}  // namespace

uint16_t ParseNumber(int base, uint16_t def, std::string_view text, bool& digitError) {
  uint32_t value = 0;
  for (const char c : text) {
    const int digit = DigitValue(c, base);
    if (digit < 0) {
      digitError = true;
      return def;
    }
    value = (value * static_cast<uint32_t>(base) + static_cast<uint32_t>(digit)) & 0xFFFF;
  }
  digitError = false;
  return static_cast<uint16_t>(value);
}

uint8_t FlavourWordCode(std::string_view word) {
  static constexpr std::array<std::pair<std::string_view, uint8_t>, 8> kWords{{
      {"busy", 2}, {"immediate", 3}, {"crash", 4}, {"direct", 5},
      {"normal", 6}, {"hold", 7}, {"request", 8}, {"status", 9},
  }};
  for (const auto& [w, code] : kWords)
    if (w == word) return code;
  return 0;
}

uint8_t StatusExtCode(std::string_view ext) {
  if (ext == "sta") return 9;
  if (ext == "req") return 8;
  if (ext == "bsy") return 2;
  if (ext == "csy") return 1;
  return 0;
}

}  // namespace zeb
