#include "surface/jpeg_codec.h"

#include <gtest/gtest.h>

#include <turbojpeg.h>

#include <QByteArray>
#include <algorithm>
#include <array>
#include <map>
#include <tuple>
#include <vector>

#include "support/test_surfaces.h"
#include "surface/crafted_files.h"

namespace tessaly {
namespace {

using test::Field;

// The example tables of the JPEG standard (Annex K) in zig-zag order, as a DQT
// segment stores them: the base that libjpeg scales by quality. The chrominance
// table is 99 after the values listed.
const std::vector<int> kLuminanceBase = {
    16, 11, 12,  14,  12,  10, 16, 14,  13,  14,  18,  17,  16, 19,  24,  40,
    26, 24, 22,  22,  24,  49, 35, 37,  29,  40,  58,  51,  61, 60,  57,  51,
    56, 55, 64,  72,  92,  78, 64, 68,  87,  69,  55,  56,  80, 109, 81,  87,
    95, 98, 103, 104, 103, 62, 77, 113, 121, 112, 100, 120, 92, 101, 103, 99};
const std::vector<int> kChrominanceBase = {17, 18, 18, 24, 21, 24, 47, 26, 26, 47, 99, 66, 56, 66};

// libjpeg's quality scaling with baseline-limited values: quality ≤ 0 counts as 1.
std::vector<int> ScaledTable(std::vector<int> table, int quality) {
  const int q = quality <= 0 ? 1 : quality;
  const int scale = q < 50 ? 5000 / q : 200 - 2 * q;
  table.resize(64, 99);
  for (int& v : table) v = std::clamp((v * scale + 50) / 100, 1, 255);
  return table;
}

// The 8-bit quantization tables of the DQT segments before the first scan, by id.
std::map<int, std::vector<int>> QuantizationTables(const QByteArray& jpeg) {
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(jpeg.constData());
  std::map<int, std::vector<int>> tables;
  for (int at = 2; at + 4 <= jpeg.size() && bytes[at + 1] != 0xDA;
       at += 2 + static_cast<int>(Field(jpeg, at + 2, 2, true))) {
    if (bytes[at + 1] != 0xDB) continue;
    for (int p = at + 4; p + 65 <= at + 2 + static_cast<int>(Field(jpeg, at + 2, 2, true)); p += 65)
      tables[bytes[p]] = std::vector<int>(bytes + p + 1, bytes + p + 65);
  }
  return tables;
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
  tjhandle tj = tjInitDecompress();
  for (int quality : {0, 1, 2, 5, 10, 25, 49, 50, 51, 75, 90, 92, 99, 100}) {
    const QByteArray jpeg = Encode(dib.View(), quality);
    const std::map<int, std::vector<int>> tables = QuantizationTables(jpeg);
    ASSERT_EQ(tables.size(), 2u) << quality;
    EXPECT_EQ(tables.at(0), ScaledTable(kLuminanceBase, quality)) << quality;
    EXPECT_EQ(tables.at(1), ScaledTable(kChrominanceBase, quality)) << quality;
    // TurboJPEG's header reader gives the size and the chroma subsampling.
    int width = 0, height = 0, subsampling = -1, colourspace = -1;
    ASSERT_EQ(tjDecompressHeader3(tj, reinterpret_cast<const unsigned char*>(jpeg.constData()),
                                  jpeg.size(), &width, &height, &subsampling, &colourspace),
              0);
    EXPECT_EQ(std::tuple(width, height, subsampling), std::tuple(37, 21, int(TJSAMP_444)));
  }
  tjDestroy(tj);
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
