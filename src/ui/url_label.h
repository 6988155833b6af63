// URL: a clickable text that opens the document or web address it shows with the
// desktop's default action (the opener installed for help pages, which the
// window program sets to QDesktopServices::openUrl). A file path opens as a local
// file, anything else as the address it spells. While the mouse button is down
// the text turns red. The classic shell call behind it hid program windows and
// reported numeric results; here programs are never started from a link, and the
// result is whether the desktop took the address.
#pragma once

#include <QColor>
#include <QLabel>

namespace tessaly {

class UrlLabel : public QLabel {
  Q_OBJECT

 public:
  explicit UrlLabel(QWidget* parent = nullptr);

  QString URL() const { return text(); }
  void SetURL(const QString& url) { setText(url); }
  // Opens the text; true when the desktop took it.
  bool OpenURL();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  QColor saved_colour_;
  bool pressed_ = false;
};

}  // namespace tessaly
