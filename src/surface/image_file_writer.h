// Writing a pixel surface as an image file: 1 JPEG (TurboJPEG, quality 0..100),
// 2 PNG, 3 TIFF without compression, 4 BMP (24-bit, bottom-up rows), each with the
// print resolution in its resolution fields (JFIF density and EXIF, pHYs, TIFF
// resolution, BMP pixels per metre), but for BMP the ICC profile of its pixels, and
// for JPEG and TIFF the camera's EXIF data (camera_exif.h). The file is
// written under a temporary name in the target folder and named at the end only when
// every byte reached the disk, and never in place of anything already at the name:
// a failure leaves nothing behind. Failures come back as a status whose text is one
// of four messages.
#pragma once

#include <QByteArray>
#include <QString>

#include "surface/camera_exif.h"
#include "surface/surface_view.h"

namespace tessaly {

enum SaveFormat : int { kSaveJpeg = 1, kSavePng = 2, kSaveTiff = 3, kSaveBmp = 4 };

// Save status numbers, kept from the codec numbering the program's stored codes use.
enum SaveStatus : int {
  kSaveOk = 0,
  kSaveGenericError = 1,
  kSaveInvalidParameter = 2,
  kSaveOutOfMemory = 3,
  kSaveFileNotFound = 10,
  kSaveAccessDenied = 12,
  // Something (a file, folder or symlink) holds the name; its text is the general one.
  kSaveNameTaken = 100
};

// What a file says of its pixels besides them: the print resolution in pixels per
// millimetre (0: unknown, the formats' defaults stay), the ICC profile of the
// pixels (empty: none) and the camera's EXIF data (JPEG and TIFF only).
struct ImageFileMetadata {
  double pixels_per_mm = 0;
  QByteArray icc_profile;
  CameraExif camera;
};

// Writes `view` to `file` in `format`. A format outside 1..4, an empty surface or a
// JPEG quality outside 0..100 gives kSaveInvalidParameter before any file is
// touched; an entry of that name, there before or appearing while the file is
// written, gives kSaveNameTaken and stays as it was.
SaveStatus WriteImageFile(const SurfaceView& view, const QString& file, int format,
                          int jpeg_quality, const ImageFileMetadata& metadata = {});

// The user's text for a status: "" for kSaveOk, else one of "Out Of Memory",
// "File Not Found", "Access Denied" or the general "Can't save the file…" text.
QString SaveStatusText(int status);

}  // namespace tessaly
