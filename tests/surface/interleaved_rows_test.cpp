// Decoder rows to surface rows: channel order, deep samples rounded, alpha onto
// white (straight and premultiplied), grey in all three channels, hand-computed.
#include "surface/interleaved_rows.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace tessaly {
namespace {

// Samples as native 16-bit words or bytes, as the decoders hand them over.
std::vector<std::uint8_t> Samples(const std::vector<std::uint16_t>& values, int bytes) {
  std::vector<std::uint8_t> out(values.size() * static_cast<std::size_t>(bytes));
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (bytes == 1) {
      out[i] = static_cast<std::uint8_t>(values[i]);
    } else {
      std::memcpy(out.data() + 2 * i, &values[i], 2);
    }
  }
  return out;
}

TEST(InterleavedRows, PixelsBecomeBlueGreenRedOverWhite) {
  struct Case {
    const char* name;
    InterleavedLayout layout;
    std::vector<std::uint16_t> samples;
    std::vector<std::uint8_t> bgr;
  };
  const Case cases[] = {
      {"8-bit RGB", {3, 1, 255, false}, {10, 20, 30, 0, 128, 255}, {30, 20, 10, 255, 128, 0}},
      // round(v · 255 / 1023): 3 → 0.75 → 1, 700 → 174.49 → 174, 1021 → 254.50 → 255.
      {"10-bit RGB", {3, 2, 1023, false}, {3, 700, 1021}, {255, 174, 1}},
      {"above max", {3, 2, 1023, false}, {2000, 0, 1023}, {255, 0, 255}},
      // (0·128 + 255·127) / 255 = 127; blue (255·128 + 255·127) / 255 = 255.
      {"8-bit straight alpha", {4, 1, 255, false}, {0, 0, 255, 128}, {255, 127, 127}},
      // round((0 + 65535·32767) · 255 / 65535²) = round(127.498) = 127.
      {"16-bit straight alpha", {4, 2, 65535, false}, {0, 65535, 0, 32768}, {127, 255, 127}},
      // c + 255 − a: 100 + 127, 0 + 127, 50 + 127.
      {"premultiplied", {4, 1, 255, true}, {100, 0, 50, 128}, {177, 127, 227}},
      {"grey and transparent", {2, 1, 255, false}, {200, 0, 90, 255}, {255, 255, 255, 90, 90, 90}},
      // 2800 · 255 / 4095 = 174.36.
      {"12-bit grey", {1, 2, 4095, false}, {2800}, {174, 174, 174}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(InterleavedLayoutValid(c.layout));
    const std::vector<std::uint8_t> src = Samples(c.samples, c.layout.sample_bytes);
    std::vector<std::uint8_t> dst(c.bgr.size() + 1, 0xA5);
    WriteInterleavedRow(c.layout, src.data(), dst.data(), c.bgr.size() / 3);
    EXPECT_EQ(std::vector<std::uint8_t>(dst.begin(), dst.end() - 1), c.bgr);
    EXPECT_EQ(dst.back(), 0xA5);  // nothing past the row
  }
  for (const InterleavedLayout bad :
       {InterleavedLayout{5, 1, 255, false}, InterleavedLayout{3, 1, 1023, false},
        InterleavedLayout{3, 2, 1000, false}, InterleavedLayout{3, 4, 255, false}})
    EXPECT_FALSE(InterleavedLayoutValid(bad));
}

}  // namespace
}  // namespace tessaly
