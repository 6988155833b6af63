// The histogram control's wiring: a photo's histogram after a colour edit fills the
// three share labels, and the RGB toggle redraws the kept array in colour.
#include "ui/histogram_view.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "job/my_picture.h"
#include "support/scoped_state.h"
#include "support/test_surfaces.h"

namespace tessaly {
namespace {

int PixelsOf(const QImage& image, QRgb colour) {
  int count = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) count += image.pixel(x, y) == colour ? 1 : 0;
  return count;
}

TEST(HistogramViewTest, LabelsOfAnEditedPhotoAndTheColourToggle) {
  const QString dir = QString::fromStdString(test::TempDir());
  test::ScopedHistoryRoot history(dir);
  // Eight grey pixels of 100; two have red 250 and one blue 20. Red +51 pushes two
  // red values above 255, blue −51 one blue value below 0.
  cDIB surface;
  ASSERT_TRUE(surface.Create(4, 2, 0x646464));
  std::uint8_t* row = surface.View().Row(0);
  row[2] = 250;
  row[3 + 2] = 250;
  row[6] = 20;
  JobSettings settings;
  MyPicture photo(settings);
  photo.SetPicture(surface, 4, 2, 4, 101.6, 152.4, 0, dir + "/none.png", 1);
  photo.UpdateGraphicValues(std::nullopt, std::nullopt, std::nullopt, 51, std::nullopt, -51,
                            std::nullopt);

  HistogramView view;
  view.resize(240, 160);
  view.show();
  auto* below = view.findChild<QLabel*>(QStringLiteral("lblLT0"));
  auto* inside = view.findChild<QLabel*>(QStringLiteral("lbl0to255"));
  auto* above = view.findChild<QLabel*>(QStringLiteral("lblGT255"));
  auto* rgb = view.findChild<QPushButton*>(QStringLiteral("btRGB"));
  auto* box = view.findChild<QWidget*>(QStringLiteral("lblHistogram"));
  ASSERT_TRUE(below && inside && above && rgb && box);
  EXPECT_EQ(view.accessibleName(), "Histogram");

  view.SetHistogramArray(photo.Histogram());
  EXPECT_EQ(below->text(), "12.5%");
  EXPECT_EQ(inside->text(), "62.5%");
  EXPECT_EQ(above->text(), "25.0%");
  EXPECT_EQ(PixelsOf(box->grab().toImage(), qRgb(255, 0, 0)), 0);

  QTest::mouseClick(rgb, Qt::LeftButton);
  EXPECT_GT(PixelsOf(box->grab().toImage(), qRgb(255, 0, 0)), 0);
  EXPECT_EQ(above->text(), "25.0%");

  view.Clear_Histogram();
  EXPECT_EQ(inside->text(), "");
}

}  // namespace
}  // namespace tessaly
