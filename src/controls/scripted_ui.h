// A Ui that records every message and answers from a script, for tests and the
// batch command. Without a scripted answer it gives the answer that never loops:
// Ok, Cancel, Abort or No, whichever the button set has. Cancel can be requested
// after a given number of polls, so tests can stop a long run at a known row.
#pragma once

#include <deque>
#include <functional>
#include <utility>
#include <vector>

#include "controls/ui_service.h"

namespace tessaly {

struct RecordedMessage {
  QString text;
  MsgButtons buttons;
  MsgIcon icon;
  QString title;
};

class ScriptedUi : public Ui {
 public:
  MsgAnswer MessageBox(const QString& text, MsgButtons buttons, MsgIcon icon,
                       const QString& title = QString()) override;
  bool InputBox(const QString& prompt, const QString& title, QString& value) override;
  void LetMessagesRun() override;
  void SetWaitCursor(bool on) override { wait_cursor_ = on; }
  // Records the text (and echoes it when echoing) and lets messages run.
  void ShowProgress(RunKind run, const QString& text) override;
  void ShowProgressCount(int done, int total) override { counts_.push_back({done, total}); }
  void HideProgress() override { progress_shown_ = false; }
  // Records the dialog's object name and runs the next queued dialog answer on it;
  // with none queued the dialog is cancelled.
  bool RunDialog(QObject& dialog) override;

  // Queues the answer for the next message box.
  void Answer(MsgAnswer answer) { answers_.push_back(answer); }
  // Queues the text for the next input box; an empty optional-like flag cancels.
  void AnswerInput(const QString& text, bool ok = true) { inputs_.push_back({text, ok}); }
  // Queues the answer for the next dialog run: it fills the dialog's fields, presses
  // one of its buttons and returns whether the dialog was accepted.
  void AnswerDialog(std::function<bool(QObject&)> answer) {
    dialog_answers_.push_back(std::move(answer));
  }
  // Sets the cancel flag during the n-th call of LetMessagesRun from now (1-based).
  void CancelAfterPolls(int n) { cancel_after_ = n; }
  // Called on every LetMessagesRun, after the poll count is updated.
  void OnPoll(std::function<void(int)> hook) { on_poll_ = std::move(hook); }

  const std::vector<RecordedMessage>& Messages() const { return messages_; }
  std::vector<QString> MessageTexts() const;
  // Every progress text shown, in order, and whether the progress window is shown.
  const std::vector<QString>& ProgressTexts() const { return progress_; }
  bool ProgressShown() const { return progress_shown_; }
  // Every count shown, as {done, total}.
  const std::vector<std::pair<int, int>>& ProgressCounts() const { return counts_; }
  // The object names of the dialogs run, in order.
  const std::vector<QString>& DialogsRun() const { return dialogs_; }
  int Polls() const { return polls_; }
  bool WaitCursor() const { return wait_cursor_; }
  // When set, every message is also printed on standard error (the batch command).
  void EchoToStderr(bool on) { echo_ = on; }

 private:
  struct Input {
    QString text;
    bool ok;
  };
  std::vector<RecordedMessage> messages_;
  std::vector<QString> progress_;
  std::vector<std::pair<int, int>> counts_;
  std::deque<MsgAnswer> answers_;
  std::deque<Input> inputs_;
  std::vector<QString> dialogs_;
  std::deque<std::function<bool(QObject&)>> dialog_answers_;
  std::function<void(int)> on_poll_;
  int polls_ = 0;
  int cancel_after_ = 0;
  bool wait_cursor_ = false;
  bool echo_ = false;
  bool progress_shown_ = false;
};

}  // namespace tessaly
