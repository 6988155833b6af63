// The window's arrangement and its growing with the content.
#include "ui/window_fit.h"

#include <QBoxLayout>
#include <QEvent>
#include <QGuiApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>
#include <QTimer>

namespace tessaly {

int ScreenWidth() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? screen->geometry().width() : 1024;
}

WindowFit::WindowFit(QMainWindow& window, QScrollArea& scroll, QBoxLayout& layout)
    : QObject(&window), window_(window), scroll_(scroll), layout_(layout) {
  scroll_.widget()->installEventFilter(this);
}

void WindowFit::Arrange(ScreenArrangement arrangement, int side) {
  // The layouts follow every later size change, maximising included.
  switch (arrangement) {
    case ScreenArrangement::kWide:
      layout_.setDirection(QBoxLayout::LeftToRight);
      window_.resize(side + 520, side + 140);
      break;
    case ScreenArrangement::kMedium:
      layout_.setDirection(QBoxLayout::LeftToRight);
      window_.resize(side + 380, side + 120);
      break;
    case ScreenArrangement::kSmall:
      layout_.setDirection(QBoxLayout::TopToBottom);
      window_.resize(side + 40, side + 360);
      break;
  }
  FitContent();
}

bool WindowFit::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::LayoutRequest && watched == scroll_.widget())
    QTimer::singleShot(0, this, &WindowFit::FitContent);
  return QObject::eventFilter(watched, event);
}

void WindowFit::FitContent() {
  const QSize least =
      scroll_.widget()->minimumSizeHint() + QSize(0, window_.menuBar()->sizeHint().height());
  if (least == content_minimum_) return;
  content_minimum_ = least;
  if (const QScreen* shown = window_.screen())
    window_.resize(window_.size().expandedTo(least).boundedTo(shown->availableSize()));
}

}  // namespace tessaly
