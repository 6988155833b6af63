// Value boxes for whole numbers: only the keys 0 to 9 (and editing keys) reach the
// box, so its text is always digits or empty.
#pragma once

#include <QLineEdit>
#include <QRegularExpressionValidator>

namespace tessaly {

inline QLineEdit* DigitsBox(QWidget* parent) {
  auto* box = new QLineEdit(parent);
  box->setValidator(
      new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), box));
  return box;
}

}  // namespace tessaly
