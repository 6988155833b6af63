// Helpers that make surfaces and byte arrays for tests: random pixels from a
// seeded generator, and byte-exact comparison that ignores row padding.
#pragma once

#include <cstdint>
#include <random>
#include <vector>

#include "surface/cdib.h"

namespace tessaly::test {

// A created surface of the given size with pseudo-random pixel bytes.
cDIB RandomSurface(int width, int height, std::uint32_t seed);
// Fills the pixel bytes (not the padding) of `view` from the generator.
void FillRandom(const SurfaceView& view, std::mt19937& rng);
// The pixel bytes of every row, padding left out, bottom row first.
std::vector<std::uint8_t> PixelBytes(const SurfaceView& view);
// True when the two views have the same size and pixel bytes.
bool SamePixels(const SurfaceView& a, const SurfaceView& b);
// Byte (channel 0 = blue) of pixel (c, memory row r).
inline std::uint8_t At(const SurfaceView& v, int c, int r, int channel) {
  return v.Row(r)[3 * c + channel];
}
// A unique temporary folder path for the running test (created).
std::string TempDir();

}  // namespace tessaly::test
