// Naming a window's controls: every control the program's texts name carries that
// name as objectName, a control array's elements also an integer property "index",
// so that tests and accessibility tools find them; and by those names the controls
// take their tool tips from the program's table.
#pragma once

#include <QByteArray>
#include <QString>
#include <QVariant>
#include <QWidget>

#include "controls/ui_text.h"
#include "workspace/control_tips.h"

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

// Gives every control under `root` that has no tool tip yet the one the program's
// table holds for its name and index.
inline void ExplainControls(QWidget& root) {
  for (QWidget* control : root.findChildren<QWidget*>()) {
    if (!control->toolTip().isEmpty() || control->objectName().isEmpty()) continue;
    const QVariant index = control->property("index");
    const QByteArray name = control->objectName().toLatin1();
    if (const char* tip = ControlTip(name.constData(), index.isValid() ? index.toInt() : -1))
      control->setToolTip(UiText(tip));
  }
}

}  // namespace tessaly
