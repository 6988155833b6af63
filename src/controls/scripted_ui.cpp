// Scripted answers, recorded messages and cancel-after-n-polls for headless runs.
#include "controls/scripted_ui.h"

#include <QObject>
#include <cstdio>

namespace tessaly {
MsgAnswer ScriptedUi::MessageBox(const QString& text, MsgButtons buttons, MsgIcon icon,
                                 const QString& title) {
  messages_.push_back({text, buttons, icon, title});
  if (echo_) std::fprintf(stderr, "%s\n", qPrintable(text));
  if (answers_.empty()) return NeverLoopingAnswer(buttons);
  const MsgAnswer answer = answers_.front();
  answers_.pop_front();
  return answer;
}

bool ScriptedUi::InputBox(const QString& prompt, const QString& title, QString& value) {
  messages_.push_back({prompt, MsgButtons::OkCancel, MsgIcon::None, title});
  if (inputs_.empty()) return false;
  const Input input = inputs_.front();
  inputs_.pop_front();
  if (input.ok) value = input.text;
  return input.ok;
}

bool ScriptedUi::RunDialog(QObject& dialog) {
  dialogs_.push_back(dialog.objectName());
  if (dialog_answers_.empty()) return false;
  const std::function<bool(QObject&)> answer = std::move(dialog_answers_.front());
  dialog_answers_.pop_front();
  return answer(dialog);
}

void ScriptedUi::LetMessagesRun() {
  ++polls_;
  if (cancel_after_ > 0 && --cancel_after_ == 0) SetCancelRequested(true);
  if (on_poll_) on_poll_(polls_);
}

void ScriptedUi::ShowProgress(RunKind, const QString& text) {
  progress_.push_back(text);
  progress_shown_ = true;
  if (echo_) std::fprintf(stderr, "%s\n", qPrintable(text));
  LetMessagesRun();
}

std::vector<QString> ScriptedUi::MessageTexts() const {
  std::vector<QString> texts;
  texts.reserve(messages_.size());
  for (const RecordedMessage& m : messages_) texts.push_back(m.text);
  return texts;
}

}  // namespace tessaly
