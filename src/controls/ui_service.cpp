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

}  // namespace tessaly
