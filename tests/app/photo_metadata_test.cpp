// What saved files keep of a camera photo, through the built tessaly-batch and read
// back with exiftool: a photo tagged as turned comes out upright (as stored when the
// preference is off), and the camera's tags stay with the saved file.
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include "app/batch_home.h"
#include "support/photo_tools.h"
#include "support/scoped_state.h"
#include "support/test_surfaces.h"

namespace tessaly {
namespace {

using test::ExitedWith;

class PhotoMetadataTest : public test::BatchHomeTest {
 protected:
  // A 600 x 400 JPEG with red, green, blue and white quadrants (top left first),
  // tagged with `orientation`.
  QString TaggedPhoto(const QString& name, int orientation) {
    QImage image(600, 400, QImage::Format_RGB32);
    const QRgb colours[4] = {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255),
                             qRgb(255, 255, 255)};
    for (int y = 0; y < 400; ++y)
      for (int x = 0; x < 600; ++x) image.setPixel(x, y, colours[(y >= 200) * 2 + (x >= 300)]);
    const QString path = dir_ + "/" + name;
    EXPECT_TRUE(image.save(path, "JPEG", 95));
    EXPECT_TRUE(
        test::RunTool("exiftool", {"-q", "-overwrite_original", "-n",
                                   QStringLiteral("-Orientation=%1").arg(orientation), path}));
    return path;
  }
};

// The colours at the centres of the picture's quadrants, top left first.
std::vector<QRgb> Quadrants(const QImage& image) {
  const int w = image.width(), h = image.height();
  return {image.pixel(w / 4, h / 4), image.pixel(3 * w / 4, h / 4), image.pixel(w / 4, 3 * h / 4),
          image.pixel(3 * w / 4, 3 * h / 4)};
}

bool SameColours(const std::vector<QRgb>& a, const std::vector<QRgb>& b) {
  for (std::size_t i = 0; i < a.size(); ++i)
    if (!test::NearColour(a[i], b[i], 24)) return false;
  return a.size() == b.size();
}

TEST_F(PhotoMetadataTest, ATurnedPhotoIsSavedUprightUnlessThePreferenceIsOff) {
  const QRgb red = qRgb(255, 0, 0), green = qRgb(0, 255, 0), blue = qRgb(0, 0, 255);
  const QRgb white = qRgb(255, 255, 255);
  const QString photo = TaggedPhoto("turned.jpg", 6);
  ASSERT_TRUE(ExitedWith(Batch({"save", "--to", "out", "--type", "png", photo}), 0));
  const QImage upright(dir_ + "/out/turned.png");
  ASSERT_FALSE(upright.isNull());
  EXPECT_GT(upright.height(), upright.width());
  // Turned a quarter clockwise: the stored left column is now the top row.
  EXPECT_TRUE(SameColours(Quadrants(upright), {blue, red, white, green}));

  test::PutFile(dir_ + "/config/tessaly/Tesly.ini", "[Options]\r\nUprightPhotos=False\r\n");
  QDir(dir_).mkpath("stored");
  ASSERT_TRUE(ExitedWith(Batch({"save", "--to", "stored", "--type", "png", photo}), 0));
  const QImage stored(dir_ + "/stored/turned.png");
  ASSERT_FALSE(stored.isNull());
  EXPECT_GT(stored.width(), stored.height());
  EXPECT_TRUE(SameColours(Quadrants(stored), {red, green, blue, white}));
}

// The printed page shows the upright picture too: a photo tagged as turned half way
// round, in the first 4 x 6 in cell of the built-in printer's A4 page (printable
// area 5 mm into the sheet), has its red quadrant at the bottom right.
TEST_F(PhotoMetadataTest, APrintedPageShowsTheUprightPicture) {
  env_.insert("CUPS_SERVER", dir_ + "/no-cups.sock");
  env_.insert("LC_ALL", "C.UTF-8");
  const QString photo = TaggedPhoto("half.jpg", 3);
  ASSERT_TRUE(
      ExitedWith(Batch({"print", "--size", "101.6x152.4", "--preview", "preview", photo}), 0));
  const QImage page(dir_ + "/preview/page-1.png");
  ASSERT_FALSE(page.isNull());
  const auto at = [&page](double x, double y) {  // millimetres from the sheet's corner
    return page.pixel(qRound(x * page.width() / 210.0), qRound(y * page.height() / 297.0));
  };
  const double cx = 5 + 76.2, cy = 5 + 50.8;
  EXPECT_TRUE(SameColours(
      {at(cx - 38, cy - 25), at(cx + 38, cy - 25), at(cx - 38, cy + 25), at(cx + 38, cy + 25)},
      {qRgb(255, 255, 255), qRgb(0, 0, 255), qRgb(0, 255, 0), qRgb(255, 0, 0)}));
}

// Tags exiftool writes into a photo come back from the saved JPEG and TIFF, read by
// exiftool: the camera's, orientation 1, the saved size and print resolution; GPS
// only when the preference allows it; without GPS, exiftool's validation finds nothing.
TEST_F(PhotoMetadataTest, SavedFilesKeepTheCamerasTags) {
  const QString photo = TaggedPhoto("camera.jpg", 8);
  ASSERT_TRUE(test::RunTool(
      "exiftool", {"-q", "-overwrite_original", "-Make=Tessaly Test Camera", "-Model=TT-1",
                   "-DateTimeOriginal=2026:07:14 10:30:00", "-ExposureTime=1/250", "-FNumber=5.6",
                   "-ISO=200", "-GPSLatitude=48.8566", "-GPSLatitudeRef=N", photo}));
  QDir(dir_).mkpath("gps");
  for (const bool gps : {false, true}) {
    const QString folder = gps ? "gps" : "out";
    test::PutFile(dir_ + "/config/tessaly/Tesly.ini",
                  gps ? "[Options]\r\nSaveGpsPosition=True\r\n" : "[Options]\r\n");
    for (const char* type : {"jpeg", "tiff"}) {
      ASSERT_TRUE(ExitedWith(
          Batch({"save", "--to", folder, "--type", type, "--size", "100x150", photo}), 0));
    }
    for (const char* name : {"/camera.jpg", "/camera.tif"}) {
      SCOPED_TRACE(folder.toStdString() + name);
      const QString saved = dir_ + "/" + folder + name;
      QProcess tool;
      tool.start("exiftool",
                 {"-j", "-n", "-validate", "-Make", "-Model", "-DateTimeOriginal", "-ExposureTime",
                  "-FNumber", "-ISO", "-Orientation", "-ImageWidth", "-ImageHeight",
                  "-ExifImageHeight", "-XResolution", "-YResolution", "-GPSLatitude", saved});
      ASSERT_TRUE(tool.waitForFinished(60000));
      const QJsonObject tags =
          QJsonDocument::fromJson(tool.readAllStandardOutput()).array().first().toObject();
      // "errors warnings minor-warnings"; the GPS directory is the source's as it was
      // (exiftool's tags lack one that TIFF validation asks for).
      if (!gps) {
        EXPECT_EQ(tags["Validate"].toString(), "0 0 0");
      }
      EXPECT_EQ(tags["Make"].toString(), "Tessaly Test Camera");
      EXPECT_EQ(tags["Model"].toString(), "TT-1");
      EXPECT_EQ(tags["DateTimeOriginal"].toString(), "2026:07:14 10:30:00");
      EXPECT_DOUBLE_EQ(tags["ExposureTime"].toDouble(), 0.004);
      EXPECT_DOUBLE_EQ(tags["FNumber"].toDouble(), 5.6);
      EXPECT_EQ(tags["ISO"].toInt(), 200);
      EXPECT_EQ(tags["Orientation"].toInt(), 1);
      // Upright (a portrait) and 15 cm long: its resolution is its long side per 15 cm.
      const int height = tags["ImageHeight"].toInt();
      EXPECT_GT(height, tags["ImageWidth"].toInt());
      EXPECT_NEAR(tags["XResolution"].toDouble(), height / (150 / 25.4), 0.01);
      EXPECT_EQ(tags["YResolution"].toDouble(), tags["XResolution"].toDouble());
      if (QString(name).endsWith(".jpg")) {
        EXPECT_EQ(tags["ExifImageHeight"].toInt(), height);
      }
      EXPECT_EQ(tags.contains("GPSLatitude"), gps);
    }
  }
}

}  // namespace
}  // namespace tessaly
