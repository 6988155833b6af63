// Opening the link's text and its red press feedback.
#include "ui/url_label.h"

#include <QDir>
#include <QMouseEvent>
#include <QUrl>

#include "controls/utils.h"

namespace tessaly {

UrlLabel::UrlLabel(QWidget* parent) : QLabel(parent) {
  setCursor(Qt::PointingHandCursor);
  // The container's background shows through.
  setAutoFillBackground(false);
}

bool UrlLabel::OpenURL() {
  const QString target = text().trimmed();
  if (target.isEmpty()) return false;
  return OpenWithDesktop(QUrl::fromUserInput(target, QDir::currentPath(), QUrl::AssumeLocalFile));
}

void UrlLabel::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  pressed_ = true;
  QPalette red = palette();
  saved_colour_ = red.color(QPalette::WindowText);
  red.setColor(QPalette::WindowText, QColor(255, 0, 0));
  setPalette(red);
}

void UrlLabel::mouseReleaseEvent(QMouseEvent* event) {
  if (!pressed_ || event->button() != Qt::LeftButton) return;
  pressed_ = false;
  QPalette restored = palette();
  restored.setColor(QPalette::WindowText, saved_colour_);
  setPalette(restored);
  if (rect().contains(event->position().toPoint())) OpenURL();
}

}  // namespace tessaly
