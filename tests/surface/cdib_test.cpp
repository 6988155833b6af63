#include "surface/cdib.h"

#include <gtest/gtest.h>

#include <QPainter>
#include <initializer_list>
#include <tuple>

#include "support/test_surfaces.h"

namespace tessaly {
namespace {

using test::At;

TEST(cDIB, CreateFillsRowsPaddedToFourAndRefusesEmptyOrOversizedSurfaces) {
  const std::pair<int, int> cases[] = {{1, 4}, {2, 8}, {3, 12}, {4, 12}, {5, 16}, {7, 24}};
  for (auto [width, stride] : cases) {
    cDIB dib;
    ASSERT_TRUE(dib.Create(width, 3, 0x112233));  // red 0x33, green 0x22, blue 0x11
    EXPECT_EQ(std::tuple(dib.Stride(), dib.View().stride, dib.Size(), dib.Width(), dib.Height()),
              std::tuple(stride, stride, std::int64_t{9} * width, width, 3));
    std::vector<std::uint8_t> row(stride, 0), expected;
    for (int c = 0; c < width; ++c) row[3 * c] = 0x11, row[3 * c + 1] = 0x22, row[3 * c + 2] = 0x33;
    for (int r = 0; r < 3; ++r) expected.insert(expected.end(), row.begin(), row.end());
    EXPECT_EQ(test::AllBytes(dib.View()), expected) << width;
    EXPECT_EQ(dib.PixelAt(width - 1, 2), 0x112233u);  // last row and column
  }
  cDIB dib;
  for (auto [w, h] : {std::pair{0, 10}, {10, -1}, {65536, 1}, {20000, 10001}})  // 200.02 Mpx
    EXPECT_FALSE(dib.Create(w, h)) << w << "x" << h;
  EXPECT_FALSE(dib.IsCreated());
  EXPECT_TRUE(dib.Create(65535, 1));
  // A failed Create releases the previous surface.
  EXPECT_FALSE(dib.Create(-5, 5));
  EXPECT_FALSE(dib.IsCreated());
  EXPECT_EQ(dib.Width(), 0);
}

TEST(cDIB, CreateFromStdPictureStoresRowsBottomUpAndReportsBitsPerPixel) {
  QImage picture(2, 3, QImage::Format_RGB32);
  picture.fill(Qt::white);
  picture.setPixel(0, 0, qRgb(200, 10, 1));  // top-left
  picture.setPixel(1, 2, qRgb(3, 20, 100));  // bottom-right
  cDIB dib;
  EXPECT_EQ(dib.CreateFromStdPicture(picture), 24);
  // Top row of the picture is the last memory row.
  const SurfaceView v = dib.View();
  EXPECT_EQ(
      std::tuple(At(v, 0, 2, 0), At(v, 0, 2, 1), At(v, 0, 2, 2), At(v, 1, 0, 0), At(v, 1, 0, 2)),
      std::tuple(1, 10, 200, 100, 3));
  EXPECT_TRUE(dib.ToQImage() == picture.convertToFormat(QImage::Format_RGB888));

  QImage mono(3, 3, QImage::Format_Mono), indexed(3, 3, QImage::Format_Indexed8);
  mono.fill(0);
  indexed.setColorTable({qRgb(1, 2, 3)});
  indexed.fill(0);
  EXPECT_EQ(dib.CreateFromStdPicture(mono), 1);
  EXPECT_EQ(dib.CreateFromStdPicture(indexed), 8);
  EXPECT_EQ(dib.PixelAt(2, 2), 0x030201u);
  EXPECT_EQ(dib.CreateFromStdPicture(QImage()), 0);
}

TEST(cDIB, AddMarginsFramesInWhiteAndLoadBltCopiesFromAnOffset) {
  for (int m : {0, 1, 3}) {
    cDIB dib = test::RandomSurface(5, 3, 7);
    const std::vector<std::uint8_t> inner = test::PixelBytes(dib.View());
    cDIB framed = dib.AddMargins(m);
    EXPECT_FALSE(dib.IsCreated()) << "the receiver is released";
    ASSERT_EQ(QSize(framed.Width(), framed.Height()), QSize(5 + 2 * m, 3 + 2 * m));
    int border_not_white = 0;
    for (int y = 0; y < framed.Height(); ++y)
      for (int x = 0; x < framed.Width(); ++x)
        if (x < m || y < m || x >= 5 + m || y >= 3 + m)
          border_not_white += framed.PixelAt(x, y) != 0xFFFFFFu;
    EXPECT_EQ(border_not_white, 0) << m;
    cDIB copy;
    copy.Create(5, 3);
    copy.LoadBlt(framed, m, m);
    EXPECT_EQ(test::PixelBytes(copy.View()), inner) << m;
  }
  cDIB never;
  EXPECT_FALSE(never.AddMargins(2).IsCreated());
  cDIB src = test::RandomSurface(6, 5, 9);
  cDIB dst;
  dst.Create(4, 4, 0x0000FF);
  dst.LoadBlt(src, 3, 2);  // source columns 3..5 and rows 2..4 exist
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x)
      EXPECT_EQ(dst.PixelAt(x, y), x < 3 && y < 3 ? src.PixelAt(x + 3, y + 2) : 0x0000FFu);
}

TEST(cDIB, PaintDirectAndPaintDrawTheRightWayUp) {
  cDIB dib = test::RandomSurface(7, 5, 21);
  QImage target(7, 5, QImage::Format_RGB888), doubled(14, 10, QImage::Format_RGB32);
  target.fill(Qt::black);
  doubled.fill(Qt::black);
  {
    QPainter p(&target), q(&doubled);
    dib.PaintDirect(p);
    dib.Paint(q, 0, 0, 2);
  }
  EXPECT_TRUE(target == dib.ToQImage());
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 14; ++x)
      EXPECT_EQ(test::FromQRgb(doubled.pixel(x, y)), dib.PixelAt(x / 2, y / 2)) << x << "," << y;
}

