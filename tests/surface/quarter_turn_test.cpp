#include "surface/quarter_turn.h"

#include <gtest/gtest.h>

#include <QTransform>

#include "support/test_surfaces.h"
#include "surface/cgdiimage.h"

namespace tessaly {
namespace {

// 3 × 2 pixels, pixel (c, r) has bytes (10c + r, 100 + c, 200 + r); padding 0xEE.
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

// Pictures wider and taller than a copy tile, turned on several cores through the
// image that borrows them, against QImage's own transform (top-down coordinates).
TEST(QuarterTurn, LargePicturesMatchQImageTurns) {
  for (const auto& [w, h] : std::vector<std::pair<int, int>>{{131, 70}, {70, 131}, {200, 129}}) {
    cDIB dib = test::RandomSurface(w, h, 9u + w);
    const QImage picture = dib.ToQImage();
    // 270 is no quarter turn of the program: the image stays as it was.
    for (const int angle : {90, -90, 180, 270}) {
      cGDIImage image;
      ASSERT_TRUE(image.CreateFromDIB(dib));
      image.Rotate(angle);
      const cDIB turned =
          image.ToDib(false, false, 0, 0, 0, 0, 0, 0, cGDIImage::kHighQualityBicubic);
      const QImage expected =
          angle == 270 ? picture : picture.transformed(QTransform().rotate(angle));
      ASSERT_EQ(turned.ToQImage(), expected) << w << "x" << h << " " << angle;
      ASSERT_EQ(dib.ToQImage(), picture) << "the borrowed surface is never written";
    }
  }
}

TEST(QuarterTurn, RefusesOtherAnglesAndShortArraysLeavingTheBytes) {
  for (int angle : {0, 45, 270, -270, 360}) {
    std::vector<std::uint8_t> bits = ThreeByTwo();
    int w = 3, h = 2;
    EXPECT_FALSE(QuarterTurnBytes(bits, w, h, angle)) << angle;
    EXPECT_EQ(bits, ThreeByTwo());
    EXPECT_EQ(QSize(w, h), QSize(3, 2));
  }
  std::vector<std::uint8_t> short_array(10);
  int w = 3, h = 2;
  EXPECT_FALSE(QuarterTurnBytes(short_array, w, h, 90));
  EXPECT_EQ(short_array.size(), 10u);
}

TEST(WrapAngle, StepsWrapAtPlusAndMinus180) {
  // {angle, step, result}
  const int cases[][3] = {{0, 90, 90},     {90, 90, 180},    {180, 90, -90},
                          {-180, -90, 90}, {-90, -90, -180}, {180, -90, 90}};
  for (const auto& c : cases) EXPECT_EQ(AddRotationStep(c[0], c[1]), c[2]) << c[0] << c[1];
  EXPECT_EQ(WrapAngle(0), 0);
}

}  // namespace
}  // namespace tessaly
