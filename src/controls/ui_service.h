// The Ui service: the one seam through which core code talks to the person at the
// screen. Message boxes, the input box, the program's own modal dialogs, "let pending messages
// run", the wait cursor and the program-wide cancel flag that long runs poll. The GUI installs a Qt
// implementation; tests and the batch command install a ScriptedUi. When nothing is
// installed, messages are written to standard error and answered with the answer
// that never loops.
#pragma once

#include <QString>

class QObject;

namespace tessaly {

// Button sets and answers keep the numbering of the classic message box API so
// that callers can store and compare them as plain integers.
enum class MsgButtons {
  Ok = 0,
  OkCancel = 1,
  AbortRetryIgnore = 2,
  YesNoCancel = 3,
  YesNo = 4,
  RetryCancel = 5
};
enum class MsgIcon { None = 0, Critical = 16, Question = 32, Exclamation = 48, Information = 64 };
enum class MsgAnswer { Ok = 1, Cancel = 2, Abort = 3, Retry = 4, Ignore = 5, Yes = 6, No = 7 };

// The long runs that show a progress window.
enum class RunKind { kPrint, kSave, kLoad };
// The caption of a run's progress window: "Print", "Saving Files", "Loading Photos".
QString RunCaption(RunKind run);

class Ui {
 public:
  virtual ~Ui() = default;

  // Shows `text` and returns the button the user chose. An empty title means the
  // program's own caption.
  virtual MsgAnswer MessageBox(const QString& text, MsgButtons buttons, MsgIcon icon,
                               const QString& title = QString()) = 0;
  // Shows `text` without waiting for an answer and without taking the keyboard from
  // the control being typed in (a warning while typing). By default a message box.
  virtual void Notice(const QString& text, MsgIcon icon) { MessageBox(text, MsgButtons::Ok, icon); }
  // Asks for one line of text. False when the user cancelled; `value` holds the
  // default on entry and the answer on return.
  virtual bool InputBox(const QString& prompt, const QString& title, QString& value) = 0;
  // Lets pending window messages (repaints, Cancel buttons) run.
  virtual void LetMessagesRun() = 0;
  virtual void SetWaitCursor(bool on) = 0;
  // Shows `text` in the progress window of a long run of the kind `run` (its caption,
  // its Cancel button), showing the window when it is not shown yet; lets messages
  // run.
  virtual void ShowProgress(RunKind run, const QString& text) = 0;
  // Shows how far the run is: `done` of `total` steps (photos); nothing shown when
  // `total` is 0. By default nothing.
  virtual void ShowProgressCount(int done, int total) {
    (void)done;
    (void)total;
  }
  // Closes the progress window, if one is shown.
  virtual void HideProgress() = 0;
  // Runs one of the program's own dialogs (a QDialog) modally; true when the user
  // accepted it. By default nobody is there to answer: the dialog counts as
  // cancelled.
  virtual bool RunDialog(QObject& dialog) {
    (void)dialog;
    return false;
  }

  // The program-wide cancel flag: cleared at the start of a print or save run, set
  // by a confirmed Cancel in a progress window, polled by the long loops.
  bool CancelRequested() const { return cancel_; }
  void SetCancelRequested(bool on) { cancel_ = on; }

  // Lets messages run, then reports whether the run should stop. Long loops call
  // this once per row (or row band).
  bool PollCancel() {
    LetMessagesRun();
    return cancel_;
  }

 private:
  bool cancel_ = false;
};

// The answer that never makes a caller loop: Ok, Abort, No or Cancel, whichever the
// button set has. Headless services answer with it when nobody can be asked.
MsgAnswer NeverLoopingAnswer(MsgButtons buttons);

// The installed service. Never null.
Ui& CurrentUi();
// Installs `ui` (not owned) for the whole program; nullptr restores the default.
void InstallUi(Ui* ui);

// Installs a Ui for the lifetime of this object and restores the previous one after.
class ScopedUi {
 public:
  explicit ScopedUi(Ui& ui);
  ~ScopedUi();
  ScopedUi(const ScopedUi&) = delete;
  ScopedUi& operator=(const ScopedUi&) = delete;

 private:
  Ui* previous_;
};

}  // namespace tessaly
