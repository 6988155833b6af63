#include "surface/cgdiimage.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QPainter>
#include <array>
#include <cstdlib>
#include <tuple>

#include "support/scoped_state.h"
#include "support/test_surfaces.h"
#include "surface/crafted_files.h"
#include "surface/resample.h"

namespace tessaly {
namespace {

int ChannelDistance(std::uint32_t a, std::uint32_t b) {
  int worst = 0;
  for (int shift = 0; shift < 24; shift += 8)
    worst = std::max(worst, std::abs(static_cast<int>((a >> shift) & 0xFF) -
                                     static_cast<int>((b >> shift) & 0xFF)));
  return worst;
}

// Orientation and channel order, checked with Qt's own readers as the independent
// decoder and with ours: red must come back at the top-left. The lossless formats
// come back byte-exact.
TEST(cGDIImage, EveryFormatKeepsOrientationAndChannelOrder) {
  // A picture split at (w/2, h/2) into four flat quadrants: red top-left, green
  // top-right, blue bottom-left, grey bottom-right.
  const int w = 41, h = 29;
  QImage picture(w, h, QImage::Format_RGB32);
  QPainter painter(&picture);
  painter.fillRect(0, 0, w / 2, h / 2, QColor(255, 0, 0));
  painter.fillRect(w / 2, 0, w - w / 2, h / 2, QColor(0, 255, 0));
  painter.fillRect(0, h / 2, w / 2, h - h / 2, QColor(0, 0, 255));
  painter.fillRect(w / 2, h / 2, w - w / 2, h - h / 2, QColor(128, 128, 128));
  painter.end();
  cDIB quadrants;
  ASSERT_EQ(quadrants.CreateFromStdPicture(picture), 24);
  cGDIImage source;
  ASSERT_TRUE(source.CreateFromDIB(quadrants));
  // {format, file, largest channel error}
  const std::tuple<int, const char*, int> formats[] = {
      {1, "q.jpg", 6}, {2, "q.png", 0}, {3, "q.tif", 0}, {4, "q.bmp", 0}};
  // {x, y, colour}
  const std::tuple<int, int, std::uint32_t> probes[] = {{5, 4, test::Rgb(255, 0, 0)},
                                                        {w - 6, 4, test::Rgb(0, 255, 0)},
                                                        {5, h - 5, test::Rgb(0, 0, 255)},
                                                        {w - 6, h - 5, test::Rgb(128, 128, 128)}};
  for (const auto& [format, name, tolerance] : formats) {
    const QString path = test::TestFile(name);
    ASSERT_TRUE(source.Save(path, format, 95)) << name;
    EXPECT_EQ(source.SaveError(), "");
    const QImage qt(path);
    ASSERT_EQ(qt.size(), QSize(w, h)) << name;
    cGDIImage ours;
    ASSERT_TRUE(ours.CreateFromFile(path)) << name;
    for (const auto& [x, y, colour] : probes) {
      EXPECT_LE(ChannelDistance(test::FromQRgb(qt.pixel(x, y)), colour), tolerance)
          << name << " (Qt) at " << x << "," << y;
      EXPECT_LE(ChannelDistance(test::PixelOf(ours.Pixels(), x, y), colour), tolerance)
          << name << " at " << x << "," << y;
    }
    if (tolerance == 0) {
      EXPECT_TRUE(test::SamePixels(ours.Pixels(), quadrants.View())) << name;
    }
  }
}

// Destination size and the rectangle handed to the resampler: a crop stretches
// (X1 − X0) × (Y1 − Y0) source pixels from (X0, Y0) onto a surface one pixel larger
// each way, or onto the new size; no crop takes the whole image.
TEST(cGDIImage, ToDibResamplesExactlyTheRectangleItDescribes) {
  cDIB original = test::RandomSurface(150, 250, 8);
  cGDIImage image;
  ASSERT_TRUE(image.CreateFromDIB(original));
  // {scale, crop, new size, crop corners, result size, source rectangle}
  const std::tuple<bool, bool, int, int, int, int, int, int, int, int, int, int, int, int> cases[] =
      {
          {false, true, 0, 0, 10, 20, 109, 219, 100, 200, 10, 20, 99, 199},
          {false, true, 0, 0, 0, 0, 99, 49, 100, 50, 0, 0, 99, 49},
          {true, true, 40, 61, 3, 7, 130, 200, 40, 61, 3, 7, 127, 193},
          {true, false, 47, 83, 0, 0, 0, 0, 47, 83, 0, 0, 150, 250},
      };
  for (const auto& [scale, crop, nw, nh, x0, y0, x1, y1, out_w, out_h, sx, sy, sw, sh] : cases) {
    cDIB out = image.ToDib(scale, crop, nw, nh, x0, y0, x1, y1, cGDIImage::kHighQualityBicubic),
         expected;
    ASSERT_EQ(QSize(out.Width(), out.Height()), QSize(out_w, out_h)) << x0 << "," << y0;
    ASSERT_TRUE(expected.Create(out_w, out_h));
    ASSERT_TRUE(ResampleBicubic(original.View(), sx, sy, sw, sh, expected.View()));
    EXPECT_TRUE(test::SamePixels(out.View(), expected.View())) << x0 << "," << y0;
  }
}

TEST(cGDIImage, CreateFromDibBorrowsPlainToDibCopiesAndFailuresGiveNoSurface) {
  cDIB original = test::RandomSurface(31, 17, 12), empty;
  cGDIImage image;
  EXPECT_FALSE(image.CreateFromDIB(empty));
  EXPECT_FALSE(image.IsCreated());
  EXPECT_FALSE(
      image.ToDib(false, false, 0, 0, 0, 0, 0, 0, cGDIImage::kHighQualityBicubic).IsCreated());
  EXPECT_FALSE(image.CreateFromFile(test::TestFile("missing.png")));
  ASSERT_TRUE(image.CreateFromDIB(original));
  EXPECT_EQ(image.Pixels().bits, original.DIBitsPtr());
  EXPECT_EQ(QSize(image.Width(), image.Height()), QSize(31, 17));
  cDIB copy = image.ToDib(false, false, 0, 0, 0, 0, 0, 0, cGDIImage::kHighQualityBicubic);
  ASSERT_TRUE(copy.IsCreated());
  EXPECT_NE(copy.DIBitsPtr(), original.DIBitsPtr());
  EXPECT_TRUE(test::SamePixels(copy.View(), original.View()));
  // Empty source rectangle, empty or oversized destination: {scale, new w, h, x0, y0, x1, y1}.
  const std::array<int, 7> refused[] = {{0, 0, 0, 5, 5, 5, 9},
                                        {0, 0, 0, 9, 5, 4, 9},
                                        {1, 0, 10, 0, 0, 0, 0},
                                        {1, 70000, 10, 0, 0, 0, 0},
                                        {0, 0, 0, -2147483647, 0, 2147483647, 3}};
  for (const auto& [scale, nw, nh, x0, y0, x1, y1] : refused)
    EXPECT_FALSE(image.ToDib(scale, !scale, nw, nh, x0, y0, x1, y1, cGDIImage::kHighQualityBicubic)
                     .IsCreated())
        << nw << " " << x0 << "," << y0;
  image.Dispose();
  image.Dispose();
  EXPECT_FALSE(image.IsCreated());
  EXPECT_EQ(image.Height(), 0);
  EXPECT_TRUE(original.IsCreated());
}

TEST(cGDIImage, FailedSavesKeepTheirTextUntilReadOnceAndOtherFormatsTouchNoFile) {
  cDIB original = test::RandomSurface(13, 11, 22);
  cGDIImage image, empty;
  ASSERT_TRUE(image.CreateFromDIB(original));
  const QString path = test::TestFile("keep.jpg"), never = test::TestFile("never.png");
  test::PutFile(path, "keep me");
  for (int format : {0, 5, -1}) {
    EXPECT_FALSE(image.Save(path, format, 90)) << format;
    EXPECT_EQ(test::ReadFileBytes(path), QByteArray("keep me")) << format;
    EXPECT_EQ(image.SaveError(),
              "Can't save the file. Check that the path is valid and the file isn't write "
              "protected.");
  }
  EXPECT_FALSE(image.Save(never, 6, 90));
  EXPECT_FALSE(empty.Save(never, 2, 90));
  EXPECT_FALSE(QFile::exists(never));

  EXPECT_FALSE(image.Save(test::TestFile("no_such_folder/photo.jpg"), 1, 90));
  EXPECT_EQ(image.SaveError(), "File Not Found");
  EXPECT_EQ(image.SaveError(), "");
  // A later success leaves nothing to report either.
  EXPECT_FALSE(image.Save(test::TestFile("no_such_folder/photo.jpg"), 1, 90));
  EXPECT_TRUE(image.Save(test::TestFile("photo.jpg"), 1, 90));
  EXPECT_EQ(image.SaveError(), "");
}

}  // namespace
}  // namespace tessaly