TEST(cDIB, ToSurfaceStretchesSmoothly) {
  cDIB dib;
  dib.Create(2, 1, 0);
  std::fill_n(dib.View().Row(0) + 3, 3, 255);  // right pixel white
  QImage target(40, 4, QImage::Format_RGB32);
  target.fill(Qt::red);
  {
    QPainter p(&target);
    dib.ToSurface(p, 0, 0, 40, 4);
  }
  EXPECT_EQ(std::pair(qGreen(target.pixel(0, 2)), qGreen(target.pixel(39, 2))), std::pair(0, 255));
  EXPECT_PRED3(test::InRange, qGreen(target.pixel(20, 2)), 41, 214);
  EXPECT_EQ(qRed(target.pixel(20, 2)), qBlue(target.pixel(20, 2)));  // grey: the fill is covered
}

// A white page of `size` with `dib`'s rectangle (left, top, right, bottom) drawn
// on it; each probe {x, y, inked} must be `ink` or stay white.
void ExpectRectangleInk(const cDIB& dib, QSize size, const QRect& outline, QRgb ink,
                        std::initializer_list<std::tuple<int, int, bool>> probes) {
  QImage page(size, QImage::Format_RGB32);
  page.fill(Qt::white);
  {
    QPainter p(&page);
    dib.DrawRectangle(p, outline.left(), outline.top(), outline.right(), outline.bottom());
  }
  for (auto [x, y, inked] : probes)
    EXPECT_EQ(page.pixel(x, y), inked ? ink : qRgb(255, 255, 255)) << x << "," << y;
}

TEST(cDIB, LinesAndRectanglesUseTheCurrentPenInPictureCoordinates) {
  cDIB dib;
  dib.Create(10, 8, 0xFFFFFF);
  dib.SetPen(0, 1, 0x0000FF);  // red
  dib.DrawLine(0, 0, 9, 0);    // top row of the picture
  const SurfaceView v = dib.View();
  // Red on the last memory row, the bottom row still white.
  EXPECT_EQ(std::tuple(At(v, 4, 7, 2), At(v, 4, 7, 0), At(v, 4, 0, 0)), std::tuple(255, 0, 255));

  // On the outline blue, inside and outside white.
  dib.SetPen(0, 1, 0xFF0000);
  ExpectRectangleInk(
      dib, {20, 20}, QRect(QPoint(2, 3), QPoint(12, 15)), qRgb(0, 0, 255),
      {{7, 3, true}, {2, 9, true}, {12, 9, true}, {7, 15, true}, {7, 9, false}, {1, 9, false}});

  dib.SetPen(5, 1, 0);
  EXPECT_EQ(dib.CurrentPen().style(), Qt::NoPen);
  dib.SetPen(1, 3, 0x00FF00);
  const QPen& pen = dib.CurrentPen();
  EXPECT_EQ(std::tuple(pen.style(), pen.width(), pen.color()),
            std::tuple(Qt::DashLine, 3, QColor(0, 255, 0)));
}

// A move hands over the pixels, the size and the pen, and leaves the source empty
// with its painter ended: both surfaces draw again at once.
TEST(cDIB, MoveHandsOverThePixelsAndThePenAndEmptiesTheSource) {
  cDIB source;
  ASSERT_TRUE(source.Create(8, 4, 0xFFFFFF));
  source.SetPen(cDIB::kSolidPen, 1, 0x0000FF);
  source.DrawLine(0, 0, 7, 0);  // opens the source's painter
  cDIB moved;
  moved = std::move(source);
  EXPECT_EQ(std::tuple(source.Width(), source.Height(), source.IsCreated()),
            std::tuple(0, 0, false));
  EXPECT_EQ(moved.CurrentPen().color(), QColor(255, 0, 0));
  moved.DrawLine(0, 3, 7, 3);
  EXPECT_EQ(std::tuple(moved.PixelAt(4, 0), moved.PixelAt(4, 3), moved.PixelAt(4, 1)),
            std::tuple(0x0000FFu, 0x0000FFu, 0xFFFFFFu));
  ASSERT_TRUE(source.Create(4, 2, 0xFFFFFF));
  source.SetPen(cDIB::kSolidPen, 1, 0xFF0000);
  source.DrawLine(0, 1, 3, 1);
  EXPECT_EQ(source.PixelAt(2, 1), 0xFF0000u);
}

