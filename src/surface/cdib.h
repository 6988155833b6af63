// cDIB: the program's in-memory 24-bit pixel surface and a drawing target.
// Byte layout is a contract (see surface_view.h): B,G,R; stride ((3·W+3)/4)·4;
// memory row 0 = bottom row. Padding bytes are zero on creation and never touched
// by the pixel kernels. Drawing goes through QPainter with picture coordinates
// (origin top-left), on this surface or on any target painter (QImage, printer page).
// A surface that is not created ignores every operation.
#pragma once

#include <QFont>
#include <QImage>
#include <QPen>
#include <QString>
#include <cstdint>
#include <memory>

#include "surface/surface_buffer.h"
#include "surface/surface_view.h"

class QPainter;
class QPoint;

namespace tessaly {

// Colours are 24-bit values with red in the low byte (0x00BBGGRR).
QColor ColourFromRgbValue(std::uint32_t rgb);
constexpr std::uint32_t RgbValue(std::uint32_t red, std::uint32_t green, std::uint32_t blue) {
  return red | green << 8 | blue << 16;
}
// The longest font face name: a 32-byte face field with its terminating zero.
// SetFont uses only this many characters.
inline constexpr int kMaxFaceNameLength = 31;

class cDIB {
 public:
  cDIB();
  ~cDIB();
  cDIB(cDIB&& other) noexcept;
  cDIB& operator=(cDIB&& other) noexcept;
  cDIB(const cDIB&) = delete;
  cDIB& operator=(const cDIB&) = delete;

  // Releases any previous pixels, makes a width × height surface and fills every
  // pixel with `background`. False (and released) when the size is outside the
  // surface limits or memory is short.
  bool Create(int width, int height, std::uint32_t background = 0xFFFFFF);
  // As Create, but the pixel bytes are left undefined (the row padding is zero), for
  // a caller that writes every pixel itself.
  bool CreateUnfilled(int width, int height);
  // Makes a white surface of the picture's size and copies the picture in.
  // Returns the picture's bits per pixel when below 9, else 24; 0 when nothing was made.
  int CreateFromStdPicture(const QImage& picture);
  // Copies Width × Height pixels from `source` at (x, y) (picture coordinates) to
  // this surface at (0, 0). Pixels outside the source are left as they were.
  void LoadBlt(const QImage& source, int x, int y);
  void LoadBlt(const cDIB& source, int x, int y);
  // Copies the surface 1:1 onto the target at (0, 0).
  void PaintDirect(QPainter& target) const;
  // Stretches the surface to (x, y, W·factor, H·factor) with the target's own
  // smoothing setting.
  void Paint(QPainter& target, int x, int y, int factor) const;
  // Stretches the surface into (x, y, width, height) with smooth (area/bilinear)
  // filtering: the high-quality path used at print size.
  void ToSurface(QPainter& target, int x, int y, int width, int height) const;
  // Draws a line on this surface with the current pen.
  void DrawLine(int x0, int y0, int x1, int y1);
  // Draws the closed outline (x0,y0)→(x1,y0)→(x1,y1)→(x0,y1) on any target with
  // this surface's current pen, every corner mitred alike.
  void DrawRectangle(QPainter& target, int x0, int y0, int x1, int y1) const;
  // Pen with a classic pen style (0 solid, 1 dash, 2 dot, 3 dash-dot,
  // 4 dash-dot-dot, 5 none, 6 inside frame), width in pixels and colour 0xBBGGRR.
  void SetPen(int pen_style, int width, std::uint32_t colour);
  static constexpr int kSolidPen = 0;
  // Font with character height `height` (pixels of the target), bold, italic and
  // a baseline angle in degrees counter-clockwise (kept in tenths). The face name
  // is cut to 31 characters.
  void SetFont(const QString& face_name, int height, bool bold, bool italic, float angle);
  // Writes `text` with the current font and `colour` (0xBBGGRR), transparent
  // background, with (x, y) the top-left corner of the text (top-right when
  // right_align), turned by the font's angle about that point.
  void PrintText(QPainter& target, const QString& text, int x, int y, std::uint32_t colour,
                 bool right_align) const;
  // New white surface m pixels larger on every side with this one copied in at
  // (m, m); this surface is released. Returns a surface that is not created when
  // this one is not created or m is negative (then nothing is released).
  cDIB AddMargins(int margin);
  // Kept for callers of the old interface: resampling lives in ToSurface and
  // cGDIImage::ToDib. Always false, changes nothing.
  bool ScaleMe(int a, int b, int c);
  void CopyToClipboard() {}
  // Applies the tone and colour edits in place (brightness, contrast, gamma,
  // red/green/blue adjustment, saturation). Returns at once, touching nothing, for
  // a neutral set of values. Polls `stop`, else the Ui cancel flag, after every
  // band of rows and stops there; finished rows stay edited. Does nothing when not
  // created.
  void ApplyEdits(int Bright, int Contrast, double gamma, int RedAdjust, int GreenAdjust,
                  int BlueAdjust, int Saturation, const RowPoll& stop = {});
  // Sharpens the pixels in place (radius code 10, 15 or 20; amount in percent),
  // leaving flat areas and local extremes alone and polling `stop`, else the Ui
  // cancel flag, between row bands. Another radius code shows "Invalid radius" and
  // changes nothing. Does nothing when not created.
  void UnsharpMask(int Radius, int Amount, const RowPoll& stop = {});
  // Converts every pixel in place from the input to the output colour profile
  // (Little CMS handles; 8-bit B,G,R, perceptual intent). False, pixels
  // unchanged, when not created, a handle is null or no transform can be made.
  // The profiles stay open. Defined with the colour transforms.
  bool ColorTransform(void* input_profile, void* output_profile);
  // Releases pixels and painter and gives back the pen and font of a new surface.
  // Safe to call repeatedly.
  void Dispose();
  bool IsCreated() const { return !buffer_.empty(); }

