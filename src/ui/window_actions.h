// The main window's commands as actions: one QAction a command, made from the
// command table (object name, text, keys, tool tip, theme icon), added to the
// window so that its keys work anywhere in it. Menus and buttons show these same
// actions: a button takes the action's caption, tool tip and enabled state, and a
// click triggers it (a toggle button checks it). Apply() sets every action's
// enabled state from the window's state by the table's rule.
#pragma once

#include <QObject>
#include <array>

#include "workspace/window_commands.h"

class QAction;
class QMenuBar;
class QWidget;

namespace tessaly {

class ButtonOnOff;

class WindowActions : public QObject {
  Q_OBJECT

 public:
  explicit WindowActions(QWidget* window);

  QAction* At(WindowCommand command) const { return actions_[static_cast<std::size_t>(command)]; }
  void Apply(const CommandStates& states);
  // One menu a command menu, in the bar's order, each with its commands.
  void FillMenuBar(QMenuBar* bar) const;
  // A button for `command`, named as its action and bound to it.
  ButtonOnOff* Button(WindowCommand command, QWidget* parent) const;

 private:
  std::array<QAction*, kWindowCommandCount> actions_{};
};

}  // namespace tessaly
