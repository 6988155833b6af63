#include "surface/jpeg_codec.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <algorithm>
#include <array>
#include <map>
#include <vector>

#include "support/test_surfaces.h"
#include "surface/crafted_files.h"

namespace tessaly {
namespace {

using test::Be16;

// The example tables of the JPEG standard (Annex K), in natural (row-major) order:
// the base that libjpeg scales by quality.
constexpr int kLuminanceBase[64] = {16,  11,  10,  16,  24, 40, 51,  61,  12,  12,  14,  19,  26,
                                    58,  60,  55,  14,  13, 16, 24,  40,  57,  69,  56,  14,  17,
                                    22,  29,  51,  87,  80, 62, 18,  22,  37,  56,  68,  109, 103,
                                    77,  24,  35,  55,  64, 81, 104, 113, 92,  49,  64,  78,  87,
                                    103, 121, 120, 101, 72, 92, 95,  98,  112, 100, 103, 99};
constexpr int kChrominanceBase[64] = {
    17, 18, 24, 47, 99, 99, 99, 99, 18, 21, 26, 66, 99, 99, 99, 99, 24, 26, 56, 99, 99, 99,
    99, 99, 47, 66, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99,
    99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99};
// Position in natural order of the k-th value of a DQT segment (zig-zag order).
constexpr int kZigZag[64] = {0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,
                             12, 19, 26, 33, 40, 48, 41, 34, 27, 20, 13, 6,  7,  14, 21, 28,
                             35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23, 30, 37, 44, 51,
                             58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63};

// libjpeg's quality scaling with baseline-limited values: quality ≤ 0 counts as 1.
std::vector<int> ScaledTable(const int* base, int quality) {
  const int q = quality <= 0 ? 1 : quality;
  const int scale = q < 50 ? 5000 / q : 200 - 2 * q;
  std::vector<int> table(64);
  for (int i = 0; i < 64; ++i) table[i] = std::clamp((base[i] * scale + 50) / 100, 1, 255);
  return table;
}

struct JpegMarkers {
  std::map<int, std::vector<int>> tables;  // by table id, natural order
  int width = 0, height = 0;
  std::vector<int> sampling;  // H·16 + V of each component
};

JpegMarkers ParseMarkers(const QByteArray& jpeg) {
  JpegMarkers m;
  int at = 2;
  while (at + 4 <= jpeg.size() && static_cast<std::uint8_t>(jpeg[at]) == 0xFF) {
    const int marker = static_cast<std::uint8_t>(jpeg[at + 1]);
    const int length = static_cast<int>(Be16(jpeg, at + 2));
    if (marker == 0xDB) {
      for (int p = at + 4; p < at + 2 + length;) {
        const int precision = static_cast<std::uint8_t>(jpeg[p]) >> 4;
        const int id = jpeg[p] & 0x0F;
        std::vector<int> natural(64);
        for (int k = 0; k < 64; ++k)
          natural[kZigZag[k]] = precision ? static_cast<int>(Be16(jpeg, p + 1 + 2 * k))
                                          : static_cast<std::uint8_t>(jpeg[p + 1 + k]);
        m.tables[id] = natural;
        p += 1 + 64 * (precision ? 2 : 1);
      }
    } else if (marker == 0xC0) {
      m.height = static_cast<int>(Be16(jpeg, at + 5));
      m.width = static_cast<int>(Be16(jpeg, at + 7));
      const int components = static_cast<std::uint8_t>(jpeg[at + 9]);
      for (int c = 0; c < components; ++c)
        m.sampling.push_back(static_cast<std::uint8_t>(jpeg[at + 11 + 3 * c]));
    } else if (marker == 0xDA) {
      break;
    }
    at += 2 + length;
  }
  return m;
}

QByteArray Encode(const SurfaceView& view, int quality) {
  JpegBytes bytes;
  std::size_t size = 0;
  if (EncodeJpeg(view, quality, bytes, size) != JpegEncodeResult::Encoded) return QByteArray();
  return QByteArray(reinterpret_cast<const char*>(bytes.get()), static_cast<qsizetype>(size));
}

JpegDecodeResult Decode(const QByteArray& jpeg, JpegScale scale, SurfaceBuffer& out) {
  return DecodeJpeg(reinterpret_cast<const std::uint8_t*>(jpeg.constData()), jpeg.size(), scale,
                    out);
}

TEST(JpegCodec, EncoderUsesTheStandardTablesScaledByTheQualityFullChromaAndTheSurfaceSize) {
  cDIB dib = test::RandomSurface(37, 21, 5);
  for (int quality : {0, 1, 2, 5, 10, 25, 49, 50, 51, 75, 90, 92, 99, 100}) {
    const JpegMarkers m = ParseMarkers(Encode(dib.View(), quality));
    ASSERT_EQ(m.tables.size(), 2u) << quality;
    EXPECT_EQ(m.tables.at(0), ScaledTable(kLuminanceBase, quality)) << quality;
    EXPECT_EQ(m.tables.at(1), ScaledTable(kChrominanceBase, quality)) << quality;
    EXPECT_EQ(QSize(m.width, m.height), QSize(37, 21)) << quality;
    EXPECT_EQ(m.sampling, (std::vector<int>{0x11, 0x11, 0x11})) << quality;
  }
}

TEST(JpegCodec, ScaleCoveringPicksTheSmallestFactorNotBelowTheRequest) {
  // {width, height, smallest width, height wanted, scale numerator, denominator}
  const std::array<int, 6> cases[] = {
      {6000, 4000, 750, 500, 1, 8},  // exactly 1/8
      {6000, 4000, 751, 500, 1, 4},  // 1/8 is one pixel short
      {6000, 4000, 700, 501, 1, 4},  // height decides
      {6000, 4000, 1501, 10, 3, 8},  // 1/4 gives 1500
      {6000, 4000, 5251, 1, 1, 1},   // nothing below 1 covers it
      {100, 80, 200, 160, 1, 1},     // never above 1: upscaling is the resampler's job
      {4001, 3001, 501, 376, 1, 8},  // rounded up: 4001/8 → 501, 3001/8 → 376
  };
  for (const auto& [width, height, min_width, min_height, num, den] : cases) {
    const JpegScale s = JpegScaleCovering(width, height, min_width, min_height);
    EXPECT_EQ(s.num * den, num * s.den) << width << "x" << height << " -> " << min_width << "x"
                                        << min_height << ": " << s.num << "/" << s.den;
  }
  EXPECT_EQ(std::tuple(JpegScaledSide(4001, {1, 8}), JpegScaledSide(4000, {3, 8}),
                       JpegScaledSide(1, {1, 8})),
            std::tuple(501, 1500, 1));
}

TEST(JpegCodec, DecodesStraightIntoTheSurfaceAsTurboJpegDoesAtEveryScale) {
  const QByteArray jpeg = test::SmallJpeg(203, 101);
  for (JpegScale scale : {JpegScale{1, 1}, JpegScale{1, 2}, JpegScale{3, 8}, JpegScale{1, 8}}) {
    SurfaceBuffer dib;
    ASSERT_EQ(Decode(jpeg, scale, dib), JpegDecodeResult::Decoded);
    cDIB expected =
        test::TurboJpegDecoded(jpeg, JpegScaledSide(203, scale), JpegScaledSide(101, scale));
    ASSERT_TRUE(expected.IsCreated());
    EXPECT_TRUE(test::SamePixels(dib.View(), expected.View())) << scale.num << "/" << scale.den;
  }
}

TEST(JpegCodec, HeaderGivesTheFrameSize) {
  const QByteArray jpeg = test::SmallJpeg(33, 17);
  const auto* data = reinterpret_cast<const std::uint8_t*>(jpeg.constData());
  JpegHeader header;
  ASSERT_TRUE(ReadJpegHeader(data, jpeg.size(), header));
  EXPECT_EQ(QSize(header.width, header.height), QSize(33, 17));
  EXPECT_FALSE(JpegNeedsOtherReader(header));
  EXPECT_FALSE(ReadJpegHeader(data + 1, jpeg.size() - 1, header));
  EXPECT_FALSE(ReadJpegHeader(data, 40, header));  // cut before the frame header
  EXPECT_FALSE(LooksLikeJpeg(reinterpret_cast<const std::uint8_t*>("\x89PNG"), 4));
}

TEST(JpegCodec, OversizedFramesAndTooManyProgressiveScansAreRefused) {
  // A real stream whose frame header claims 20000 × 20000: the decoder would fill
  // the missing data with grey and succeed, so only the size check stops it.
  const QByteArray jpeg = test::SmallJpeg(64, 48);
  SurfaceBuffer dib;
  EXPECT_EQ(Decode(test::JpegWithFrameSize(jpeg, 640, 480), JpegScale{}, dib),
            JpegDecodeResult::Decoded);
  EXPECT_EQ(dib.View().width, 640);
  EXPECT_EQ(Decode(test::JpegWithFrameSize(jpeg, 20000, 20000), JpegScale{1, 8}, dib),
            JpegDecodeResult::Failed);
  EXPECT_TRUE(dib.empty());
  // Repeated scans are only a warning for the decoder: a few decode, hundreds are
  // refused.
  const QByteArray progressive = test::SmallJpeg(64, 48, true);
  const QByteArray few = test::JpegWithRepeatedLastScan(progressive, 20);
  const QByteArray bomb = test::JpegWithRepeatedLastScan(progressive, 600);
  ASSERT_GT(bomb.size(), few.size());
  EXPECT_EQ(Decode(few, JpegScale{}, dib), JpegDecodeResult::Decoded);
  EXPECT_EQ(dib.View().width, 64);
  EXPECT_EQ(Decode(bomb, JpegScale{}, dib), JpegDecodeResult::Failed);
  EXPECT_TRUE(dib.empty());
}

}  // namespace
}  // namespace tessaly
