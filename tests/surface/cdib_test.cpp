#include "surface/cdib.h"

#include <gtest/gtest.h>

#include <QPainter>

#include "support/test_surfaces.h"

namespace tessaly {
namespace {

using test::At;

TEST(cDIB, StrideIsThreeBytesAPixelPaddedToFour) {
  const std::pair<int, int> cases[] = {{1, 4}, {2, 8}, {3, 12}, {4, 12}, {5, 16}, {7, 24}};
  for (auto [width, stride] : cases) {
    cDIB dib;
    ASSERT_TRUE(dib.Create(width, 3, 0));
    EXPECT_EQ(dib.Stride(), stride) << width;
    EXPECT_EQ(dib.View().stride, stride);
    EXPECT_EQ(dib.Size(), 3 * width * 3);
  }
}

TEST(cDIB, CreateFillsEveryPixelBlueGreenRedAndZeroesPadding) {
  cDIB dib;
  ASSERT_TRUE(dib.Create(5, 4, 0x112233));  // red 0x33, green 0x22, blue 0x11
  const SurfaceView v = dib.View();
  for (int r = 0; r < 4; ++r) {
    for (int c = 0; c < 5; ++c) {
      EXPECT_EQ(At(v, c, r, 0), 0x11);
      EXPECT_EQ(At(v, c, r, 1), 0x22);
      EXPECT_EQ(At(v, c, r, 2), 0x33);
    }
    EXPECT_EQ(v.Row(r)[15], 0);
  }
  EXPECT_EQ(dib.PixelAt(4, 3), 0x112233u);  // last row and column
  EXPECT_EQ(dib.Width(), 5);
  EXPECT_EQ(dib.Height(), 4);
}

TEST(cDIB, CreateRefusesEmptyAndOversizedSurfacesWithoutAllocating) {
  cDIB dib;
  EXPECT_FALSE(dib.Create(0, 10));
  EXPECT_FALSE(dib.Create(10, -1));
  EXPECT_FALSE(dib.Create(65536, 1));
  EXPECT_FALSE(dib.Create(20000, 10001));  // 200.02 megapixels
  EXPECT_FALSE(dib.IsCreated());
  EXPECT_TRUE(dib.Create(65535, 1));
  // A failed Create releases the previous surface.
  EXPECT_FALSE(dib.Create(-5, 5));
  EXPECT_FALSE(dib.IsCreated());
  EXPECT_EQ(dib.Width(), 0);
}

TEST(cDIB, RowsAreStoredBottomUp) {
  QImage picture(2, 3, QImage::Format_RGB32);
  picture.fill(Qt::white);
  picture.setPixel(0, 0, qRgb(200, 10, 1));  // top-left
  picture.setPixel(1, 2, qRgb(3, 20, 100));  // bottom-right
  cDIB dib;
  EXPECT_EQ(dib.CreateFromStdPicture(picture), 24);
  const SurfaceView v = dib.View();
  // Top row of the picture is the last memory row.
  EXPECT_EQ(At(v, 0, 2, 0), 1);
  EXPECT_EQ(At(v, 0, 2, 1), 10);
  EXPECT_EQ(At(v, 0, 2, 2), 200);
  EXPECT_EQ(At(v, 1, 0, 0), 100);
  EXPECT_EQ(At(v, 1, 0, 2), 3);
  EXPECT_TRUE(dib.ToQImage() == picture.convertToFormat(QImage::Format_RGB888));
}

TEST(cDIB, CreateFromStdPictureReportsBitsPerPixel) {
  QImage mono(3, 3, QImage::Format_Mono);
  mono.fill(0);
  QImage indexed(3, 3, QImage::Format_Indexed8);
  indexed.setColorCount(1);
  indexed.setColor(0, qRgb(1, 2, 3));
  indexed.fill(0);
  cDIB dib;
  EXPECT_EQ(dib.CreateFromStdPicture(mono), 1);
  EXPECT_EQ(dib.CreateFromStdPicture(indexed), 8);
  EXPECT_EQ(dib.PixelAt(2, 2), 0x030201u);
  EXPECT_EQ(dib.CreateFromStdPicture(QImage()), 0);
}

TEST(cDIB, AddMarginsLeavesAWhiteBorderExactlyMWide) {
  for (int m : {0, 1, 3}) {
    cDIB dib = test::RandomSurface(5, 3, 7);
    const std::vector<std::uint8_t> inner = test::PixelBytes(dib.View());
    cDIB framed = dib.AddMargins(m);
    EXPECT_FALSE(dib.IsCreated()) << "the receiver is released";
    ASSERT_TRUE(framed.IsCreated());
    ASSERT_EQ(framed.Width(), 5 + 2 * m);
    ASSERT_EQ(framed.Height(), 3 + 2 * m);
    for (int y = 0; y < framed.Height(); ++y)
      for (int x = 0; x < framed.Width(); ++x) {
        const bool border = x < m || y < m || x >= 5 + m || y >= 3 + m;
        if (border) {
          EXPECT_EQ(framed.PixelAt(x, y), 0xFFFFFFu) << m << " " << x << "," << y;
        }
      }
    cDIB copy;
    copy.Create(5, 3);
    copy.LoadBlt(framed, m, m);
    EXPECT_EQ(test::PixelBytes(copy.View()), inner) << m;
  }
  cDIB never;
  EXPECT_FALSE(never.AddMargins(2).IsCreated());
}

TEST(cDIB, DisposeIsHarmlessRepeatedAndScaleMeDoesNothing) {
  cDIB never;
  never.Dispose();
  never.Dispose();
  EXPECT_EQ(never.hDIBDC(), nullptr);
  EXPECT_EQ(never.hDIB(), nullptr);
  cDIB dib = test::RandomSurface(4, 4, 3);
  const std::vector<std::uint8_t> before = test::PixelBytes(dib.View());
  EXPECT_FALSE(dib.ScaleMe(1, 2, 3));
  EXPECT_EQ(test::PixelBytes(dib.View()), before);
  ASSERT_NE(dib.hDIBDC(), nullptr);
  dib.Dispose();
  dib.Dispose();
  EXPECT_FALSE(dib.IsCreated());
  EXPECT_EQ(dib.DIBitsPtr(), nullptr);
}

TEST(cDIB, LoadBltCopiesFromAnOffsetAndKeepsPixelsOutsideTheSource) {
  cDIB src = test::RandomSurface(6, 5, 9);
  cDIB dst;
  dst.Create(4, 4, 0x0000FF);
  dst.LoadBlt(src, 3, 2);  // source columns 3..5 and rows 2..4 exist
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) {
      if (x < 3 && y < 3)
        EXPECT_EQ(dst.PixelAt(x, y), src.PixelAt(x + 3, y + 2));
      else
        EXPECT_EQ(dst.PixelAt(x, y), 0x0000FFu);
    }
}

TEST(cDIB, PaintDirectAndPaintDrawTheRightWayUp) {
  cDIB dib = test::RandomSurface(7, 5, 21);
  QImage target(7, 5, QImage::Format_RGB888);
  target.fill(Qt::black);
  {
    QPainter p(&target);
    dib.PaintDirect(p);
  }
  EXPECT_TRUE(target == dib.ToQImage());

  QImage doubled(14, 10, QImage::Format_RGB32);
  doubled.fill(Qt::black);
  {
    QPainter p(&doubled);
    dib.Paint(p, 0, 0, 2);
  }
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 14; ++x) {
      const std::uint32_t want = dib.PixelAt(x / 2, y / 2);
      const QRgb got = doubled.pixel(x, y);
      EXPECT_EQ(qRed(got), static_cast<int>(want & 0xFF));
      EXPECT_EQ(qBlue(got), static_cast<int>(want >> 16));
    }
}

