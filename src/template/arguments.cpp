#include "template/arguments.h"

#include <algorithm>
#include <utility>

namespace zeb {

size_t FindParamListEnd(std::string_view text, size_t i, char* openQuote) {
  int depth = 1;
  while (i < text.size()) {
    const char c = text[i++];
    if (IsQuote(c)) {
      const size_t close = text.find(c, i);
      if (close == std::string_view::npos) {
        if (openQuote != nullptr) *openQuote = c;
        return std::string_view::npos;
      }
      i = close + 1;
    } else if (c == '(') {
      ++depth;
    } else if (c == ')' && --depth == 0) {
      return i;
    }
  }
  return std::string_view::npos;
}

std::string_view TrimmedSpaces(std::string_view text) {
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  const size_t last = text.find_last_not_of(' ');
  return text.substr(first, last - first + 1);
}

size_t FindSeparator(std::string_view text, size_t start) {
  int depth = 0;
  for (size_t i = start; i < text.size(); ++i) {
    const char c = text[i];
    if (IsQuote(c)) {
      const size_t close = text.find(c, i + 1);
      if (close == std::string_view::npos) return std::string_view::npos;
      i = close;
    } else if (c == '(') {
      ++depth;
    } else if (c == ')') {
      --depth;
    } else if ((c == ',' || c == ';') && depth == 0) {
      return i;
    }
  }
  return std::string_view::npos;
}

std::string ExpandQuotes(std::string_view text, char commandChar) {
  if (text.empty() || !IsQuote(text[0])) return std::string(text);
  const char q = text[0];
  std::string result;
  result.reserve(text.size());
  size_t i = 0;
  while (i < text.size()) {
    const char c = text[i];
    if (c == q) {
      if (i + 1 < text.size() && text[i + 1] == q) result += q, ++i;
      ++i;
    } else if (c == commandChar) {
      result += c;
      ++i;
      const size_t nameStart = i;
      while (i < text.size() && IsNameChar(text[i])) ++i;
      if (i == nameStart) {
        ++i;  // no name: the character after the command character is dropped
        continue;
      }
      size_t j = i;
      while (j < text.size() && text[j] == ' ') ++j;
      if (j < text.size() && text[j] == '(') i = std::min(FindParamListEnd(text, j + 1), text.size());
      result.append(text.substr(nameStart, i - nameStart));
    } else {
      result += c;
      ++i;
    }
  }
  return result;
}

}  // namespace zeb
