#include "ui/container_3d.h"

#include <gtest/gtest.h>

#include <QImage>

namespace tessaly {
namespace {

TEST(Container3D, FrameIsRaisedSunkenOrAbsentAroundTheBackColour) {
  const QColor back(10, 120, 200);
  const auto draw = [&](int style) {
    Container3D panel;
    panel.SetBackColor(back);
    panel.SetBorderStyle(style);
    panel.resize(40, 30);
    return panel.grab().toImage();
  };
  const QImage raised = draw(Container3D::kRaised);
  const QImage sunken = draw(Container3D::kSunken);
  const QImage none = draw(Container3D::kNoFrame);
  for (const QImage& image : {raised, sunken, none}) EXPECT_EQ(image.pixelColor(20, 15), back);
  // The top-left edge is lit when raised and in shadow when sunken.
  EXPECT_GT(qGray(raised.pixel(0, 0)), qGray(sunken.pixel(0, 0)));
  EXPECT_LT(qGray(raised.pixel(39, 29)), qGray(sunken.pixel(39, 29)));
  EXPECT_NE(raised.pixelColor(0, 0), back);
  EXPECT_EQ(none.pixelColor(0, 0), back);
  EXPECT_EQ(draw(7).pixelColor(0, 0), back);  // an unknown style draws no frame
}

}  // namespace
}  // namespace tessaly
