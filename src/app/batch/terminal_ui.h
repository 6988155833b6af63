// The Ui service of the batch command: messages go to standard error (carriage
// returns become line ends), Abort/Retry/Ignore questions are answered by the
// --on-error choice and every other question by its safe answer, progress texts are
// one line each — or, on a terminal, one progress bar redrawn in place. Ctrl-C,
// SIGTERM and SIGHUP set the program-wide cancel flag at the next poll; a second one
// of the same signal ends the process.
#pragma once

#include "controls/ui_service.h"

namespace tessaly::batch {

class TerminalUi : public Ui {
 public:
  // `ignore_errors` answers Ignore instead of Abort; `progress_bar` redraws one line.
  TerminalUi(bool ignore_errors, bool progress_bar);

  MsgAnswer MessageBox(const QString& text, MsgButtons buttons, MsgIcon icon,
                       const QString& title = QString()) override;
  bool InputBox(const QString& prompt, const QString& title, QString& value) override;
  void LetMessagesRun() override;
  void SetWaitCursor(bool) override {}
  void ShowProgress(RunKind run, const QString& text) override;
  void HideProgress() override;

  // Routes SIGINT, SIGTERM and SIGHUP to the cancel flag of whichever TerminalUi
  // polls next.
  static void CatchInterrupt();

 private:
  void ClearBar();

  bool ignore_errors_;
  bool progress_bar_;
  bool bar_shown_ = false;
};

}  // namespace tessaly::batch
