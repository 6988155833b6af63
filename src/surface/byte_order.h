// Unsigned 16- and 32-bit numbers read from file bytes in either byte order, as
// JPEG (big-endian) and TIFF (either order) store them. The caller has checked
// that the bytes are there; nothing here reads past p + 1 or p + 3.
#pragma once

#include <cstdint>

namespace tessaly {

constexpr std::uint32_t Le16(const std::uint8_t* p) {
  return p[0] | p[1] << 8;
}
constexpr std::uint32_t Le32(const std::uint8_t* p) {
  return p[0] | p[1] << 8 | p[2] << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}
constexpr std::uint32_t Be16(const std::uint8_t* p) {
  return p[0] << 8 | p[1];
}
constexpr std::uint32_t Be32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) << 24 | p[1] << 16 | p[2] << 8 | p[3];
}

}  // namespace tessaly
