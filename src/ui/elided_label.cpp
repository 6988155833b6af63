// Elides line by line on every new text and size.
#include "ui/elided_label.h"

#include <QFontMetrics>
#include <QStringList>

namespace tessaly {

ElidedLabel::ElidedLabel(QWidget* parent) : QLabel(parent) {
  setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
}

void ElidedLabel::SetFullText(const QString& text) {
  full_ = text;
  setToolTip(text);
  setAccessibleName(text);
  Elide();
}

QSize ElidedLabel::minimumSizeHint() const {
  return {0, QLabel::minimumSizeHint().height()};
}

QSize ElidedLabel::sizeHint() const {
  return {0, QLabel::sizeHint().height()};
}

void ElidedLabel::resizeEvent(QResizeEvent* event) {
  QLabel::resizeEvent(event);
  Elide();
}

void ElidedLabel::Elide() {
  const QFontMetrics metrics(font());
  const int width = contentsRect().width();
  QStringList lines = full_.split(u'\r');
  for (QString& line : lines) line = metrics.elidedText(line, Qt::ElideMiddle, width);
  setText(lines.join(u'\n'));
}

}  // namespace tessaly
