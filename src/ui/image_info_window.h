// frmImageInfo: a small modeless window, kept above the others, that shows one
// photo's information report read-only in txtMsg. ShowInfo replaces the text of
// the one window (showing it, centred on the screen, when hidden); cmdClose only
// hides it, so the next report reuses it.
#pragma once

#include <QWidget>

class QPlainTextEdit;
class QPushButton;

namespace tessaly {

class ImageInfoWindow : public QWidget {
  Q_OBJECT

 public:
  explicit ImageInfoWindow(QWidget* parent = nullptr);

  // Puts `report` (CR LF line ends, tabs) into txtMsg and shows the window.
  void ShowInfo(const QString& report);

 private:
  QPlainTextEdit* text_;
  QPushButton* close_;
};

}  // namespace tessaly
