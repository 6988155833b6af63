#include "surface/resample.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <tuple>
#include <vector>

#include "support/test_surfaces.h"

namespace tessaly {
namespace {

double KeysKernel(double t) {
  t = std::fabs(t);
  if (t < 1) return 1.5 * t * t * t - 2.5 * t * t + 1;
  if (t < 2) return -0.5 * t * t * t + 2.5 * t * t - 4 * t + 2;
  return 0;
}

// Normalised weights of every source index (0..src_length−1, edge-clamped) for
// destination index i of one axis.
std::vector<double> ReferenceWeights(int origin, int length, int dst_length, int src_length,
                                     int i) {
  const double scale = static_cast<double>(length) / dst_length;
  const double f = std::max(1.0, scale);
  const double u = origin + (i + 0.5) * length / dst_length;
  std::vector<double> w(src_length, 0.0);
  double sum = 0;
  for (int j = static_cast<int>(std::floor(u - 2 * f)) - 2; j <= std::ceil(u + 2 * f) + 2; ++j) {
    const double k = KeysKernel((j + 0.5 - u) / f) / f;
    w[std::clamp(j, 0, src_length - 1)] += k;
    sum += k;
  }
  for (double& v : w) v /= sum;
  return w;
}

// The filter evaluated directly in double precision, in picture coordinates, rounded
// and clamped only at the end.
cDIB ReferenceResample(cDIB& src, int x, int y, int width, int height, int dst_width,
                       int dst_height) {
  cDIB out;
  out.Create(dst_width, dst_height);
  const SurfaceView s = src.View(), d = out.View();
  for (int i = 0; i < dst_height; ++i) {
    const std::vector<double> wy = ReferenceWeights(y, height, dst_height, s.height, i);
    for (int c = 0; c < dst_width; ++c) {
      const std::vector<double> wx = ReferenceWeights(x, width, dst_width, s.width, c);
      for (int ch = 0; ch < 3; ++ch) {
        double v = 0;
        for (int j = 0; j < s.height; ++j) {
          if (wy[j] == 0) continue;
          const std::uint8_t* row = s.Row(s.height - 1 - j);
          for (int k = 0; k < s.width; ++k) v += wy[j] * wx[k] * row[3 * k + ch];
        }
        d.Row(dst_height - 1 - i)[3 * c + ch] =
            static_cast<std::uint8_t>(std::clamp(std::lrint(v), 0L, 255L));
      }
    }
  }
  return out;
}

TEST(ResampleBicubic, StaysWithinOneOfTheDoublePrecisionFilter) {
  // {name, source width and height, rectangle x, y, width, height, result width, height}
  const std::tuple<const char*, int, int, int, int, int, int, int, int> cases[] = {
      {"photo-like shrink", 601, 403, 0, 0, 601, 403, 177, 118},
      {"shrink 3.1 from an offset", 131, 97, 9, 14, 97, 61, 31, 20},
      {"enlarge", 13, 9, 0, 0, 13, 9, 40, 31},
      {"plus-one rule", 37, 29, 5, 4, 20, 15, 21, 16},
      {"shrink across, enlarge down", 45, 33, 3, 2, 41, 17, 29, 47},
      {"rectangle at the far corner", 23, 19, 10, 7, 13, 12, 5, 29},
      {"one pixel wide", 1, 17, 0, 0, 1, 17, 5, 9},
      {"one pixel", 1, 1, 0, 0, 1, 1, 7, 3},
      // Extreme shrinking, where 14-bit weights of the widened kernel round to nothing.
      {"300:1 across", 1200, 2, 0, 0, 1200, 2, 4, 2},
      {"3000:1 both", 3000, 3000, 0, 0, 3000, 3000, 1, 1},
      {"10000:1 from an offset", 20011, 2, 7, 0, 20000, 2, 2, 1},
      {"65535:1 across", 65535, 2, 0, 0, 65535, 2, 1, 1},
      {"65535:1 down", 3, 65535, 0, 0, 3, 65535, 2, 1},
  };
  std::uint32_t seed = 1;
  for (const auto& [name, src_width, src_height, x, y, width, height, dst_width, dst_height] :
       cases) {
    cDIB src = test::RandomSurface(src_width, src_height, seed++);
    cDIB dst;
    ASSERT_TRUE(dst.Create(dst_width, dst_height));
    ASSERT_TRUE(ResampleBicubic(src.View(), x, y, width, height, dst.View())) << name;
    cDIB ref = ReferenceResample(src, x, y, width, height, dst_width, dst_height);
    int largest = 0, unequal = 0;
    for (int r = 0; r < dst_height; ++r)
      for (int i = 0; i < 3 * dst_width; ++i) {
        const int diff = std::abs(dst.View().Row(r)[i] - ref.View().Row(r)[i]);
        largest = std::max(largest, diff);
        unequal += diff != 0;
      }
    EXPECT_LE(largest, 1) << name;
    // Fixed-point error is a small fraction of a level, so only values within a hair
    // of a half may round the other way; a rounding bias would move most bytes. A
    // picture of a few bytes may have one such.
    EXPECT_LE(unequal, std::max(1.0, 0.02 * 3 * dst_width * dst_height)) << name;
  }
}

TEST(ResampleBicubic, OneToOneGivesBackTheSourceBytes) {
  // {source width, height, x, y, width, height}
  for (const auto& c : {std::array{37, 23, 0, 0, 37, 23}, std::array{37, 23, 5, 3, 19, 11},
                        std::array{1, 1, 0, 0, 1, 1}, std::array{29, 31, 28, 0, 1, 31}}) {
    cDIB src = test::RandomSurface(c[0], c[1], 7), dst, expected;
    ASSERT_TRUE(dst.Create(c[4], c[5]));
    ASSERT_TRUE(expected.Create(c[4], c[5]));
    expected.LoadBlt(src, c[2], c[3]);
    ASSERT_TRUE(ResampleBicubic(src.View(), c[2], c[3], c[4], c[5], dst.View()));
    EXPECT_TRUE(test::SamePixels(dst.View(), expected.View())) << c[0] << "x" << c[1];
  }
}

TEST(ResampleBicubic, BadArgumentsFailAndLeaveTheDestinationAlone) {
  cDIB src = test::RandomSurface(20, 10, 3);
  cDIB dst = test::RandomSurface(7, 5, 4);
  const std::vector<std::uint8_t> before = test::PixelBytes(dst.View());
  // {x, y, width, height}: empty, negative or reaching outside the 20 × 10 source.
  const int rects[][4] = {{0, 0, 0, 10}, {0, 0, 20, 0},  {0, 0, -3, 10}, {-1, 0, 20, 10},
                          {0, -1, 5, 5}, {1, 0, 20, 10}, {0, 6, 5, 5},   {25, 0, 1, 1}};
  for (const auto& r : rects)
    EXPECT_FALSE(ResampleBicubic(src.View(), r[0], r[1], r[2], r[3], dst.View()))
        << r[0] << "," << r[1] << " " << r[2] << "x" << r[3];
  SurfaceView no_width = dst.View();
  no_width.width = 0;
  EXPECT_FALSE(ResampleBicubic(SurfaceView{}, 0, 0, 1, 1, dst.View()));
  EXPECT_FALSE(ResampleBicubic(src.View(), 0, 0, 20, 10, SurfaceView{}));
  EXPECT_FALSE(ResampleBicubic(src.View(), 0, 0, 20, 10, no_width));
  EXPECT_EQ(test::PixelBytes(dst.View()), before);
}

TEST(ResampleBicubic, StopAfterTheFirstBandLeavesLaterRowsUntouched) {
  cDIB src = test::RandomSurface(61, 300, 5);
  cDIB full, part;
  ASSERT_TRUE(full.Create(9, 400));
  ASSERT_TRUE(part.Create(9, 400, 0x5A5A5A));
  ASSERT_TRUE(ResampleBicubic(src.View(), 0, 0, 61, 300, full.View()));
  int polls = 0;
  EXPECT_FALSE(ResampleBicubic(src.View(), 0, 0, 61, 300, part.View(), [&] {
    ++polls;
    return true;
  }));
  EXPECT_EQ(polls, 1);
  // A finished prefix of memory rows, then rows that still hold the fill.
  int finished = 0;
  while (finished < 400 && std::equal(part.View().Row(finished), part.View().Row(finished) + 27,
                                      full.View().Row(finished)))
    ++finished;
  EXPECT_GT(finished, 0);
  EXPECT_LT(finished, 400);
  for (int r = finished; r < 400; ++r)
    for (int i = 0; i < 27; ++i) ASSERT_EQ(part.View().Row(r)[i], 0x5A) << r;
}

}  // namespace
}  // namespace tessaly
