// The camera's EXIF data in saved files, read back by the program's own EXIF reader
// and the directory reader: a camera's texts survive JPEG and TIFF saves, the saved
// data states orientation 1, its own pixel size and resolution, drops the maker's
// note, keeps GPS only when asked, and a damaged source gives no data rather than a
// read outside it.
#include "surface/camera_exif.h"

#include <gtest/gtest.h>

#include <QFile>

#include "colour/exif.h"
#include "support/fixtures.h"
#include "support/test_surfaces.h"
#include "surface/crafted_files.h"
#include "surface/image_file_writer.h"

namespace tessaly {
namespace {

constexpr std::uint16_t kOrientation = 274, kXResolution = 282, kMake = 271, kMakerNote = 37500,
                        kPixelX = 40962, kPixelY = 40963, kExposureTime = 33434;

// The saved file's directories, read back: first, EXIF and GPS.
struct ReadBack {
  TiffBytes bytes;
  std::vector<TiffField> main, exif, gps;
  const TiffField* Find(const std::vector<TiffField>& fields, std::uint16_t tag) const {
    for (const TiffField& f : fields)
      if (f.tag == tag) return &f;
    return nullptr;
  }
};

ReadBack ReadSaved(const QByteArray& tiff) {
  ReadBack r{TiffBytes(reinterpret_cast<const std::uint8_t*>(tiff.constData()),
                       static_cast<std::size_t>(tiff.size())),
             {},
             {},
             {}};
  std::uint32_t first = 0;
  bool past_end = false;
  EXPECT_TRUE(r.bytes.Valid(first));
  EXPECT_TRUE(r.bytes.ReadDirectory(first, r.main, past_end));
  for (const TiffField& f : r.main) {
    if (f.tag == kExifDirectoryTag) r.bytes.ReadDirectory(r.bytes.Number(f), r.exif, past_end);
    if (f.tag == kGpsDirectoryTag) r.bytes.ReadDirectory(r.bytes.Number(f), r.gps, past_end);
  }
  EXPECT_FALSE(past_end);
  return r;
}

// A big-endian EXIF structure as a camera writes it: maker and orientation 6 with a
// strip offset in the first directory, exposure, a maker's note and the camera's
// pixel size in the EXIF directory, and a GPS directory.
CameraExif CameraWithEverything() {
  CameraExif camera;
  camera.present = true;
  camera.little_endian = false;
  TiffField make{kMake, kTiffAscii, 6, QByteArray("Maker", 6)};
  camera.main = {make};
  camera.exif = {RationalField(kExposureTime, 1, 250, false),
                 {kMakerNote, kTiffUndefined, 8, QByteArray("NOTE\0\0\0\x10", 8)}};
  camera.gps = {ShortField(1, 0x4E00, false)};
  QByteArray source =
      TiffHeader(false, 8) +
      LayOutDirectories(
          false, 8, {make, ShortField(kOrientation, 6, false), ShortField(273, 1234, false)},
          {camera.exif[0], camera.exif[1], LongField(kPixelX, 4000, false)}, camera.gps);
  CameraExif read;
  bool past_end = false;
  EXPECT_TRUE(ReadCameraExif(reinterpret_cast<const std::uint8_t*>(source.constData()),
                             static_cast<std::size_t>(source.size()), read, past_end));
  EXPECT_FALSE(past_end);
  return read;
}

TEST(CameraExif, SavedDataStatesTheSavedPictureAndDropsTheMakersNote) {
  const CameraExif camera = CameraWithEverything();
  EXPECT_FALSE(camera.little_endian);
  ASSERT_EQ(camera.main.size(), 1u);  // the orientation and the strip offset stay behind
  ASSERT_EQ(camera.exif.size(), 1u);  // the maker's note and the pixel size too
  ASSERT_EQ(camera.gps.size(), 1u);

  const QByteArray segment = ExifSegment(camera, 1772, 1181, 300 / 25.4);
  ASSERT_GT(segment.size(), 10);
  EXPECT_EQ(segment.left(2), QByteArray("\xFF\xE1", 2));
  EXPECT_EQ(test::Field(segment, 2, 2, true), static_cast<std::uint32_t>(segment.size() - 2));
  EXPECT_EQ(segment.mid(4, 6), QByteArray("Exif\0\0", 6));
  const ReadBack saved = ReadSaved(segment.mid(10));
  EXPECT_EQ(saved.Find(saved.main, kMake)->value, QByteArray("Maker", 6));
  EXPECT_EQ(saved.bytes.Number(*saved.Find(saved.main, kOrientation)), 1u);
  // 300 ppi in hundredths.
  EXPECT_EQ(saved.Find(saved.main, kXResolution)->value, QByteArray("\0\0\x75\x30\0\0\0\x64", 8));
  EXPECT_EQ(saved.bytes.Number(*saved.Find(saved.exif, kPixelX)), 1772u);
  EXPECT_EQ(saved.bytes.Number(*saved.Find(saved.exif, kPixelY)), 1181u);
  EXPECT_EQ(saved.Find(saved.exif, kExposureTime)->value, camera.exif[0].value);
  EXPECT_EQ(saved.Find(saved.exif, kMakerNote), nullptr);
  EXPECT_EQ(saved.gps.size(), 1u);
  // Directories list their tags in rising order.
  for (const auto* fields : {&saved.main, &saved.exif})
    EXPECT_TRUE(
        std::is_sorted(fields->begin(), fields->end(),
                       [](const TiffField& a, const TiffField& b) { return a.tag < b.tag; }));

  CameraExif none;
  EXPECT_TRUE(ExifSegment(none, 10, 10, 0).isEmpty());
}

// A real camera's texts, as the image information shows them, come back from the
// saved JPEG and TIFF; GPS only when the user allows it.
TEST(CameraExif, CameraTextsSurviveJpegAndTiffSaves) {
  TESSALY_SKIP_WITHOUT_FIXTURES();
  const QString source = test::FixturePath("Canon_40D.jpg");
  ExifTexts before;
  ASSERT_TRUE(ReadExif(source, before));
  ASSERT_FALSE(before.Model.isEmpty());
  EXPECT_TRUE(CameraExifOfFile(source, false).gps.empty());
  const CameraExif camera = CameraExifOfFile(source, true);
  EXPECT_FALSE(camera.gps.empty());
  cDIB pixels = test::RandomSurface(30, 20, 7);
  for (const auto& [format, name] :
       {std::pair(kSaveJpeg, "kept.jpg"), std::pair(kSaveTiff, "kept.tif")}) {
    SCOPED_TRACE(name);
    const QString path = test::TestFile(name);
    ASSERT_EQ(WriteImageFile(pixels.View(), path, format, 90, {300 / 25.4, {}, camera}), kSaveOk);
    ExifTexts after;
    ASSERT_TRUE(ReadExif(path, after));
    EXPECT_EQ(after.Maker, before.Maker);
    EXPECT_EQ(after.Model, before.Model);
    EXPECT_EQ(after.DateTaken, before.DateTaken);
    EXPECT_EQ(after.ShutterSpeed, before.ShutterSpeed);
    EXPECT_EQ(after.Aperture, before.Aperture);
    EXPECT_EQ(after.IsoSpeed, before.IsoSpeed);
    EXPECT_FALSE(CameraExifOfFile(path, true).gps.empty());
    // The saved pixels read back as written.
    const QImage back(path);
    EXPECT_EQ(back.size(), QSize(30, 20));
  }
  const QByteArray tiff = test::ReadFileBytes(test::TestFile("kept.tif"));
  const ReadBack saved = ReadSaved(tiff);
  EXPECT_EQ(saved.bytes.Number(*saved.Find(saved.main, 256)), 30u);
  EXPECT_EQ(saved.bytes.Number(*saved.Find(saved.main, 257)), 20u);
  EXPECT_EQ(saved.Find(saved.exif, kPixelY), nullptr);  // a JPEG's tag only
  // Top-down R,G,B from offset 8: the top-left pixel is the surface's last memory row.
  const SurfaceView& v = pixels.View();
  EXPECT_EQ(static_cast<std::uint8_t>(tiff[8]), v.Row(19)[2]);
  EXPECT_EQ(static_cast<std::uint8_t>(tiff[10]), v.Row(19)[0]);
}

// Every offset and count of a damaged structure is checked: cut or corrupted copies of
// a real structure give what lies inside, never a read outside (the sanitizer build
// would stop on one).
TEST(CameraExif, DamagedStructuresAreReadOnlyWithinTheirBytes) {
  const CameraExif camera = CameraWithEverything();
  const QByteArray whole = ExifSegment(camera, 100, 100, 10).mid(10);
  for (qsizetype cut = 0; cut < whole.size(); cut += 3) {
    const QByteArray part = whole.left(cut);
    std::vector<std::uint8_t> copy(part.begin(), part.end());  // exactly `cut` bytes
    CameraExif read;
    bool past_end = false;
    ReadCameraExif(copy.data(), copy.size(), read, past_end);
    if (cut >= 8 && cut < whole.size() - 8) {
      EXPECT_TRUE(past_end) << cut;
    }
  }
  for (qsizetype at = 0; at < whole.size(); ++at) {
    std::vector<std::uint8_t> copy(whole.begin(), whole.end());
    copy[static_cast<std::size_t>(at)] ^= 0xFF;
    CameraExif read;
    bool past_end = false;
    ReadCameraExif(copy.data(), copy.size(), read, past_end);
    ExifSegment(read, 10, 10, 1);
  }
}

}  // namespace
}  // namespace tessaly
