// The per-pixel conversion of decoder rows into surface rows. One sample reader per
// depth; the compositing rule is chosen per row, not per pixel.
#include "surface/interleaved_rows.h"

#include <algorithm>
#include <cstring>

namespace tessaly {
namespace {

constexpr std::uint64_t kMax8 = 255;

// Sample `i` of the row, clamped to max.
inline std::uint64_t Sample(const std::uint8_t* src, std::size_t i, int bytes, std::uint64_t max) {
  if (bytes == 1) return std::min<std::uint64_t>(src[i], max);
  std::uint16_t v = 0;
  std::memcpy(&v, src + 2 * i, sizeof v);
  return std::min<std::uint64_t>(v, max);
}

// round(v · 255 / max); max is odd, so the quotient is never halfway.
inline std::uint8_t Scale(std::uint64_t v, std::uint64_t max) {
  return static_cast<std::uint8_t>((v * kMax8 + max / 2) / max);
}

// Straight alpha onto white, then to 8 bits in one rounding:
// round((c·a + max·(max − a)) · 255 / max²); max² is odd, so no ties.
inline std::uint8_t OverWhite(std::uint64_t c, std::uint64_t a, std::uint64_t max) {
  const std::uint64_t divisor = max * max;
  return static_cast<std::uint8_t>(((c * a + max * (max - a)) * kMax8 + divisor / 2) / divisor);
}

inline std::uint8_t OverWhitePremultiplied(std::uint64_t c, std::uint64_t a, std::uint64_t max) {
  return Scale(std::min(max, c + max - a), max);
}

}  // namespace

bool InterleavedLayoutValid(const InterleavedLayout& layout) {
  const bool bytes_fit = layout.sample_bytes == 1 ? layout.max <= 0xFF : layout.max <= 0xFFFF;
  return layout.channels >= 1 && layout.channels <= 4 &&
         (layout.sample_bytes == 1 || layout.sample_bytes == 2) && layout.max >= 1 && bytes_fit &&
         (layout.max & (layout.max + 1)) == 0;
}

void WriteInterleavedRow(const InterleavedLayout& layout, const std::uint8_t* src,
                         std::uint8_t* dst, std::size_t width) {
  const std::size_t n = static_cast<std::size_t>(layout.channels);
  const int bytes = layout.sample_bytes;
  const std::uint64_t max = layout.max;
  const bool colour = n >= 3;
  const bool alpha = n == 2 || n == 4;
  // The common case, 8-bit opaque RGB, is a plain reordering.
  if (bytes == 1 && n == 3 && max == kMax8) {
    for (std::size_t x = 0; x < width; ++x, src += 3, dst += 3) {
      dst[0] = src[2];
      dst[1] = src[1];
      dst[2] = src[0];
    }
    return;
  }
  // Red, green and blue sample indexes within a pixel (all 0 for grey).
  const std::size_t r = 0, g = colour ? 1 : 0, b = colour ? 2 : 0;
  for (std::size_t x = 0; x < width; ++x, dst += 3) {
    const std::size_t at = x * n;
    const std::uint64_t cr = Sample(src, at + r, bytes, max);
    const std::uint64_t cg = Sample(src, at + g, bytes, max);
    const std::uint64_t cb = Sample(src, at + b, bytes, max);
    if (!alpha) {
      dst[0] = Scale(cb, max);
      dst[1] = Scale(cg, max);
      dst[2] = Scale(cr, max);
      continue;
    }
    const std::uint64_t a = Sample(src, at + n - 1, bytes, max);
    if (layout.premultiplied) {
      dst[0] = OverWhitePremultiplied(cb, a, max);
      dst[1] = OverWhitePremultiplied(cg, a, max);
      dst[2] = OverWhitePremultiplied(cr, a, max);
    } else {
      dst[0] = OverWhite(cb, a, max);
      dst[1] = OverWhite(cg, a, max);
      dst[2] = OverWhite(cr, a, max);
    }
  }
}

}  // namespace tessaly
