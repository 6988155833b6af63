// Finding windows and their controls in widget tests: by objectName, and for a
// control array by objectName and its integer property "index".
#pragma once

#include <QApplication>
#include <QWidget>

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

}  // namespace tessaly::test
