// The final-pixels step shared by the printed page and the saved file.
#include "job/final_pixels.h"

#include <cmath>

#include "controls/ui_service.h"
#include "edits/output_rules.h"

namespace tessaly {
namespace {

constexpr double kLargestPixelCount = 1e9;
// Cell orientations: upright (taller than wide) and wide.
constexpr int kUprightCell = 1;
constexpr int kWideCell = 2;

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

// The view's crop rectangle (twips) scaled to the image's pixels.
bool CropCornersOf(const MyPicture& photo, const cGDIImage& image, CropCorners& corners) {
  const double wp = photo.ScaleWidth();
  const double hp = photo.ScaleHeight();
  const double wi = image.Width();
  const double hi = image.Height();
  return NearestPixelCount(photo.CropX0() / wp * wi, corners.x0) &&
         NearestPixelCount(photo.CropY0() / hp * hi, corners.y0) &&
         NearestPixelCount(photo.CropX1() / wp * wi, corners.x1) &&
         NearestPixelCount(photo.CropY1() / hp * hi, corners.y1);
}

// The crop of `image`, at the factor's size when scaling with the crop, else 1:1.
cDIB Crop(const cGDIImage& image, const CropCorners& c, const FinalPixelsSteps& steps) {
  if (steps.scaling == FinalScaling::Last)
    return image.ToDib(false, true, 0, 0, c.x0, c.y0, c.x1, c.y1, cGDIImage::kHighQualityBicubic);
  int width = c.x1 - c.x0;
  int height = c.y1 - c.y0;
  if (steps.factor != 1.0 && (!NearestPixelCount(width * steps.factor, width) ||
                              !NearestPixelCount(height * steps.factor, height)))
    return cDIB();
  return image.ToDib(true, true, width, height, c.x0, c.y0, c.x1, c.y1,
                     cGDIImage::kHighQualityBicubic);
}

// Turns the image to the cell's orientation; true when it was turned.
bool TurnToCell(cGDIImage& image, int orientation) {
  const int w = image.Width();
  const int h = image.Height();
  const bool fits = (h < w && orientation == kWideCell) || (w < h && orientation == kUprightCell);
  if (fits) return false;
  image.Rotate(-90);
  return true;
}

// The image resampled by the factor, or copied when the factor is 1.
cDIB Scale(const cGDIImage& image, double factor) {
  if (factor == 1.0)
    return image.ToDib(false, false, 0, 0, 0, 0, 0, 0, cGDIImage::kHighQualityBicubic);
  int width = 0;
  int height = 0;
  if (!NearestPixelCount(image.Width() * factor, width) ||
      !NearestPixelCount(image.Height() * factor, height))
    return cDIB();
  return image.ToDib(true, false, width, height, 0, 0, 0, 0, cGDIImage::kHighQualityBicubic);
}

}  // namespace

bool NearestPixelCount(double value, int& size) {
  if (!std::isfinite(value) || std::fabs(value) > kLargestPixelCount) return false;
  size = static_cast<int>(std::nearbyint(value));
  return true;
}

bool MakeFinalPixels(cGDIImage& image, const MyPicture& photo, const FinalPixelsSteps& steps,
                     cDIB& result, bool& turned) {
  Ui& ui = CurrentUi();
  turned = false;
  if (steps.rotate && photo.Angle() != 0) {
    image.Rotate(photo.Angle());
    if (ui.PollCancel()) return false;
  }

  // The cropped pixels; the image then borrows them when more steps follow.
  cDIB work;
  if (steps.crop) {
    CropCorners corners;
    if (!CropCornersOf(photo, image, corners)) return false;
    work = Crop(image, corners, steps);
    image.Dispose();
    if (!work.IsCreated() || ui.PollCancel()) return false;
    if (steps.edits && AnyEdit(photo)) {
      work.ApplyEdits(photo.Bright(), photo.Contrast(), photo.gamma(), photo.RedAdjust(),
                      photo.GreenAdjust(), photo.BlueAdjust(), photo.Saturation());
      if (ui.PollCancel()) return false;
    }
    if (steps.colour_from && steps.colour_to)
      work.ColorTransform(steps.colour_from, steps.colour_to);
  }

  if (steps.scaling == FinalScaling::WithCrop) {
    result = std::move(work);
  } else {
    if (steps.crop && (!image.CreateFromDIB(work) || ui.PollCancel())) return false;
    if (steps.orientation != 0) {
      turned = TurnToCell(image, steps.orientation);
      if (ui.PollCancel()) return false;
    }
    result = Scale(image, steps.factor);
    image.Dispose();
    work.Dispose();
    ui.LetMessagesRun();
  }
  if (!result.IsCreated() || ui.PollCancel()) return false;

  int radius = 0;
  int amount = 0;
  if (SharpenParameters(photo.UnsharpMask(), steps.default_sharpen, steps.factor, radius, amount)) {
    result.UnsharpMask(radius, amount);
    if (ui.PollCancel()) return false;
  }
  return true;
}

}  // namespace tessaly
