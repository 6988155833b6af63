// Band-wise conversion of a decoded QImage into the surface layout. Each band of
// rows is converted by Qt to one of six working formats (8 or 16 bits per channel;
// opaque, straight or premultiplied alpha) and then written row by row with the
// compositing rule of that format.
#include "surface/decoded_image.h"

#include <QPixelFormat>
#include <QRgba64>
#include <algorithm>
#include <cstdint>

namespace tessaly {
namespace {

// Bytes of one band's working copy: small next to a photo, large enough that the
// per-band set-up cost disappears.
constexpr std::size_t kBandBytes = std::size_t{4} << 20;
// Working formats hold at most 8 bytes a pixel (16-bit RGBA).
constexpr std::size_t kWorkingPixelBytes = 8;

constexpr std::uint32_t kMax8 = 255;
constexpr std::uint64_t kMax16 = 65535;
// 65535 / 255: one 8-bit step in 16-bit units.
constexpr std::uint32_t kStep16 = 257;

enum class Route { Opaque8, Straight8, Premultiplied8, Opaque16, Straight16, Premultiplied16 };

bool IsDeep(QImage::Format format) {
  switch (format) {
    case QImage::Format_Grayscale16:
    case QImage::Format_BGR30:
    case QImage::Format_A2BGR30_Premultiplied:
    case QImage::Format_RGB30:
    case QImage::Format_A2RGB30_Premultiplied:
    case QImage::Format_RGBX64:
    case QImage::Format_RGBA64:
    case QImage::Format_RGBA64_Premultiplied:
    case QImage::Format_RGBX16FPx4:
    case QImage::Format_RGBA16FPx4:
    case QImage::Format_RGBA16FPx4_Premultiplied:
    case QImage::Format_RGBX32FPx4:
    case QImage::Format_RGBA32FPx4:
    case QImage::Format_RGBA32FPx4_Premultiplied:
      return true;
    default:
      return false;
  }
}

Route RouteFor(const QImage& image) {
  const bool deep = IsDeep(image.format());
  if (!image.hasAlphaChannel()) return deep ? Route::Opaque16 : Route::Opaque8;
  const bool premultiplied = image.pixelFormat().premultiplied() == QPixelFormat::Premultiplied;
  if (deep) return premultiplied ? Route::Premultiplied16 : Route::Straight16;
  return premultiplied ? Route::Premultiplied8 : Route::Straight8;
}

QImage::Format WorkingFormat(Route route) {
  switch (route) {
    case Route::Opaque8:
      return QImage::Format_RGB32;
    case Route::Straight8:
      return QImage::Format_ARGB32;
    case Route::Premultiplied8:
      return QImage::Format_ARGB32_Premultiplied;
    case Route::Opaque16:
      return QImage::Format_RGBX64;
    case Route::Straight16:
      return QImage::Format_RGBA64;
    case Route::Premultiplied16:
      return QImage::Format_RGBA64_Premultiplied;
  }
  return QImage::Format_RGB32;
}

// 16-bit to 8-bit, rounded to nearest: v / 257 is never exactly halfway.
inline std::uint8_t To8(std::uint32_t v16) {
  return static_cast<std::uint8_t>((v16 + kStep16 / 2) / kStep16);
}

// round((c·a + 255·(255 − a)) / 255); the quotient is never exactly halfway
// because 255 is odd.
inline std::uint8_t OverWhite8(std::uint32_t c, std::uint32_t a) {
  return static_cast<std::uint8_t>((c * a + kMax8 * (kMax8 - a) + kMax8 / 2) / kMax8);
}

inline std::uint8_t OverWhitePremultiplied8(std::uint32_t c, std::uint32_t a) {
  return static_cast<std::uint8_t>(std::min(kMax8, c + kMax8 - a));
}

// Straight 16-bit alpha onto white, then to 8 bits in one rounding:
// round((c·a + M·(M − a)) / (M·257)), M = 65535; the divisor is odd, so no ties.
inline std::uint8_t OverWhite16(std::uint64_t c, std::uint64_t a) {
  constexpr std::uint64_t kDivisor = kMax16 * kStep16;
  return static_cast<std::uint8_t>((c * a + kMax16 * (kMax16 - a) + kDivisor / 2) / kDivisor);
}

inline std::uint8_t OverWhitePremultiplied16(std::uint64_t c, std::uint64_t a) {
  return To8(static_cast<std::uint32_t>(std::min(kMax16, c + kMax16 - a)));
}

void WriteRow(Route route, const uchar* line, std::uint8_t* dst, int width) {
  switch (route) {
    case Route::Opaque8: {
      const QRgb* s = reinterpret_cast<const QRgb*>(line);
      for (int c = 0; c < width; ++c, dst += 3) {
        dst[0] = static_cast<std::uint8_t>(qBlue(s[c]));
        dst[1] = static_cast<std::uint8_t>(qGreen(s[c]));
        dst[2] = static_cast<std::uint8_t>(qRed(s[c]));
      }
      break;
    }
    case Route::Straight8:
    case Route::Premultiplied8: {
      const QRgb* s = reinterpret_cast<const QRgb*>(line);
      const bool pre = route == Route::Premultiplied8;
      for (int c = 0; c < width; ++c, dst += 3) {
        const std::uint32_t a = qAlpha(s[c]);
        const std::uint32_t b = qBlue(s[c]), g = qGreen(s[c]), r = qRed(s[c]);
        dst[0] = pre ? OverWhitePremultiplied8(b, a) : OverWhite8(b, a);
        dst[1] = pre ? OverWhitePremultiplied8(g, a) : OverWhite8(g, a);
        dst[2] = pre ? OverWhitePremultiplied8(r, a) : OverWhite8(r, a);
      }
      break;
    }
    case Route::Opaque16: {
      const QRgba64* s = reinterpret_cast<const QRgba64*>(line);
      for (int c = 0; c < width; ++c, dst += 3) {
        dst[0] = To8(s[c].blue());
        dst[1] = To8(s[c].green());
        dst[2] = To8(s[c].red());
      }
      break;
    }
    case Route::Straight16:
    case Route::Premultiplied16: {
      const QRgba64* s = reinterpret_cast<const QRgba64*>(line);
      const bool pre = route == Route::Premultiplied16;
      for (int c = 0; c < width; ++c, dst += 3) {
        const std::uint64_t a = s[c].alpha();
        const std::uint64_t b = s[c].blue(), g = s[c].green(), r = s[c].red();
        dst[0] = pre ? OverWhitePremultiplied16(b, a) : OverWhite16(b, a);
        dst[1] = pre ? OverWhitePremultiplied16(g, a) : OverWhite16(g, a);
        dst[2] = pre ? OverWhitePremultiplied16(r, a) : OverWhite16(r, a);
      }
      break;
    }
  }
}

// Rows y0 .. y0+rows−1 of `image` as an image of their own, sharing its memory.
QImage BandOf(const QImage& image, int y0, int rows) {
  QImage band(image.constScanLine(y0), image.width(), rows, image.bytesPerLine(), image.format());
  if (image.format() == QImage::Format_Indexed8 || image.format() == QImage::Format_Mono ||
      image.format() == QImage::Format_MonoLSB)
    band.setColorTable(image.colorTable());
  return band;
}

}  // namespace

bool SurfaceFromDecodedImage(const QImage& image, SurfaceBuffer& out) {
  out.Release();
  if (image.isNull() || !SurfaceSizeAllowed(image.width(), image.height())) return false;
  const int width = image.width(), height = image.height();
  if (!out.Allocate(width, height)) return false;

  const Route route = RouteFor(image);
  const QImage::Format working = WorkingFormat(route);
  const int band_rows = static_cast<int>(std::max<std::size_t>(
      1, kBandBytes / (kWorkingPixelBytes * static_cast<std::size_t>(width))));
  const SurfaceView& view = out.View();
  for (int y0 = 0; y0 < height; y0 += band_rows) {
    const int rows = std::min(band_rows, height - y0);
    const QImage band = BandOf(image, y0, rows).convertToFormat(working);
    if (band.isNull()) {
      out.Release();
      return false;
    }
    // Picture row y is memory row height − 1 − y.
    for (int i = 0; i < rows; ++i)
      WriteRow(route, band.constScanLine(i), view.Row(height - 1 - (y0 + i)), width);
  }
  return true;
}

}  // namespace tessaly
