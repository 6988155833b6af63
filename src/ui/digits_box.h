// Value boxes for whole numbers: a validator keeps their text digits or empty,
// refusing every other character, typed or pasted, while every editing key (select
// all, Delete, the arrows, undo) works as in any box.
#pragma once

#include <QLineEdit>
#include <QRegularExpressionValidator>

namespace tessaly {

inline QValidator* DigitsValidator(QObject* parent) {
  return new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), parent);
}

inline QLineEdit* DigitsBox(QWidget* parent) {
  auto* box = new QLineEdit(parent);
  box->setValidator(DigitsValidator(box));
  return box;
}

}  // namespace tessaly
