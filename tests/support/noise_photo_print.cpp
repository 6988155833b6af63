// One noisy photo through the whole print run, and the pixels it must arrive with.
#include "support/noise_photo_print.h"

#include <QDir>
#include <cmath>

#include "colour/colour_profiles.h"
#include "job/add_photo.h"
#include "print/job_layout.h"
#include "print/print_window.h"
#include "support/test_surfaces.h"
#include "surface/cgdiimage.h"

namespace tessaly::test {
namespace {

// 3:2 like the photo size, so that the crop frame takes the whole photo.
constexpr int kPhotoWidth = 150;
constexpr int kPhotoHeight = 100;
constexpr std::uint32_t kSeed = 7;
const PhotoSize kSize{90.0, 60.0, 2.0};

}  // namespace

int PrintNoisePhoto(PrinterAccess& access, const QString& folder, QImage& expected) {
  const QString path = QDir(folder).filePath(QStringLiteral("noise.png"));
  if (!RandomSurface(kPhotoWidth, kPhotoHeight, kSeed).ToQImage().save(path, "PNG")) return 0;

  JobSettings settings;
  settings.Size = kSize;
  settings.ICM = 1;  // sRGB
  MyPictureManager job(settings);
  const int position = AddPhotoFile(job, path);
  if (position < 0 || !access.Device()) return 0;
  MyPicture& photo = job.At(position);
  photo.SetPhotoLabel(QString());
  PageLayout layout;
  ComputeJobLayout(layout, *access.Device(), job.Settings());
  if (layout.GetPageCellCount() < 1) return 0;
  PrintWindow window(job, access, layout);
  window.PrintIt(false);

  // The renderer's steps for this photo: the crop frame in file pixels, resampled by
  // ToDib, converted from sRGB to sRGB, turned to a landscape or upright cell.
  cGDIImage image;
  if (!image.CreateFromFile(path)) return 0;
  const auto to_file = [](int crop, double scale, int pixels) {
    return static_cast<int>(std::nearbyint(crop / scale * pixels));
  };
  const int wi = image.Width();
  const int hi = image.Height();
  cDIB work =
      image.ToDib(false, true, 0, 0, to_file(photo.CropX0(), photo.ScaleWidth(), wi),
                  to_file(photo.CropY0(), photo.ScaleHeight(), hi),
                  to_file(photo.CropX1(), photo.ScaleWidth(), wi),
                  to_file(photo.CropY1(), photo.ScaleHeight(), hi), cGDIImage::kHighQualityBicubic);
  void* srgb_in = CreateSrgbProfile();
  void* srgb_out = CreateSrgbProfile();
  const bool converted = work.ColorTransform(srgb_in, srgb_out);
  CloseProfile(srgb_in);
  CloseProfile(srgb_out);
  if (!converted || !image.CreateFromDIB(work)) return 0;
  const int orientation = layout.GetPageCells().front().Orientation;
  const bool keep = (work.Height() < work.Width() && orientation == 2) ||
                    (work.Width() < work.Height() && orientation == 1);
  if (!keep) image.Rotate(-90);
  // The page keeps the surface's memory rows, bottom row first, and its matrix shows
  // them upright (the page geometry tests see them upright).
  expected = image.ToDib(false, false, 0, 0, 0, 0, 0, 0, cGDIImage::kHighQualityBicubic)
                 .ToQImage()
                 .convertToFormat(QImage::Format_RGB32)
                 .mirrored(false, true);
  return window.PagesEnded();
}

}  // namespace tessaly::test
