// Little-endian fields of the packed on-disk structures, written and read
// byte by byte so that no compiler layout is involved.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace zeb {

inline void PutU16(std::string& buf, size_t offset, uint16_t value) {
  buf[offset] = static_cast<char>(value & 0xFF);
  buf[offset + 1] = static_cast<char>(value >> 8);
}

inline void PutU32(std::string& buf, size_t offset, uint32_t value) {
  for (int i = 0; i < 4; ++i) buf[offset + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

inline uint16_t GetU16(std::string_view buf, size_t offset) {
  return static_cast<uint16_t>(static_cast<uint8_t>(buf[offset]) | (static_cast<uint8_t>(buf[offset + 1]) << 8));
}

inline uint32_t GetU32(std::string_view buf, size_t offset) {
  uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = (value << 8) | static_cast<uint8_t>(buf[offset + i]);
  return value;
}

inline void AppendU16(std::string& buf, uint16_t value) {
  buf.push_back(static_cast<char>(value & 0xFF));
  buf.push_back(static_cast<char>(value >> 8));
}

inline void AppendU32(std::string& buf, uint32_t value) {
  for (int i = 0; i < 4; ++i) buf.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// A fixed text field of `size` bytes: at most size - 1 bytes of the text,
// then NUL padding (the field is expected to be zero already).
inline void PutText(std::string& buf, size_t offset, size_t size, std::string_view text) {
  const size_t n = text.size() < size ? text.size() : size - 1;
  buf.replace(offset, n, text.data(), n);
}

}  // namespace zeb
