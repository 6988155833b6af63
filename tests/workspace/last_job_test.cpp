// The last job kept between runs: written beside the edit history, read back to the
// same settings and photo values, a missing photo left out and named, an emptied job
// removing the file, a job that could not be kept noted as such, an oversized, empty or damaged
// file told apart from none. With it, every file the program keeps refuses a FIFO at its
// name at once: the settings file, a month file of the edit history, a job file.
#include "workspace/last_job.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <optional>
#include <tuple>

#include "job/add_photo.h"
#include "job/job_history.h"
#include "settings/settings_file.h"
#include "support/returns_promptly.h"
#include "support/scoped_state.h"
#include "support/scratch_home.h"
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

  test::ScopedSettingsFile ini(dir + "/Tesly.ini");
  ASSERT_TRUE(KeepLastJob(settings, job));
  EXPECT_TRUE(LastJobWasKept());
  // A job emptied before closing leaves nothing to offer; a last job that cannot be
  // written (a folder holds its name) is noted as not kept, so that no older one is
  // offered in its place.
  EXPECT_TRUE(KeepLastJob(settings, MyPictureManager(settings)));
  EXPECT_FALSE(QFile::exists(LastJobPath()));
  ASSERT_TRUE(QDir().mkdir(LastJobPath()));
  QString reason;
  EXPECT_FALSE(KeepLastJob(settings, job, &reason));
  EXPECT_FALSE(reason.isEmpty());
  EXPECT_FALSE(LastJobWasKept());
  ASSERT_TRUE(QDir().rmdir(LastJobPath()));
  ASSERT_TRUE(KeepLastJob(settings, job));
  EXPECT_TRUE(LastJobWasKept());
  const QByteArray written = test::ReadFileBytes(LastJobPath());

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
  QString damage;
  EXPECT_FALSE(ReadLastJob(oversized, &damage));
  EXPECT_EQ(damage.toStdString(), (LastJobPath() + ": is larger than 16 MB").toStdString());
}

TEST(LastJob, NoneIsToldFromAnEmptyOrDamagedFile) {
  const QString dir = QString::fromStdString(test::TempDir());
  test::ScopedHistoryRoot root(dir + "/Tesly_DB");
  // {file text, or none; the damage named}
  const std::pair<std::optional<QByteArray>, QString> cases[] = {
      {std::nullopt, ""},
      {"", LastJobPath() + ": is empty"},
      {" \n", LastJobPath() + ": is empty"},
      {"{\"version\": 1, \"pho",
       "last_job.json: not valid JSON: unterminated string at line 1, column 20"},
      {"{\"version\": 1}", "last_job.json: photos: expected a list of at least one photo"},
  };
  for (const auto& [text, named] : cases) {
    SCOPED_TRACE(named.toStdString());
    QFile::remove(LastJobPath());
    if (text) test::PutFile(LastJobPath(), *text);
    JobFile job;
    QString damage = "untouched";
    EXPECT_FALSE(ReadLastJob(job, &damage));
    EXPECT_EQ(damage.toStdString(), named.toStdString());
  }
}

// Each file the program keeps refuses a FIFO at its name at once, with the reason
// (the other kinds are the bounded reader's own test).
TEST(KeptFiles, AFifoAtTheNameIsRefusedAtOnce) {
  const QString base = QString::fromStdString(test::TempDir()) + "/fifo";
  const QString what = "is not a regular file";
  constexpr double kMarch15th2003 = 37695.0;
  test::ScopedHistoryRoot root(base + "/data/Tesly_DB");
  const QString settings = base + "/config/Tesly.ini";
  const QString month = base + "/data/Tesly_DB/2003/2003-03.dat";
  const QString job_file = base + "/job.json";
  for (const QString& path : {settings, month, job_file, LastJobPath()}) {
    ASSERT_TRUE(QDir().mkpath(QFileInfo(path).absolutePath()));
    ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
  }

  test::ReturnsPromptly([&] { EXPECT_EQ(ReadIniValue("Options", "Units", settings), ""); },
                        settings);
  test::ReturnsPromptly(
      [&] {
        QString reason;
        EXPECT_FALSE(WriteIniValue("Options", "Units", "1", settings, &reason));
        EXPECT_EQ(reason.toStdString(), what.toStdString());
      },
      settings);
  test::ReturnsPromptly(
      [&] {
        HistoryEdits edits;
        double print_date = 0;
        EXPECT_FALSE(GetEdits(kMarch15th2003, "a.jpg", edits, print_date));
        EXPECT_FALSE(SaveEdits(kMarch15th2003, "a.jpg", edits));
      },
      month);
  test::ReturnsPromptly(
      [&] {
        JobFile job;
        QString error;
        EXPECT_FALSE(LoadJobFile(job_file, job, error));
        EXPECT_EQ(error.toStdString(), (job_file + ": " + what).toStdString());
      },
      job_file);
  test::ReturnsPromptly(
      [&] {
        JobFile job;
        QString damage;
        EXPECT_FALSE(ReadLastJob(job, &damage));
        EXPECT_EQ(damage.toStdString(), (LastJobPath() + ": " + what).toStdString());
      },
      LastJobPath());
  // Each stays what it was.
  for (const QString& path : {settings, month, job_file, LastJobPath()}) {
    struct stat info {};
    ASSERT_EQ(::lstat(QFile::encodeName(path).constData(), &info), 0) << path.toStdString();
    EXPECT_FALSE(S_ISREG(info.st_mode)) << path.toStdString();
  }
}

}  // namespace
}  // namespace tessaly
