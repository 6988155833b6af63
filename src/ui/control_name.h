// Naming a window's controls: every control the program's texts name carries that
// name as objectName, a control array's elements also an integer property "index",
// so that tests and accessibility tools find them.
#pragma once

#include <QString>
#include <QWidget>

namespace tessaly {

// Names `widget`, gives it `tip` as tool tip when not empty and, for a control-array
// element (index ≥ 0), its index; returns it.
template <typename Widget>
Widget* Named(Widget* widget, const char* name, const QString& tip = QString(), int index = -1) {
  widget->setObjectName(QLatin1String(name));
  if (!tip.isEmpty()) widget->setToolTip(tip);
  if (index >= 0) widget->setProperty("index", index);
  return widget;
}

}  // namespace tessaly
