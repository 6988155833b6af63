// The progress window of a long run (printing, saving): a window on top with the
// run's caption, its whole text, a progress bar once the run counts its steps and a
// Cancel button. Cancel asks whether to
// stop the run (the print run's or the save run's question); the answer sets the
// program-wide cancel flag and decides whether the window closes and whether it
// goes back on top. It opens beside the main window's top-left corner. Closing the
// window counts as Cancel, so a run never goes on without its window.
#pragma once

#include <QWidget>

#include "controls/ui_service.h"

class QLabel;
class QProgressBar;

namespace tessaly {

class ProgressWindow : public QWidget {
  Q_OBJECT

 public:
  explicit ProgressWindow(QWidget* parent = nullptr);

  // Sets the run's caption and the text; shows the window on top when it is hidden,
  // near the corner of `anchor` (the main window) when there is one. The window and
  // its label take the names of the run's window ("frmPrintMsg"/"lblMsgPrinting" or
  // "frmSaveMsg"/"lblMsgSaving").
  void Show(RunKind run, const QString& text, const QWidget* anchor);
  // `done` of `total` steps on the progress bar; hidden for a total of 0.
  void ShowCount(int done, int total);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void AskToCancel();
  void SetTopmost(bool on);

  RunKind run_ = RunKind::kPrint;
  QLabel* message_;
  QProgressBar* bar_;
};

}  // namespace tessaly
