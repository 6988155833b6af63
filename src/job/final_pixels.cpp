// The final-pixels step shared by the printed page and the saved file.
#include "job/final_pixels.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "controls/ui_service.h"
#include "edits/output_rules.h"

namespace tessaly {
namespace {

constexpr double kLargestPixelCount = 1e9;
// Cell orientations: upright (taller than wide) and wide.
constexpr int kUprightCell = 1;
constexpr int kWideCell = 2;
// A reduced decode keeps at least this many pixels per final pixel along each side,
// so the last resample still shrinks and its area filter, not the decoder's DCT
// scaling, shapes the result (measured: within 40 dB PSNR of a full decode on
// sharp camera photos, where a decode just covering the result falls to 36 dB).
constexpr double kDecodeMargin = 1.5;

struct CropCorners {
  int x0 = 0;
  int y0 = 0;
  int x1 = 0;
  int y1 = 0;
};

// Whether any of the photo's tone or colour edits is set.
bool AnyEdit(const MyPicture& photo) {
  return photo.Bright() != 0 || photo.Contrast() != 0 || photo.Saturation() != 0 ||
         photo.RedAdjust() != 0 || photo.GreenAdjust() != 0 || photo.BlueAdjust() != 0 ||
         photo.gamma() != 1.0;
}

// The view's crop rectangle (twips) scaled to a width × height picture.
bool CropCornersOf(const MyPicture& photo, double wi, double hi, CropCorners& corners) {
  const double wp = photo.ScaleWidth();
  const double hp = photo.ScaleHeight();
  return NearestPixelCount(photo.CropX0() / wp * wi, corners.x0) &&
         NearestPixelCount(photo.CropY0() / hp * hi, corners.y0) &&
         NearestPixelCount(photo.CropX1() / wp * wi, corners.x1) &&
         NearestPixelCount(photo.CropY1() / hp * hi, corners.y1);
}

// A rectangle of an image in picture coordinates whose edges may fall between pixels.
struct PixelArea {
  double x = 0;
  double y = 0;
  double width = 0;
  double height = 0;
};

// The full picture's crop corners mapped onto the image at hand, which is the full
// picture reduced by its DCT scale (1 for a full decode, which maps every corner
// exactly).
PixelArea CropArea(const cGDIImage& image, const CropCorners& full) {
  const double s = image.Reduction();
  return {full.x0 * s, full.y0 * s, (full.x1 - full.x0) * s, (full.y1 - full.y0) * s};
}

// The crop of the image scaled with the crop: the full picture's crop `full` at the
// factor's size, resampled from its area on the image.
cDIB CropScaled(const cGDIImage& image, const CropCorners& full, double factor) {
  int width = full.x1 - full.x0;
  int height = full.y1 - full.y0;
  if (factor != 1.0 &&
      (!NearestPixelCount(width * factor, width) || !NearestPixelCount(height * factor, height)))
    return cDIB();
  const PixelArea area = CropArea(image, full);
  return image.ToDibSubpixel(area.x, area.y, area.width, area.height, width, height);
}

// The crop of the image for scaling last. A full picture's crop is copied 1:1 (one
// pixel wider and taller than its rectangle) and all of it is resampled last; a
// reduced image gives the whole pixels around the crop's area, and `area` is the
// part of them to resample last.
cDIB CropForLast(const cGDIImage& image, const CropCorners& full, PixelArea& area) {
  if (image.Reduction() == 1.0) {
    cDIB crop = image.ToDib(false, true, 0, 0, full.x0, full.y0, full.x1, full.y1,
                            cGDIImage::kHighQualityBicubic);
    area = {0, 0, static_cast<double>(crop.Width()), static_cast<double>(crop.Height())};
    return crop;
  }
  const PixelArea crop = CropArea(image, full);
  const int x0 = static_cast<int>(std::floor(crop.x));
  const int y0 = static_cast<int>(std::floor(crop.y));
  const int x1 = std::min(static_cast<int>(std::ceil(crop.x + crop.width)), image.Width());
  const int y1 = std::min(static_cast<int>(std::ceil(crop.y + crop.height)), image.Height());
  area = {crop.x - x0, crop.y - y0, crop.width, crop.height};
  return image.ToDib(true, true, x1 - x0, y1 - y0, x0, y0, x1, y1, cGDIImage::kHighQualityBicubic);
}

// Turns the image to the cell's orientation, judged by the width × height of the
// full picture it stands for; true when it was turned (a quarter turn
// anticlockwise, which takes `area` along).
bool TurnToCell(cGDIImage& image, int orientation, int w, int h, PixelArea& area) {
  const bool fits = (h < w && orientation == kWideCell) || (w < h && orientation == kUprightCell);
  if (fits) return false;
  const double width = image.Width();
  image.Rotate(-90);
  area = {area.y, width - area.x - area.width, area.height, area.width};
  return true;
}

// The area of the image resampled to the factor's size of the full width × height it
// stands for, or the image copied when that is its own size.
cDIB Scale(const cGDIImage& image, const PixelArea& area, double factor, int full_width,
           int full_height) {
  int width = full_width;
  int height = full_height;
  if (factor != 1.0 && (!NearestPixelCount(full_width * factor, width) ||
                        !NearestPixelCount(full_height * factor, height)))
    return cDIB();
  if (factor == 1.0 && width == image.Width() && height == image.Height() && area.x == 0 &&
      area.y == 0 && area.width == width && area.height == height)
    return image.ToDib(false, false, 0, 0, 0, 0, 0, 0, cGDIImage::kHighQualityBicubic);
  return image.ToDibSubpixel(area.x, area.y, area.width, area.height, width, height);
}

}  // namespace

bool NearestPixelCount(double value, int& size) {
  if (!std::isfinite(value) || std::fabs(value) > kLargestPixelCount) return false;
  size = static_cast<int>(std::nearbyint(value));
  return true;
}

double DecodeShare(double factor) {
  const double share = factor * kDecodeMargin;
  return share > 0.0 && share < 1.0 ? share : 1.0;
}

bool MakeFinalPixels(cGDIImage& image, const MyPicture& photo, const FinalPixelsSteps& steps,
                     cDIB& result, bool& turned) {
  const auto stopped = [&steps] { return steps.stop ? steps.stop() : CurrentUi().PollCancel(); };
  turned = false;
  if (steps.rotate && photo.Angle() != 0) {
    image.Rotate(photo.Angle());
    if (stopped()) return false;
  }

  // Sizes follow the full picture, so a reduced decode gives the result the size a
  // full one would; the crop maps onto the pixels at hand.
  int full_width = image.FullWidth();
  int full_height = image.FullHeight();
  // The part of the image the last resample reads: all the full picture stands for.
  PixelArea area{0, 0, full_width * image.Reduction(), full_height * image.Reduction()};
  // The cropped pixels; the image then borrows them when more steps follow.
  cDIB work;
  if (steps.crop) {
    CropCorners full;
    if (!image.IsCreated() || !CropCornersOf(photo, full_width, full_height, full)) return false;
    if (steps.scaling == FinalScaling::WithCrop) {
      work = CropScaled(image, full, steps.factor);
    } else {
      work = CropForLast(image, full, area);
      full_width = full.x1 - full.x0 + 1;
      full_height = full.y1 - full.y0 + 1;
    }
    image.Dispose();
    if (!work.IsCreated() || stopped()) return false;
    if (steps.edits && AnyEdit(photo)) {
      work.ApplyEdits(photo.Bright(), photo.Contrast(), photo.gamma(), photo.RedAdjust(),
                      photo.GreenAdjust(), photo.BlueAdjust(), photo.Saturation(), steps.stop);
      if (stopped()) return false;
    }
    if (steps.colour_from && steps.colour_to)
      work.ColorTransform(steps.colour_from, steps.colour_to);
  }

  if (steps.scaling == FinalScaling::WithCrop) {
    result = std::move(work);
  } else {
    if (steps.crop && (!image.CreateFromDIB(work) || stopped())) return false;
    if (steps.orientation != 0) {
      turned = TurnToCell(image, steps.orientation, full_width, full_height, area);
      if (turned) std::swap(full_width, full_height);
      if (stopped()) return false;
    }
    result = Scale(image, area, steps.factor, full_width, full_height);
    image.Dispose();
    work.Dispose();
    if (!steps.stop) CurrentUi().LetMessagesRun();
  }
  if (!result.IsCreated() || stopped()) return false;

  int radius = 0;
  int amount = 0;
  if (SharpenParameters(photo.UnsharpMask(), steps.default_sharpen, steps.factor, radius, amount)) {
    result.UnsharpMask(radius, amount, steps.stop);
    if (stopped()) return false;
  }
  return true;
}

}  // namespace tessaly
