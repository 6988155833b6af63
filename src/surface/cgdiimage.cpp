// cGDIImage over an owned or borrowed surface view.
#include "surface/cgdiimage.h"

#include <cstring>
#include <utility>

#include "surface/image_file_reader.h"
#include "surface/image_file_writer.h"
#include "surface/quarter_turn.h"
#include "surface/resample.h"

namespace tessaly {

cGDIImage::cGDIImage(cGDIImage&& other) noexcept {
  *this = std::move(other);
}

cGDIImage& cGDIImage::operator=(cGDIImage&& other) noexcept {
  if (this == &other) return *this;
  // Moving the owned buffer keeps its pixel memory where it is, so the view stays
  // valid whether it refers to that buffer or to a borrowed surface.
  owned_ = std::move(other.owned_);
  view_ = std::exchange(other.view_, SurfaceView{});
  full_width_ = std::exchange(other.full_width_, 0);
  full_height_ = std::exchange(other.full_height_, 0);
  reduction_ = std::exchange(other.reduction_, 1.0);
  pixels_per_mm_ = std::exchange(other.pixels_per_mm_, 0.0);
  save_status_ = std::exchange(other.save_status_, 0);
  return *this;
}

bool cGDIImage::CreateFromFile(const QString& file, double least) {
  Dispose();
  FullPicture full;
  if (!ReadImageFileReduced(file, least, owned_, full, &read_status_)) return false;
  view_ = owned_.View();
  full_width_ = full.width;
  full_height_ = full.height;
  reduction_ = full.scale;
  return true;
}

bool cGDIImage::CreateFromDIB(cDIB& dib) {
  Dispose();
  if (!dib.IsCreated()) return false;
  view_ = dib.View();
  full_width_ = view_.width;
  full_height_ = view_.height;
  return true;
}

void cGDIImage::Dispose() {
  owned_.Release();
  view_ = SurfaceView{};
  full_width_ = full_height_ = 0;
  reduction_ = 1.0;
  pixels_per_mm_ = 0;
}

void cGDIImage::Rotate(int angle) {
  if (!IsCreated() || !IsQuarterTurnAngle(angle)) return;
  int width = 0, height = 0;
  TurnedSize(angle, view_.width, view_.height, width, height);
  // The turned pixels go to a new buffer of our own; a borrowed surface is never
  // written. When memory is short the image stays as it was.
  SurfaceBuffer turned;
  if (!turned.Allocate(width, height) || !QuarterTurn(view_, turned.View(), angle)) return;
  owned_ = std::move(turned);
  view_ = owned_.View();
  TurnedSize(angle, full_width_, full_height_, full_width_, full_height_);
}

cDIB cGDIImage::ToDib(bool ScaleIt, bool Crop, int NewWidth, int NewHeight, int CropX0, int CropY0,
                      int CropX1, int CropY1, int /*InterpolMode*/) const {
  cDIB out;
  if (!IsCreated()) return out;
  if (!ScaleIt && !Crop) {
    if (!out.CreateUnfilled(view_.width, view_.height)) return out;
    const SurfaceView dst = out.View();
    for (int y = 0; y < view_.height; ++y)
      std::memcpy(dst.Row(y), view_.Row(y), 3 * static_cast<std::size_t>(view_.width));
    return out;
  }

  // 64-bit differences: hostile corners must not overflow into a valid size.
  const long long span_x = static_cast<long long>(CropX1) - CropX0;
  const long long span_y = static_cast<long long>(CropY1) - CropY0;
  const long long dst_width = ScaleIt ? NewWidth : span_x + 1;
  const long long dst_height = ScaleIt ? NewHeight : span_y + 1;
  const long long src_width = Crop ? span_x : view_.width;
  const long long src_height = Crop ? span_y : view_.height;
  if (!SurfaceSizeAllowed(dst_width, dst_height) || !SurfaceSizeAllowed(src_width, src_height))
    return out;
  // The resampler writes every pixel of the destination.
  if (!out.CreateUnfilled(static_cast<int>(dst_width), static_cast<int>(dst_height))) return out;
  if (!ResampleBicubic(view_, CropX0, CropY0, static_cast<int>(src_width),
                       static_cast<int>(src_height), out.View()))
    out.Dispose();
  return out;
}

cDIB cGDIImage::ToDibSubpixel(double x, double y, double width, double height, int NewWidth,
                              int NewHeight) const {
  cDIB out;
  if (!IsCreated() || !SurfaceSizeAllowed(NewWidth, NewHeight)) return out;
  // The resampler writes every pixel of the destination.
  if (!out.CreateUnfilled(NewWidth, NewHeight)) return out;
  if (!ResampleBicubicSubpixel(view_, x, y, width, height, out.View())) out.Dispose();
  return out;
}

bool cGDIImage::Save(const QString& file, int lEncoder, int JPEG_Quality,
                     const QByteArray& icc_profile, const CameraExif& camera) {
  if (!IsCreated()) {
    save_status_ = kSaveInvalidParameter;
    return false;
  }
  save_status_ =
      WriteImageFile(view_, file, lEncoder, JPEG_Quality, {pixels_per_mm_, icc_profile, camera});
  return save_status_ == kSaveOk;
}

QString cGDIImage::SaveError() {
  return SaveStatusText(std::exchange(save_status_, 0));
}

}  // namespace tessaly
