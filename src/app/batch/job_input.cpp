// Job input shared by the commands that run a job.
#include "app/batch/job_input.h"

#include <QDir>
#include <cstdio>

#include "app/batch/commands.h"
#include "controls/native_path.h"
#include "job/add_photo.h"
#include "job/history_store.h"

namespace tessaly::batch {
namespace {

constexpr char kJobOption[] = "job";
constexpr char kOnErrorOption[] = "on-error";
// Caption of the progress while the photos are being added.

}  // namespace

void AddJobOptions(QCommandLineParser& parser) {
  parser.addOption(QCommandLineOption(QLatin1String(kJobOption), QString(), "file"));
  parser.addOption(QCommandLineOption(QLatin1String(kOnErrorOption), QString(), "mode",
                                      QStringLiteral("abort")));
}

bool ReadOnErrorOption(const QCommandLineParser& parser, const QString& command,
                       bool& ignore_errors, int& exit_code) {
  const QString mode = parser.value(QLatin1String(kOnErrorOption));
  if (mode != QLatin1String("abort") && mode != QLatin1String("ignore")) {
    exit_code = UsageError(command, QStringLiteral("--on-error: expected abort or ignore"));
    return false;
  }
  ignore_errors = mode == QLatin1String("ignore");
  return true;
}

bool HaveJobFile(const QCommandLineParser& parser) {
  return parser.isSet(QLatin1String(kJobOption));
}

bool JobInputGiven(const QCommandLineParser& parser, const QString& command, int& exit_code) {
  const bool have_job = HaveJobFile(parser);
  if (have_job != parser.positionalArguments().isEmpty()) {
    exit_code = UsageError(command, have_job ? QStringLiteral("give either --job or photo files")
                                             : QStringLiteral("no photo file given"));
    return false;
  }
  return true;
}

bool LoadJobInput(const QCommandLineParser& parser, const QString& command, JobFile& job_file,
                  Ui& ui, int& exit_code) {
  if (!HaveJobFile(parser)) {
    for (const QString& file : parser.positionalArguments()) {
      JobPhotoEntry entry;
      entry.file = AbsolutePath(file);
      job_file.photos.push_back(entry);
    }
    return true;
  }
  QString error;
  if (!LoadJobFile(parser.value(QLatin1String(kJobOption)), job_file, error)) {
    ui.MessageBox(error, MsgButtons::Ok, MsgIcon::Exclamation);
    exit_code = kExitBadInput;
    return false;
  }
  // --size wins over the job file as it wins over the settings file.
  return ApplySizeOption(parser, command, job_file.settings, exit_code);
}

void WarnWhenPartial(const QString& file, ImageReadStatus status, Ui& ui) {
  if (status != ImageReadStatus::kPartial) return;
  ui.MessageBox(QStringLiteral("'%1' is truncated; using what it holds").arg(file), MsgButtons::Ok,
                MsgIcon::Exclamation);
}

bool TellHistoryFailure(bool failed) {
  if (failed) {
    std::fprintf(stderr, "The edit history could not be written in %s\n",
                 qPrintable(QDir::toNativeSeparators(HistoryRoot())));
  }
  return failed;
}

AddOutcome AddPhotos(const JobFile& job_file, bool apply_entries, MyPictureManager& job, Ui& ui) {
  AddOutcome outcome = AddOutcome::kAllAdded;
  const int count = static_cast<int>(job_file.photos.size());
  for (int i = 0; i < count; ++i) {
    const JobPhotoEntry& entry = job_file.photos[i];
    ui.ShowProgress(RunKind::kLoad,
                    QStringLiteral("Loading Image %1 of %2...").arg(i + 1).arg(count));
    if (ui.CancelRequested()) return AddOutcome::kStopped;
    ImageReadStatus status = ImageReadStatus::kOk;
    int position = AddPhotoRecord(job, entry.file, &status);
    while (position < 0) {
      const MsgAnswer answer = ui.MessageBox(OpeningErrorText(entry.file, status),
                                             MsgButtons::AbortRetryIgnore, MsgIcon::Critical);
      if (answer == MsgAnswer::Abort) return AddOutcome::kStopped;
      if (answer == MsgAnswer::Ignore) break;
      position = AddPhotoRecord(job, entry.file, &status);
    }
    WarnWhenPartial(entry.file, status, ui);
    if (position < 0) {
      outcome = AddOutcome::kSomeSkipped;
      continue;
    }
    if (apply_entries) ApplyJobPhoto(entry, job.At(position));
  }
  return outcome;
}

}  // namespace tessaly::batch
