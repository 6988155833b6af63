// The batch command with HEIC, AVIF and JPEG XL photos: each is saved, a Display P3
// AVIF (described by nclx code points only) comes out converted to sRGB, and a HEIC's
// camera data stays with the saved file.
#include <QImage>

#include "app/batch_home.h"
#include "support/photo_tools.h"

namespace tessaly::test {
namespace {

class HeifBatchTest : public BatchHomeTest {};

TEST_F(HeifBatchTest, SavesEachFormatWithItsColour) {
  const QString png = dir_ + "/orange.png";
  ASSERT_TRUE(RunTool("convert", {"-size", "33x21", "xc:rgb(200,120,60)", "PNG24:" + png}));
  ASSERT_TRUE(RunTool("heif-enc", {"-q", "95", png, "-o", dir_ + "/plain.heic"}));
  ASSERT_TRUE(RunTool("cjxl", {"-d", "0", dir_ + "/orange.png", dir_ + "/lossless.jxl"}));
  // Lossless, so the stored values are the source's; P3 primaries, sRGB curve.
  ASSERT_TRUE(RunTool("avifenc", {"-l", "--cicp", "12/13/0", png, dir_ + "/p3.avif"}));
  const Result r = Batch({"save", "--to", "out", "--type", "png", "--max", "off",
                          dir_ + "/plain.heic", dir_ + "/lossless.jxl", dir_ + "/p3.avif"});
  ASSERT_TRUE(ExitedWith(r, 0));
  // {saved file, expected colour}: P3 (200, 120, 60) is sRGB (213, 115, 42).
  const std::pair<const char*, QColor> cases[] = {{"plain.png", QColor(200, 120, 60)},
                                                  {"lossless.png", QColor(200, 120, 60)},
                                                  {"p3.png", QColor(213, 115, 42)}};
  for (const auto& [name, colour] : cases) {
    SCOPED_TRACE(name);
    const QImage saved(dir_ + "/out/" + name);
    // The save crops to the job's photo size; the colour is even all over.
    ASSERT_FALSE(saved.isNull());
    const QRgb centre = saved.pixel(saved.width() / 2, saved.height() / 2);
    EXPECT_TRUE(NearColour(centre, colour.rgb(), 3)) << std::hex << centre;
  }
}

// The camera data exiftool writes into a HEIC stays with the JPEG saved from it.
TEST_F(HeifBatchTest, ASavedJpegKeepsTheCameraDataOfItsHeic) {
  const QString png = dir_ + "/grey.png";
  ASSERT_TRUE(RunTool("convert", {"-size", "60x40", "xc:rgb(90,90,90)", "PNG24:" + png}));
  const QString heic = dir_ + "/camera.heic";
  ASSERT_TRUE(RunTool("heif-enc", {"-q", "90", png, "-o", heic}));
  ASSERT_TRUE(RunTool("exiftool", {"-q", "-overwrite_original", "-Make=Heif Camera", "-Model=H1",
                                   "-DateTimeOriginal=2026:01:02 03:04:05", heic}));
  ASSERT_TRUE(ExitedWith(Batch({"save", "--to", "out", heic}), 0));
  QProcess tool;
  tool.start("exiftool", {"-s3", "-Make", "-Model", "-DateTimeOriginal", dir_ + "/out/camera.jpg"});
  ASSERT_TRUE(tool.waitForFinished(60000));
  EXPECT_EQ(tool.readAllStandardOutput(), "Heif Camera\nH1\n2026:01:02 03:04:05\n");
}

}  // namespace
}  // namespace tessaly::test
