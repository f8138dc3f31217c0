#include "support/utf8.h"

#include <algorithm>

namespace zeb {

namespace {

bool IsContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

}  // namespace

size_t Utf8CharSize(std::string_view text, size_t at) {
  const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[at + i]); };
  const unsigned char lead = byte(0);
  if (lead < 0x80) return 1;
  size_t size = 0;
  // The range of the second byte narrows for the leads whose shortest forms
  // would be overlong, surrogates or beyond U+10FFFF.
  unsigned char low = 0x80, high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    size = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    size = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    size = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (text.size() - at < size || byte(1) < low || byte(1) > high) return 0;
  for (size_t i = 2; i < size; ++i)
    if (!IsContinuation(byte(i))) return 0;
  return size;
}

bool IsValidUtf8(std::string_view text) {
  for (size_t at = 0; at < text.size();) {
    const size_t size = Utf8CharSize(text, at);
    if (size == 0) return false;
    at += size;
  }
  return true;
}

size_t TTextUnits::UnitSize(std::string_view text, size_t at) const {
  return utf8_ ? std::max<size_t>(1, Utf8CharSize(text, at)) : 1;
}

size_t TTextUnits::Length(std::string_view text) const {
  if (!utf8_) return text.size();
  size_t count = 0;
  for (size_t at = 0; at < text.size(); at += UnitSize(text, at)) ++count;
  return count;
}

size_t TTextUnits::Offset(std::string_view text, size_t index) const {
  if (!utf8_) return std::min(index, text.size());
  size_t at = 0;
  for (; index > 0 && at < text.size(); --index) at += UnitSize(text, at);
  return at;
}

std::string_view TTextUnits::Part(std::string_view text, size_t first, size_t count) const {
  const size_t begin = Offset(text, first);
  const std::string_view rest = text.substr(begin);
  return rest.substr(0, Offset(rest, count));
}

}  // namespace zeb