TEST(cDIB, ThickOutlinesHaveFourEqualCornersAndDisposeResetsPenAndFont) {
  cDIB dib;
  dib.SetPen(0, 5, 0x000000);
  // The pen reaches 2.5 pixels outside the outline; every outer corner is inked,
  // the starting corner (10, 10) as well, and nothing lies beyond the miter.
  ExpectRectangleInk(dib, {50, 40}, QRect(QPoint(10, 10), QPoint(40, 30)), qRgb(0, 0, 0),
                     {{8, 8, true},
                      {41, 8, true},
                      {41, 31, true},
                      {8, 31, true},
                      {6, 6, false},
                      {43, 33, false},
                      {25, 20, false}});

  dib.Create(4, 4, 0xFFFFFF);
  dib.SetPen(1, 3, 0x00FF00);
  dib.SetFont("Liberation Serif", 30, true, true, 90.0f);
  dib.Dispose();
  const cDIB fresh;
  EXPECT_EQ(dib.CurrentPen(), fresh.CurrentPen());
  EXPECT_EQ(dib.CurrentFont(), fresh.CurrentFont());
  EXPECT_EQ(dib.FontEscapement(), 0);
}

TEST(cDIB, SetFontCutsTheFaceNameAndKeepsTheAngleInTenths) {
  cDIB dib;
  const QString long_name = "Liberation Sans With A Very Long Face Name";
  dib.SetFont(long_name, 20, true, true, 45.26f);
  const QFont& font = dib.CurrentFont();
  EXPECT_EQ(font.family(), long_name.left(31));
  EXPECT_EQ(std::tuple(font.pixelSize(), font.weight(), font.italic(), dib.FontEscapement()),
            std::tuple(20, QFont::Bold, true, 453));
  dib.SetFont("Arial", 12, false, false, 90.0f);
  EXPECT_EQ(std::pair(dib.CurrentFont().weight(), dib.FontEscapement()),
            std::pair(QFont::Normal, 900));
}

// Bounding box of the pixels that are not the background colour.
QRect InkBox(const QImage& image, QRgb background) {
  QRect box;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (image.pixel(x, y) != background) box |= QRect(x, y, 1, 1);
  return box;
}

// Ink box of "Tessaly" printed in black at (x, y) on a green picture of `size`,
// with a 24-pixel Arial at `angle`; the picture's corner must stay green.
QRect PrintedInk(QSize size, int x, int y, bool right_align, float angle) {
  cDIB dib;
  dib.SetFont("Arial", 24, false, false, angle);
  QImage image(size, QImage::Format_RGB32);
  image.fill(qRgb(0, 160, 0));
  {
    QPainter p(&image);
    dib.PrintText(p, "Tessaly", x, y, 0x000000, right_align);
  }
  EXPECT_EQ(image.pixel(1, 1), qRgb(0, 160, 0));  // transparent background
  return InkBox(image, qRgb(0, 160, 0));
}

TEST(cDIB, PrintTextAlignsTurnsAndLeavesTheBackground) {
  // Left-aligned ink starts at x, right-aligned ink ends there; (x, y) is the top.
  const QRect l = PrintedInk({300, 100}, 150, 30, false, 0.0f);
  EXPECT_PRED3(test::InRange, l.left(), 150, 154);
  EXPECT_PRED3(test::InRange, PrintedInk({300, 100}, 150, 30, true, 0.0f).right(), 141, 150);
  EXPECT_GE(l.top(), 30);

  const QRect t = PrintedInk({100, 300}, 30, 250, false, 90.0f);
  EXPECT_GT(t.height(), 2 * t.width());  // reads upwards
  EXPECT_LE(t.bottom(), 251);
  EXPECT_GE(t.left(), 29);

  // Text on the surface's own context comes out upright in picture coordinates:
  // the top of the ink lies in the picture's top half.
  cDIB page;
  page.Create(200, 60, 0xFFFFFF);
  page.SetFont("Arial", 24, false, false, 0.0f);
  page.PrintText(*page.hDIBDC(), "Tessaly", 5, 5, 0x000000, false);
  const QImage printed = page.ToQImage().convertToFormat(QImage::Format_RGB32);
  const QRect box = InkBox(printed, qRgb(255, 255, 255));
  EXPECT_PRED3(test::InRange, box.top(), 5, 14);
  EXPECT_EQ(InkBox(printed.copy(0, 0, 200, 30), qRgb(255, 255, 255)).top(), box.top());
}

}  // namespace
}  // namespace tessaly
