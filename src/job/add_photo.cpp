// Adding a photo file: its screen copy (longer side S, nearest with halves to even
// for the other side), decoded DCT-scaled when the file allows it, converted for
// the display, then a new record of the job loaded with it.
#include "job/add_photo.h"

#include <cmath>
#include <cstdint>

#include "colour/colour_transform.h"
#include "surface/cgdiimage.h"
#include "surface/image_file_reader.h"

namespace tessaly {
namespace {

// The resampling mode the screen copy asks for: high-quality bicubic.
constexpr int kHighQualityBicubic = 7;

// nearest(a / b) for integer a and positive b, halves to even.
int NearestQuotient(std::int64_t a, int b) {
  return static_cast<int>(std::nearbyint(static_cast<double>(a) / b));
}

}  // namespace

void ScreenCopySize(int w, int h, int S, int& width, int& height) {
  // S·h and S·w are whole products before the division; 64 bits hold every size
  // the surface limits allow.
  if (h < w) {
    width = S;
    height = NearestQuotient(static_cast<std::int64_t>(S) * h, w);
  } else {
    height = S;
    width = h > 0 ? NearestQuotient(static_cast<std::int64_t>(S) * w, h) : 0;
  }
}

bool MakeScreenCopy(const QString& file, int S, cDIB& copy, int& w, int& h) {
  if (!ImageFileSize(file, w, h)) return false;
  int width = 0;
  int height = 0;
  ScreenCopySize(w, h, S, width, height);
  copy = ScaledCopyFromFile(file, width, height);
  if (!copy.IsCreated()) {
    cGDIImage image;
    if (!image.CreateFromFile(file)) return false;
    copy = image.ToDib(true, false, width, height, 0, 0, 0, 0, kHighQualityBicubic);
    if (!copy.IsCreated()) return false;
  }
  PreviewColourManagement(file, copy);
  return true;
}

int GetPicture(MyPictureManager& job, cDIB& surface, const QString& file, int w, int h) {
  const int position = job.Add();
  MyPicture& photo = job.At(position);
  const JobSettings& s = job.Settings();
  photo.SetPicture(surface, w, h, s.ScreenPhotoSize, s.PhotoHeight(), s.PhotoWidth(),
                   s.PhotoMargin(), file, 1);
  photo.pictureToTumbFree();
  return position;
}

int AddPhotoFile(MyPictureManager& job, const QString& file) {
  cDIB copy;
  int w = 0;
  int h = 0;
  if (!MakeScreenCopy(file, job.Settings().ScreenPhotoSize, copy, w, h)) return -1;
  return GetPicture(job, copy, file, w, h);
}

}  // namespace tessaly
