#include "surface/image_file_writer.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <map>
#include <vector>

#include "support/test_surfaces.h"
#include "surface/crafted_files.h"

namespace tessaly {
namespace {

using test::Le16;
using test::Le32;

const QString kGeneralText =
    "Can't save the file. Check that the path is valid and the file isn't write protected.";

QString TempFolder() {
  return QFileInfo(test::TestFile("x")).absolutePath();
}

// Tag → values of the first directory of a little-endian TIFF.
std::map<int, std::vector<std::uint32_t>> TiffTags(const QByteArray& tiff) {
  std::map<int, std::vector<std::uint32_t>> tags;
  if (tiff.left(4) != QByteArray("II*\0", 4)) return tags;
  const int ifd = static_cast<int>(Le32(tiff, 4));
  const int count = static_cast<int>(Le16(tiff, ifd));
  for (int i = 0; i < count; ++i) {
    const int at = ifd + 2 + 12 * i;
    const int tag = static_cast<int>(Le16(tiff, at)), type = static_cast<int>(Le16(tiff, at + 2));
    const int n = static_cast<int>(Le32(tiff, at + 4));
    const int size = type == 3 ? 2 : 4;  // SHORT or LONG
    const int values = n * size <= 4 ? at + 8 : static_cast<int>(Le32(tiff, at + 8));
    for (int k = 0; k < n; ++k)
      tags[tag].push_back(size == 2 ? Le16(tiff, values + 2 * k) : Le32(tiff, values + 4 * k));
  }
  return tags;
}

TEST(ImageFileWriter, TiffIsUncompressedRgbWithTheRowsTopDown) {
  const int w = 29, h = 19;
  cDIB dib = test::RandomSurface(w, h, 51);
  const QString path = TempFolder() + "/plain.tif";
  ASSERT_EQ(WriteImageFile(dib.View(), path, kSaveTiff, 0), kSaveOk);
  const QByteArray tiff = test::ReadFileBytes(path);
  auto tags = TiffTags(tiff);
  ASSERT_FALSE(tags.empty());
  EXPECT_EQ(tags[259], std::vector<std::uint32_t>{1});  // compression: none
  EXPECT_EQ(tags[256], std::vector<std::uint32_t>{static_cast<std::uint32_t>(w)});
  EXPECT_EQ(tags[257], std::vector<std::uint32_t>{static_cast<std::uint32_t>(h)});
  EXPECT_EQ(tags[277], std::vector<std::uint32_t>{3});
  EXPECT_EQ(tags[258], (std::vector<std::uint32_t>{8, 8, 8}));
  // The strips, joined, are the picture's R,G,B bytes from the top row down.
  QByteArray strips;
  ASSERT_EQ(tags[273].size(), tags[279].size());
  for (std::size_t i = 0; i < tags[273].size(); ++i)
    strips += tiff.mid(static_cast<qsizetype>(tags[273][i]), static_cast<qsizetype>(tags[279][i]));
  QByteArray expected;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const std::uint32_t p = dib.PixelAt(x, y);
      expected.append(static_cast<char>(p & 0xFF));
      expected.append(static_cast<char>((p >> 8) & 0xFF));
      expected.append(static_cast<char>(p >> 16));
    }
  EXPECT_EQ(strips, expected);
}

TEST(ImageFileWriter, BmpHeaderAndBottomUpRows) {
  const int w = 7, h = 5;  // stride 24: three padding bytes a row
  cDIB dib = test::RandomSurface(w, h, 52);
  // Padding the kernels never touch must still come out zero in the file.
  for (int y = 0; y < h; ++y) std::fill_n(dib.View().Row(y) + 3 * w, 3, 0xEE);
  const QString path = TempFolder() + "/plain.bmp";
  ASSERT_EQ(WriteImageFile(dib.View(), path, kSaveBmp, 0), kSaveOk);
  const QByteArray bmp = test::ReadFileBytes(path);
  ASSERT_EQ(bmp.size(), 54 + 24 * h);
  EXPECT_EQ(bmp.left(2), QByteArray("BM"));
  EXPECT_EQ(Le32(bmp, 2), 54u + 24 * h);  // file size
  EXPECT_EQ(Le32(bmp, 10), 54u);          // pixel offset
  EXPECT_EQ(Le32(bmp, 14), 40u);          // info header size
  EXPECT_EQ(Le32(bmp, 18), static_cast<std::uint32_t>(w));
  EXPECT_EQ(Le32(bmp, 22), static_cast<std::uint32_t>(h));  // positive: bottom-up
  EXPECT_EQ(Le16(bmp, 26), 1u);                             // planes
  EXPECT_EQ(Le16(bmp, 28), 24u);                            // bits per pixel
  EXPECT_EQ(Le32(bmp, 30), 0u);                             // no compression
  EXPECT_EQ(Le32(bmp, 34), 24u * h);
  for (int r = 0; r < h; ++r) {
    const QByteArray row = bmp.mid(54 + 24 * r, 24);
    // File row r is the picture's row h − 1 − r, pixels blue, green, red.
    for (int x = 0; x < w; ++x) {
      const std::uint32_t p = dib.PixelAt(x, h - 1 - r);
      EXPECT_EQ(static_cast<std::uint8_t>(row[3 * x]), p >> 16);
      EXPECT_EQ(static_cast<std::uint8_t>(row[3 * x + 1]), (p >> 8) & 0xFF);
      EXPECT_EQ(static_cast<std::uint8_t>(row[3 * x + 2]), p & 0xFF);
    }
    EXPECT_EQ(row.right(3), QByteArray(3, '\0')) << r;
  }
}

TEST(ImageFileWriter, FailedSavesLeaveNoFileBehind) {
  cDIB dib = test::RandomSurface(11, 9, 53);
  const QString folder = TempFolder();
  // The target name is taken by a folder: the write fails after encoding.
  ASSERT_TRUE(QDir().mkpath(folder + "/taken.png"));
  EXPECT_EQ(WriteImageFile(dib.View(), folder + "/taken.png", kSavePng, 0), kSaveGenericError);
  EXPECT_EQ(WriteImageFile(dib.View(), folder + "/bad_quality.jpg", kSaveJpeg, 101),
            kSaveInvalidParameter);
  EXPECT_EQ(WriteImageFile(SurfaceView{}, folder + "/empty.bmp", kSaveBmp, 0),
            kSaveInvalidParameter);
  ASSERT_EQ(WriteImageFile(dib.View(), folder + "/good.jpg", kSaveJpeg, 0), kSaveOk);
  // Only the folder in the way and the one good file: no temporary leftovers.
  EXPECT_EQ(QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
            (QStringList{"good.jpg", "taken.png"}));
  EXPECT_TRUE(QFileInfo(folder + "/taken.png").isDir());
}

TEST(ImageFileWriter, FailuresMapOntoTheFourTexts) {
  cDIB dib = test::RandomSurface(11, 9, 54);
  const QString folder = TempFolder();
  ASSERT_TRUE(test::WriteFileBytes(folder + "/plain.txt", "text"));
  ASSERT_TRUE(QDir().mkpath(folder + "/taken.bmp"));
  struct Case {
    QString path;
    int format;
    QString text;
  };
  const Case cases[] = {
      {folder + "/missing/photo.jpg", kSaveJpeg, "File Not Found"},
      {folder + "/missing/deeper/photo.png", kSavePng, "File Not Found"},
      {folder + "/plain.txt/photo.tif", kSaveTiff, "File Not Found"},  // parent is a file
      {folder + "/taken.bmp", kSaveBmp, kGeneralText},
      {folder + "/ok.bmp", kSaveBmp, ""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(SaveStatusText(WriteImageFile(dib.View(), c.path, c.format, 80)), c.text)
        << c.path.toStdString();
}

TEST(ImageFileWriter, ReadOnlyFolderIsAccessDenied) {
  if (geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders";
  cDIB dib = test::RandomSurface(11, 9, 55);
  const QString folder = TempFolder() + "/locked";
  ASSERT_TRUE(QDir().mkpath(folder));
  ASSERT_EQ(::chmod(QFile::encodeName(folder).constData(), 0555), 0);
  const SaveStatus status = WriteImageFile(dib.View(), folder + "/photo.jpg", kSaveJpeg, 80);
  ::chmod(QFile::encodeName(folder).constData(), 0755);
  EXPECT_EQ(SaveStatusText(status), "Access Denied");
}

TEST(ImageFileWriter, StatusTexts) {
  EXPECT_EQ(SaveStatusText(kSaveOk), "");
  EXPECT_EQ(SaveStatusText(kSaveOutOfMemory), "Out Of Memory");
  EXPECT_EQ(SaveStatusText(kSaveFileNotFound), "File Not Found");
  EXPECT_EQ(SaveStatusText(kSaveAccessDenied), "Access Denied");
  for (int other : {int{kSaveGenericError}, int{kSaveInvalidParameter}, 7, -1})
    EXPECT_EQ(SaveStatusText(other), kGeneralText) << other;
}

}  // namespace
}  // namespace tessaly
