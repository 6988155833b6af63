// The history record of each photo after a print or save run: the record's values,
// gamma in hundredths and the crop corners in ten-thousandths of the on-screen
// picture's width and height (twips), each to the nearest integer, halves to even.
#include "job/job_history.h"

#include "controls/utils.h"
#include "job/history_record.h"

namespace tessaly {

HistoryEdits HistoryEditsOf(const MyPicture& photo) {
  HistoryEdits e;
  e.label = photo.PhotoLabel();
  e.bright = photo.Bright();
  e.contrast = photo.Contrast();
  e.gamma100 = GammaToRecord(photo.gamma());
  e.red = photo.RedAdjust();
  e.green = photo.GreenAdjust();
  e.blue = photo.BlueAdjust();
  e.saturation = photo.Saturation();
  e.unsharp = photo.UnsharpMask();
  e.x0 = CropCornerToRecord(photo.CropX0(), photo.ScaleWidth());
  e.y0 = CropCornerToRecord(photo.CropY0(), photo.ScaleHeight());
  e.x1 = CropCornerToRecord(photo.CropX1(), photo.ScaleWidth());
  e.y1 = CropCornerToRecord(photo.CropY1(), photo.ScaleHeight());
  e.angle = photo.Angle();
  return e;
}

bool RecordJobHistory(const MyPictureManager& job) {
  bool all_written = true;
  for (int position = 0; position < job.Count(); ++position) {
    const MyPicture& photo = job.At(position);
    if (!SaveEdits(photo.FileDate(), FileNameOfPath(photo.Filename()), HistoryEditsOf(photo)))
      all_written = false;
  }
  return all_written;
}

}  // namespace tessaly
