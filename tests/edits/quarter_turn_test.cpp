#include "edits/quarter_turn.h"

#include <gtest/gtest.h>

#include "support/test_surfaces.h"

namespace tessaly {
namespace {

// 3 × 2 pixels, pixel (c, r) has bytes (10c + r, 100 + c, 200 + r).
std::vector<std::uint8_t> ThreeByTwo() {
  std::vector<std::uint8_t> bits(StrideFor(3) * 2, 0xEE);
  for (int r = 0; r < 2; ++r)
    for (int c = 0; c < 3; ++c) {
      std::uint8_t* p = bits.data() + r * StrideFor(3) + 3 * c;
      p[0] = static_cast<std::uint8_t>(10 * c + r);
      p[1] = static_cast<std::uint8_t>(100 + c);
      p[2] = static_cast<std::uint8_t>(200 + r);
    }
  return bits;
}

TEST(QuarterTurn, ClockwiseMovesEachPixelToItsTurnedPlaceWithZeroPadding) {
  std::vector<std::uint8_t> bits = ThreeByTwo();
  int w = 3, h = 2;
  ASSERT_TRUE(QuarterTurnBytes(bits, w, h, 90));
  ASSERT_EQ(w, 2);
  ASSERT_EQ(h, 3);
  ASSERT_EQ(bits.size(), 8u * 3);  // stride 8: 6 pixel bytes and 2 of padding
  // Source (c, r) lands at column r of memory row W−1−c.
  for (int r = 0; r < 2; ++r)
    for (int c = 0; c < 3; ++c) {
      const std::uint8_t* p = bits.data() + (2 - c) * 8 + 3 * r;
      EXPECT_EQ(p[0], 10 * c + r);
      EXPECT_EQ(p[1], 100 + c);
      EXPECT_EQ(p[2], 200 + r);
    }
  for (int y = 0; y < 3; ++y) {
    EXPECT_EQ(bits[y * 8 + 6], 0);
    EXPECT_EQ(bits[y * 8 + 7], 0);
  }
}

TEST(QuarterTurn, CounterClockwiseAndHalfTurnPlacePixels) {
  std::vector<std::uint8_t> ccw = ThreeByTwo();
  int w = 3, h = 2;
  ASSERT_TRUE(QuarterTurnBytes(ccw, w, h, -90));
  for (int r = 0; r < 2; ++r)
    for (int c = 0; c < 3; ++c) EXPECT_EQ(ccw[c * 8 + 3 * (1 - r)], 10 * c + r);

  for (int angle : {180, -180}) {
    std::vector<std::uint8_t> half = ThreeByTwo();
    int hw = 3, hh = 2;
    ASSERT_TRUE(QuarterTurnBytes(half, hw, hh, angle));
    EXPECT_EQ(hw, 3);
    EXPECT_EQ(hh, 2);
    for (int r = 0; r < 2; ++r)
      for (int c = 0; c < 3; ++c) EXPECT_EQ(half[(1 - r) * 12 + 3 * (2 - c)], 10 * c + r);
  }
}

TEST(QuarterTurn, RoundTripsGiveBackTheStartingPixels) {
  cDIB dib = test::RandomSurface(7, 5, 11);
  std::vector<std::uint8_t> start(dib.DIBitsPtr(), dib.DIBitsPtr() + dib.View().ByteCount());
  for (int y = 0; y < 5; ++y) std::fill_n(start.begin() + y * StrideFor(7) + 21, 3, 0);

  std::vector<std::uint8_t> bits = start;
  int w = 7, h = 5;
  for (int i = 0; i < 4; ++i) ASSERT_TRUE(QuarterTurnBytes(bits, w, h, 90));
  EXPECT_EQ(bits, start);

  ASSERT_TRUE(QuarterTurnBytes(bits, w, h, 90));
  ASSERT_TRUE(QuarterTurnBytes(bits, w, h, -90));
  EXPECT_EQ(bits, start);

  // 90 three times equals one −90 turn.
  std::vector<std::uint8_t> thrice = start, once = start;
  int tw = 7, th = 5, ow = 7, oh = 5;
  for (int i = 0; i < 3; ++i) QuarterTurnBytes(thrice, tw, th, 90);
  QuarterTurnBytes(once, ow, oh, -90);
  EXPECT_EQ(thrice, once);
}

TEST(QuarterTurn, RefusesOtherAnglesAndLeavesTheBytes) {
  for (int angle : {0, 45, 270, -270, 360}) {
    std::vector<std::uint8_t> bits = ThreeByTwo();
    int w = 3, h = 2;
    EXPECT_FALSE(QuarterTurnBytes(bits, w, h, angle)) << angle;
    EXPECT_EQ(bits, ThreeByTwo());
    EXPECT_EQ(w, 3);
  }
  std::vector<std::uint8_t> short_array(10);
  int w = 3, h = 2;
  EXPECT_FALSE(QuarterTurnBytes(short_array, w, h, 90));
}

TEST(WrapAngle, StepsWrapAtPlusAndMinus180) {
  int angle = 0;
  angle = AddRotationStep(angle, 90);
  EXPECT_EQ(angle, 90);
  angle = AddRotationStep(angle, 90);
  EXPECT_EQ(angle, 180);
  angle = AddRotationStep(angle, 90);
  EXPECT_EQ(angle, -90);  // 270 wraps
  EXPECT_EQ(AddRotationStep(-180, -90), 90);
  EXPECT_EQ(AddRotationStep(-90, -90), -180);
  EXPECT_EQ(AddRotationStep(180, -90), 90);
  EXPECT_EQ(WrapAngle(0), 0);
}

}  // namespace
}  // namespace tessaly
