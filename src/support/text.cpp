#include "support/text.h"

#include <cstdarg>
#include <cstdio>

namespace zeb {

std::string TrimLeft(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  return std::string(text.substr(i));
}

std::string TrimRight(std::string_view text) {
  size_t n = text.size();
  while (n > 0 && IsBlank(text[n - 1])) --n;
  return std::string(text.substr(0, n));
}

std::string TrimBlanks(std::string_view text) { return TrimLeft(TrimRight(text)); }

std::string UnquoteText(std::string_view text) {
  if (text.empty() || (text[0] != '"' && text[0] != '\'')) return std::string(text);
  const char quote = text[0];
  std::string result;
  result.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != quote) {
      result += text[i];
    } else if (i + 1 < text.size() && text[i + 1] == quote) {
      result += quote;
      ++i;
    }
  }
  return result;
}

std::string LowerStr(std::string_view text) {
  std::string result(text);
  for (char& c : result) c = LowerChar(c);
  return result;
}

std::string UpperStr(std::string_view text) {
  std::string result(text);
  for (char& c : result) c = UpperChar(c);
  return result;
}

int CompareText(std::string_view a, std::string_view b) {
  const size_t n = a.size() < b.size() ? a.size() : b.size();
  for (size_t i = 0; i < n; ++i) {
    const unsigned char ca = static_cast<unsigned char>(UpperChar(a[i]));
    const unsigned char cb = static_cast<unsigned char>(UpperChar(b[i]));
    if (ca != cb) return ca < cb ? -1 : 1;
  }
  return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

size_t FindLastChar(const char* buffer, size_t length, char c) {
  for (size_t i = length; i > 0; --i)
    if (buffer[i - 1] == c) return i;
  return 0;
}

std::string Format(const char* format, ...) {
  // Most texts fit the first buffer, so they are formatted once.
  char small[256];
  va_list args;
  va_start(args, format);
  va_list copy;
  va_copy(copy, args);
  const int n = std::vsnprintf(small, sizeof small, format, copy);
  va_end(copy);
  std::string result;
  if (n > 0 && static_cast<size_t>(n) < sizeof small) {
    result.assign(small, static_cast<size_t>(n));
  } else if (n > 0) {
    result.resize(static_cast<size_t>(n));
    std::vsnprintf(result.data(), result.size() + 1, format, args);
  }
  va_end(args);
  return result;
}

}  // namespace zeb
