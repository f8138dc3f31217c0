// Small text helpers shared by the configuration, the scanners and the reports.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace zeb {

// Tabs and spaces are the only blanks.
inline bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string TrimLeft(std::string_view text);
std::string TrimRight(std::string_view text);
std::string TrimBlanks(std::string_view text);

// Removes one level of quotes when the text begins with " or ': a doubled
// quote gives one quote character, a single one is dropped.
std::string UnquoteText(std::string_view text);

// ASCII only: "A".."Z" become "a".."z", every other byte stays.
inline char LowerChar(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }
inline char UpperChar(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; }
std::string LowerStr(std::string_view text);
std::string UpperStr(std::string_view text);

// Case-insensitive (ASCII) comparison: negative, zero or positive.
int CompareText(std::string_view a, std::string_view b);
inline bool SameText(std::string_view a, std::string_view b) { return CompareText(a, b) == 0; }

// 1-based position of the last `c` in the first `length` bytes, 0 if none.
size_t FindLastChar(const char* buffer, size_t length, char c);

// printf-style formatting into a std::string.
std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace zeb
