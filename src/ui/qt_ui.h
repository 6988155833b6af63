// The Ui service of the window program: real message boxes and the input box,
// letting messages run through the Qt event loop, the wait cursor and the progress
// window. Wait-cursor requests nest: only the outermost on/off pair changes the
// cursor, so a helper that shows the wait cursor inside a longer run does not end
// it early; a box that asks something shows the arrow while it waits. An empty
// message-box title means the program's caption "Tessaly".
#pragma once

#include <QPointer>
#include <QWidget>

#include "controls/ui_service.h"

class QMessageBox;

namespace tessaly {

class ProgressWindow;

class QtUi final : public Ui {
 public:
  QtUi();
  ~QtUi() override;

  MsgAnswer MessageBox(const QString& text, MsgButtons buttons, MsgIcon icon,
                       const QString& title = QString()) override;
  // A box that stays open beside the window without being activated; a new notice
  // replaces the text of one still shown.
  void Notice(const QString& text, MsgIcon icon) override;
  bool InputBox(const QString& prompt, const QString& title, QString& value) override;
  void LetMessagesRun() override;
  void SetWaitCursor(bool on) override;
  void ShowProgress(RunKind run, const QString& text) override;
  void ShowProgressCount(int done, int total) override;
  void HideProgress() override;
  // exec() of the QDialog `dialog`; false for any other object.
  bool RunDialog(QObject& dialog) override;

  // The window the progress windows are shown beside (not owned; may go away).
  void SetMainWindow(QWidget* window) { main_window_ = window; }
  // How many wait-cursor requests are open.
  int WaitCursorDepth() const { return wait_depth_; }

 private:
  int wait_depth_ = 0;
  QPointer<ProgressWindow> progress_;
  QPointer<QWidget> main_window_;
  QPointer<QMessageBox> notice_;
};

}  // namespace tessaly
