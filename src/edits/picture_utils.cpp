// Screen working buffer: conversions between the box's top-down QImage and the
// bottom-up surface layout, and the screen-path edits on the buffer.
#include "edits/picture_utils.h"

#include <QPainter>
#include <cstring>
#include <utility>

#include "controls/ui_service.h"
#include "edits/tone_adjust.h"
#include "edits/unsharp_mask.h"
#include "surface/quarter_turn.h"

namespace tessaly {
namespace {

// The picture as opaque 24-bit B,G,R rows; transparent pixels are seen over white.
QImage OpaqueBgr(const QImage& picture) {
  if (!picture.hasAlphaChannel()) return picture.convertToFormat(QImage::Format_BGR888);
  QImage over_white(picture.size(), QImage::Format_RGB32);
  over_white.fill(Qt::white);
  QPainter painter(&over_white);
  painter.drawImage(0, 0, picture);
  painter.end();
  return over_white.convertToFormat(QImage::Format_BGR888);
}

}  // namespace

SurfaceView PictureUtilsCls::View() {
  const SurfaceView view{bits_.data(), width_, height_, StrideFor(width_)};
  if (view.empty() || bits_.size() < view.ByteCount()) return {};
  return view;
}

void PictureUtilsCls::ApplyEdits(HistogramArray& Histogram, bool UpdateHistogram, int lBright,
                                 int lContrast, double lgamma, int Red, int Green, int Blue,
                                 int lSaturation) {
  Histogram.Clear();
  const ToneEdits edits{lBright, lContrast, lgamma, Red, Green, Blue, lSaturation};
  ApplyToneEdits(View(), edits, UpdateHistogram ? &Histogram : nullptr);
}

bool PictureUtilsCls::SetBitsFromPicture(PictureBox& box, std::vector<std::uint8_t>& OriginalBits,
                                         bool ReturnOriginalBits) {
  Free();
  if (box.picture.isNull() || !SurfaceSizeAllowed(box.picture.width(), box.picture.height()))
    return false;
  const QImage bgr = OpaqueBgr(box.picture);
  if (bgr.isNull()) return false;

  width_ = bgr.width();
  height_ = bgr.height();
  box_width_ = box.width;
  box_height_ = box.height;
  const int stride = StrideFor(width_);
  const std::size_t row_bytes = 3 * static_cast<std::size_t>(width_);
  bits_.assign(static_cast<std::size_t>(stride) * height_, 0);
  // Memory row 0 is the picture's bottom row, the last scan line of the image.
  for (int y = 0; y < height_; ++y)
    std::memcpy(bits_.data() + static_cast<std::size_t>(y) * stride,
                bgr.constScanLine(height_ - 1 - y), row_bytes);
  if (ReturnOriginalBits) OriginalBits = bits_;
  return true;
}

void PictureUtilsCls::ResetBits(const std::vector<std::uint8_t>& OriginalBits) {
  bits_ = OriginalBits;
}

void PictureUtilsCls::Paint(PictureBox& box) const {
  box.width = box_width_;
  box.height = box_height_;
  const int stride = StrideFor(width_);
  if (width_ <= 0 || height_ <= 0 ||
      bits_.size() < static_cast<std::size_t>(stride) * static_cast<std::size_t>(height_)) {
    box.picture = QImage();
    return;
  }
  // Opaque 32-bit pixels are what the screen paints without converting them.
  QImage picture(width_, height_, QImage::Format_RGB32);
  for (int y = 0; y < height_; ++y) {
    const std::uint8_t* bgr = bits_.data() + static_cast<std::size_t>(height_ - 1 - y) * stride;
    auto* out = reinterpret_cast<QRgb*>(picture.scanLine(y));
    for (int x = 0; x < width_; ++x, bgr += 3) out[x] = qRgb(bgr[2], bgr[1], bgr[0]);
  }
  box.picture = std::move(picture);
}

void PictureUtilsCls::Free() {
  bits_.clear();
  bits_.shrink_to_fit();
  width_ = height_ = box_width_ = box_height_ = 0;
}

void PictureUtilsCls::ReleaseBits() {
  std::vector<std::uint8_t>().swap(bits_);
}

bool PictureUtilsCls::RotateBits(int Angle, std::vector<std::uint8_t>& OriginalBits,
                                 bool UpdateOriginalBits) {
  if (!IsQuarterTurnAngle(Angle)) {
    CurrentUi().MessageBox("invalid angle", MsgButtons::Ok, MsgIcon::Exclamation);
    return false;
  }
  int width = width_, height = height_;
  if (!QuarterTurnBytes(bits_, width, height, Angle)) return false;
  if (UpdateOriginalBits) {
    int original_width = width_, original_height = height_;
    QuarterTurnBytes(OriginalBits, original_width, original_height, Angle);
  }
  width_ = width;
  height_ = height;
  if (Angle == 90 || Angle == -90) std::swap(box_width_, box_height_);
  return true;
}

bool PictureUtilsCls::UnsharpMask(int Radius, int Amount) {
  UnsharpKernel kernel;
  if (!UnsharpKernelFor(Radius, kernel)) {
    CurrentUi().MessageBox("Invalid radius", MsgButtons::Ok, MsgIcon::Exclamation);
    return false;
  }
  const SurfaceView view = View();
  if (view.empty()) return false;
  return UnsharpMaskScreen(view, Radius, Amount);
}

}  // namespace tessaly
