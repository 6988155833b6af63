// The "Print Resolution" group of the print options and of the save dialog: box 0
// (no change) and the minimum and maximum limits (boxes 1 and 2) with their value
// boxes, which take digits only. Box 0 is ticked exactly when neither limit is; a
// limit's value box can be typed in only while its box is ticked.
#pragma once

#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>

namespace tessaly {

class ResolutionBoxes : public QGroupBox {
  Q_OBJECT

 public:
  ResolutionBoxes(const QString& title, QWidget* parent);

  // Shows stored limits (1 minimum, 2 maximum) and applies the rule to them.
  void SetLimits(bool min_on, const QString& min_text, bool max_on, const QString& max_text);
  bool LimitOn(int limit) const { return boxes_[limit]->isChecked(); }
  QString LimitText(int limit) const { return values_[limit]->text(); }
  QLineEdit* Value(int limit) const { return values_[limit]; }

 private:
  void Clicked(int index);

  QCheckBox* boxes_[3] = {};
  QLineEdit* values_[3] = {};  // [0] unused
};

}  // namespace tessaly
