// Drawing a surface, a frame and a label on a printer-like page: a real PDF page
// from QPdfWriter, rendered back to pixels with poppler's pdftoppm.
#include <gtest/gtest.h>

#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <tuple>

#include "support/test_surfaces.h"
#include "surface/cdib.h"

namespace tessaly {
namespace {

constexpr int kPageDpi = 300;
constexpr int kRenderDpi = 30;  // one rendered pixel per ten page pixels

bool NearColour(QRgb got, QRgb want) {
  return std::abs(qRed(got) - qRed(want)) < 40 && std::abs(qGreen(got) - qGreen(want)) < 40 &&
         std::abs(qBlue(got) - qBlue(want)) < 40;
}

TEST(cDIBOnAPage, SurfaceFrameAndLabelLandWhereTheyWereDrawn) {
  const QString dir = QString::fromStdString(test::TempDir());
  const QString pdf_path = dir + "/page.pdf";
  {
    QPdfWriter pdf(pdf_path);
    pdf.setPageSize(QPageSize(QSizeF(100, 50), QPageSize::Millimeter));
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    pdf.setResolution(kPageDpi);
    QPainter page(&pdf);

    // 20 × 10 pixels: left half red, right half blue.
    cDIB photo;
    ASSERT_TRUE(photo.Create(20, 10, 0x0000FF));
    for (int y = 0; y < 10; ++y)
      for (int x = 10; x < 20; ++x) {
        std::uint8_t* p = photo.View().Row(y) + 3 * x;
        p[0] = 255, p[1] = 0, p[2] = 0;
      }
    photo.ToSurface(page, 100, 100, 400, 200);

    photo.SetPen(0, 8, 0x00FF00);
    photo.DrawRectangle(page, 600, 100, 1000, 400);
    photo.SetFont("Arial", 80, true, false, 0.0f);
    photo.PrintText(page, "TESSALY", 1150, 450, 0x000000, true);
  }
  const QString png_root = dir + "/page";
  QProcess render;
  render.start("pdftoppm",
               {"-r", QString::number(kRenderDpi), "-png", "-singlefile", pdf_path, png_root});
  ASSERT_TRUE(render.waitForFinished(30000)) << "pdftoppm (poppler-utils) must be installed";
  ASSERT_EQ(render.exitCode(), 0);
  const QImage image = QImage(png_root + ".png").convertToFormat(QImage::Format_RGB32);
  ASSERT_FALSE(image.isNull());
  EXPECT_NEAR(image.width(), 118, 1);  // 100 mm at 30 dpi

  // The stretched surface: left half red, right half blue, white around it. The
  // frame: green outline, white inside.
  const QRgb red = qRgb(255, 0, 0), blue = qRgb(0, 0, 255), green = qRgb(0, 255, 0);
  const QRgb white = qRgb(255, 255, 255);
  const std::tuple<int, int, QRgb> probes[] = {{14, 20, red},   {46, 20, blue},  {5, 5, white},
                                               {30, 35, white}, {80, 10, green}, {60, 25, green},
                                               {80, 25, white}};
  for (auto [x, y, colour] : probes)
    EXPECT_TRUE(NearColour(image.pixel(x, y), colour)) << x << "," << y;
  // The right-aligned label ends at x = 115 and starts below y = 45.
  int ink_left = image.width(), ink_right = -1, ink_top = image.height();
  for (int y = 42; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (qGray(image.pixel(x, y)) < 80) {
        ink_left = std::min(ink_left, x);
        ink_right = std::max(ink_right, x);
        ink_top = std::min(ink_top, y);
      }
  ASSERT_GE(ink_right, 0) << "no label ink on the page";
  EXPECT_PRED3(test::InRange, ink_right, 110, 115);
  EXPECT_GE(ink_top, 45);  // (x, y) is the top of the text
  EXPECT_GT(ink_left, 80);
}

}  // namespace
}  // namespace tessaly
