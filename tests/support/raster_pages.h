// Pages of the raster files a driverless printer receives from the CUPS queue here:
// Apple raster ("UNIRAST", a 32-byte header per page), run-length encoded line by
// line. Only 8-bit grey and 8-bit RGB pages decode;
// anything else, a size past the limits or data that ends early fails with a reason.
// Every size is checked against the bytes left before anything is allocated.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <vector>

namespace tessaly::test {

struct RasterPage {
  int width = 0;  // pixels
  int height = 0;
  int x_dpi = 0;
  int y_dpi = 0;
  QString colour_space;  // "sRGB", "sGray", "AdobeRGB", "RGB" or "Gray"
  int bits_per_colour = 0;
  int bits_per_pixel = 0;
  QImage pixels;  // Format_RGB888 for the RGB spaces, Format_Grayscale8 for grey
};

// The pages of a whole Apple raster file; false with `error` set, and no
// pages, when the file is not one or cannot be decoded.
bool DecodeRaster(const QByteArray& bytes, std::vector<RasterPage>& pages, QString& error);
// DecodeRaster on the file at `path`.
bool ReadRasterFile(const QString& path, std::vector<RasterPage>& pages, QString& error);

// The path of the most recently modified file directly in `folder`; "" when none.
QString NewestFile(const QString& folder);

}  // namespace tessaly::test
