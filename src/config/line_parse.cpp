#include "config/line_parse.h"

#include <charconv>

#include "config/section_table.h"
#include "support/text.h"

namespace zeb {

std::string StripComment(std::string_view text, bool& error) {
  error = false;
  char quote = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (quote != 0) {
      if (c == quote) quote = 0;
    } else if (c == '"' || c == '\'') {
      quote = c;
    } else if (c == ';' || c == '#') {
      return std::string(text.substr(0, i));
    }
  }
  error = quote != 0;
  return std::string(text);
}

std::string FirstWord(std::string& text) {
  char quote = 0;
  size_t end = 0;
  for (; end < text.size(); ++end) {
    const char c = text[end];
    if (quote != 0) {
      if (c == quote) quote = 0;
    } else if (c == '"' || c == '\'') {
      quote = c;
    } else if (IsBlank(c)) {
      break;
    }
  }
  std::string word = text.substr(0, end);
  text = TrimLeft(std::string_view(text).substr(end));
  return word;
}

bool ParseBoolean(TLoadContext& context, std::string_view value, bool& result) {
  static const char* const kWords[] = {"false", "true", "no", "yes", "0", "1"};
  const std::string word = LowerStr(TrimBlanks(value));
  for (size_t i = 0; i < 6; ++i) {
    if (word == kWords[i]) {
      result = i % 2 == 1;
      return true;
    }
  }
  context.PendingMessage = Format("Unknown parameter: %s", std::string(value).c_str());
  return false;
}

int64_t TextToInt(std::string_view text, int64_t fallback) {
  if (text.size() > 1 && text[0] == '+' && text[1] != '-') text.remove_prefix(1);
  int64_t value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  return ec == std::errc() && end == text.data() + text.size() && !text.empty() ? value : fallback;
}

}  // namespace zeb
