#include "surface/image_file_reader.h"

#include <gtest/gtest.h>

#include <turbojpeg.h>
#include "support/fixtures.h"

#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QtEndian>
#include <array>
#include <string>
#include <tuple>
#include <vector>

#include "support/scoped_state.h"
#include "support/test_surfaces.h"
#include "surface/crafted_files.h"
#include "surface/decoded_image.h"
#include "surface/image_file_writer.h"
#include "surface/resample.h"

namespace tessaly {
namespace {

// Qt's own decoding of a file as a surface (no alpha involved in these files).
// Qt's own reading of the file, turned upright by Qt's reading of the orientation tag.
cDIB QtDecoded(const QString& path) {
  QImageReader reader(path);
  reader.setAutoTransform(true);
  cDIB dib;
  dib.CreateFromStdPicture(reader.read().convertToFormat(QImage::Format_RGB888));
  return dib;
}

TEST(ImageFileReader, EveryFixtureOpensOrFailsCleanly) {
  TESSALY_SKIP_WITHOUT_FIXTURES();
  const QDir dir(test::FixturesDir());
  const QStringList files = dir.entryList(QDir::Files, QDir::Name);
  ASSERT_GE(files.size(), 20);
  int opened = 0;
  for (const QString& name : files) {
    const QString path = dir.filePath(name);
    SurfaceBuffer dib;
    const bool ok = ReadImageFile(path, dib);
    if (!name.startsWith("invalid_")) {
      EXPECT_TRUE(ok) << name.toStdString();
    }
    if (!ok) {
      EXPECT_TRUE(dib.empty());
      continue;
    }
    ++opened;
    int w = 0, h = 0;
    EXPECT_TRUE(ImageFileSize(path, w, h)) << name.toStdString();
    EXPECT_EQ(QSize(dib.View().width, dib.View().height), QSize(w, h)) << name.toStdString();
    // The independent decoder: Qt's readers (libjpeg with the same accurate DCT and
    // smooth upsampling, libtiff) give the very same pixels.
    EXPECT_TRUE(test::SamePixels(dib.View(), QtDecoded(path).View())) << name.toStdString();
  }
  EXPECT_GE(opened, static_cast<int>(files.size()) - 2);
}

// Every reason a file does not open comes back as its own code, from the header
// check and from the decode alike; nothing hangs on a FIFO; a claimed size beyond
// the limits is refused from the header even when the file is complete, and a
// file far too small for its claimed size is refused before its pixels are allocated.
TEST(ImageFileReader, EachReasonAFileDoesNotOpenIsReported) {
  const QByteArray jpeg = test::SmallJpeg(640, 480);
  const QByteArray heif(
      "\0\0\0\x18"
      "ftypheic\0\0\0\0mif1heic",
      24);
  // {name, bytes (written unless the case makes its own file), status}
  const std::tuple<const char*, QByteArray, ImageReadStatus> cases[] = {
      {"complete.jpg", jpeg, ImageReadStatus::kOk},
      {"cut.jpg", jpeg.left(jpeg.size() * 2 / 3), ImageReadStatus::kPartial},
      {"fifo.jpg", {}, ImageReadStatus::kNotRegularFile},
      {"folder.jpg", {}, ImageReadStatus::kNotRegularFile},
      {"missing.jpg", {}, ImageReadStatus::kCannotRead},
      {"empty.jpg", {}, ImageReadStatus::kNotPhoto},
      {"notes.jpg", QByteArray("just some words, no picture at all"), ImageReadStatus::kNotPhoto},
      {"photo.heic", heif, ImageReadStatus::kUnsupported},
      {"huge.jpg", test::JpegWithFrameSize(jpeg, 20000, 20000), ImageReadStatus::kTooLarge},
      {"wide.png", test::CraftedPng(70000, 10, true), ImageReadStatus::kTooLarge},
      {"wide.bmp", test::CraftedBmp(70000, 10, true), ImageReadStatus::kTooLarge},
      {"wide.tif", test::CraftedTiff(70000, 10, true), ImageReadStatus::kTooLarge},
      {"huge.png", test::CraftedPng(20000, 20000, false), ImageReadStatus::kTooLarge},
      // Qt's BMP reader itself stops at 16384² pixels; 225 megapixels is below that.
      {"huge.bmp", test::CraftedBmp(15000, 15000, false), ImageReadStatus::kTooLarge},
      {"huge.tif", test::CraftedTiff(20000, 20000, false), ImageReadStatus::kTooLarge},
      {"claims.jpg", test::JpegWithFrameSize(jpeg, 14000, 14000), ImageReadStatus::kTruncated},
      {"claims.png", test::CraftedPng(14000, 14000, false), ImageReadStatus::kTruncated},
      {"claims.bmp", test::CraftedBmp(10000, 10000, false), ImageReadStatus::kTruncated},
      {"claims.tif", test::CraftedTiff(10000, 10000, false), ImageReadStatus::kTruncated},
  };
  for (const auto& [name, bytes, expected] : cases) {
    SCOPED_TRACE(name);
    const QString path = test::TestFile(name);
    if (name == std::string("fifo.jpg")) {
      ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    } else if (name == std::string("folder.jpg")) {
      ASSERT_TRUE(QDir().mkpath(path));
    } else if (name != std::string("missing.jpg")) {
      test::PutFile(path, bytes);
    }
    ImageReadStatus header = ImageReadStatus::kOk;
    int w = -1, h = -1;
    EXPECT_EQ(ImageFileSize(path, w, h, &header), ImageReadOpens(expected));
    EXPECT_EQ(header, expected);
    EXPECT_EQ(w > 0, ImageReadOpens(expected));
    ImageReadStatus decode = ImageReadStatus::kOk;
    SurfaceBuffer dib;
    EXPECT_EQ(ReadImageFile(path, dib, &decode), ImageReadOpens(expected));
    EXPECT_EQ(decode, expected);
    EXPECT_EQ(dib.empty(), !ImageReadOpens(expected));
    EXPECT_EQ(ImageReadStatusText(expected).isEmpty(), expected == ImageReadStatus::kOk);
    if (expected == ImageReadStatus::kTooLarge) {
      EXPECT_FALSE(ScaledCopyFromFile(path, 100, 100).IsCreated());
    }
  }
}

// A TIFF whose directory is written after its pixels, past the first bytes the size
// check reads: its size comes from the whole file without the library's seek errors.
TEST(ImageFileReader, ATiffWithItsDirectoryAtTheEndGivesItsSizeQuietly) {
  const QString path = QString::fromStdString(test::TempDir()) + "/directory_last.tif";
  ASSERT_TRUE(test::RandomSurface(701, 600, 5).ToQImage().save(path, "TIFF"));
  const QByteArray head = test::ReadFileBytes(path).left(8);
  ASSERT_EQ(head.left(4), QByteArray("II*\0", 4));
  ASSERT_GT(qFromLittleEndian<quint32>(head.constData() + 4), 1u << 20);
  static QStringList messages;
  messages.clear();
  const QtMessageHandler previous = qInstallMessageHandler(
      [](QtMsgType, const QMessageLogContext&, const QString& text) { messages << text; });
  int width = 0, height = 0;
  const bool sized = ImageFileSize(path, width, height);
  qInstallMessageHandler(previous);
  EXPECT_TRUE(sized);
  EXPECT_EQ(std::tuple(width, height), std::tuple(701, 600));
  EXPECT_TRUE(messages.isEmpty()) << messages.join(u'\n').toStdString();
}

TEST(ImageFileReader, CmykJpegFallsBackToQtsReader) {
  const int w = 24, h = 16;
  std::vector<unsigned char> cmyk(4u * w * h);
  for (int i = 0; i < w * h; ++i) {
    const unsigned char pixel[] = {static_cast<unsigned char>(i % w * 10),
                                   static_cast<unsigned char>(i / w * 15), 200, 230};
    std::copy_n(pixel, 4, &cmyk[4 * i]);
  }
  tjhandle tj = tjInitCompress();
  unsigned char* jpeg = nullptr;
  unsigned long size = 0;
  ASSERT_EQ(tjCompress2(tj, cmyk.data(), w, 0, h, TJPF_CMYK, &jpeg, &size, TJSAMP_444, 95, 0), 0);
  tjDestroy(tj);
  const QString path = test::TestFile("cmyk.jpg");
  test::PutFile(path,
                QByteArray(reinterpret_cast<const char*>(jpeg), static_cast<qsizetype>(size)));
  tjFree(jpeg);
  SurfaceBuffer dib;
  ASSERT_TRUE(ReadImageFile(path, dib));
  EXPECT_EQ(dib.View().width, w);
  EXPECT_TRUE(test::SamePixels(dib.View(), QtDecoded(path).View()));
}

// The screen copy decodes at the smallest DCT scale covering the request: it must
// equal the test's own TurboJPEG decode at the scale expected, resampled when
// the scaled size is not the requested one.
TEST(ImageFileReader, ScreenCopyDecodesAtTheRightDctScale) {
  const int w = 403, h = 301;
  const QString path = test::TestFile("screen.jpg");
  const QByteArray jpeg = test::SmallJpeg(w, h);
  test::PutFile(path, jpeg);
  // {requested width, height, expected scale numerator, denominator}
  const std::array<int, 4> cases[] = {
      {101, 76, 1, 4},                                     // exactly the 1/4 size: no resampling
      {90, 60, 1, 4},                                      // 1/8 (51 × 38) is too small
      {51, 38, 1, 8},                                      // exactly 1/8
      {50, 30, 1, 8},   {52, 30, 1, 4}, {403, 301, 1, 1},  // own size
      {500, 400, 1, 1},                                    // larger: full decode, then resampled up
  };
  for (const auto& [want_w, want_h, num, den] : cases) {
    const int sw = (w * num + den - 1) / den, sh = (h * num + den - 1) / den;
    cDIB scaled = test::TurboJpegDecoded(jpeg, sw, sh), expected;
    ASSERT_TRUE(expected.Create(want_w, want_h));
    ASSERT_TRUE(ResampleBicubic(scaled.View(), 0, 0, sw, sh, expected.View()));
    cDIB copy = ScaledCopyFromFile(path, want_w, want_h);
    EXPECT_EQ(QSize(copy.Width(), copy.Height()), QSize(want_w, want_h));
    EXPECT_TRUE(test::SamePixels(copy.View(), expected.View()))
        << want_w << "x" << want_h << " at " << num << "/" << den;
  }
}

TEST(ImageFileReader, ScreenCopyOfOtherFormatsResamplesTheFullPicture) {
  cDIB original = test::RandomSurface(157, 93, 41);
  const QString path = test::TestFile("screen.png");
  ASSERT_EQ(WriteImageFile(original.View(), path, kSavePng, 0), kSaveOk);
  cDIB expected;
  ASSERT_TRUE(expected.Create(60, 37));
  ASSERT_TRUE(ResampleBicubic(original.View(), 0, 0, 157, 93, expected.View()));
  EXPECT_TRUE(test::SamePixels(ScaledCopyFromFile(path, 60, 37).View(), expected.View()));
  // Own size: the decoded pixels as they are.
  EXPECT_TRUE(test::SamePixels(ScaledCopyFromFile(path, 157, 93).View(), original.View()));
  EXPECT_FALSE(ScaledCopyFromFile(path, 0, 37).IsCreated());
  EXPECT_FALSE(ScaledCopyFromFile(path, 60, -1).IsCreated());
  EXPECT_FALSE(ScaledCopyFromFile(path, 70000, 2).IsCreated());
  EXPECT_FALSE(ScaledCopyFromFile(test::TestFile("absent.png"), 60, 37).IsCreated());
}

}  // namespace
}  // namespace tessaly
