// Crop frame geometry. The rectangle is kept in single precision, as the view's
// shape stores it; every computation reads it into doubles and stores the result
// back as float. Drags follow the view's rules exactly, including their quirks: the
// edge choice by integer halving against the previous pointer position, and an
// aspect limit that moves the far edge in rather than the dragged one.
#include "job/crop_frame.h"

#include <cmath>
#include <utility>

#include "controls/units.h"
#include "surface/quarter_turn.h"

namespace tessaly {
namespace {

// Hover zones around the rectangle's edges: 6 screen pixels at the left and top
// edges, 4 at the right and bottom ones.
constexpr double kLeadingEdgeTolerance = 90;
constexpr double kTrailingEdgeTolerance = 60;
// Distance inside the edges where the pointer moves the whole rectangle.
constexpr double kMoveInset = 45;
// Smallest dragged side (twips): about 30 screen pixels, so the frame stays grabbable.
constexpr double kMinimumSide = 444;
// Slack when comparing the picture's shape with the frame's, so that a picture
// whose shape equals the print size up to rounding gets the whole picture.
constexpr double kShapeTolerance = 0.0001;

// L + int(W) ÷ 2 of the edge choice: the whole part of the side halved with integer
// division, added to the leading edge.
double HalfwayMark(float leading, float side) {
  const long whole = static_cast<long>(std::floor(static_cast<double>(side)));
  return static_cast<double>(leading) + static_cast<double>(whole / 2);
}

CropRect MakeRect(double left, double top, double width, double height) {
  return CropRect{static_cast<float>(left), static_cast<float>(top), static_cast<float>(width),
                  static_cast<float>(height)};
}

}  // namespace

void CropFrame::SetScale(double scale_width, double scale_height) {
  scale_width_ = scale_width;
  scale_height_ = scale_height;
}

int CropFrame::CropX0() const {
  return static_cast<int>(std::lrint(static_cast<double>(rect_.Left)));
}

int CropFrame::CropY0() const {
  return static_cast<int>(std::lrint(static_cast<double>(rect_.Top)));
}

int CropFrame::CropX1() const {
  return static_cast<int>(
      std::lrint(static_cast<double>(rect_.Left) + static_cast<double>(rect_.Width)));
}

int CropFrame::CropY1() const {
  return static_cast<int>(
      std::lrint(static_cast<double>(rect_.Top) + static_cast<double>(rect_.Height)));
}

void CropFrame::SetLargestCentred(double print_height, double print_width, double margin) {
  aspect_ = (print_height - 2 * margin) / (print_width - 2 * margin);
  const double sw = scale_width_;
  const double sh = scale_height_;
  const double r = sh / sw;
  bool full_height;
  if (sw > sh) {
    full_height = r + kShapeTolerance < aspect_;
  } else {
    // An upright or square picture gets an upright frame.
    aspect_ = 1 / aspect_;
    full_height = !(r - kShapeTolerance > aspect_);
  }
  if (full_height) {
    const double width = sh / aspect_;
    rect_ = MakeRect((sw - width) / 2, 0, width, sh);
  } else {
    const double height = sw * aspect_;
    rect_ = MakeRect(0, (sh - height) / 2, sw, height);
  }
}

PointerMoveResult CropFrame::PointerMove(bool button_held, double x, double y, bool enabled,
                                         bool white_balance, bool thumb_mode) {
  PointerMoveResult result;
  if (!enabled) return result;
  if (white_balance) {
    result.pointer_changed = true;
    result.pointer = ViewPointer::Pipette;
    return result;
  }
  if (thumb_mode) return result;

  const double left = rect_.Left;
  const double top = rect_.Top;
  const double width = rect_.Width;
  const double height = rect_.Height;

  if (!button_held) {
    // Hover: the side edges win over the top and bottom ones, and both over the move
    // zone, so a pointer near a corner resizes horizontally.
    result.pointer_changed = true;
    if (std::abs(x - left) < kLeadingEdgeTolerance ||
        std::abs(x - (left + width)) < kTrailingEdgeTolerance) {
      drag_mode_ = kDragHorizontal;
      result.pointer = ViewPointer::SizeAll;
    } else if (std::abs(y - top) < kLeadingEdgeTolerance ||
               std::abs(y - (top + height)) < kTrailingEdgeTolerance) {
      drag_mode_ = kDragVertical;
      result.pointer = ViewPointer::SizeAll;
    } else if (left + kMoveInset < x && x < left + width - kMoveInset && top + kMoveInset < y &&
               y < top + height - kMoveInset) {
      drag_mode_ = kDragMove;
      result.pointer = ViewPointer::Hand;
    } else {
      drag_mode_ = kDragNone;
      result.pointer = ViewPointer::Default;
    }
  } else if (drag_mode_ == kDragMove) {
    DragMove(x, y);
    result.resolution_changed = true;
  } else if (drag_mode_ == kDragHorizontal) {
    DragSideEdge(x);
    result.resolution_changed = true;
  } else if (drag_mode_ == kDragVertical) {
    DragTopOrBottomEdge(y);
    result.resolution_changed = true;
  }

  previous_x_ = x;
  previous_y_ = y;
  return result;
}

void CropFrame::DragMove(double x, double y) {
  const double width = rect_.Width;
  const double height = rect_.Height;
  double left = rect_.Left + x - previous_x_;
  double top = rect_.Top + y - previous_y_;
  if (left < 0) {
    left = 0;
  } else if (left + width > scale_width_) {
    left = scale_width_ - width;
  }
  if (top < 0) {
    top = 0;
  } else if (top + height > scale_height_) {
    top = scale_height_ - height;
  }
  rect_.Left = static_cast<float>(left);
  rect_.Top = static_cast<float>(top);
}

void CropFrame::DragSideEdge(double x) {
  const double left = rect_.Left;
  const double top = rect_.Top;
  const double right = left + static_cast<double>(rect_.Width);
  if (HalfwayMark(rect_.Left, rect_.Width) > previous_x_) {
    // Left edge: the right edge stays unless the aspect limit pulls it in.
    const double new_left = x < 0 ? 0 : x;
    if (!(new_left < right - kMinimumSide)) return;
    double width = right - new_left;
    double height = width * aspect_;
    if (top + height > scale_height_) {
      height = scale_height_ - top;
      width = height / aspect_;
    }
    rect_ = MakeRect(new_left, top, width, height);
  } else {
    const double new_right = x > scale_width_ ? scale_width_ : x;
    double width = new_right - left;
    if (!(width > kMinimumSide)) return;
    double height = width * aspect_;
    if (top + height > scale_height_) {
      height = scale_height_ - top;
      width = height / aspect_;
    }
    rect_ = MakeRect(left, top, width, height);
  }
}

void CropFrame::DragTopOrBottomEdge(double y) {
  const double left = rect_.Left;
  const double top = rect_.Top;
  const double bottom = top + static_cast<double>(rect_.Height);
  if (HalfwayMark(rect_.Top, rect_.Height) > previous_y_) {
    // Top edge: the top follows the pointer even when the width limit shortens the
    // height, so then the bottom edge moves up.
    const double new_top = y < 0 ? 0 : y;
    if (!(new_top < bottom - kMinimumSide)) return;
    double height = bottom - new_top;
    double width = height / aspect_;
    if (left + width > scale_width_) {
      width = scale_width_ - left;
      height = width * aspect_;
    }
    rect_ = MakeRect(left, new_top, width, height);
  } else {
    const double new_bottom = y > scale_height_ ? scale_height_ : y;
    double height = new_bottom - top;
    if (!(height > kMinimumSide)) return;
    double width = height / aspect_;
    if (left + width > scale_width_) {
      width = scale_width_ - left;
      height = width * aspect_;
    }
    rect_ = MakeRect(left, top, width, height);
  }
}

void CropFrame::TurnWithPicture(int step) {
  if (step != kQuarterTurn && step != -kQuarterTurn) return;
  const double left = rect_.Left;
  const double top = rect_.Top;
  const double width = rect_.Width;
  const double height = rect_.Height;
  std::swap(scale_width_, scale_height_);
  aspect_ = 1 / aspect_;
  if (step == kQuarterTurn) {
    // Clockwise: the picture's left column becomes its top row.
    rect_ = MakeRect(scale_width_ - top - height, left, height, width);
  } else {
    rect_ = MakeRect(top, scale_height_ - left - width, height, width);
  }
}

void CropFrame::RotateCrop() {
  aspect_ = 1 / aspect_;
  double width = rect_.Height;
  double height = rect_.Width;
  if (width > scale_width_) {
    width = scale_width_;
    height = width * aspect_;
  }
  if (height > scale_height_) {
    height = scale_height_;
    width = height / aspect_;
  }
  rect_ = MakeRect((scale_width_ - width) / 2, (scale_height_ - height) / 2, width, height);
  // The toggled frame is always shown, as the view hides it only while it changes.
  visible_ = true;
}

float CropFrame::PrintResolution(int photo_pixels_width, double print_width, double margin) const {
  const double picture_side = scale_width_ >= scale_height_ ? scale_width_ : scale_height_;
  const double crop_side =
      rect_.Width >= rect_.Height ? static_cast<double>(rect_.Width) : rect_.Height;
  const double r = crop_side / picture_side;
  return static_cast<float>(kMmPerInch * photo_pixels_width * r / (print_width - 2 * margin));
}

}  // namespace tessaly
