// A borrowed view of 24-bit pixel memory in the surface layout every pixel kernel
// works on: bytes blue, green, red; each row padded to a multiple of 4 bytes;
// memory row 0 is the bottom row of the picture. Kernels read and write only the
// 3·width pixel bytes of a row, never its padding.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

namespace tessaly {

// Row stride of a surface `width` pixels wide: 3·width rounded up to 4 bytes.
constexpr int StrideFor(int width) {
  return ((3 * width + 3) / 4) * 4;
}

// Largest surface we make: 200 megapixels and at most 65,535 pixels a side.
// Anything larger is refused before its pixels are allocated.
inline constexpr std::int64_t kMaxSurfacePixels = 200'000'000;
inline constexpr int kMaxSurfaceSide = 65'535;

// True when a width × height surface is within the limits above.
constexpr bool SurfaceSizeAllowed(std::int64_t width, std::int64_t height) {
  return width > 0 && height > 0 && width <= kMaxSurfaceSide && height <= kMaxSurfaceSide &&
         width * height <= kMaxSurfacePixels;
}

struct SurfaceView {
  std::uint8_t* bits = nullptr;
  int width = 0;
  int height = 0;
  int stride = 0;

  bool empty() const { return bits == nullptr || width <= 0 || height <= 0; }
  // Memory row y (0 = bottom row of the picture).
  std::uint8_t* Row(int y) const { return bits + static_cast<std::ptrdiff_t>(y) * stride; }
  std::size_t ByteCount() const { return static_cast<std::size_t>(stride) * height; }
};

// Called by long kernels after a row or a band of rows; returning true stops the
// run there. Rows finished before the stop stay finished.
using RowPoll = std::function<bool()>;

}  // namespace tessaly
