// The crop rectangle of a photo view and its mouse interaction, without a window:
// the rectangle in twips of the shown picture (origin at its top-left corner), the
// height ÷ width aspect it keeps, the hover zones (tolerance 90 at the left and top
// edges, 60 at the right and bottom, inner margin 45 for moving), the three drag
// modes with the 444-twip minimum, the largest centred frame, the turn with the
// picture, the orientation toggle and the print resolution. Invariant after every
// operation: 0 ≤ Left, 0 ≤ Top, Left + Width ≤ ScaleWidth, Top + Height ≤ ScaleHeight.
#pragma once

namespace tessaly {

// Pointer shapes the view shows; every one is distinguishable.
enum class ViewPointer { Default, SizeAll, Hand, Pipette, Wait };

// Drag modes: none, move the rectangle, resize by a left/right edge, by a top/bottom edge.
inline constexpr int kDragNone = 0;
inline constexpr int kDragMove = 2;
inline constexpr int kDragHorizontal = 11;
inline constexpr int kDragVertical = 12;

struct CropRect {
  float Left = 0;
  float Top = 0;
  float Width = 0;
  float Height = 0;
};

// What a pointer move did: the pointer to show (when `pointer_changed`) and whether
// ResolutionChanged must be raised.
struct PointerMoveResult {
  bool pointer_changed = false;
  ViewPointer pointer = ViewPointer::Default;
  bool resolution_changed = false;
};

class CropFrame {
 public:
  // The picture's inner size in twips (15 per screen pixel).
  void SetScale(double scale_width, double scale_height);
  double ScaleWidth() const { return scale_width_; }
  double ScaleHeight() const { return scale_height_; }

  // Height ÷ width the rectangle keeps.
  double Aspect() const { return aspect_; }
  void SetAspect(double aspect) { aspect_ = aspect; }

  const CropRect& Rect() const { return rect_; }
  void SetRect(const CropRect& rect) { rect_ = rect; }
  bool Visible() const { return visible_; }
  void SetVisible(bool visible) { visible_ = visible; }

  // Corners rounded to the nearest integer (halves to even): left, top, left + width,
  // top + height.
  int CropX0() const;
  int CropY0() const;
  int CropX1() const;
  int CropY1() const;

  // Sets the aspect to (print height − 2·margin) ÷ (print width − 2·margin), inverted
  // for an upright or square picture, and the rectangle to the largest centred frame
  // of that shape (the 0.0001 tolerances of the record's default frame).
  void SetLargestCentred(double print_height, double print_width, double margin);

  // One pointer move at (x, y) over the picture. `button_held` is true while a mouse
  // button is down; `enabled` is false while the job has no photos; `white_balance`
  // and `thumb_mode` stop the crop interaction. Hover picks the drag mode and pointer,
  // a held button drags in the mode picked before; previous X/Y are stored whenever
  // the hover or drag step ran.
  PointerMoveResult PointerMove(bool button_held, double x, double y, bool enabled,
                                bool white_balance, bool thumb_mode);
  int DragMode() const { return drag_mode_; }

  // Turns the rectangle with the picture by a quarter turn (+90 clockwise, −90
  // counter-clockwise): swaps the scale and the rectangle's sides, inverts the aspect
  // and keeps the rectangle over the same part of the photo.
  void TurnWithPicture(int step);

  // Toggles the frame between landscape and upright, limited to the picture and centred.
  void RotateCrop();

  // Pixels per inch the cropped photo prints at: the crop's longer side over the
  // picture's longer side, times the original's longer side in pixels, over the
  // printed length inside the margins.
  float PrintResolution(int photo_pixels_width, double print_width, double margin) const;

 private:
  // The three drags of a held button; each leaves the rectangle unchanged when the
  // dragged side would fall below the minimum.
  void DragMove(double x, double y);
  void DragSideEdge(double x);
  void DragTopOrBottomEdge(double y);

  double scale_width_ = 0;
  double scale_height_ = 0;
  double aspect_ = 1;
  CropRect rect_;
  bool visible_ = true;
  int drag_mode_ = kDragNone;
  double previous_x_ = 0;
  double previous_y_ = 0;
};

}  // namespace tessaly