TEST(cDIB, ToSurfaceStretchesSmoothly) {
  cDIB dib;
  dib.Create(2, 1, 0);
  dib.View().Row(0)[3] = dib.View().Row(0)[4] = dib.View().Row(0)[5] = 255;  // right pixel white
  QImage target(40, 4, QImage::Format_RGB32);
  target.fill(Qt::red);
  {
    QPainter p(&target);
    dib.ToSurface(p, 0, 0, 40, 4);
  }
  EXPECT_EQ(qGreen(target.pixel(0, 2)), 0);
  EXPECT_EQ(qGreen(target.pixel(39, 2)), 255);
  const int middle = qGreen(target.pixel(20, 2));
  EXPECT_GT(middle, 40);
  EXPECT_LT(middle, 215);
  EXPECT_EQ(qRed(target.pixel(20, 2)),
            qBlue(target.pixel(20, 2)));  // grey, the red fill is covered
}

TEST(cDIB, LinesAndRectanglesUseTheCurrentPenInPictureCoordinates) {
  cDIB dib;
  dib.Create(10, 8, 0xFFFFFF);
  dib.SetPen(0, 1, 0x0000FF);  // red
  dib.DrawLine(0, 0, 9, 0);    // top row of the picture
  const SurfaceView v = dib.View();
  EXPECT_EQ(At(v, 4, 7, 2), 255);
  EXPECT_EQ(At(v, 4, 7, 0), 0);
  EXPECT_EQ(At(v, 4, 0, 0), 255);  // bottom row still white

  QImage page(20, 20, QImage::Format_RGB32);
  page.fill(Qt::white);
  dib.SetPen(0, 1, 0xFF0000);  // blue
  {
    QPainter p(&page);
    dib.DrawRectangle(p, 2, 3, 12, 15);
  }
  EXPECT_EQ(page.pixel(7, 3), qRgb(0, 0, 255));
  EXPECT_EQ(page.pixel(2, 9), qRgb(0, 0, 255));
  EXPECT_EQ(page.pixel(12, 9), qRgb(0, 0, 255));
  EXPECT_EQ(page.pixel(7, 15), qRgb(0, 0, 255));
  EXPECT_EQ(page.pixel(7, 9), qRgb(255, 255, 255));  // outline only
  EXPECT_EQ(page.pixel(1, 9), qRgb(255, 255, 255));

  dib.SetPen(5, 1, 0);
  EXPECT_EQ(dib.CurrentPen().style(), Qt::NoPen);
  dib.SetPen(1, 3, 0x00FF00);
  EXPECT_EQ(dib.CurrentPen().style(), Qt::DashLine);
  EXPECT_EQ(dib.CurrentPen().width(), 3);
  EXPECT_EQ(dib.CurrentPen().color(), QColor(0, 255, 0));
}

