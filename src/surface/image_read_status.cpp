// The words for each reason a photo file could not be opened; the size limit is
// spelt from the surface limits themselves.
#include "surface/image_read_status.h"

#include <QCoreApplication>

#include "surface/surface_view.h"

namespace tessaly {

QString OpeningErrorText(const QString& file, ImageReadStatus status) {
  const QString why = ImageReadStatusText(status);
  const QString text = QCoreApplication::translate("Tessaly", "Error opening file '%1'").arg(file);
  return why.isEmpty() ? text : text + u'\r' + why;
}

QString ImageReadStatusText(ImageReadStatus status) {
  switch (status) {
    case ImageReadStatus::kOk:
      return QString();
    case ImageReadStatus::kPartial:
      return QStringLiteral("truncated: its data stops before the end of the picture");
    case ImageReadStatus::kNotRegularFile:
      return QStringLiteral("not a regular file");
    case ImageReadStatus::kCannotRead:
      return QStringLiteral("cannot be read");
    case ImageReadStatus::kNotPhoto:
      return QStringLiteral("not a photo file");
    case ImageReadStatus::kUnsupported:
      return QStringLiteral("unsupported format");
    case ImageReadStatus::kTooLarge:
      return QCoreApplication::translate("Tessaly", "larger than %1 megapixels or %2 pixels a side")
          .arg(kMaxSurfacePixels / 1'000'000)
          .arg(kMaxSurfaceSide);
    case ImageReadStatus::kTruncated:
      return QStringLiteral("truncated: far too small for the picture its header describes");
    case ImageReadStatus::kDamaged:
      return QStringLiteral("damaged: its picture data is cut short or corrupt");
    case ImageReadStatus::kOutOfMemory:
      return QStringLiteral("not enough memory");
  }
  return QString();
}

}  // namespace tessaly
