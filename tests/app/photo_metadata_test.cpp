// What saved files keep of a camera photo, through the built tessaly-batch: a photo
// tagged by exiftool as turned comes out upright (and as stored when the preference
// is off).
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QProcess>

#include "app/batch_home.h"
#include "support/scoped_state.h"
#include "support/test_surfaces.h"

namespace tessaly {
namespace {

using test::ExitedWith;

class PhotoMetadataTest : public test::BatchHomeTest {
 protected:
  // Runs exiftool with `arguments`; the test fails when it cannot.
  void Exiftool(const QStringList& arguments) {
    QProcess tool;
    tool.start(QStringLiteral("exiftool"), arguments);
    ASSERT_TRUE(tool.waitForFinished(60000)) << "exiftool did not run";
    ASSERT_EQ(tool.exitCode(), 0) << tool.readAllStandardError().constData();
  }

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
    Exiftool({"-q", "-overwrite_original", "-n", QStringLiteral("-Orientation=%1").arg(orientation),
              path});
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

}  // namespace
}  // namespace tessaly
