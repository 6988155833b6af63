// The thumbnail strip's arithmetic, without a window: the number label texts (two
// character places), the cell positions (pitch = cell + 1 pixel, first cell 2
// pixels in), the picture's place inside its square cell, and the strip's state —
// photo count, active position (−1 when empty) and scroll position (the first
// visible cell, 0..count − 1) — under adding, activating, removing and navigating.
// Invariant: −1 ≤ active < count, active = −1 only when count = 0.
#pragma once

#include <QRect>
#include <QString>

namespace tessaly {

// Gap between neighbouring cells and the left offset of the first one (pixels).
inline constexpr int kTumbGap = 1;
inline constexpr int kTumbFirstLeft = 2;

// The label of photo `number` (1-based): " 9 " below 10, "10" from 10 on.
QString TumbLabelText(int number);
// Distance from one cell's left edge to the next one's.
constexpr int TumbPitch(int cell) {
  return cell + kTumbGap;
}
// Left edge of the cell at `position` inside the inner container.
constexpr int TumbLeft(int position, int cell) {
  return position * TumbPitch(cell) + kTumbFirstLeft;
}
// The cell at x pixels of the inner container, or −1 for the gaps and the margin.
int TumbAt(int x, int cell);
// Whole cells that fit in a visible window `width` pixels wide (at least 1).
int VisibleTumbs(int width, int cell);
// Where a picture of `width` × `height` is drawn in a square cell of side `cell`:
// scaled to fit with its proportions kept and centred across its shorter side.
QRect TumbPictureRect(int width, int height, int cell);

class ThumbnailStripState {
 public:
  int Count() const { return count_; }
  int Active() const { return active_; }
  int Scroll() const { return scroll_; }
  // The scroll bar's maximum: count − 1 (0 when empty).
  int ScrollMaximum() const { return count_ > 0 ? count_ - 1 : 0; }

  // Appends a photo, makes it active and, when its cell is not fully visible with
  // `visible` cells shown, scrolls so that it is the last visible one. Returns its
  // position.
  int Add(int visible);
  // Makes `position` active; false (nothing changed) when it is out of range.
  bool Activate(int position);
  // Removes the active photo: the next one takes its place, or the previous one
  // when it was the last. Returns the removed position, −1 when empty.
  int RemoveCurrent();
  // Next / previous photo, scrolled into view; false when there is none.
  bool Next(int visible);
  bool Previous(int visible);
  // Scrolls the active photo to the middle.
  void Center(int visible);
  // Sets the scroll position, held within 0..ScrollMaximum().
  void SetScroll(int value);
  // True when the cell at `position` is fully inside the window of `visible` cells.
  bool FullyVisible(int position, int visible) const;

 private:
  int count_ = 0;
  int active_ = -1;
  int scroll_ = 0;
};

}  // namespace tessaly
