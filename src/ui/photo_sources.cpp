// Adding photos from the dialog, the command line, a drop, a job file or the last job.
#include "ui/photo_sources.h"

#include <QTimer>
#include <QWidget>

#include "controls/ui_service.h"
#include "settings/settings_file.h"
#include "settings/settings_table.h"
#include "ui/open_photos_dialog.h"
#include "ui/window_block.h"

namespace tessaly {

PhotoSources::PhotoSources(JobSession& session, QWidget* window)
    : QObject(window),
      session_(session),
      window_(window),
      init_path_(ReadTextSetting(kOptionsSection, QStringLiteral("InitPath"))) {}

QString PhotoSources::InitPath() const {
  return dialog_ ? dialog_->InitPath() : init_path_;
}

bool PhotoSources::DialogShown() const {
  return dialog_ && dialog_->isVisible();
}

void PhotoSources::OpenDialog() {
  if (dialog_) return;
  // Modal to the whole program, so no other command starts while photos are added.
  dialog_ = new OpenPhotosDialog(session_.Job(), init_path_, session_.Photos().Adder(), window_);
  dialog_->setWindowModality(Qt::ApplicationModal);
  connect(dialog_, &QDialog::finished, this, [this] {
    if (dialog_) init_path_ = dialog_->InitPath();
    // The rest runs from the window's own frame once the dialog's handlers (its
    // adding loop among them) have returned, rather than letting messages run inside
    // the dialog's done().
    QTimer::singleShot(0, this, &PhotoSources::added);
  });
  dialog_->show();
}

void PhotoSources::AddFiles(const QStringList& files) {
  {
    const WindowBlock busy(window_);
    session_.AddFiles(files, [] { CurrentUi().LetMessagesRun(); });
  }
  emit added();
}

bool PhotoSources::OfferLastJob() {
  JobFile last;
  if (!session_.LastJobToOpen(last)) return false;
  AddJobPhotos(last);
  return session_.Job().Count() > 0;
}

void PhotoSources::OpenJob() {
  JobFile opened;
  if (!dialog_ && session_.JobFileToOpen(init_path_, opened)) AddJobPhotos(opened);
}

void PhotoSources::SaveJob() {
  session_.SaveJob(init_path_);
}

void PhotoSources::AddJobPhotos(const JobFile& job_file) {
  WindowBlock busy(window_);
  const JobPhotosLoaded loaded =
      session_.AddJobPhotos(job_file, [] { CurrentUi().LetMessagesRun(); });
  busy.Release();
  // The current photo was shown before its stored values were given back.
  emit added();
  session_.TellLeftOut(loaded);
}

}  // namespace tessaly
