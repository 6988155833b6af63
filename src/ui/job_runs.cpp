// The print and save runs over the session's job, and the close that waits for them.
#include "ui/job_runs.h"

#include <QTimer>
#include <QWidget>

#include "controls/ui_service.h"
#include "controls/ui_text.h"
#include "print/job_layout.h"
#include "save/save_checks.h"
#include "ui/preview_window.h"
#include "ui/print_options_dialog.h"
#include "ui/save_dialog.h"
#include "ui/window_block.h"
#include "workspace/run_summary.h"

namespace tessaly {

JobRuns::JobRuns(JobSession& session, QWidget* window)
    : QObject(window), session_(session), window_(window) {
  // A run's own block is released when it ends; a preview holds one more until it
  // closes, so that the job its pages are drawn from cannot change meanwhile.
  session_.Run().SetMainWindowHook([this](bool enabled) {
    if (!enabled) emit runStarted();
    enabled ? UnblockWindow(window_) : BlockWindow(window_);
  });
  session_.Run().SetPreviewHook([this](PrintWindow& shown) {
    BlockWindow(window_);
    PreviewWindow::Open(
        shown, [this] { emit printAsked(); }, [this] { UnblockWindow(window_); });
  });
  session_.Run().SetRunEndHook([this](bool files_named) {
    if (!close_pending_ && !session_.Closed()) session_.TellPrintRunEnd(files_named);
  });
}

void JobRuns::Preview() {
  if (Going() || session_.RefuseWithoutPrinter()) return;
  ComputeJobLayout(session_.Layout(), *session_.Printers().Device(), session_.Job().Settings());
  session_.Run().PrintIt(true);
}

void JobRuns::Print() {
  // A run is never nested over the job a run in hand is using.
  if (Going() || session_.RefuseWithoutPrinter()) return;
  printing_ = true;
  RunPrintOptions(window_, session_.Job(), session_.Printers(), session_.Layout(), session_.Run());
  printing_ = false;
  CloseIfAsked();
}

void JobRuns::Save() {
  if (Going()) return;
  MyPictureManager& job = session_.Job();
  if (job.Settings().ThumbMode) {
    CurrentUi().MessageBox(UiText(kContactSheetSaveMessage), MsgButtons::Ok, MsgIcon::Information);
    return;
  }
  save_dialog_ = SaveDialog::OpenForm(job, window_);
  connect(save_dialog_, &SaveDialog::runEnded, this,
          [this](const SaveRunReport& report, int total, const QString& folder) {
            if (close_pending_ || session_.Closed()) return;
            CurrentUi().MessageBox(SaveSummaryText(report, total, folder), MsgButtons::Ok,
                                   SaveSummaryIcon(report, total));
          });
}

bool JobRuns::Going() const {
  return printing_ || (save_dialog_ && save_dialog_->Saving());
}

bool JobRuns::DeferClose() {
  if (!Going()) return false;
  close_pending_ = true;
  return true;
}

void JobRuns::CloseIfAsked() {
  if (!close_pending_ || Going()) return;
  close_pending_ = false;
  // Once the run's callers have returned.
  QTimer::singleShot(0, window_, &QWidget::close);
}

}  // namespace tessaly
