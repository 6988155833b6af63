#include "ui/view_cursors.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace tessaly {
namespace {

// Logical cursor size and the drawing scale: a 32-pixel cursor drawn on a
// 64-pixel image is sharp at device pixel ratio 2 and smoothly scaled below it.
constexpr int kCursorSize = 32;
constexpr qreal kCursorScale = 2.0;

QPixmap BlankCursorImage() {
  QPixmap pixmap(static_cast<int>(kCursorSize * kCursorScale),
                 static_cast<int>(kCursorSize * kCursorScale));
  pixmap.setDevicePixelRatio(kCursorScale);
  pixmap.fill(Qt::transparent);
  return pixmap;
}

// An open hand seen from the palm: four fingers, a thumb to the left, the palm.
QCursor HandCursor() {
  QPixmap pixmap = BlankCursorImage();
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  QPainterPath hand;
  hand.addRoundedRect(QRectF(8, 13, 16, 14), 5, 5);
  const qreal finger_tops[] = {6, 3, 4, 7};
  for (int i = 0; i < 4; ++i)
    hand.addRoundedRect(QRectF(8.5 + i * 4, finger_tops[i], 3.5, 16 - finger_tops[i]), 1.75, 1.75);
  hand.addRoundedRect(QRectF(3, 13, 8, 3.5), 1.75, 1.75);
  painter.setPen(QPen(Qt::black, 1.2));
  painter.setBrush(Qt::white);
  painter.drawPath(hand.simplified());
  painter.end();
  return QCursor(pixmap, 16, 14);
}

// A pipette tilted 45 degrees with its tip at the bottom-left corner, the hot spot.
QCursor PipetteCursor() {
  QPixmap pixmap = BlankCursorImage();
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.translate(1, kCursorSize - 1);
  painter.rotate(-45);
  painter.setPen(QPen(Qt::black, 1.2));
  painter.setBrush(Qt::white);
  painter.drawPolygon(
      QPolygonF({QPointF(0, 0), QPointF(6, -2), QPointF(24, -2), QPointF(24, 2), QPointF(6, 2)}));
  painter.setBrush(Qt::black);
  painter.drawRoundedRect(QRectF(24, -4.5, 12, 9), 3, 3);
  painter.drawRect(QRectF(22, -5.5, 2.5, 11));
  painter.end();
  return QCursor(pixmap, 1, kCursorSize - 1);
}

}  // namespace

QCursor ViewCursor(ViewPointer pointer) {
  switch (pointer) {
    case ViewPointer::SizeAll:
      return QCursor(Qt::SizeAllCursor);
    case ViewPointer::Hand: {
      static const QCursor hand = HandCursor();
      return hand;
    }
    case ViewPointer::Pipette: {
      static const QCursor pipette = PipetteCursor();
      return pipette;
    }
    case ViewPointer::Wait:
      return QCursor(Qt::WaitCursor);
    case ViewPointer::Default:
      break;
  }
  return QCursor(Qt::ArrowCursor);
}

}  // namespace tessaly
