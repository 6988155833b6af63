// The last job's file, loading it into a job, and the message for photos left out.
#include "workspace/last_job.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <unistd.h>

#include <cerrno>

#include "controls/native_path.h"
#include "controls/utils.h"
#include "job/history_store.h"
#include "settings/settings_table.h"

namespace tessaly {

QString LastJobPath() {
  return QFileInfo(HistoryRoot()).absolutePath() + QStringLiteral("/last_job.json");
}

bool KeepLastJob(const JobSettings& settings, const MyPictureManager& job, QString* reason) {
  bool kept = true;
  if (job.Count() > 0) {
    kept = SaveJobFile(settings, job, LastJobPath(), reason);
  } else if (::unlink(NativePath(LastJobPath()).constData()) != 0 && errno != ENOENT) {
    kept = false;
    if (reason) *reason = SystemErrorText(errno);
  }
  WriteBoolSetting(QLatin1String(kOptionsSection), QStringLiteral("LastJobKept"), kept);
  return kept;
}

bool LastJobWasKept() {
  return ReadBoolSetting(QLatin1String(kOptionsSection), QStringLiteral("LastJobKept"));
}

QString FileNotWrittenText(const QString& path, const QString& reason) {
  return QCoreApplication::translate("Tessaly", "Tessaly could not write %1:\n%2")
      .arg(QDir::toNativeSeparators(path), reason);
}

QString LastJobDamagedText(const QString& damage) {
  return QCoreApplication::translate("Tessaly", "The last job could not be opened:\n%1")
      .arg(damage);
}

bool ReadLastJob(JobFile& job, QString* damage) {
  QString error;
  bool missing = false;
  const bool read = LoadJobFile(LastJobPath(), job, error, &missing);
  if (damage) *damage = read || missing ? QString() : error;
  return read;
}

QStringList LoadJobPhotos(const JobFile& job_file, MyPictureManager& job,
                          const AddJobPhotoFile& add) {
  QStringList left_out;
  for (const JobPhotoEntry& entry : job_file.photos) {
    const int position = add(entry.file);
    if (position < 0 || position >= job.Count()) {
      left_out.append(entry.file);
      continue;
    }
    ApplyJobPhoto(entry, job.At(position));
  }
  return left_out;
}

QString JobNotSavedText(const QString& path) {
  return QStringLiteral("The job could not be saved as ") + QDir::toNativeSeparators(path);
}

QString PhotosLeftOutText(const QStringList& files) {
  if (files.isEmpty()) return QString();
  QString text = QStringLiteral("These photos could not be opened and were left out:");
  for (int i = 0; i < files.size() && i < kMaxNamedLeftOut; ++i)
    text += u'\n' + QDir::toNativeSeparators(files[i]);
  if (files.size() > kMaxNamedLeftOut)
    text += QCoreApplication::translate("Tessaly", "\n... and %1 more")
                .arg(files.size() - kMaxNamedLeftOut);
  return text;
}

}  // namespace tessaly
