// The value boxes' input rules: a validator for whole numbers, which also refuses
// pasted text, and a key filter for sizes, which changes typed characters as the
// photo size editor's filter asks and leaves pasted text to the editor's checks.
#include "ui/box_validators.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpressionValidator>

#include "settings/photo_size_editor.h"

namespace tessaly {
namespace {

// Passes a box's printable keys through `keep`, which may change the character; a
// dropped key never reaches the box, a changed one is inserted in its place.
class KeyFilter : public QObject {
 public:
  KeyFilter(QLineEdit* box, bool (*keep)(QChar&)) : QObject(box), box_(box), keep_(keep) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
    const QString text = static_cast<QKeyEvent*>(event)->text();
    if (text.size() != 1 || !text.at(0).isPrint()) return false;
    QChar c = text.at(0);
    if (!keep_(c)) return true;
    if (c == text.at(0)) return false;
    box_->insert(QString(c));
    return true;
  }

 private:
  QLineEdit* box_;
  bool (*keep_)(QChar&);
};

QValidator* DigitsValidator(QObject* parent) {
  return new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), parent);
}

}  // namespace

QLineEdit* RestrictBox(QLineEdit* box, BoxInput input) {
  switch (input) {
    case BoxInput::kDigits:
      box->setValidator(DigitsValidator(box));
      break;
    case BoxInput::kSizeDecimal:
      box->installEventFilter(new KeyFilter(box, &PhotoSizeEditor::FilterKey));
      break;
  }
  return box;
}

QLineEdit* MakeBox(QWidget* parent, BoxInput input) {
  return RestrictBox(new QLineEdit(parent), input);
}

}  // namespace tessaly
