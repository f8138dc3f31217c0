// Template values are text; these helpers recognise numbers in it and turn
// numbers and byte counts into text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace zeb {

// 0: the empty text; 1: a number (one or more decimal digits, nothing
// else); 2: anything else ("-5", "1.5", " 1", "$1F").
int ClassifyNumber(std::string_view text);

// The value of a text of decimal digits; one beyond the 64-bit range is the
// largest value. Any other character (a sign, a "$", a blank) makes the
// result 0, as does the empty text. Never fails.
int64_t TextToInt(std::string_view text);

// Orders two texts of decimal digits (ClassifyNumber 1) by their value,
// whatever their length: negative, zero or positive.
int CompareDigits(std::string_view a, std::string_view b);

// The widest column a layout function fills (@just, @center,
// @sizetolimitstr): a wider one is an argument error, not gigabytes of
// blanks.
inline constexpr int64_t kMaxWidth = 65535;
// A width written as a number from 0 to kMaxWidth; false for any other text.
bool ReadWidth(std::string_view text, size_t& width);

// The digits of `value` in `base` (2..16, digits 0-9 and A-F), most
// significant first, at least one; a negative value gets a leading "-".
std::string Int64ToBase(int64_t value, int base);

// Decimal digits grouped by threes with the global thousands separator
// (support/thousands.h); no grouping when the separator is NUL.
std::string FormatInt64(int64_t value);

// The size units and their suffix letters.
inline constexpr int64_t kKilo = 1024;
inline constexpr int64_t kMega = 1048576;
inline constexpr int64_t kGiga = 1073741824;

// FormatInt64(value / unit) followed by `suffix` (the remainder is dropped):
// FormatSizeUnit(1023, kKilo, 'K') gives "0K".
std::string FormatSizeUnit(int64_t value, int64_t unit, char suffix);

// The byte count in the first form not longer than `width`: plain, K, M;
// the G form is used even when it does not fit.
std::string FormatSizeLimited(size_t width, int64_t value);

}  // namespace zeb
