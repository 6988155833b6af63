// The open-photos dialog's caption, filter, adding order and status texts.
#include "workspace/open_photos_rules.h"

#include <QCoreApplication>
#include <algorithm>

namespace tessaly {

QString OpenPhotosFilter() {
  return QStringLiteral(
      "Image files |*.JPG;*.JPEG;*.JPE;*.TIF;*.TIFF;*.PNG;*.BMP;*.WEBP;*.HEIC;*.HEIF;*.AVIF;"
      "*.JXL|"
      "JPEG (*.JPG; *.JPEG; *.JPE)|*.JPG;*.JPEG;*.JPE|"
      "TIFF (*.TIF; *.TIFF)|*.TIF;*.TIFF|"
      "PNG (*.PNG)|*.PNG|"
      "BMP (*.BMP)|*.BMP|"
      "All Files|*.*");
}

QStringList OpenPhotosOrder(QStringList files) {
  // Neighbours swap only when strictly out of order, so the sort is stable.
  std::stable_sort(files.begin(), files.end(),
                   [](const QString& a, const QString& b) { return a.toUpper() < b.toUpper(); });
  return files;
}

QString LoadingText(int i, int n) {
  if (n <= 1) return QStringLiteral("Loading Image...");
  return QCoreApplication::translate("Tessaly", "Loading Image %1 of %2...").arg(i).arg(n);
}

}  // namespace tessaly
