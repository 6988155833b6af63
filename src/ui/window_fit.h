// Fitting the main window to its screen and its content: the arrangement for the
// screen's width (the panel beside the photo on wide and medium screens, below it
// on small ones) with its first size, and, whenever the content's least size grows,
// the window grown to it within the screen; beyond the screen the content scrolls.
// A user's smaller window is never enlarged for a content that did not grow.
#pragma once

#include <QObject>
#include <QSize>

#include "workspace/main_window_rules.h"

class QBoxLayout;
class QMainWindow;
class QScrollArea;

namespace tessaly {

class WindowFit : public QObject {
  Q_OBJECT

 public:
  // `window` shows `scroll`, whose content is laid out by `layout`; all outlive the fit.
  WindowFit(QMainWindow& window, QScrollArea& scroll, QBoxLayout& layout);

  // The arrangement and first size for a photo view of `side` pixels.
  void Arrange(ScreenArrangement arrangement, int side);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void FitContent();

  QMainWindow& window_;
  QScrollArea& scroll_;
  QBoxLayout& layout_;
  QSize content_minimum_;
};

// The width of the primary screen (1024 when there is none).
int ScreenWidth();

}  // namespace tessaly
