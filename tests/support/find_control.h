// Finding windows and their controls in widget tests: by objectName, and for a
// control array by objectName and its integer property "index"; and answering the
// program's own dialogs through the scripted Ui.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QWidget>
#include <functional>
#include <utility>

#include "controls/scripted_ui.h"

namespace tessaly::test {

// The control named `name` (of control-array element `index` when index ≥ 0) under
// `root`, or nullptr.
template <typename T>
T* FindControl(const QWidget& root, const char* name, int index = -1) {
  for (T* control : root.findChildren<T*>(QLatin1String(name)))
    if (index < 0 || control->property("index").toInt() == index) return control;
  return nullptr;
}

// The visible top-level window named `name`, or nullptr.
inline QWidget* ShownWindow(const char* name) {
  for (QWidget* widget : QApplication::topLevelWidgets())
    if (widget->objectName() == QLatin1String(name) && widget->isVisible()) return widget;
  return nullptr;
}

// Queues on `ui` the answer for the next dialog run: the dialog must be the one named
// `name`; it is shown, `drive` fills its fields and presses a button, and the answer
// is whether that accepted it. A dialog still shown afterwards is cancelled.
inline void AnswerDialog(ScriptedUi& ui, const char* name, std::function<void(QDialog&)> drive) {
  ui.AnswerDialog([name = QString::fromLatin1(name), drive = std::move(drive)](QObject& object) {
    auto* dialog = qobject_cast<QDialog*>(&object);
    EXPECT_EQ(object.objectName(), name);
    if (dialog == nullptr || object.objectName() != name) return false;
    dialog->show();
    drive(*dialog);
    if (dialog->isVisible()) dialog->reject();
    return dialog->result() == QDialog::Accepted;
  });
}

}  // namespace tessaly::test
