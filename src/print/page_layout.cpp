// Page layout: the two candidate arrangements, the choice between them by layout
// mode, and the offsets that centre the block or leave the contact-sheet title band.
#include "print/page_layout.h"

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstdint>

namespace tessaly {
namespace {

// Height kept free at the top of a contact sheet for its title (mm), and the
// narrowest side margin that needs no extra room for it.
constexpr double kThumbBand = 6.0;
constexpr double kThumbBandMinSide = 5.0;
constexpr double kThumbBandBase = 11.0;
// Small pull-backs (mm) that keep the block clear of the printable area's edges.
constexpr double kThumbBandLift = 0.1;
constexpr double kBottomClearance = 0.3;
constexpr double kCutMarkClearance = 0.1;
// Preview: cells are inset by 1/65 of the sheet width; blue outline.
constexpr double kPreviewGapDivisor = 65.0;

// How many whole sides fit in the length, held at kMaxPageCells so that the counts
// and their products stay exact in 64 bits whatever the sizes.
std::int64_t Fit(double length, double side) {
  if (!(side > 0.0) || !(length > 0.0)) return 0;
  return static_cast<std::int64_t>(
      std::min(std::floor(length / side), static_cast<double>(kMaxPageCells)));
}

// Appends the rows × cols grid row by row, stopping at kMaxPageCells cells in all.
void AddGrid(CandidateLayout& c, std::int64_t rows, std::int64_t cols, double x0, double y0,
             double w, double h, int orientation) {
  for (std::int64_t r = 0; r < rows; ++r) {
    for (std::int64_t col = 0; col < cols; ++col) {
      if (c.Cells.size() >= static_cast<std::size_t>(kMaxPageCells)) return;
      c.Cells.push_back(
          PageCell{x0 + col * w, y0 + r * h, x0 + col * w + w, y0 + r * h + h, orientation});
    }
  }
}

void Finish(CandidateLayout& c) {
  c.CellCount = static_cast<int>(c.Cells.size());
  c.BlockWidth = 0;
  c.BlockHeight = 0;
  for (const PageCell& cell : c.Cells) {
    c.BlockWidth = std::max(c.BlockWidth, cell.X1);
    c.BlockHeight = std::max(c.BlockHeight, cell.Y1);
  }
}

}  // namespace

void BuildCandidateLayouts(double PW, double PH, double L, double S, bool best_fit,
                           CandidateLayout& candidate1, CandidateLayout& candidate2) {
  candidate1 = CandidateLayout();
  const std::int64_t rows1 = Fit(PH, L);
  const std::int64_t cols1 = Fit(PW, S);
  std::int64_t strip_rows1 = 0;
  std::int64_t strip_cols1 = 0;
  if (best_fit) {
    strip_rows1 = Fit(PH - rows1 * L, S);
    if (strip_rows1 > 0) strip_cols1 = Fit(PW, L);
  }
  AddGrid(candidate1, rows1, cols1, 0.0, 0.0, S, L, 1);
  AddGrid(candidate1, strip_rows1, strip_cols1, 0.0, rows1 * L, L, S, 2);
  candidate1.Uniform = strip_rows1 == 0;
  Finish(candidate1);

  candidate2 = CandidateLayout();
  const std::int64_t rows2 = Fit(PH, S);
  const std::int64_t cols2 = Fit(PW, L);
  std::int64_t strip_cols2 = 0;
  std::int64_t strip_rows2 = 0;
  if (best_fit) {
    strip_cols2 = Fit(PW - cols2 * L, S);
    if (strip_cols2 > 0) strip_rows2 = Fit(PH, L);
  }
  AddGrid(candidate2, rows2, cols2, 0.0, 0.0, L, S, 2);
  // The strip is numbered row by row like the grid.
  AddGrid(candidate2, strip_rows2, strip_cols2, cols2 * L, 0.0, S, L, 1);
  candidate2.Uniform = strip_cols2 == 0;
  Finish(candidate2);
}

void PageLayout::ComputePageLayout(double pw, double ph, double L, double S, int layout_mode,
                                   bool center, const SheetGeometry& sheet, bool thumb_mode,
                                   bool cut_marks) {
  double usable_height = ph;
  double side = 0;    // m: the printable area's distance from the sheet's left and top
  double bottom = 0;  // b: the bottom margin that distance leaves
  if (center && !thumb_mode) {
    side = (sheet.SheetWidth - pw) / 2.0;
    bottom = sheet.SheetHeight - ph - side;
    usable_height -= std::abs(bottom - side);
  }
  double band = 0;
  if (thumb_mode) {
    band = kThumbBand;
    const double h = (sheet.SheetWidth - sheet.PrintableWidth) / 2.0;
    if (h < kThumbBandMinSide) band = std::nearbyint(kThumbBandBase - h);
    usable_height -= band;
  }

  CandidateLayout candidate1;
  CandidateLayout candidate2;
  BuildCandidateLayouts(pw, usable_height, L, S, layout_mode == kLayoutBestFit, candidate1,
                        candidate2);
  const CandidateLayout* chosen = &candidate2;
  if (thumb_mode || layout_mode == kLayoutPortrait) {
    chosen = &candidate1;
  } else if (layout_mode == kLayoutBestFit) {
    if (candidate1.CellCount > candidate2.CellCount ||
        (candidate1.CellCount == candidate2.CellCount && candidate1.Uniform &&
         !candidate2.Uniform)) {
      chosen = &candidate1;
    }
  }
  if (chosen->CellCount == 0) {
    count_ = 0;
    return;
  }

  double dx = 0;
  double dy = thumb_mode ? band - kThumbBandLift : 0.0;
  if (center) {
    dx = (pw - chosen->BlockWidth) / 2.0;
    dy += (bottom - side) / 2.0 + (ph - chosen->BlockHeight) / 2.0;
    if (dy + chosen->BlockHeight > ph) dy = ph - chosen->BlockHeight - kBottomClearance;
    if (cut_marks) {
      dx -= kCutMarkClearance;
      dy -= kCutMarkClearance;
    }
    dx = std::max(dx, 0.0);
    dy = std::max(dy, 0.0);
  }
  cells_ = chosen->Cells;
  for (PageCell& cell : cells_) {
    cell.X0 += dx;
    cell.X1 += dx;
    cell.Y0 += dy;
    cell.Y1 += dy;
  }
  count_ = chosen->CellCount;
}

QRectF PageLayout::DrawLayoutPreview(QPainter& painter, const QRectF& container,
                                     const SheetGeometry& sheet) const {
  if (!(sheet.SheetWidth > 0.0) || !(sheet.SheetHeight > 0.0)) return QRectF();
  const double height = container.height();
  const double width = height * (sheet.SheetWidth / sheet.SheetHeight);
  const QRectF box(container.left() + (container.width() - width) / 2.0, container.top(), width,
                   height);
  painter.save();
  painter.fillRect(box, Qt::white);
  painter.setClipRect(box);
  // Millimetres with the cell origin m inside the sheet's top-left corner.
  const double m = (sheet.SheetWidth - sheet.PrintableWidth) / 2.0;
  const double scale = width / sheet.SheetWidth;
  painter.translate(box.left() + m * scale, box.top() + m * scale);
  painter.scale(scale, scale);
  if (count_ == 0) {
    painter.resetTransform();
    painter.setPen(Qt::black);
    painter.drawText(box, Qt::AlignCenter | Qt::TextWordWrap,
                     QStringLiteral("Photos don't fit on page!"));
    painter.restore();
    return box;
  }
  const double gap = count_ >= 2 ? sheet.SheetWidth / kPreviewGapDivisor : 0.0;
  QPen pen(QColor(0, 0, 255));
  pen.setCosmetic(true);
  painter.setPen(pen);
  painter.setBrush(Qt::NoBrush);
  for (const PageCell& cell : cells_) {
    painter.drawRect(QRectF(QPointF(cell.X0 + gap, cell.Y0 + gap),
                            QPointF(cell.X1 - 2 * gap, cell.Y1 - 2 * gap)));
  }
  painter.restore();
  return box;
}

}  // namespace tessaly
