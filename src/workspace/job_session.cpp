// The session's parts, made in the order they use each other, and the headless
// halves of the window's job-file, printer and closing commands.
#include "workspace/job_session.h"

#include "controls/common_dialogs.h"
#include "controls/native_path.h"
#include "controls/ui_service.h"
#include "controls/ui_text.h"
#include "settings/settings_file.h"
#include "settings/settings_table.h"
#include "workspace/last_job.h"
#include "workspace/main_window_rules.h"
#include "workspace/run_summary.h"

namespace tessaly {

JobSession::JobSession(PrinterCatalogue* catalogue)
    : job_(LoadJobSettings()),
      photos_(job_),
      printers_(catalogue),
      setup_(job_),
      run_(job_, printers_, layout_) {}

void JobSession::ListPrinters() {
  if (printers_listed_) return;
  printers_listed_ = true;
  QStringList printer_names;
  int printer_count = 0, default_printer = 0;
  printers_.GetPrinterList(printer_names, printer_count, default_printer);
  setup_.SetPrinterCount(printer_count);
}

bool JobSession::RefuseWithoutPrinter() {
  ListPrinters();
  if (!setup_.NoPrinter() && printers_.Device()) return false;
  CurrentUi().MessageBox(UiText(kNoPrinterMessage), MsgButtons::Ok, MsgIcon::None);
  return true;
}

void JobSession::AddFiles(const QStringList& files, const std::function<void()>& step) {
  for (const QString& file : files) {
    if (closed_) break;
    if (job_.Room() == 0) {
      CurrentUi().MessageBox(JobFullText(job_), MsgButtons::Ok, MsgIcon::Exclamation);
      break;
    }
    const QString path = AbsolutePath(ExistingNativePath(file));
    ImageReadStatus status = ImageReadStatus::kOk;
    if (AddPhotoFile(job_, path, &status, photos_.Adder()) < 0) {
      CurrentUi().MessageBox(PhotoNotAddedText(path, status), MsgButtons::Ok, MsgIcon::Exclamation);
      continue;
    }
    step();
  }
}

bool JobSession::LastJobToOpen(JobFile& last) {
  if (!LastJobWasKept()) return false;
  last.settings = job_.Settings();
  QString damage;
  if (!ReadLastJob(last, &damage)) {
    if (!damage.isEmpty())
      CurrentUi().MessageBox(LastJobDamagedText(damage), MsgButtons::Ok, MsgIcon::Exclamation);
    return false;
  }
  return CurrentUi().MessageBox(UiText(kOpenLastJobQuestion), MsgButtons::YesNo,
                                MsgIcon::Question) == MsgAnswer::Yes;
}

bool JobSession::JobFileToOpen(const QString& folder, JobFile& opened) {
  OpenFileRequest request{UiText(kOpenJobTitle), QString::fromLatin1(kJobFileFilter), 1, folder};
  QStringList files;
  if (!CurrentCommonDialogs().OpenFiles(request, files)) return false;
  opened.settings = job_.Settings();
  QString error;
  if (LoadJobFile(files.front(), opened, error)) return true;
  CurrentUi().MessageBox(error, MsgButtons::Ok, MsgIcon::Exclamation);
  return false;
}

void JobSession::SaveJob(const QString& folder) {
  OpenFileRequest request{UiText(kSaveJobTitle), QString::fromLatin1(kJobFileFilter), 1, folder};
  QString path;
  if (!CurrentCommonDialogs().SaveFile(request, path)) return;
  if (!SaveJobFile(job_.Settings(), job_, path))
    CurrentUi().MessageBox(JobNotSavedText(path), MsgButtons::Ok, MsgIcon::Exclamation);
}

JobPhotosLoaded JobSession::AddJobPhotos(const JobFile& whole_file,
                                         const std::function<void()>& step) {
  JobPhotosLoaded loaded;
  JobFile job_file = whole_file;
  loaded.too_many = static_cast<int>(job_file.photos.size()) > job_.Room();
  if (loaded.too_many) job_file.photos.resize(static_cast<std::size_t>(job_.Room()));
  loaded.left_out = LoadJobPhotos(job_file, job_, [this, &step](const QString& file) {
    if (closed_) return -1;
    const int position = AddPhotoFile(job_, file, nullptr, photos_.Adder());
    step();
    return position;
  });
  return loaded;
}

void JobSession::TellLeftOut(const JobPhotosLoaded& loaded) {
  if (!loaded.left_out.isEmpty() && !closed_)
    CurrentUi().MessageBox(PhotosLeftOutText(loaded.left_out), MsgButtons::Ok,
                           MsgIcon::Exclamation);
  if (loaded.too_many && !closed_)
    CurrentUi().MessageBox(JobFullText(job_), MsgButtons::Ok, MsgIcon::Exclamation);
}

void JobSession::TellPrintRunEnd(bool files_named) {
  const bool cancelled = CurrentUi().CancelRequested();
  const int done = run_.PagesEnded();
  const int pages = run_.PageCount();
  const bool history_failed = run_.HistoryFailed();
  if (files_named && !cancelled && done == pages && !history_failed) return;
  CurrentUi().MessageBox(
      PrintSummaryText(done, pages, PrinterDisplayName(printers_.CurrentPrinterName()), cancelled,
                       history_failed),
      MsgButtons::Ok, PrintSummaryIcon(done, pages, cancelled, history_failed));
}

QStringList JobSession::Close(const QString& init_path) {
  closed_ = true;
  // A file that cannot be written does not hold the window open: it is named with
  // the reason.
  QStringList failures;
  QString reason;
  if (!WriteIniValue(kOptionsSection, QStringLiteral("InitPath"), init_path, SettingsFilePath(),
                     &reason))
    failures << FileNotWrittenText(SettingsFilePath(), reason);
  // A run that never had photos (the last job not taken, the process told to end at
  // start) leaves the last job as it was.
  if ((job_.Count() > 0 || photos_.HadPhotos()) && !KeepLastJob(job_.Settings(), job_, &reason))
    failures << FileNotWrittenText(LastJobPath(), reason);
  return failures;
}

}  // namespace tessaly
