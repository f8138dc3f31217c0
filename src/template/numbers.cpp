#include "template/numbers.h"

#include <algorithm>
#include <limits>

#include "support/thousands.h"

namespace zeb {

namespace {
constexpr char kDigits[] = "0123456789ABCDEF";

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
}  // namespace

int ClassifyNumber(std::string_view text) {
  if (text.empty()) return 0;
  for (char c : text) {
    if (!IsDigit(c)) return 2;
  }
  return 1;
}

int64_t TextToInt(std::string_view text) {
  constexpr uint64_t kLargest = static_cast<uint64_t>(std::numeric_limits<int64_t>::max());
  uint64_t value = 0;
  for (char c : text) {
    if (!IsDigit(c)) return 0;
    const uint64_t digit = static_cast<uint64_t>(c - '0');
    value = value > (kLargest - digit) / 10 ? kLargest : value * 10 + digit;
  }
  return static_cast<int64_t>(value);
}

bool ReadWidth(std::string_view text, size_t& width) {
  if (ClassifyNumber(text) != 1) return false;
  const int64_t value = TextToInt(text);
  width = static_cast<size_t>(value);
  return value <= kMaxWidth;
}

int CompareDigits(std::string_view a, std::string_view b) {
  a.remove_prefix(std::min(a.find_first_not_of('0'), a.size()));
  b.remove_prefix(std::min(b.find_first_not_of('0'), b.size()));
  if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
  const int c = a.compare(b);
  return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

std::string Int64ToBase(int64_t value, int base) {
  uint64_t magnitude = value < 0 ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
  const uint64_t b = static_cast<uint64_t>(base);
  std::string digits;
  do {
    digits.insert(digits.begin(), kDigits[magnitude % b]);
    magnitude /= b;
  } while (magnitude != 0);
  if (value < 0) digits.insert(digits.begin(), '-');
  return digits;
}

std::string FormatInt64(int64_t value) {
  const std::string digits = Int64ToBase(value, 10);
  const char separator = ThousandSeparator();
  if (separator == '\0') return digits;
  const size_t sign = value < 0 ? 1 : 0;
  std::string result = digits.substr(0, sign);
  for (size_t i = sign; i < digits.size(); ++i) {
    if (i > sign && (digits.size() - i) % 3 == 0) result += separator;
    result += digits[i];
  }
  return result;
}

std::string FormatSizeUnit(int64_t value, int64_t unit, char suffix) {
  return FormatInt64(value / unit) + suffix;
}

std::string FormatSizeLimited(size_t width, int64_t value) {
  std::string text = FormatInt64(value);
  if (text.size() > width) text = FormatSizeUnit(value, kKilo, 'K');
  if (text.size() > width) text = FormatSizeUnit(value, kMega, 'M');
  if (text.size() > width) text = FormatSizeUnit(value, kGiga, 'G');
  return text;
}

}  // namespace zeb
