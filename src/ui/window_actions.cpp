// The window's actions, their menus and the buttons bound to them.
#include "ui/window_actions.h"

#include <QAction>
#include <QIcon>
#include <QMenu>
#include <QMenuBar>
#include <QWidget>

#include "controls/ui_text.h"
#include "ui/button_on_off.h"

namespace tessaly {
namespace {

// The tool tip a button shows: the command's tip and its keys.
QString ButtonTip(const QAction* action) {
  const QString keys = action->shortcut().toString(QKeySequence::NativeText);
  return keys.isEmpty() ? action->toolTip()
                        : action->toolTip() + QStringLiteral(" (") + keys + u')';
}

}  // namespace

WindowActions::WindowActions(QWidget* window) : QObject(window) {
  for (int i = 0; i < kWindowCommandCount; ++i) {
    const auto command = static_cast<WindowCommand>(i);
    const CommandForm& form = FormOf(command);
    auto* action = new QAction(UiText(form.text), window);
    action->setObjectName(QString::fromLatin1(form.name));
    if (*form.keys) action->setShortcut(QKeySequence(QString::fromLatin1(form.keys)));
    action->setToolTip(UiText(form.tip));
    action->setStatusTip(UiText(form.tip));
    if (*form.icon) action->setIcon(QIcon::fromTheme(QString::fromLatin1(form.icon)));
    action->setCheckable(command == WindowCommand::kWhiteBalance);
    window->addAction(action);
    actions_[static_cast<std::size_t>(i)] = action;
  }
}

void WindowActions::Apply(const CommandStates& states) {
  for (int i = 0; i < kWindowCommandCount; ++i)
    actions_[static_cast<std::size_t>(i)]->setEnabled(
        CommandEnabled(static_cast<WindowCommand>(i), states));
}

void WindowActions::FillMenuBar(QMenuBar* bar) const {
  for (int m = 1; m < kCommandMenuCount; ++m) {
    const auto which = static_cast<CommandMenu>(m);
    QMenu* menu = bar->addMenu(UiText(MenuText(which)));
    menu->setObjectName(QString::fromLatin1(MenuName(which)));
    menu->setToolTipsVisible(true);
    for (int i = 0; i < kWindowCommandCount; ++i) {
      const auto command = static_cast<WindowCommand>(i);
      if (FormOf(command).menu != which) continue;
      // Exit ends the File menu, after a separator as desktop programs have it.
      if (command == WindowCommand::kExit) menu->addSeparator();
      menu->addAction(At(command));
    }
  }
}

ButtonOnOff* WindowActions::Button(WindowCommand command, QWidget* parent) const {
  QAction* action = At(command);
  auto* button = new ButtonOnOff(parent);
  button->setObjectName(action->objectName());
  button->SetCaption(UiText(FormOf(command).caption));
  button->setToolTip(ButtonTip(action));
  button->setEnabled(action->isEnabled());
  button->SetCommandButtonMode(!action->isCheckable());
  connect(action, &QAction::changed, button,
          [button, action] { button->setEnabled(action->isEnabled()); });
  connect(action, &QAction::toggled, button, &ButtonOnOff::SetIsOn);
  connect(button, &ButtonOnOff::Click, action, [button, action] {
    if (action->isCheckable())
      action->setChecked(button->IsOn());
    else
      action->trigger();
  });
  return button;
}

}  // namespace tessaly