  // The surface's own drawing context: a painter in picture coordinates. Null
  // when not created. Ended by Dispose.
  QPainter* hDIBDC();
  // The pixel memory as a QImage (Format_BGR888) in memory row order, that is
  // upside down. Null when not created.
  const QImage* hDIB() const { return IsCreated() ? &memory_image_ : nullptr; }
  std::uint8_t* DIBitsPtr() { return buffer_.View().bits; }
  const std::uint8_t* DIBitsPtr() const { return buffer_.View().bits; }

  int Width() const { return width_; }
  int Height() const { return height_; }
  int Stride() const { return StrideFor(width_); }
  // 3·W·H: the pixel bytes without row padding.
  std::int64_t Size() const { return 3LL * width_ * height_; }
  SurfaceView View() { return buffer_.View(); }

  // Pixel (x, y) in picture coordinates as 0xBBGGRR; 0 outside or not created.
  std::uint32_t PixelAt(int x, int y) const;
  // A top-down RGB888 copy of the picture, for encoders and tests.
  QImage ToQImage() const;

  const QPen& CurrentPen() const { return pen_; }
  const QFont& CurrentFont() const { return font_; }
  // The font's baseline angle in tenths of a degree, counter-clockwise.
  int FontEscapement() const { return font_escapement_; }

  QString EmbededProfileDescription;
  bool HaveEmbededProfile = false;

 private:
  // Draws the memory image onto `target` at (x, y, w, h), turning the bottom-up
  // rows the right way up.
  void DrawFlipped(QPainter& target, int x, int y, int w, int h) const;
  // Strokes a polyline, or the closed polygon through the points, with the current pen
  // (no fill) on any target.
  void StrokeOutline(QPainter& target, const QPoint* points, int count, bool closed) const;

  SurfaceBuffer buffer_;
  int width_ = 0;
  int height_ = 0;
  QImage memory_image_;
  std::unique_ptr<QPainter> painter_;
  QPen pen_;
  QFont font_;
  int font_escapement_ = 0;  // tenths of a degree, counter-clockwise
};

}  // namespace tessaly
