// Adding a photo file: its screen copy (longer side S, nearest with halves to even
// for the other side), decoded DCT-scaled when the file allows it, converted for
// the display, then a new record of the job loaded with it; or the record alone
// from the file's header.
#include "job/add_photo.h"

#include "colour/colour_transform.h"
#include "surface/image_file_reader.h"

namespace tessaly {
bool MakeScreenCopy(const QString& file, int S, cDIB& copy, int& w, int& h,
                    ImageReadStatus* status) {
  const auto size_for = [S](int full_width, int full_height) {
    int width = 0;
    int height = 0;
    ScreenCopySize(full_width, full_height, S, width, height);
    return QSize(width, height);
  };
  copy = ScaledCopyFromFile(file, size_for, w, h, status);
  if (!copy.IsCreated()) return false;
  PreviewColourManagement(file, copy);
  return true;
}

int GetPicture(MyPictureManager& job, cDIB& surface, const QString& file, int w, int h,
               const ThumbnailSink& to_strip) {
  const int position = job.Add();
  MyPicture& photo = job.At(position);
  const JobSettings& s = job.Settings();
  photo.SetPicture(surface, w, h, s.ScreenPhotoSize, s.PhotoHeight(), s.PhotoWidth(),
                   s.PhotoMargin(), file, 1);
  // The record is done with before the strip takes the thumbnail: the strip lets
  // messages run, in which the photo may be removed again.
  const QImage thumbnail = photo.pictureToTumb();
  photo.pictureToTumbFree();
  photo.ReleaseScreenPicture();
  if (to_strip) to_strip(thumbnail);
  return position;
}

int AddPhotoFile(MyPictureManager& job, const QString& file, ImageReadStatus* status,
                 const ThumbnailSink& to_strip) {
  cDIB copy;
  int w = 0;
  int h = 0;
  const JobSettings& s = job.Settings();
  if (!MakeScreenCopy(file, ScreenCopyPixels(s.ScreenPhotoSize, s.ScreenPixelRatio), copy, w, h,
                      status))
    return -1;
  return GetPicture(job, copy, file, w, h, to_strip);
}

int AddPhotoRecord(MyPictureManager& job, const QString& file, ImageReadStatus* status) {
  int w = 0;
  int h = 0;
  if (!ImageFileSize(file, w, h, status)) return -1;
  // The profile flag and description as the screen copy would carry them, from a
  // one-pixel surface through the same colour management.
  cDIB pixel;
  if (!pixel.Create(1, 1)) return -1;
  PreviewColourManagement(file, pixel);
  cDIB record;
  record.HaveEmbededProfile = pixel.HaveEmbededProfile;
  record.EmbededProfileDescription = pixel.EmbededProfileDescription;
  return GetPicture(job, record, file, w, h);
}

}  // namespace tessaly