TEST(cDIB, SetFontCutsTheFaceNameAndKeepsTheAngleInTenths) {
  cDIB dib;
  dib.Create(4, 4);
  const QString long_name = "Liberation Sans With A Very Long Face Name";
  dib.SetFont(long_name, 20, true, true, 45.26f);
  EXPECT_EQ(dib.CurrentFont().family(), long_name.left(31));
  EXPECT_EQ(dib.CurrentFont().pixelSize(), 20);
  EXPECT_EQ(dib.CurrentFont().weight(), QFont::Bold);
  EXPECT_TRUE(dib.CurrentFont().italic());
  EXPECT_EQ(dib.FontEscapement(), 453);
  dib.SetFont("Arial", 12, false, false, 90.0f);
  EXPECT_EQ(dib.CurrentFont().weight(), QFont::Normal);
  EXPECT_EQ(dib.FontEscapement(), 900);
}

// Bounding box of the pixels that are not the background colour.
QRect InkBox(const QImage& image, QRgb background) {
  QRect box;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (image.pixel(x, y) != background) box |= QRect(x, y, 1, 1);
  return box;
}

TEST(cDIB, PrintTextAlignsTurnsAndLeavesTheBackground) {
  cDIB dib;
  dib.Create(4, 4);
  dib.SetFont("Arial", 24, false, false, 0.0f);
  const QRgb green = qRgb(0, 160, 0);

  QImage left(300, 100, QImage::Format_RGB32);
  left.fill(green);
  QImage right = left, turned = left;
  {
    QPainter p(&left);
    dib.PrintText(p, "Tessaly", 150, 30, 0x000000, false);
  }
  {
    QPainter p(&right);
    dib.PrintText(p, "Tessaly", 150, 30, 0x000000, true);
  }
  const QRect l = InkBox(left, green), r = InkBox(right, green);
  ASSERT_FALSE(l.isEmpty());
  ASSERT_FALSE(r.isEmpty());
  EXPECT_GE(l.left(), 150);
  EXPECT_LT(l.left(), 155);
  EXPECT_LE(r.right(), 150);
  EXPECT_GT(r.right(), 140);
  EXPECT_GE(l.top(), 30);                // (x, y) is the top of the text
  EXPECT_EQ(left.pixel(10, 10), green);  // transparent background

  QImage tall(100, 300, QImage::Format_RGB32);
  tall.fill(green);
  dib.SetFont("Arial", 24, false, false, 90.0f);
  {
    QPainter p(&tall);
    dib.PrintText(p, "Tessaly", 30, 250, 0x000000, false);
  }
  const QRect t = InkBox(tall, green);
  ASSERT_FALSE(t.isEmpty());
  EXPECT_GT(t.height(), 2 * t.width());  // reads upwards
  EXPECT_LE(t.bottom(), 251);
  EXPECT_GE(t.left(), 29);

  // Text on the surface's own context comes out upright in picture coordinates.
  cDIB page;
  page.Create(200, 60, 0xFFFFFF);
  page.SetFont("Arial", 24, false, false, 0.0f);
  page.PrintText(*page.hDIBDC(), "Tessaly", 5, 5, 0x000000, false);
  const QRect box =
      InkBox(page.ToQImage().convertToFormat(QImage::Format_RGB32), qRgb(255, 255, 255));
  ASSERT_FALSE(box.isEmpty());
  EXPECT_GE(box.top(), 5);
  EXPECT_LT(box.top(), 15);
  EXPECT_EQ(InkBox(page.ToQImage().convertToFormat(QImage::Format_RGB32).copy(0, 0, 200, 30),
                   qRgb(255, 255, 255))
                .top(),
            box.top());
}

TEST(cDIB, MovingKeepsThePixelsAndTheDrawingContextWorks) {
  cDIB a = test::RandomSurface(3, 3, 5);
  a.hDIBDC();
  const std::vector<std::uint8_t> bytes = test::PixelBytes(a.View());
  cDIB b = std::move(a);
  EXPECT_FALSE(a.IsCreated());
  EXPECT_EQ(test::PixelBytes(b.View()), bytes);
  b.SetPen(0, 1, 0xFFFFFF);
  b.DrawLine(0, 2, 2, 2);
  EXPECT_EQ(b.PixelAt(1, 2), 0xFFFFFFu);
}

}  // namespace
}  // namespace tessaly
