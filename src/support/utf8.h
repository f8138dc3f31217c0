// UTF-8 text taken apart into characters, and text measured either in bytes
// or in the characters of UTF-8.
#pragma once

#include <cstddef>
#include <string_view>

namespace zeb {

// Bytes of the well-formed UTF-8 character that begins at `at` (1 to 4), or
// 0 when the bytes there form none (a stray continuation byte, an overlong
// form, a surrogate, a cut sequence).
size_t Utf8CharSize(std::string_view text, size_t at);

// Whether every byte belongs to a well-formed UTF-8 character.
bool IsValidUtf8(std::string_view text);

// Lengths, offsets and parts of a text counted in bytes, or in UTF-8
// characters where every byte outside a well-formed character counts as one
// character of its own (so a text in an 8-bit code page is never lost or
// cut inside a character).
class TTextUnits {
 public:
  explicit TTextUnits(bool utf8) : utf8_(utf8) {}

  size_t Length(std::string_view text) const;
  // `count` units from unit `first` on; fewer at the end of the text.
  std::string_view Part(std::string_view text, size_t first, size_t count) const;

 private:
  // The byte offset of unit `index`; the text's size past its end.
  size_t Offset(std::string_view text, size_t index) const;
  size_t UnitSize(std::string_view text, size_t at) const;

  bool utf8_;
};

}  // namespace zeb
