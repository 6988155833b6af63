// The arrangement of photo cells on a page: identical cells of the job's photo size
// placed in the printable area, upright in a grid and, in Best Fit mode, turned in a
// strip that uses the space left over. Millimetres, origin at the printable area's
// top-left corner, y downwards. Cells touch; the white between photos is each
// size's own margin. The chosen arrangement is kept until the next computation.
#pragma once

#include <QRectF>
#include <vector>

class QPainter;

namespace tessaly {

// Orientation 1: the cell is Height wide and Width tall (upright); 2: Width wide and
// Height tall (turned).
struct PageCell {
  double X0 = 0;
  double Y0 = 0;
  double X1 = 0;
  double Y1 = 0;
  int Orientation = 1;
};

struct CandidateLayout {
  int CellCount = 0;
  std::vector<PageCell> Cells;  // numbered 1..CellCount in the order kept here
  bool Uniform = true;          // no turned strip was added
  double BlockWidth = 0;        // largest X1, 0 when empty
  double BlockHeight = 0;       // largest Y1, 0 when empty
};

// The most cells a page is laid out with; the cells past it are left out. Photos of
// at least 1 mm on an A3 sheet come to 124 740; a hostile size must not grow the
// cell lists past a few megabytes.
inline constexpr int kMaxPageCells = 131072;

// Layout modes.
inline constexpr int kLayoutBestFit = 0;
inline constexpr int kLayoutLandscape = 1;
inline constexpr int kLayoutPortrait = 2;

// The sheet the printable area sits on (mm), from the printer.
struct SheetGeometry {
  double SheetWidth = 0;
  double SheetHeight = 0;
  double PrintableWidth = 0;
  double PrintableHeight = 0;
};

// Candidate 1 (upright grid, turned strip below) and candidate 2 (turned grid,
// upright strip to the right) for a usable area PW × PH and cell sides L ≥ S; the
// strips only when `best_fit`. Each holds at most kMaxPageCells cells.
void BuildCandidateLayouts(double PW, double PH, double L, double S, bool best_fit,
                           CandidateLayout& candidate1, CandidateLayout& candidate2);

class PageLayout {
 public:
  // Computes and keeps the cells for the printable area (pw × ph), the size's long
  // side L and short side S, the layout mode and centring; `sheet` gives the sheet
  // the area sits on (centring allowance, contact-sheet band), `thumb_mode` and
  // `cut_marks` are the job's options.
  void ComputePageLayout(double pw, double ph, double L, double S, int layout_mode, bool center,
                         const SheetGeometry& sheet, bool thumb_mode, bool cut_marks);
  // The photos per page.
  int GetPageCellCount() const { return count_; }
  // A copy of the kept cells, in the order the pages are filled.
  std::vector<PageCell> GetPageCells() const { return cells_; }

  // Draws the kept cells to scale into a box of `container`'s height with the sheet's
  // proportions, centred horizontally: a white sheet, the cells as blue rectangles
  // inset by a gap of 1/65 of the sheet width (none for a single cell), or the message
  // "Photos don't fit on page!" when nothing fits. Returns the box drawn into.
  QRectF DrawLayoutPreview(QPainter& painter, const QRectF& container,
                           const SheetGeometry& sheet) const;

 private:
  std::vector<PageCell> cells_;
  int count_ = 0;
};

}  // namespace tessaly
