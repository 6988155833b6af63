// The framed panel's painting.
#include "ui/container_3d.h"

#include <qdrawutil.h>
#include <QPainter>

namespace tessaly {
namespace {

constexpr int kFrame = 2;  // width of the 3-D frame, pixels

}  // namespace

Container3D::Container3D(QWidget* parent)
    : QWidget(parent), back_colour_(palette().color(QPalette::Button)) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setContentsMargins(kFrame, kFrame, kFrame, kFrame);
}

void Container3D::SetBackColor(const QColor& colour) {
  back_colour_ = colour;
  update();
}

void Container3D::SetBorderStyle(int style) {
  border_style_ = (style == kRaised || style == kSunken) ? style : kNoFrame;
  const int margin = border_style_ == kNoFrame ? 0 : kFrame;
  setContentsMargins(margin, margin, margin, margin);
  update();
}

void Container3D::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QBrush fill(back_colour_);
  if (border_style_ == kNoFrame) {
    painter.fillRect(rect(), fill);
    return;
  }
  // Dark shadow and button shadow against highlight and 3-D light of the palette.
  qDrawWinPanel(&painter, rect(), palette(), border_style_ == kSunken, &fill);
}

}  // namespace tessaly
