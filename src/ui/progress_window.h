// The progress window of a long run (printing, saving): a small window on top with
// the run's caption, one line of text and a Cancel button. Cancel asks whether to
// stop the run (the print run's or the save run's question); the answer sets the
// program-wide cancel flag and decides whether the window closes and whether it
// goes back on top. It opens beside the main window's top-left corner. Closing the
// window counts as Cancel, so a run never goes on without its window.
#pragma once

#include <QWidget>

class QLabel;

namespace tessaly {

class ProgressWindow : public QWidget {
  Q_OBJECT

 public:
  explicit ProgressWindow(QWidget* parent = nullptr);

  // Sets caption and text; shows the window on top when it is hidden. The window and
  // its label take the names of the run's window ("frmPrintMsg"/"lblMsgPrinting" or
  // "frmSaveMsg"/"lblMsgSaving").
  void Show(const QString& caption, const QString& text);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void AskToCancel();
  void SetTopmost(bool on);

  QLabel* message_;
};

}  // namespace tessaly
