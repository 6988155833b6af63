// The installed Ui service and its quiet default.
#include "controls/ui_service.h"

#include "controls/scripted_ui.h"

namespace tessaly {
namespace {

Ui* g_installed = nullptr;

Ui& DefaultUi() {
  static ScriptedUi quiet;
  return quiet;
}

}  // namespace

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
