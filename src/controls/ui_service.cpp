// The installed Ui service and its default, which writes messages to standard error.
#include "controls/ui_service.h"

#include <cstdio>

#include "controls/ui_text.h"

namespace tessaly {
namespace {

Ui* g_installed = nullptr;

// With nothing installed, a message goes to standard error rather than vanishing,
// and every question gets the answer that never loops.
class StandardErrorUi final : public Ui {
 public:
  MsgAnswer MessageBox(const QString& text, MsgButtons buttons, MsgIcon, const QString&) override {
    std::fprintf(stderr, "%s\n", qPrintable(text));
    return NeverLoopingAnswer(buttons);
  }
  bool InputBox(const QString& prompt, const QString&, QString&) override {
    std::fprintf(stderr, "%s\n", qPrintable(prompt));
    return false;
  }
  void LetMessagesRun() override {}
  void SetWaitCursor(bool) override {}
  void ShowProgress(RunKind, const QString&) override {}
  void HideProgress() override {}
};

Ui& DefaultUi() {
  static StandardErrorUi standard_error;
  return standard_error;
}

}  // namespace

QString RunCaption(RunKind run) {
  switch (run) {
    case RunKind::kPrint:
      return UiText(QT_TRANSLATE_NOOP("Tessaly", "Print"));
    case RunKind::kSave:
      return UiText(QT_TRANSLATE_NOOP("Tessaly", "Saving Files"));
    case RunKind::kLoad:
      return UiText(QT_TRANSLATE_NOOP("Tessaly", "Loading Photos"));
  }
  return QString();
}

Ui& CurrentUi() {
  return g_installed ? *g_installed : DefaultUi();
}

void InstallUi(Ui* ui) {
  g_installed = ui;
}

ScopedUi::ScopedUi(Ui& ui) : previous_(g_installed) {
  g_installed = &ui;
}

ScopedUi::~ScopedUi() {
  g_installed = previous_;
}

MsgAnswer NeverLoopingAnswer(MsgButtons buttons) {
  switch (buttons) {
    case MsgButtons::Ok:
      return MsgAnswer::Ok;
    case MsgButtons::AbortRetryIgnore:
      return MsgAnswer::Abort;
    case MsgButtons::YesNo:
      return MsgAnswer::No;
    case MsgButtons::OkCancel:
    case MsgButtons::YesNoCancel:
    case MsgButtons::RetryCancel:
      return MsgAnswer::Cancel;
  }
  return MsgAnswer::Cancel;
}

}  // namespace tessaly
