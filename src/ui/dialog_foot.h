// The row of buttons at the foot of the program's dialogs: the buttons that stand
// aside (Help, Other Preferences) on the left, a stretch, then the dialog's answers
// (Ok or Print, Cancel) on the right, the first answer being the default. Every
// button is a push button named as the program's texts name it.
#pragma once

#include <QString>
#include <functional>
#include <initializer_list>

class QHBoxLayout;
class QWidget;

namespace tessaly {

struct FootButton {
  const char* name;
  QString caption;
  std::function<void()> run;
};

QHBoxLayout* DialogFoot(QWidget* dialog, std::initializer_list<FootButton> aside,
                        std::initializer_list<FootButton> answers);

}  // namespace tessaly
