// The raster reader against the CUPS library's own raster writer: a 13 x 7 page with
// repeated rows, runs and literal pixels, written as PWG raster and as Apple raster,
// in RGB and in grey, must come back with the same pixels, size, resolution and
// colour space. Every shorter piece of such a file, and a header claiming a page four
// billion rows high, must fail with a reason and no pages.
#include <cups/raster.h>
#include <gtest/gtest.h>

#include <QTemporaryFile>

#include "support/raster_pages.h"

namespace tessaly::test {
namespace {

struct Case {
  cups_mode_t mode;
  const char* type;  // the PWG raster type
  int x_dpi;
  int y_dpi;  // Apple raster has one resolution for both
  const char* space;
  QImage::Format format;
};
const Case kCases[] = {
    {CUPS_RASTER_WRITE_PWG, "srgb_8", 300, 600, "sRGB", QImage::Format_RGB888},
    {CUPS_RASTER_WRITE_PWG, "sgray_8", 600, 300, "sGray", QImage::Format_Grayscale8},
    {CUPS_RASTER_WRITE_APPLE, "srgb_8", 300, 300, "sRGB", QImage::Format_RGB888},
    {CUPS_RASTER_WRITE_APPLE, "sgray_8", 600, 600, "sGray", QImage::Format_Grayscale8},
};

// Rows 0-2 alike (one row repeated): a run of 5 pixels, then 8 different ones; rows
// 3-6 of all different pixels, which the writer stores literally.
QImage Pattern(QImage::Format format) {
  QImage image(13, 7, format);
  const int channels = format == QImage::Format_RGB888 ? 3 : 1;
  for (int y = 0; y < image.height(); ++y) {
    uchar* row = image.scanLine(y);
    for (int i = 0; i < image.width() * channels; ++i)
      row[i] = y < 3 ? (i / channels < 5 ? 40 : 200 + i) : uchar(i * 37 + y * 91);
  }
  return image;
}

// `image` written by the CUPS library in `c.mode` as one page.
QByteArray WriteWithCups(const QImage& image, const Case& c) {
  QTemporaryFile file;
  if (!file.open()) return QByteArray();
  cups_raster_t* raster = cupsRasterOpen(file.handle(), c.mode);
  cups_page_header2_t header;
  cupsRasterInitPWGHeader(&header, pwgMediaForPWG("na_index-4x6_4x6in"), c.type, c.x_dpi, c.y_dpi,
                          "one-sided", nullptr);
  header.cupsWidth = unsigned(image.width());
  header.cupsHeight = unsigned(image.height());
  header.cupsBytesPerLine = header.cupsWidth * header.cupsBitsPerPixel / 8;
  bool written = cupsRasterWriteHeader2(raster, &header);
  for (int y = 0; y < image.height(); ++y)
    written = written && cupsRasterWritePixels(raster, const_cast<uchar*>(image.constScanLine(y)),
                                               header.cupsBytesPerLine) > 0;
  cupsRasterClose(raster);
  file.seek(0);
  return written ? file.readAll() : QByteArray();
}

TEST(RasterPagesTest, DecodesWhatTheCupsWriterWrites) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(QStringLiteral("%1 %2").arg(c.mode).arg(c.type).toStdString());
    const QImage image = Pattern(c.format);
    const QByteArray bytes = WriteWithCups(image, c);
    ASSERT_FALSE(bytes.isEmpty());
    std::vector<RasterPage> pages;
    QString error;
    ASSERT_TRUE(DecodeRaster(bytes, pages, error)) << error.toStdString();
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(pages[0].width, 13);
    EXPECT_EQ(pages[0].height, 7);
    EXPECT_EQ(pages[0].x_dpi, c.x_dpi);
    EXPECT_EQ(pages[0].y_dpi, c.y_dpi);
    EXPECT_EQ(pages[0].colour_space, QLatin1String(c.space));
    EXPECT_EQ(pages[0].bits_per_colour, 8);
    EXPECT_EQ(pages[0].pixels, image);

    for (qsizetype size = 0; size < bytes.size(); ++size) {
      EXPECT_FALSE(DecodeRaster(bytes.left(size), pages, error)) << size << " bytes";
      EXPECT_TRUE(pages.empty() && !error.isEmpty());
    }
    // The height: 376 bytes into the PWG page header, after the 4-byte sync; 16 bytes
    // into the Apple page header, after the 12-byte file header.
    QByteArray huge = bytes;
    huge.replace(c.mode == CUPS_RASTER_WRITE_PWG ? 4 + 376 : 12 + 16, 4, "\xff\xff\xff\xf0", 4);
    EXPECT_FALSE(DecodeRaster(huge, pages, error));
    EXPECT_TRUE(error.contains(QLatin1String("pixels"))) << error.toStdString();
  }
}

// A hand-made Apple raster page of 3 x 2 grey pixels at 300 dpi: one row, repeated
// once, of a pixel 0x10 and the rest filled white. Repeated twice it runs past the page.
TEST(RasterPagesTest, FillsRowsAndRefusesRepeatsPastThePage) {
  QByteArray bytes("UNIRAST\0\0\0\0\1", 12);
  QByteArray header(32, '\0');
  header[0] = 8;  // bits per pixel; colour space 0 is sGray
  header[15] = 3;
  header[19] = 2;
  header[22] = 300 >> 8;
  header[23] = char(300 & 0xff);
  bytes += header + QByteArray("\x01\x00\x10\x80", 4);
  std::vector<RasterPage> pages;
  QString error;
  ASSERT_TRUE(DecodeRaster(bytes, pages, error)) << error.toStdString();
  ASSERT_EQ(pages.size(), 1u);
  ASSERT_EQ(pages[0].pixels.size(), QSize(3, 2));
  for (int y = 0; y < 2; ++y)
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(pages[0].pixels.constScanLine(y)), 3),
              QByteArray("\x10\xff\xff", 3));
  bytes[12 + 32] = 2;
  EXPECT_FALSE(DecodeRaster(bytes, pages, error));
  EXPECT_TRUE(error.contains(QLatin1String("repeated"))) << error.toStdString();
}

}  // namespace
}  // namespace tessaly::test
