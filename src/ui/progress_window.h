// The progress window of a long run (printing, saving): a window on top with the
// run's caption, its whole text, a progress bar once the run counts its steps and a
// Cancel button. Cancel asks whether to
// stop the run (the print run's or the save run's question); the answer sets the
// program-wide cancel flag and decides whether the window closes and whether it
// goes back on top. It opens beside the main window's top-left corner. Closing the
// window counts as Cancel, so a run never goes on without its window.
#pragma once

#include <QWidget>

class QLabel;
class QProgressBar;

namespace tessaly {

class ProgressWindow : public QWidget {
  Q_OBJECT

 public:
  explicit ProgressWindow(QWidget* parent = nullptr);

  // Sets caption and text; shows the window on top when it is hidden. The window and
  // its label take the names of the run's window ("frmPrintMsg"/"lblMsgPrinting" or
  // "frmSaveMsg"/"lblMsgSaving").
  void Show(const QString& caption, const QString& text);
  // `done` of `total` steps on the progress bar; hidden for a total of 0.
  void ShowCount(int done, int total);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void AskToCancel();
  void SetTopmost(bool on);

  QLabel* message_;
  QProgressBar* bar_;
};

}  // namespace tessaly
