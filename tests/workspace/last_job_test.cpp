// The last job kept between runs: written beside the edit history, read back to the
// same settings and photo values, a missing photo left out and named, an empty job
// keeping the previous file, and an oversized file refused.
#include "workspace/last_job.h"

#include <gtest/gtest.h>

#include <QFile>
#include <tuple>

#include "job/add_photo.h"
#include "job/job_history.h"
#include "support/scoped_state.h"
#include "support/test_surfaces.h"
#include "surface/crafted_files.h"

namespace tessaly {
namespace {

auto Fields(const HistoryEdits& e) {
  return std::tie(e.label, e.bright, e.contrast, e.gamma100, e.red, e.green, e.blue, e.saturation,
                  e.unsharp, e.x0, e.y0, e.x1, e.y1, e.angle);
}

TEST(LastJob, KeptJobComesBackWithItsValuesAndNamesTheMissingPhoto) {
  const QString dir = QString::fromStdString(test::TempDir());
  test::ScopedHistoryRoot root(dir + "/data/Tesly_DB");
  EXPECT_EQ(LastJobPath(), dir + "/data/last_job.json");
  const QString kept = dir + "/kept.png";
  const QString missing = dir + "/missing.jpg";
  ASSERT_TRUE(test::RandomSurface(60, 40, 1).ToQImage().save(kept));
  ASSERT_TRUE(test::RandomSurface(40, 60, 2).ToQImage().save(missing));

  JobSettings settings;
  settings.Size = PhotoSize{127.0, 88.9, 2.0};
  settings.LayoutMode = 2;
  settings.FontColor = RgbValue(1, 2, 250);
  settings.DateMask = QStringLiteral("dd-mm-yyyy");
  MyPictureManager job(settings);
  ASSERT_EQ(AddPhotoFile(job, kept), 0);
  ASSERT_EQ(AddPhotoFile(job, missing), 1);
  MyPicture& edited = job.At(0);
  edited.Rotate(90);
  edited.RotateCrop();
  edited.UpdateGraphicValues(12, -8, 1.25, 3, 0, -3, 15);
  edited.SetUnsharpMask(15120);
  edited.SetCopies(3);
  edited.SetPhotoLabel(QStringLiteral("Grandma"));
  const HistoryEdits before = HistoryEditsOf(edited);

  ASSERT_TRUE(KeepLastJob(settings, job));
  const QByteArray written = test::ReadFileBytes(LastJobPath());
  // An empty job keeps the last job that had photos.
  EXPECT_TRUE(KeepLastJob(settings, MyPictureManager(settings)));
  EXPECT_EQ(test::ReadFileBytes(LastJobPath()), written);

  ASSERT_TRUE(QFile::remove(missing));
  JobFile read;
  ASSERT_TRUE(ReadLastJob(read));
  const JobSettings& s = read.settings;
  EXPECT_EQ(std::tuple(s.Size.Width, s.Size.Height, s.Size.Margins, s.LayoutMode, s.FontColor,
                       s.DateMask),
            std::tuple(127.0, 88.9, 2.0, 2, RgbValue(1, 2, 250), QString("dd-mm-yyyy")));
  MyPictureManager loaded(read.settings);
  const QStringList left_out = LoadJobPhotos(
      read, loaded, [&](const QString& photo) { return AddPhotoRecord(loaded, photo); });
  EXPECT_EQ(left_out, QStringList{missing});
  ASSERT_EQ(loaded.Count(), 1);
  EXPECT_EQ(std::tuple(loaded.At(0).Filename(), loaded.At(0).Copies()), std::tuple(kept, 3));
  EXPECT_EQ(Fields(HistoryEditsOf(loaded.At(0))), Fields(before));

  QStringList many;
  for (int i = 0; i < kMaxNamedLeftOut + 5; ++i)
    many.append(dir + QStringLiteral("/%1.jpg").arg(i));
  const QString text = PhotosLeftOutText(many);
  EXPECT_TRUE(text.contains(many[kMaxNamedLeftOut - 1]));
  EXPECT_FALSE(text.contains(many[kMaxNamedLeftOut]));
  EXPECT_TRUE(text.endsWith(QStringLiteral("... and 5 more")));
  EXPECT_EQ(PhotosLeftOutText({}), QString());

  // The same job padded past the job-file bound is not read at all.
  test::PutFile(LastJobPath(), written + QByteArray(kMaxJobFileBytes + 1 - written.size(), ' '));
  JobFile oversized;
  EXPECT_FALSE(ReadLastJob(oversized));
}

}  // namespace
}  // namespace tessaly
