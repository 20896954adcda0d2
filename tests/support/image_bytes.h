// Little-endian reads and edits of raw image bytes at explicit offsets, so
// tests state the layout independently of the driver's own structures.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace tqr::test {

inline std::uint16_t U16(const std::vector<std::uint8_t>& b, std::size_t at) {
  return static_cast<std::uint16_t>(b.at(at) | b.at(at + 1) << 8);
}
inline std::uint32_t U32(const std::vector<std::uint8_t>& b, std::size_t at) {
  return static_cast<std::uint32_t>(U16(b, at)) | static_cast<std::uint32_t>(U16(b, at + 2)) << 16;
}
inline std::string Text(const std::vector<std::uint8_t>& b, std::size_t at) {
  return std::string(reinterpret_cast<const char*>(b.data() + at));
}
inline void PutU16(std::vector<std::uint8_t>* b, std::size_t at, std::uint16_t v) {
  b->at(at) = static_cast<std::uint8_t>(v);
  b->at(at + 1) = static_cast<std::uint8_t>(v >> 8);
}
inline std::vector<std::uint8_t> Bytes(const std::string& text) {
  return std::vector<std::uint8_t>(text.begin(), text.end());
}

}  // namespace tqr::test
