// Helpers that make surfaces and byte arrays for tests: random pixels from a
// seeded generator, byte-exact comparison that ignores row padding, colour values
// and the check of the messages a ScriptedUi recorded.
#pragma once

#include <gtest/gtest.h>

#include <QColor>
#include <cstdint>
#include <cstdlib>
#include <random>
#include <vector>

#include "controls/scripted_ui.h"
#include "surface/cdib.h"

namespace tessaly::test {

// A created surface of the given size with pseudo-random pixel bytes.
cDIB RandomSurface(int width, int height, std::uint32_t seed);
// RandomSurface with every row padding byte set to 0xA5, so that a kernel writing
// the padding shows in AllBytes.
cDIB MarkedRandomSurface(int width, int height, std::uint32_t seed);
// The pixel bytes of every row, padding left out, bottom row first.
std::vector<std::uint8_t> PixelBytes(const SurfaceView& view);
// Every byte of the view, row padding included.
std::vector<std::uint8_t> AllBytes(const SurfaceView& view);
// True when the two views have the same size and pixel bytes.
bool SamePixels(const SurfaceView& a, const SurfaceView& b);
// Byte (channel 0 = blue) of pixel (c, memory row r).
inline std::uint8_t At(const SurfaceView& v, int c, int r, int channel) {
  return v.Row(r)[3 * c + channel];
}
// For EXPECT_PRED3: lo ≤ value ≤ hi.
inline bool InRange(int value, int lo, int hi) {
  return lo <= value && value <= hi;
}
// A colour as the program's 0xBBGGRR value.
constexpr std::uint32_t Rgb(int r, int g, int b) {
  return static_cast<std::uint32_t>(r | (g << 8) | (b << 16));
}
inline std::uint32_t FromQRgb(QRgb p) {
  return Rgb(qRed(p), qGreen(p), qBlue(p));
}
// True when every channel of `a` is within `tolerance` of that of `b`.
inline bool NearColour(QRgb a, QRgb b, int tolerance) {
  return std::abs(qRed(a) - qRed(b)) <= tolerance && std::abs(qGreen(a) - qGreen(b)) <= tolerance &&
         std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}
// A unique temporary folder path for the running test (created).
std::string TempDir();
// Success when `ui` recorded exactly `count` messages, each `text` with an Ok
// button and `icon`.
::testing::AssertionResult OnlyMessages(const ScriptedUi& ui, const QString& text, MsgIcon icon,
                                        std::size_t count = 1);

}  // namespace tessaly::test
