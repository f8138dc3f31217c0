// The argument operations with which statements and functions turn a raw
// parameter text into argument values (together with
// TTemplateParser::Evaluate).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace zeb {

// Characters of a command name: A-Z, a-z, 0-9 and "_".
inline constexpr auto kNameChars = [] {
  std::array<bool, 256> table{};
  for (int c = 0; c < 256; ++c)
    table[c] = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
  return table;
}();
inline bool IsNameChar(char c) { return kNameChars[static_cast<uint8_t>(c)]; }

// Removes leading and trailing blanks (character 32 only; tabs stay).
std::string_view TrimmedSpaces(std::string_view text);
inline std::string TrimSpaces(std::string_view text) { return std::string(TrimmedSpaces(text)); }

// Position (0-based) of the first "," or ";" at or after `start` that is at
// parenthesis depth 0 and outside quotes (a ' or " skips to the next
// occurrence of the same character); npos when there is none. Conditions are
// split with it; other statements and functions cut at a plain comma.
size_t FindSeparator(std::string_view text, size_t start = 0);

// From `i` just past an opening "(", the position just past the matching
// ")" (a quoted run skips to the next occurrence of its quote, or to the end
// of the text); npos when the list is not closed. `openQuote`, when given,
// gets the quote whose run reached the end of the text (NUL when none did).
size_t FindParamListEnd(std::string_view text, size_t i, char* openQuote = nullptr);

// Removes one level of quoting when the text begins with ' or ": the opening
// character q is the quote, "qq" gives one q, a lone q is dropped. A command
// span (the command character, its name and, when blanks and "(" follow, the
// whole balanced parameter list) is copied verbatim; a command character not
// followed by a name character drops the one character after it. A text not
// beginning with a quote is returned unchanged.
std::string ExpandQuotes(std::string_view text, char commandChar = '@');
// The quote characters that open a text ExpandQuotes changes.
inline bool IsQuote(char c) { return c == '"' || c == '\''; }
// The same for a text the caller gives away: an unquoted one comes back
// without being copied (inline: most texts are unquoted).
inline std::string ExpandQuotes(std::string&& text, char commandChar = '@') {
  if (text.empty() || !IsQuote(text[0])) return std::move(text);
  return ExpandQuotes(std::string_view(text), commandChar);
}
inline std::string ExpandQuotes(const char* text, char commandChar = '@') {
  return ExpandQuotes(std::string_view(text), commandChar);
}

}  // namespace zeb
