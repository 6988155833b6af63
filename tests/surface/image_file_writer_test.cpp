#include "surface/image_file_writer.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QColorSpace>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <tuple>
#include <utility>

#include "colour/colour_profiles.h"
#include "colour/embedded_profile.h"
#include "support/scoped_state.h"
#include "support/test_surfaces.h"
#include "surface/crafted_files.h"

namespace tessaly {
namespace {

const QString kGeneralText =
    "Can't save the file. Check that the path is valid and the file isn't write protected.";

QString TempFolder() {
  return QFileInfo(test::TestFile("x")).absolutePath();
}

// Qt's TIFF reader gives back the very pixels; a flat picture still takes its full
// three bytes a pixel, so nothing was compressed.
TEST(ImageFileWriter, TiffIsUncompressedRgbThatQtReadsBack) {
  cDIB dib = test::RandomSurface(29, 19, 51), flat;
  ASSERT_TRUE(flat.Create(29, 19, 0x808080));
  const QString path = TempFolder() + "/plain.tif", flat_path = TempFolder() + "/flat.tif";
  ASSERT_EQ(WriteImageFile(dib.View(), path, kSaveTiff, 0), kSaveOk);
  ASSERT_EQ(WriteImageFile(flat.View(), flat_path, kSaveTiff, 0), kSaveOk);
  EXPECT_EQ(QImage(path).convertToFormat(QImage::Format_RGB888), dib.ToQImage());
  EXPECT_GE(test::ReadFileBytes(flat_path).size(), 3 * 29 * 19);
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
  // {offset, bytes, value}: file size, pixel offset, info header size, width,
  // height (positive: bottom-up), planes, bits per pixel, no compression, image bytes.
  const std::uint32_t fields[][3] = {{2, 4, 54 + 24 * h}, {10, 4, 54}, {14, 4, 40},
                                     {18, 4, w},          {22, 4, h},  {26, 2, 1},
                                     {28, 2, 24},         {30, 4, 0},  {34, 4, 24 * h}};
  for (const auto& f : fields)
    EXPECT_EQ(test::Field(bmp, f[0], f[1], false), f[2]) << "offset " << f[0];
  // File row r is memory row r (the picture's row h − 1 − r), pixels blue, green,
  // red, then zero padding.
  QByteArray rows;
  for (int r = 0; r < h; ++r)
    rows += QByteArray(reinterpret_cast<const char*>(dib.View().Row(r)), 3 * w) + QByteArray(3, 0);
  EXPECT_EQ(bmp.mid(54), rows);
}

// Every format states the print resolution (300 ppi here) and, but BMP, carries the
// pixels' ICC profile, read back by the program's own profile reader and by Qt. A
// profile too large for one JPEG segment is split into numbered ones.
TEST(ImageFileWriter, FilesStateTheirResolutionAndCarryTheirProfile) {
  cDIB dib = test::RandomSurface(13, 9, 53);
  const QByteArray srgb = SrgbProfileBytes();
  ASSERT_FALSE(srgb.isEmpty());
  QByteArray large(150000, '\0');
  for (qsizetype i = 0; i < large.size(); ++i) large[i] = static_cast<char>(i * 7 % 251);
  const ImageFileMetadata metadata{300 / 25.4, srgb, {}};
  const QString folder = TempFolder();
  for (const auto& [format, name] :
       {std::pair(kSaveJpeg, "meta.jpg"), std::pair(kSavePng, "meta.png"),
        std::pair(kSaveTiff, "meta.tif"), std::pair(kSaveBmp, "meta.bmp")}) {
    SCOPED_TRACE(name);
    const QString path = folder + "/" + name;
    ASSERT_EQ(WriteImageFile(dib.View(), path, format, 90, metadata), kSaveOk);
    const QImage back(path);
    ASSERT_FALSE(back.isNull());
    EXPECT_EQ(back.dotsPerMeterX(), 11811);
    EXPECT_EQ(back.dotsPerMeterY(), 11811);
    if (format != kSaveBmp) {
      EXPECT_EQ(back.colorSpace().iccProfile(), srgb);
    }
  }
  // JFIF density in dots per inch; the profile as the program reads embedded ones.
  const QByteArray jpeg = test::ReadFileBytes(folder + "/meta.jpg");
  EXPECT_EQ(test::Field(jpeg, 13, 1, true), 1u);
  EXPECT_EQ(test::Field(jpeg, 14, 2, true), 300u);
  EXPECT_EQ(test::Field(jpeg, 16, 2, true), 300u);
  QByteArray read;
  EXPECT_EQ(ExtractJpegProfile(jpeg, read), kProfileFound);
  EXPECT_EQ(read, srgb);
  ASSERT_EQ(
      WriteImageFile(dib.View(), folder + "/large.jpg", kSaveJpeg, 90, {300 / 25.4, large, {}}),
      kSaveOk);
  const QByteArray split = test::ReadFileBytes(folder + "/large.jpg");
  EXPECT_EQ(ExtractJpegProfile(split, read), kProfileFound);
  EXPECT_EQ(read, large);
  EXPECT_EQ(QImage(folder + "/large.jpg").convertToFormat(QImage::Format_RGB888).size(),
            QSize(13, 9));
}

TEST(ImageFileWriter, FailuresMapOntoTheFourTextsAndLeaveNoFileBehind) {
  cDIB dib = test::RandomSurface(11, 9, 54);
  const QString folder = TempFolder();
  test::PutFile(folder + "/plain.txt", "text");
  // {name, format, quality, status}
  const std::tuple<QString, int, int, SaveStatus> cases[] = {
      {"missing/photo.jpg", kSaveJpeg, 80, kSaveFileNotFound},
      {"missing/deeper/photo.png", kSavePng, 80, kSaveFileNotFound},
      {"plain.txt/photo.tif", kSaveTiff, 80, kSaveFileNotFound},  // parent is a file
      {"bad_quality.jpg", kSaveJpeg, 101, kSaveInvalidParameter},
      {"good.jpg", kSaveJpeg, 0, kSaveOk},
  };
  for (const auto& [name, format, quality, status] : cases)
    EXPECT_EQ(WriteImageFile(dib.View(), folder + "/" + name, format, quality), status)
        << name.toStdString();
  EXPECT_EQ(WriteImageFile(SurfaceView{}, folder + "/empty.bmp", kSaveBmp, 0),
            kSaveInvalidParameter);
  // Only what was there and the one good file: no temporary leftovers.
  EXPECT_EQ(QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
            (QStringList{"good.jpg", "plain.txt"}));
  const std::pair<int, QString> texts[] = {{kSaveOk, ""},
                                           {kSaveOutOfMemory, "Out Of Memory"},
                                           {kSaveFileNotFound, "File Not Found"},
                                           {kSaveAccessDenied, "Access Denied"},
                                           {kSaveGenericError, kGeneralText},
                                           {kSaveInvalidParameter, kGeneralText},
                                           {kSaveNameTaken, kGeneralText},
                                           {7, kGeneralText},
                                           {-1, kGeneralText}};
  for (const auto& [status, text] : texts) EXPECT_EQ(SaveStatusText(status), text) << status;
}

// Whatever holds the name — a file, a folder, a link to a file, a link to nowhere —
// stays exactly as it was in every format: nothing is replaced, removed, written
// through or created where a link points, and no temporary file is left.
TEST(ImageFileWriter, NothingThatHoldsTheNameIsTouched) {
  cDIB dib = test::RandomSurface(11, 9, 56);
  const QString folder = TempFolder() + "/out";
  const QString outside = TempFolder() + "/outside";
  ASSERT_TRUE(QDir().mkpath(folder));
  ASSERT_TRUE(QDir().mkpath(outside));
  test::PutFile(outside + "/kept.bin", "kept");
  test::PutFile(folder + "/file", "mine");
  ASSERT_TRUE(QDir().mkpath(folder + "/folder"));
  ASSERT_TRUE(QFile::link(outside + "/kept.bin", folder + "/link"));
  ASSERT_TRUE(QFile::link(outside + "/nowhere.bin", folder + "/dangling"));
  for (const int format : {kSaveJpeg, kSavePng, kSaveTiff, kSaveBmp}) {
    for (const char* name : {"file", "folder", "link", "dangling"}) {
      EXPECT_EQ(WriteImageFile(dib.View(), folder + "/" + name, format, 90), kSaveNameTaken)
          << name << " " << format;
    }
  }
  EXPECT_EQ(test::ReadFileBytes(folder + "/file"), QByteArray("mine"));
  EXPECT_TRUE(QFileInfo(folder + "/folder").isDir());
  EXPECT_EQ(QFileInfo(folder + "/link").symLinkTarget(), outside + "/kept.bin");
  EXPECT_EQ(QFileInfo(folder + "/dangling").symLinkTarget(), outside + "/nowhere.bin");
  EXPECT_EQ(test::ReadFileBytes(outside + "/kept.bin"), QByteArray("kept"));
  EXPECT_EQ(QDir(outside).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
            QStringList{"kept.bin"});
  EXPECT_EQ(
      QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System),
      (QStringList{"dangling", "file", "folder", "link"}));
}

// A disk that fills up in the middle of a file: every format reports the failure, and
// neither the file nor its temporary stays behind.
TEST(ImageFileWriter, AWriteCutShortFailsInEveryFormat) {
  cDIB dib = test::RandomSurface(150, 100, 57);
  const QString folder = TempFolder();
  for (const int format : {kSaveJpeg, kSavePng, kSaveTiff, kSaveBmp}) {
    test::ScopedFileSizeLimit full(4096);
    ASSERT_TRUE(full.Active());
    EXPECT_EQ(WriteImageFile(dib.View(), folder + "/photo", format, 90), kSaveGenericError)
        << format;
  }
  EXPECT_EQ(QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
            QStringList());
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

}  // namespace
}  // namespace tessaly
