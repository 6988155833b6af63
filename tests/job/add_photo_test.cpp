// Adding photo files: the screen-copy size with halves to even, real JPEG and PNG
// files loaded into the job at their screen-copy size, unreadable files refused, and
// a photo's history values rounded as the record stores them.
#include "job/add_photo.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "job/job_history.h"
#include "job/screen_picture.h"
#include "support/scoped_state.h"
#include "support/test_surfaces.h"

namespace tessaly {
namespace {

using test::ScopedHistoryRoot;

TEST(ScreenCopySize, LongerSideIsSAndTheOtherIsNearestWithHalvesToEven) {
  // w, h, S, then the copy's size: 266.67, a square, halves 1.5, 2.5 and 3.5 both
  // ways, and at least one pixel.
  const int cases[][5] = {{3000, 2000, 400, 400, 267},
                          {500, 500, 400, 400, 400},
                          {8, 3, 4, 4, 2},
                          {8, 5, 4, 4, 2},
                          {8, 7, 4, 4, 4},
                          {5, 8, 4, 2, 4},
                          {1, 401, 400, 1, 400},
                          {1, 1000, 400, 1, 400},
                          {60000, 50, 400, 400, 1},
                          {65535, 65534, 5000, 5000, 5000}};
  for (const auto& c : cases) {
    int width = -1;
    int height = -1;
    ScreenCopySize(c[0], c[1], c[2], width, height);
    EXPECT_EQ(std::pair(width, height), std::pair(c[3], c[4]))
        << c[0] << "x" << c[1] << " S " << c[2];
  }
}

class AddPhotoTest : public ::testing::Test {
 protected:
  AddPhotoTest() : dir_(QString::fromStdString(test::TempDir())), root_(dir_ + "/history") {}

  QString Write(const QString& name, int width, int height, std::uint32_t seed) {
    const QString path = dir_ + "/" + name;
    EXPECT_TRUE(test::RandomSurface(width, height, seed).ToQImage().save(path));
    return path;
  }

  QString dir_;
  ScopedHistoryRoot root_;
  ScriptedUi ui_;
  ScopedUi scoped_ui_{ui_};
};

TEST_F(AddPhotoTest, AddPhotoFileLoadsARecordWithTheJobsSize) {
  JobSettings settings;
  settings.Size = PhotoSize{127, 177.8, 2};
  MyPictureManager job(settings);
  const QString first = Write("first.jpg", 600, 400, 1);
  const QString second = Write("second.png", 200, 300, 2);
  // The strip gets each new photo's unedited screen picture while it is added.
  std::vector<QImage> thumbnails;
  const ThumbnailSink strip = [&](const QImage& picture) { thumbnails.push_back(picture); };
  EXPECT_EQ(AddPhotoFile(job, first, nullptr, strip), 0);
  EXPECT_EQ(AddPhotoFile(job, second, nullptr, strip), 1);
  EXPECT_EQ(AddPhotoFile(job, dir_ + "/missing.jpg", nullptr, strip), -1);
  ASSERT_EQ(job.Count(), 2);
  ASSERT_EQ(thumbnails.size(), 2u);

  MyPicture& p = job.At(0);
  EXPECT_EQ(std::tuple(p.Filename(), p.PhotoPixelsHeight(), p.ImgPrintWidth(), p.ImgPrintHeight(),
                       p.Margin()),
            std::tuple(first, 400, 177.8, 127.0, 2.0));
  // Added hidden: the unedited copy alone until the photo is shown.
  EXPECT_TRUE(p.picture().picture.isNull());
  EXPECT_TRUE(p.pictureToTumb().isNull());
  EXPECT_EQ(p.OriginalPixelsArray().size(), static_cast<std::size_t>(StrideFor(400)) * 267);
  p.UpdateGraphic();
  EXPECT_EQ(p.picture().picture.size(), QSize(400, 267));
  EXPECT_TRUE(thumbnails[0].convertToFormat(QImage::Format_RGB888) ==
              p.picture().picture.convertToFormat(QImage::Format_RGB888));
  EXPECT_EQ(thumbnails[1].size(), QSize(267, 400));
  job.At(1).UpdateGraphic();
  EXPECT_EQ(job.At(1).picture().picture.size(), QSize(267, 400));
}

// Memory per photo: an added photo keeps one screen-sized copy (its unedited
// pixels), a record added from the header keeps none, and both draw the very
// picture a shown photo draws with the same turn and edits.
TEST_F(AddPhotoTest, HiddenAndPixelFreeRecordsDrawTheShownPicture) {
  const QString files[] = {Write("wide.jpg", 600, 400, 7), Write("tall.png", 200, 300, 8)};
  for (const QString& file : files) {
    SCOPED_TRACE(file.toStdString());
    MyPictureManager shown_job;
    MyPictureManager record_job;
    ASSERT_EQ(AddPhotoFile(shown_job, file), 0);
    ImageReadStatus status = ImageReadStatus::kPartial;
    ASSERT_EQ(AddPhotoRecord(record_job, file, &status), 0);
    EXPECT_EQ(status, ImageReadStatus::kOk);
    MyPicture& shown = shown_job.At(0);
    MyPicture& record = record_job.At(0);
    EXPECT_TRUE(shown.picture().picture.isNull());
    EXPECT_TRUE(shown.HasScreenPixels());
    EXPECT_FALSE(record.HasScreenPixels());
    for (MyPicture* p : {&shown, &record}) {
      p->Rotate(90);
      p->UpdateGraphicValues(12, -8, 1.2, 3, 0, -3, 15);
      p->SetUnsharpMask(15120);
    }
    EXPECT_TRUE(record.picture().picture.isNull());
    EXPECT_EQ(
        std::tuple(record.picture().width, record.picture().height, record.CropX0(),
                   record.CropY1()),
        std::tuple(shown.picture().width, shown.picture().height, shown.CropX0(), shown.CropY1()));
    const QImage expected = shown.picture().picture;
    ASSERT_FALSE(expected.isNull());
    EXPECT_TRUE(ScreenPicture(record) == expected);
    shown.ReleaseScreenPicture();
    EXPECT_TRUE(shown.picture().picture.isNull());
    EXPECT_TRUE(ScreenPicture(shown) == expected);
  }
}

TEST_F(AddPhotoTest, HistoryValuesAreRoundedToHundredthsAndTenThousandths) {
  JobSettings settings;
  MyPictureManager job(settings);
  ASSERT_EQ(AddPhotoFile(job, Write("a.jpg", 600, 400, 3)), 0);  // picture 6000 × 4005 twips
  MyPicture& p = job.At(0);
  p.Crop().SetRect(CropRect{1234, 567, 3000, 2000});
  p.Setgamma(1.125);
  HistoryEdits e = HistoryEditsOf(p);
  // Gamma 112.5 → 112; corners 1234 / 6000 → 2056.67, 567 / 4005 → 1415.73,
  // 4234 / 6000 → 7056.67, 2567 / 4005 → 6409.49.
  EXPECT_EQ(std::tuple(e.gamma100, e.x0, e.y0, e.x1, e.y1),
            std::tuple(112, 2057, 1416, 7057, 6409));
  p.Setgamma(0.875);
  p.Crop().SetRect(CropRect{3, 0, 5994, 4005});
  e = HistoryEditsOf(p);
  // 87.5 → 88; 3 / 6000 → 5.0; 5997 / 6000 → 9995.
  EXPECT_EQ(std::tuple(e.gamma100, e.x0, e.x1, e.y1), std::tuple(88, 5, 9995, 10000));
}

}  // namespace
}  // namespace tessaly
