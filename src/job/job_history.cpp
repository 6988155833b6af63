// The history record of each photo after a print or save run: the record's values,
// gamma in hundredths and the crop corners in ten-thousandths of the on-screen
// picture's width and height (twips), each to the nearest integer, halves to even.
#include "job/job_history.h"

#include <QFileInfo>
#include <cmath>

namespace tessaly {
namespace {

// gamma is stored in hundredths.
constexpr double kGammaScale = 100.0;
// Crop corners are stored in ten-thousandths of the picture.
constexpr double kCropScale = 10000.0;

int TenThousandths(int corner, double extent) {
  return extent > 0 ? static_cast<int>(std::nearbyint(corner / extent * kCropScale)) : 0;
}

}  // namespace

HistoryEdits HistoryEditsOf(const MyPicture& photo) {
  HistoryEdits e;
  e.label = photo.PhotoLabel();
  e.bright = photo.Bright();
  e.contrast = photo.Contrast();
  e.gamma100 = static_cast<int>(std::nearbyint(photo.gamma() * kGammaScale));
  e.red = photo.RedAdjust();
  e.green = photo.GreenAdjust();
  e.blue = photo.BlueAdjust();
  e.saturation = photo.Saturation();
  e.unsharp = photo.UnsharpMask();
  e.x0 = TenThousandths(photo.CropX0(), photo.ScaleWidth());
  e.y0 = TenThousandths(photo.CropY0(), photo.ScaleHeight());
  e.x1 = TenThousandths(photo.CropX1(), photo.ScaleWidth());
  e.y1 = TenThousandths(photo.CropY1(), photo.ScaleHeight());
  e.angle = photo.Angle();
  return e;
}

bool RecordJobHistory(const MyPictureManager& job) {
  bool all_written = true;
  for (int position = 0; position < job.Count(); ++position) {
    const MyPicture& photo = job.At(position);
    if (!SaveEdits(photo.FileDate(), QFileInfo(photo.Filename()).fileName(), HistoryEditsOf(photo)))
      all_written = false;
  }
  return all_written;
}

}  // namespace tessaly
