// Photo, label, frame and cut-mark placement on a printed page and on a saved file.
#include "job/photo_placement.h"

#include <cmath>
#include <cstdlib>

#include "controls/units.h"
#include "settings/photo_sizes.h"

namespace tessaly {
namespace {

// A framed label moves this far away from the photo (mm).
constexpr double kFramedLabelDrop = 0.5;
// The frame's pen width (mm) and its distance outside the photo's top-left edges.
constexpr double kFramePenWidth = 0.25;
constexpr double kFrameOutsetTopLeft = 0.4;
// Label inside the photo: distance from its right edge (mm).
constexpr double kInnerLabelInset = 5.0;

// The printed page: points to millimetres and the preview's larger label.
constexpr double kMmPerPoint = kMmPerInch / kPointsPerInch;
constexpr double kPreviewFontScale = 1.1;
// Margin (mm) above which cut marks are drawn.
constexpr double kMarginForCutMarks = 0.5;
// Label in a contact-sheet cell: distance from the cell's bottom-right corner (mm).
constexpr double kContactLabelInset = 0.5;
// The printed frame reaches less far outside the photo's bottom-right edges (mm).
constexpr double kFrameOutsetBottomRight = 0.3;
// The preview frame: two pixels out at the top-left, one at the bottom-right.
constexpr int kPreviewFrameTopLeft = 2;
constexpr int kPreviewFrameBottomRight = 1;
// Printed cut marks end two pixels inside the cell's right and bottom edges, and a
// corner within this many pixels of a neighbour's edge joins that edge.
constexpr int kCutMarkInset = 2;
constexpr int kCutMarkSnap = 3;

// The saved file: a label inside the photo sits this far above its bottom edge (mm).
constexpr double kSavedInnerLabelBottom = 4.0;

int Nearest(double value) {
  return static_cast<int>(std::nearbyint(value));
}

// The printed label: inside the photo's bottom-right corner for a narrow margin,
// else at the photo's (or contact-sheet cell's) corner in the margin.
void PlacePrintedLabel(const PrintedPlacementInput& in, PrintedPlacement& out) {
  const int fs = in.font_px;
  const int x = out.x;
  const int y = out.y;
  const int w = out.w;
  const int h = out.h;
  int tx = 0;
  int ty = 0;
  if (!LabelInMargin(in.job_margin)) {
    if (!in.turned) {
      tx = Nearest(x + w - kInnerLabelInset * in.px_x);
      ty = Nearest(y + h - kInnerLabelInset * in.px_x - fs);
    } else {
      tx = Nearest(x + w - kInnerLabelInset * in.px_x - fs);
      ty = Nearest(y + kInnerLabelInset * in.px_x);
    }
  } else {
    if (in.turned) {
      tx = x + w;
      ty = y;
    } else if (in.contact_sheet) {
      tx = Nearest((in.cell.x1 - kContactLabelInset) * in.px_x);
      ty = Nearest((in.cell.y1 - kContactLabelInset) * in.px_x - fs);
      if (in.preview) {
        tx = Nearest(tx + in.offset * in.px_x);
        ty = Nearest(ty + in.offset * in.px_y);
      }
    } else {
      tx = x + w;
      ty = y + h;
    }
    if (out.framed) {
      if (!in.turned)
        ty = Nearest(ty + kFramedLabelDrop * in.px_y);
      else
        tx = Nearest(tx + kFramedLabelDrop * in.px_y);
    }
  }
  out.label_x = tx;
  out.label_y = ty;
}

}  // namespace

bool LabelInMargin(double margin) {
  return IsWideMargin(margin, false);
}

bool FrameDrawn(double margin, bool draw_frame) {
  return LabelInMargin(margin) && draw_frame;
}

int PrintedLabelFontPixels(double font_points, double px_y, bool preview) {
  const int fs = Nearest(font_points * kMmPerPoint * px_y);
  return preview ? Nearest(fs * kPreviewFontScale) : fs;
}

PrintedPlacement PlacePrintedPhoto(const PrintedPlacementInput& in) {
  PrintedPlacement out;
  const CellMm& cell = in.cell;
  const double m = in.photo_margin;
  // The photo's rectangle: the cell less the photo's margin on every side.
  int x = Nearest((m + cell.x0) * in.px_x);
  int y = Nearest((m + cell.y0) * in.px_y);
  int w = Nearest(((cell.x1 - cell.x0) - 2 * m) * in.px_x);
  int h = Nearest(((cell.y1 - cell.y0) - 2 * m) * in.px_y);
  if (in.preview) {
    x = Nearest(x + in.offset * in.px_x);
    y = Nearest(y + in.offset * in.px_y);
  }
  if (in.contact_sheet) {
    // The thumbnail keeps its aspect, centred along the shortened side.
    const double q = in.aspect;
    if (q > 1) {
      y = Nearest(y + (h - h / q) / 2);
      h = Nearest(h / q);
    } else {
      x = Nearest(x + (w - w * q) / 2);
      w = Nearest(w * q);
    }
  }
  out.x = x;
  out.y = y;
  out.w = w;
  out.h = h;

  out.framed = FrameDrawn(in.job_margin, in.draw_frame);
  PlacePrintedLabel(in, out);
  if (out.framed) {
    if (in.preview) {
      out.frame_pen = 1;
      out.frame = {x - kPreviewFrameTopLeft, y - kPreviewFrameTopLeft,
                   x + w + kPreviewFrameBottomRight, y + h + kPreviewFrameBottomRight};
    } else {
      out.frame_pen = Nearest(kFramePenWidth * in.px_y);
      out.frame = {Nearest(x - kFrameOutsetTopLeft * in.px_y),
                   Nearest(y - kFrameOutsetTopLeft * in.px_y),
                   Nearest(x + w + kFrameOutsetBottomRight * in.px_y),
                   Nearest(y + h + kFrameOutsetBottomRight * in.px_y)};
    }
  }

  out.cut_marks = in.job_margin > kMarginForCutMarks && in.draw_cut_marks;
  if (out.cut_marks) {
    const double px = in.px_x;
    if (in.preview) {
      out.cut = {Nearest((in.offset + cell.x0) * px), Nearest((in.offset + cell.y0) * px),
                 Nearest((in.offset + cell.x1) * px), Nearest((in.offset + cell.y1) * px)};
    } else {
      out.cut = {Nearest(px * cell.x0), Nearest(px * cell.y0),
                 Nearest(px * cell.x1) - kCutMarkInset, Nearest(px * cell.y1) - kCutMarkInset};
    }
  }
  return out;
}

int SnapCutEdge(int edge, int previous_far, int previous_near) {
  if (edge < 0) return 0;
  if (std::abs(edge - previous_far) <= kCutMarkSnap) return previous_far;
  if (std::abs(edge - previous_near) <= kCutMarkSnap) return previous_near;
  return edge;
}

PixelRect SnapCutMarks(PixelRect next, const PixelRect& previous) {
  next.left = SnapCutEdge(next.left, previous.right, previous.left);
  next.top = SnapCutEdge(next.top, previous.bottom, previous.top);
  return next;
}

int SavedLabelFontPixels(double font_points, double ppm) {
  return Nearest(font_points * ppm * kMmPerInch / kPointsPerInch);
}

SavedPlacement PlaceSavedPhoto(double width, double height, double margin, double ppm, int font_px,
                               bool draw_frame) {
  SavedPlacement out;
  out.framed = FrameDrawn(margin, draw_frame);
  if (out.framed) {
    // The frame runs 0.4 mm outside the photo on every side.
    out.frame_pen = Nearest(ppm * kFramePenWidth);
    const double d = (margin - kFrameOutsetTopLeft) * ppm;
    out.frame = {Nearest(d), Nearest(d), Nearest(width - d), Nearest(height - d)};
  }
  // In the bottom margin under the photo's right corner when there is a margin to
  // hold it, else inside the photo near its bottom-right corner.
  if (LabelInMargin(margin)) {
    out.label_x = Nearest(width - margin * ppm);
    out.label_y = Nearest(height - margin * ppm);
    if (out.framed) out.label_y = Nearest(out.label_y + kFramedLabelDrop * ppm);
  } else {
    out.label_x = Nearest(width - kInnerLabelInset * ppm);
    out.label_y = Nearest((height - font_px) - kSavedInnerLabelBottom * ppm);
  }
  return out;
}

}  // namespace tessaly
