// PictureUtilsCls: the screen working buffer of the shown photo, that is its
// screen-sized pixels in the surface layout (B,G,R; rows padded to 4 bytes; memory
// row 0 = bottom row), the picture's size in pixels and the picture box's size in
// view units. Every redraw restores the unedited copy (kept by the caller), applies
// the edits, optionally sharpens, and paints back into the box.
#pragma once

#include <cstdint>
#include <vector>

#include "edits/histogram.h"
#include "edits/picture_box.h"
#include "surface/surface_view.h"

namespace tessaly {

class PictureUtilsCls {
 public:
  // Applies the tone and colour edits to every pixel, always running the whole
  // loop, even for neutral values. The histogram is cleared first on every call
  // and, when UpdateHistogram is true, receives every pixel's values before
  // clamping. Does not poll.
  void ApplyEdits(HistogramArray& Histogram, bool UpdateHistogram, int lBright, int lContrast,
                  double lgamma, int Red, int Green, int Blue, int lSaturation);
  // Reads the box's picture as bottom-up 24-bit rows into the buffer (pixels with
  // transparency are taken over white), records its pixel size and the box's width
  // and height; when ReturnOriginalBits is true also copies the bytes into
  // OriginalBits. False, with the buffer released, when the box shows no picture.
  bool SetBitsFromPicture(PictureBox& box, std::vector<std::uint8_t>& OriginalBits,
                          bool ReturnOriginalBits);
  // Replaces the buffer by a copy of OriginalBits.
  void ResetBits(const std::vector<std::uint8_t>& OriginalBits);
  // Sets the box's size to the recorded one (position unchanged) and its picture
  // to the buffer's pixels, the right way up.
  void Paint(PictureBox& box) const;
  // Clears the sizes and releases the buffer.
  void Free();
  // Releases the buffer's memory but keeps the recorded sizes, so ResetBits loads it
  // again.
  void ReleaseBits();
  // 2 (landscape) when the picture is wider than high, else 1 (portrait).
  int Orientation() const { return width_ > height_ ? 2 : 1; }
  // Turns the buffer by 90 (clockwise), −90, 180 or −180 degrees, and OriginalBits
  // too when UpdateOriginalBits is true; a quarter turn swaps the recorded pixel
  // and box sizes. Another angle shows "invalid angle" and changes nothing.
  bool RotateBits(int Angle, std::vector<std::uint8_t>& OriginalBits, bool UpdateOriginalBits);
  // Sharpens the buffer (radius code 10, 15 or 20; amount in percent), blurring
  // every interior pixel. Another radius code shows "Invalid radius" and changes
  // nothing.
  bool UnsharpMask(int Radius, int Amount);

  int Width() const { return width_; }
  int Height() const { return height_; }
  int BoxWidth() const { return box_width_; }
  int BoxHeight() const { return box_height_; }
  const std::vector<std::uint8_t>& Bits() const { return bits_; }
  // The buffer as a surface view; empty when nothing is loaded or the buffer is
  // shorter than its recorded size.
  SurfaceView View();

 private:
  std::vector<std::uint8_t> bits_;
  int width_ = 0;
  int height_ = 0;
  int box_width_ = 0;
  int box_height_ = 0;
};

}  // namespace tessaly
