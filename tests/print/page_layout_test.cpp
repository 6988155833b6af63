// Page layout: the worked 4 × 6 in example, the tie rules of Best Fit, the fixed
// modes without strips, the contact-sheet band, centring
// with its clamps, and the preview drawn onto a real image.
#include "print/page_layout.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <tuple>

namespace tessaly {
namespace {

constexpr double kL = 152.4;  // 4 × 6 in
constexpr double kS = 101.6;

// Lays out L × S photos on a printable area pw × ph of a sheet sw × sh; the flags
// are the job's centring, contact-sheet band and cut marks.
void Lay(PageLayout& layout, double sw, double sh, double pw, double ph, double L, double S,
         int mode, bool center = false, bool thumb = false, bool cut = false) {
  layout.ComputePageLayout(pw, ph, L, S, mode, center, SheetGeometry{sw, sh, pw, ph}, thumb, cut);
}

TEST(PageLayout, WorkedExampleAndModes) {
  CandidateLayout c1;
  CandidateLayout c2;
  BuildCandidateLayouts(200, 280, kL, kS, true, c1, c2);
  ASSERT_EQ(c1.CellCount, 2);
  EXPECT_FALSE(c1.Uniform);
  EXPECT_EQ(c1.Cells[0].Orientation, 1);
  EXPECT_DOUBLE_EQ(c1.Cells[0].X1, kS);
  EXPECT_DOUBLE_EQ(c1.Cells[0].Y1, kL);
  // The turned strip sits below the grid.
  EXPECT_EQ(c1.Cells[1].Orientation, 2);
  EXPECT_DOUBLE_EQ(c1.Cells[1].Y0, kL);
  EXPECT_DOUBLE_EQ(c1.Cells[1].X1, kL);
  EXPECT_DOUBLE_EQ(c1.BlockHeight, kL + kS);
  ASSERT_EQ(c2.CellCount, 2);
  EXPECT_TRUE(c2.Uniform);
  EXPECT_DOUBLE_EQ(c2.Cells[1].Y0, kS);
  EXPECT_DOUBLE_EQ(c2.BlockWidth, kL);

  // Each mode's cell count and the orientation of every cell.
  PageLayout layout;
  for (const auto& [mode, count, orientation] :
       {std::tuple(kLayoutBestFit, 2, 2), std::tuple(kLayoutPortrait, 1, 1),
        std::tuple(kLayoutLandscape, 2, 2)}) {
    Lay(layout, 210, 297, 200, 280, kL, kS, mode);
    ASSERT_EQ(layout.GetPageCellCount(), count) << mode;
    for (const PageCell& cell : layout.GetPageCells()) EXPECT_EQ(cell.Orientation, orientation);
  }
}

TEST(PageLayout, BestFitTiesAndStripNumbering) {
  CandidateLayout c1;
  CandidateLayout c2;
  // The area and photo; both candidates' cell counts and uniformity; the orientation
  // of the first kept cell.
  const std::tuple<double, double, double, double, int, int, bool, bool, int> cases[] = {
      {100, 100, 50, 50, 4, 4, true, true, 2},  // both uniform and equal: candidate 2
      {90, 110, 50, 40, 4, 4, true, false, 1},  // candidate 1 alone uniform on a tie
      {110, 150, 75, 50, 4, 3, true, true, 1},  // candidate 1 has more cells
  };
  for (const auto& [pw, ph, L, S, count1, count2, uniform1, uniform2, chosen] : cases) {
    SCOPED_TRACE(testing::Message() << pw << "x" << ph);
    BuildCandidateLayouts(pw, ph, L, S, true, c1, c2);
    EXPECT_EQ(std::tuple(c1.CellCount, c2.CellCount, c1.Uniform, c2.Uniform),
              std::tuple(count1, count2, uniform1, uniform2));
    PageLayout layout;
    Lay(layout, pw, ph, pw, ph, L, S, kLayoutBestFit);
    EXPECT_EQ(layout.GetPageCellCount(), std::max(count1, count2));
    EXPECT_EQ(layout.GetPageCells()[0].Orientation, chosen);
  }
  // Candidate 2's upright strip (two columns, two rows) is numbered row by row.
  BuildCandidateLayouts(160, 120, 60, 20, true, c1, c2);
  ASSERT_EQ(c2.CellCount, 6 * 2 + 2 * 2);
  const PageCell& first_strip = c2.Cells[12];
  const PageCell& second_strip = c2.Cells[13];
  EXPECT_DOUBLE_EQ(first_strip.X0, 120);
  EXPECT_DOUBLE_EQ(second_strip.X0, 140);
  EXPECT_DOUBLE_EQ(second_strip.Y0, 0);
  EXPECT_DOUBLE_EQ(c2.Cells[14].Y0, 60);
  // Fixed modes never add a strip where one would fit.
  BuildCandidateLayouts(200, 280, kL, kS, false, c1, c2);
  EXPECT_EQ(c1.CellCount, 1);
  EXPECT_TRUE(c1.Uniform);
}

TEST(PageLayout, ExactFitNothingFitsAndTheCellCap) {
  PageLayout layout;
  Lay(layout, 120, 170, kS, kL, kL, kS, kLayoutPortrait);
  EXPECT_EQ(layout.GetPageCellCount(), 1);
  // A photo larger than the area both ways keeps the count 0 and the previous cells.
  const std::vector<PageCell> before = layout.GetPageCells();
  Lay(layout, 100, 100, 90, 90, kL, kS, kLayoutBestFit);
  EXPECT_EQ(layout.GetPageCellCount(), 0);
  EXPECT_EQ(layout.GetPageCells().size(), before.size());
  // Specks of 0.01 mm (623 million on A4) are laid out up to the cap, row by row.
  for (int mode : {kLayoutBestFit, kLayoutLandscape, kLayoutPortrait}) {
    Lay(layout, 210, 297, 210, 297, 0.01, 0.01, mode, true);
    ASSERT_EQ(layout.GetPageCellCount(), kMaxPageCells) << mode;
    const std::vector<PageCell> cells = layout.GetPageCells();
    ASSERT_EQ(cells.size(), static_cast<std::size_t>(kMaxPageCells));
    for (const PageCell& cell : cells) {
      ASSERT_TRUE(cell.X0 >= 0 && cell.X1 <= 210 + 1e-6 && cell.Y0 >= 0 && cell.Y1 <= 297 + 1e-6)
          << mode << ": " << cell.X0 << ", " << cell.Y0;
    }
  }
}

TEST(PageLayout, ContactSheetBandAndCentring) {
  // Side margin 3 mm < 5: band = round(11 − 3) = 8, cells start at 7.9 mm.
  PageLayout layout;
  Lay(layout, 210, 297, 204, 291, 46, 46, kLayoutBestFit, false, true);
  ASSERT_EQ(layout.GetPageCellCount(), 4 * 6);  // candidate 1 on 283 mm: 6 rows of 46
  for (const PageCell& cell : layout.GetPageCells()) EXPECT_GE(cell.Y0, 7.9 - 1e-9);
  EXPECT_DOUBLE_EQ(layout.GetPageCells()[0].Y0, 7.9);
  // Side margin 2.5 gives 11 − 2.5 = 8.5, rounded to the even 8; 3.4 gives 7.6, up to 8.
  Lay(layout, 210, 297, 205, 291, 46, 46, kLayoutBestFit, false, true);
  EXPECT_DOUBLE_EQ(layout.GetPageCells()[0].Y0, 7.9);
  Lay(layout, 210, 297, 203.2, 291, 46, 46, kLayoutBestFit, false, true);
  EXPECT_DOUBLE_EQ(layout.GetPageCells()[0].Y0, 7.9);
  // Wide side margins keep the band at 6.
  Lay(layout, 210, 297, 190, 277, 46, 46, kLayoutBestFit, false, true);
  EXPECT_DOUBLE_EQ(layout.GetPageCells()[0].Y0, 5.9);

  // Centring: m = 5, b = 297 − 280 − 5 = 12, PH reduced by 7 to 273 for placement.
  Lay(layout, 210, 297, 200, 280, kL, kS, kLayoutLandscape, true);
  ASSERT_EQ(layout.GetPageCellCount(), 2);
  const double dx = (200 - kL) / 2;
  const double dy = (12 - 5) / 2.0 + (280 - 2 * kS) / 2;
  EXPECT_NEAR(layout.GetPageCells()[0].X0, dx, 1e-9);
  EXPECT_NEAR(layout.GetPageCells()[0].Y0, dy, 1e-9);
  // Cut marks pull both offsets back by 0.1 mm.
  Lay(layout, 210, 297, 200, 280, kL, kS, kLayoutLandscape, true, false, true);
  EXPECT_NEAR(layout.GetPageCells()[0].X0, dx - 0.1, 1e-9);
  EXPECT_NEAR(layout.GetPageCells()[0].Y0, dy - 0.1, 1e-9);
  // A contact sheet whose band filled the last millimetres: the centred block would
  // end 2.9 mm below the printable height and is pulled up to 0.3 mm above it.
  Lay(layout, 210, 297, 190, 282, 46, 46, kLayoutBestFit, true, true);
  ASSERT_EQ(layout.GetPageCellCount(), 24);
  EXPECT_NEAR(layout.GetPageCells()[0].X0, 3.0, 1e-9);
  EXPECT_NEAR(layout.GetPageCells()[0].Y0, 282 - 276 - 0.3, 1e-9);
  // A block exactly as wide as the area: the cut-mark pull-back would make dx
  // negative, and it stays 0.
  Lay(layout, 170, 297, kL, 280, kL, kS, kLayoutLandscape, true, false, true);
  ASSERT_GT(layout.GetPageCellCount(), 0);
  EXPECT_EQ(layout.GetPageCells()[0].X0, 0.0);
}

TEST(PageLayout, PreviewDrawsCellsOrTheMessage) {
  const SheetGeometry sheet{210, 297, 200, 280};
  PageLayout layout;
  Lay(layout, 210, 297, 200, 280, kL, kS, kLayoutBestFit);
  QImage image(400, 297, QImage::Format_RGB32);
  image.fill(Qt::gray);
  {
    QPainter painter(&image);
    const QRectF box = layout.DrawLayoutPreview(painter, QRectF(0, 0, 400, 297), sheet);
    // The box has the sheet's proportions and is centred in the container.
    EXPECT_DOUBLE_EQ(box.width(), 210.0);
    EXPECT_DOUBLE_EQ(box.left(), 95.0);
  }
  EXPECT_EQ(image.pixel(50, 100), QColor(Qt::gray).rgb());  // outside the box
  EXPECT_EQ(image.pixel(100, 2), qRgb(255, 255, 255));
  // The first cell's top edge at y = 5 + 210/65 mm, 1 px per mm.
  const int top = static_cast<int>(5 + 210.0 / 65);
  bool found = false;
  for (int dy = 0; dy <= 1 && !found; ++dy)
    found = image.pixel(95 + 5 + 20, top + dy) == qRgb(0, 0, 255);
  EXPECT_TRUE(found);
  // Its right edge is drawn at X1 − 2 × gap, not at X1 − gap.
  const PageCell first = layout.GetPageCells()[0];
  const int middle = static_cast<int>(5 + (first.Y0 + first.Y1) / 2);
  const int right = static_cast<int>(95 + 5 + first.X1 - 2 * 210.0 / 65);
  EXPECT_TRUE(image.pixel(right, middle) == qRgb(0, 0, 255) ||
              image.pixel(right + 1, middle) == qRgb(0, 0, 255));
  EXPECT_NE(image.pixel(static_cast<int>(95 + 5 + first.X1 - 210.0 / 65), middle), qRgb(0, 0, 255));

  Lay(layout, 100, 100, 90, 90, kL, kS, kLayoutBestFit);
  QImage empty(200, 200, QImage::Format_RGB32);
  empty.fill(Qt::white);
  {
    QPainter painter(&empty);
    layout.DrawLayoutPreview(painter, QRectF(0, 0, 200, 200), SheetGeometry{100, 100, 90, 90});
  }
  // Only the message, in black, centred on the whole sheet.
  QImage message(200, 200, QImage::Format_RGB32);
  message.fill(Qt::white);
  {
    QPainter painter(&message);
    painter.setPen(Qt::black);
    painter.drawText(QRectF(0, 0, 200, 200), Qt::AlignCenter | Qt::TextWordWrap,
                     QStringLiteral("Photos don't fit on page!"));
  }
  QImage blank(message.size(), message.format());
  blank.fill(Qt::white);
  EXPECT_FALSE(message == blank);
  EXPECT_TRUE(empty == message);
}

}  // namespace
}  // namespace tessaly
