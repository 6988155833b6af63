// Why a photo file could or could not be opened: one small code per reason and the
// plain words a person is told for it. kOk and kPartial open (kPartial: the file's
// data stops early and the missing part of the picture shows grey); every other
// code means nothing was decoded.
#pragma once

#include <QString>

namespace tessaly {

enum class ImageReadStatus {
  kOk,
  kPartial,         // opens, but its data stops before the end of the picture
  kNotRegularFile,  // a folder, FIFO, device or socket
  kCannotRead,      // missing, no permission, or an input error
  kNotPhoto,        // the content is no image format at all
  kUnsupported,     // an image format, or a variant of one, that no reader here decodes
  kTooLarge,        // above the surface limits
  kTruncated,       // far smaller than the pixels its header promises could compress to
  kDamaged,         // its data is cut short or corrupt where the format can tell
  kOutOfMemory
};

// True for the codes that give a picture.
constexpr bool ImageReadOpens(ImageReadStatus status) {
  return status == ImageReadStatus::kOk || status == ImageReadStatus::kPartial;
}

// The reason in plain words ("not a photo file", "truncated" …); empty for kOk.
QString ImageReadStatusText(ImageReadStatus status);
// "Error opening file '…'" and, on a line of its own (after a carriage return), why.
QString OpeningErrorText(const QString& file, ImageReadStatus status);

}  // namespace tessaly
