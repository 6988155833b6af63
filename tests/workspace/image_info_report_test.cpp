// Image-information text: the whole report of a photo without EXIF byte for byte,
// the print size of any unit but inches in centimetres, a camera photo's EXIF lines and the
// "Printed at" tail of a photo found in the edit history.
#include "workspace/image_info_report.h"

#include <gtest/gtest.h>

#include <QDateTime>

#include "controls/formatting.h"
#include "job/add_photo.h"
#include "support/fixtures.h"
#include "support/scoped_state.h"
#include "support/test_surfaces.h"

namespace tessaly {
namespace {

using test::ScopedHistoryRoot;

class ImageInfoReportTest : public ::testing::Test {
 protected:
  ImageInfoReportTest() : dir_(QString::fromStdString(test::TempDir())), root_(dir_ + "/history") {}
  QString dir_;
  ScopedHistoryRoot root_;
  ScriptedUi ui_;
  ScopedUi scoped_ui_{ui_};
};

TEST_F(ImageInfoReportTest, PhotoWithoutExifNeverPrinted) {
  const QString file = dir_ + "/plain.png";
  ASSERT_TRUE(test::RandomSurface(300, 200, 1).ToQImage().save(file));
  JobSettings settings;
  settings.Size = PhotoSize{152.4, 101.6, 0};
  MyPictureManager job(settings);
  ASSERT_EQ(AddPhotoFile(job, file), 0);

  const QString expected = " File Name:\t" + file +
                           "\r\n"
                           " File Size:\t\t300 x 200 pixels\r\n"
                           " Print Size:\t10.16 x 15.24 cm\r\r\n\r\n"
                           " EXIF Data:\r\n"
                           "    Camera Maker:\t\r\n"
                           "    Camera Model:\t\r\n"
                           "    Date Taken:   \t\r\n"
                           "    Lens Aperture:\t\r\n"
                           "    Shutter Speed:\t\r\n"
                           "    Focal Lenght: \t\r\n"
                           "    ISO Speed: \t\r\n"
                           "    Flash Mode:   \t\r\n\r\n"
                           " Color space:\r\n"
                           "    Embedded profile:  No\r\n"
                           "    Input profile:\t  \r\n"
                           "    Display profile:\t  sRGB built-in";
  EXPECT_EQ(ImageInfoReport(job.At(0), 0, "sRGB built-in"), expected);
}

// Inches for unit 1 (the batch command's tests show them), centimetres for any other.
TEST_F(ImageInfoReportTest, PrintSizeOfAnyOtherUnitIsInCentimetres) {
  JobSettings settings;
  MyPicture photo(settings);
  cDIB surface = test::RandomSurface(30, 20, 2);
  photo.SetPicture(surface, 3000, 2000, 30, 100, 150, 0, dir_ + "/none.png", 1);
  EXPECT_TRUE(
      ImageInfoReport(photo, 2, "Display")
          .contains(" File Size:\t\t3000 x 2000 pixels\r\n Print Size:\t10.0 x 15.0 cm\r\r\n"));
}

TEST_F(ImageInfoReportTest, CameraPhotoShowsItsExifAndThePrintDate) {
  TESSALY_SKIP_WITHOUT_FIXTURES();
  const QString file = test::FixturePath("exif-org_canon-ixus.jpg");
  double date = 0;
  ASSERT_TRUE(FileDateSerial(file, date));
  HistoryEdits e;
  e.label = "Printed before";
  ASSERT_TRUE(SaveEdits(date, "exif-org_canon-ixus.jpg", e));

  MyPictureManager job;
  ASSERT_EQ(AddPhotoFile(job, file), 0);
  const MyPicture& p = job.At(0);
  const QString report = ImageInfoReport(p, 1, "Screen");
  EXPECT_TRUE(report.contains(" File Size:\t\t640 x 480 pixels\r\n"));
  EXPECT_TRUE(report.contains("    Camera Model:\tCanon DIGITAL IXUS\r\n"));
  EXPECT_TRUE(report.contains("    Shutter Speed:\t" + p.Exif().ShutterSpeed + "\r\n"));
  EXPECT_FALSE(p.Exif().ShutterSpeed.isEmpty());
  const QString today = FormatDate(QDateTime::currentDateTime(), QStringLiteral("Short Date"));
  EXPECT_EQ(p.PreviousPrintDate(), today);
  EXPECT_TRUE(report.endsWith("    Display profile:\t  Screen\r\n\r\n Printed at: \t" + today))
      << report.toStdString();
}

}  // namespace
}  // namespace tessaly
