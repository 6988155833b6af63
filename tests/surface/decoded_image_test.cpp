#include "surface/decoded_image.h"

#include <gtest/gtest.h>

#include <QImageWriter>
#include <QPixelFormat>
#include <cmath>
#include <functional>
#include <random>
#include <tuple>

#include "support/test_surfaces.h"
#include "surface/crafted_files.h"
#include "surface/image_file_reader.h"

namespace tessaly {
namespace {

// Pixel (x, y) of an 8- or 16-bit RGBA image as 0xBBGGRR, from its stored samples
// in double precision: straight alpha over white, or premultiplied alpha plus the
// white the pixel leaves uncovered.
std::uint32_t OverWhite(const QImage& image, int x, int y) {
  const bool deep = image.depth() == 64;
  const double max = deep ? 65535.0 : 255.0;
  const QRgba64 p =
      deep ? reinterpret_cast<const QRgba64*>(image.constScanLine(y))[x]
           : QRgba64::fromArgb32(reinterpret_cast<const QRgb*>(image.constScanLine(y))[x]);
  const double scale = deep ? 1.0 : 1.0 / 257.0;  // fromArgb32 widens 8 bits to 16
  const double a = p.alpha() * scale;
  const bool premultiplied = image.pixelFormat().premultiplied() == QPixelFormat::Premultiplied;
  const auto channel = [&](double c) {
    c *= scale;
    return static_cast<int>(
        std::lrint(((premultiplied ? c : c * a / max) + max - a) * 255.0 / max));
  };
  return test::Rgb(channel(p.red()), channel(p.green()), channel(p.blue()));
}

TEST(DecodedImage, EveryAlphaRouteMatchesTheDirectFormula) {
  const int w = 67, h = 45;  // several bands would need a wider picture; rows still odd
  std::mt19937 rng(11);
  std::uniform_int_distribution<int> byte(0, 255), word(0, 65535);
  QImage straight8(w, h, QImage::Format_ARGB32), pre8(w, h, QImage::Format_ARGB32_Premultiplied);
  QImage straight16(w, h, QImage::Format_RGBA64), pre16(w, h, QImage::Format_RGBA64_Premultiplied);
  QImage opaque16(w, h, QImage::Format_RGBX64);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const int a = byte(rng);
      reinterpret_cast<QRgb*>(straight8.scanLine(y))[x] = qRgba(byte(rng), byte(rng), byte(rng), a);
      std::uniform_int_distribution<int> under(0, a);
      reinterpret_cast<QRgb*>(pre8.scanLine(y))[x] = qRgba(under(rng), under(rng), under(rng), a);
      const int a16 = word(rng);
      std::uniform_int_distribution<int> under16(0, a16);
      reinterpret_cast<QRgba64*>(straight16.scanLine(y))[x] =
          QRgba64::fromRgba64(word(rng), word(rng), word(rng), a16);
      reinterpret_cast<QRgba64*>(pre16.scanLine(y))[x] =
          QRgba64::fromRgba64(under16(rng), under16(rng), under16(rng), a16);
      reinterpret_cast<QRgba64*>(opaque16.scanLine(y))[x] =
          QRgba64::fromRgba64(word(rng), word(rng), word(rng), 65535);
    }
  for (const QImage* image : {&straight8, &pre8, &straight16, &pre16, &opaque16}) {
    SCOPED_TRACE(image->format());
    SurfaceBuffer dib;
    ASSERT_TRUE(SurfaceFromDecodedImage(*image, dib));
    int mismatches = 0;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        mismatches += test::PixelOf(dib.View(), x, y) != OverWhite(*image, x, y);
    EXPECT_EQ(mismatches, 0);
  }
}

TEST(DecodedImage, WidePicturesConvertBandByBandWithoutLosingRows) {
  // 2100 pixels × 8 bytes per working pixel: a 4 MiB band is 249 rows, so 600
  // rows take three bands of different lengths.
  const int w = 2100, h = 600;
  QImage image(w, h, QImage::Format_RGBX64);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      reinterpret_cast<QRgba64*>(image.scanLine(y))[x] =
          QRgba64::fromRgba64(257 * (y % 256), 257 * (x % 256), 257 * ((x + y) % 256), 65535);
  SurfaceBuffer dib;
  ASSERT_TRUE(SurfaceFromDecodedImage(image, dib));
  for (int y : {0, 248, 249, 250, 497, 498, 599})
    for (int x : {0, 1, 1000, 2099})
      EXPECT_EQ(test::PixelOf(dib.View(), x, y), test::Rgb(y % 256, x % 256, (x + y) % 256))
          << x << "," << y;
}

// The same rules through real files written by Qt's PNG encoder: 16-bit samples
// with alpha, grey and palette pictures.
TEST(DecodedImage, PngFilesWithAlphaSixteenBitsGreyAndPalette) {
  const QString dir = QString::fromStdString(test::TempDir());
  QImage deep(5, 3, QImage::Format_RGBA64), grey(5, 3, QImage::Format_Grayscale8);
  QImage palette(5, 3, QImage::Format_Indexed8);
  palette.setColorTable({qRgb(255, 0, 0), qRgb(0, 0, 255), qRgb(1, 2, 3)});
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x) {
      reinterpret_cast<QRgba64*>(deep.scanLine(y))[x] =
          QRgba64::fromRgba64(257 * 50 + 128 + x, 13000 * y, 65535, 65535 - 9000 * x);
      grey.scanLine(y)[x] = static_cast<uchar>(50 * x + y);
      palette.scanLine(y)[x] = static_cast<uchar>((x + y) % 3);
    }
  // {name, picture, expected pixel (x, y)}
  const std::tuple<const char*, const QImage&, std::function<std::uint32_t(int, int)>> cases[] = {
      {"rgba16", deep, [&](int x, int y) { return OverWhite(deep, x, y); }},
      {"grey8", grey, [&](int x, int y) { return 0x010101u * grey.constScanLine(y)[x]; }},
      {"palette", palette,
       [&](int x, int y) { return test::FromQRgb(palette.color(palette.constScanLine(y)[x])); }},
  };
  for (const auto& [name, image, expected] : cases) {
    const QString path = dir + "/" + name + ".png";
    ASSERT_TRUE(QImageWriter(path, "png").write(image)) << name;
    SurfaceBuffer dib;
    ASSERT_TRUE(ReadImageFile(path, dib)) << name;
    ASSERT_EQ(QSize(dib.View().width, dib.View().height), QSize(5, 3));
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 5; ++x)
        EXPECT_EQ(test::PixelOf(dib.View(), x, y), expected(x, y)) << name << " " << x << "," << y;
  }
  // The 16-bit file really holds 16 bits a sample (IHDR bit depth), so the
  // 16-to-8 rounding above was exercised on the file's own samples.
  EXPECT_EQ(static_cast<int>(test::ReadFileBytes(dir + "/rgba16.png")[24]), 16);
}

}  // namespace
}  // namespace tessaly
