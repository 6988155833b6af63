#include "ui/photo_view.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "controls/units.h"
#include "job/my_picture.h"
#include "ui/view_cursors.h"

namespace tessaly {

// The picture box: paints the record's picture and crop frame and passes its mouse
// events, in its own coordinates, to the view.
class PictureBoxWidget : public QWidget {
 public:
  explicit PictureBoxWidget(PhotoView* view) : QWidget(view), view_(view) {
    setObjectName(QStringLiteral("Picture1"));
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    const MyPicture* photo = view_->Photo();
    const QImage* image = photo ? &photo->picture().picture : nullptr;
    if (!image || image->isNull()) {
      painter.fillRect(rect(), palette().window());
      return;
    }
    // The record draws at screen pixels; on a denser screen the picture is scaled
    // smoothly to fill the same logical size.
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRectF(rect()), *image);
    const CropFrame& crop = photo->Crop();
    if (!crop.Visible() || photo->ThumbMode()) return;
    const CropRect& r = crop.Rect();
    const double z = view_->zoom_;
    const QRectF frame(r.Left / kTwipsPerPixel * z + 0.5, r.Top / kTwipsPerPixel * z + 0.5,
                       r.Width / kTwipsPerPixel * z - 1, r.Height / kTwipsPerPixel * z - 1);
    // Black under white dashes: visible on light and dark photos alike.
    painter.setPen(QPen(Qt::black, 1));
    painter.drawRect(frame);
    painter.setPen(QPen(Qt::white, 1, Qt::DashLine));
    painter.drawRect(frame);
  }
  void mousePressEvent(QMouseEvent* event) override { view_->PicturePress(event); }
  void mouseMoveEvent(QMouseEvent* event) override { view_->PictureMove(event); }
  void mouseReleaseEvent(QMouseEvent* event) override { view_->PictureRelease(event); }
  void mouseDoubleClickEvent(QMouseEvent*) override { emit view_->doubleClicked(); }

 private:
  PhotoView* view_;
};

PhotoView::PhotoView(QWidget* parent) : QWidget(parent), picture_(new PictureBoxWidget(this)) {
  setObjectName(QStringLiteral("PhotoView"));
  setAccessibleName(tr("Photo"));
  setToolTip(tr("The photo as it prints: drag the frame to choose the crop"));
  picture_->setAccessibleName(tr("Photo"));
  picture_->hide();
}

void PhotoView::SetPhoto(MyPicture* photo) {
  photo_ = photo;
  Refresh();
}

void PhotoView::Refresh() {
  if (!photo_) {
    picture_->hide();
    update();
    return;
  }
  // The record's square, enlarged to the view's shorter side and centred.
  const int side = photo_->ViewSize();
  const double zoom = side > 0 ? std::max(1.0, std::min(width(), height()) / double(side)) : 1.0;
  if (zoom != zoom_) {
    zoom_ = zoom;
    emit zoomChanged(zoom_);
  }
  const QPointF corner((width() - side * zoom_) / 2, (height() - side * zoom_) / 2);
  const PictureBox& box = photo_->picture();
  const QRectF place(corner.x() + box.left / kTwipsPerPixel * zoom_,
                     corner.y() + box.top / kTwipsPerPixel * zoom_,
                     box.width / kTwipsPerPixel * zoom_, box.height / kTwipsPerPixel * zoom_);
  picture_->setGeometry(place.toRect());
  picture_->show();
  picture_->update();
  update();
}

bool PhotoView::WhiteBalanceMode() const {
  return photo_ && photo_->WhiteBalanceMode();
}

void PhotoView::SetWhiteBalanceMode(bool on) {
  if (!photo_) return;
  photo_->SetWhiteBalanceMode(on);
  // The pointer changes at once, not only at the next move.
  ShowPointer(on ? ViewPointer::Pipette : ViewPointer::Default);
}

void PhotoView::RotateCrop() {
  if (!photo_) return;
  photo_->RotateCrop();
  picture_->update();
}

void PhotoView::UpdateGraphic() {
  if (!photo_) return;
  photo_->UpdateGraphic();
  Refresh();
}

void PhotoView::ShowPointer(ViewPointer pointer) {
  pointer_ = pointer;
  picture_->setCursor(ViewCursor(pointer));
}

void PhotoView::PointerStep(bool button_held, double x, double y) {
  const PointerMoveResult result = photo_->Crop().PointerMove(
      button_held, x, y, crop_enabled_, photo_->WhiteBalanceMode(), photo_->ThumbMode());
  if (result.pointer_changed) ShowPointer(result.pointer);
  if (result.resolution_changed) {
    picture_->update();
    emit resolutionChanged();
  }
}

QPointF PhotoView::Twips(const QWidget* widget, const QPointF& point) const {
  QPointF at = point;
  if (widget == this && photo_) {
    // The view's own points count from the corner of the record's enlarged square.
    const double side = photo_->ViewSize() * zoom_;
    at -= QPointF((width() - side) / 2, (height() - side) / 2);
  }
  return at / zoom_ * kTwipsPerPixel;
}

void PhotoView::PicturePress(QMouseEvent* event) {
  if (!photo_) return;
  if (photo_->WhiteBalanceMode()) ShowPointer(ViewPointer::Wait);
  const QPointF at = Twips(picture_, event->position());
  emit mouseDown(event->button(), event->modifiers(), at.x(), at.y());
}

void PhotoView::PictureMove(QMouseEvent* event) {
  if (!photo_) return;
  const QPointF at = Twips(picture_, event->position());
  const double x = at.x();
  const double y = at.y();
  const PictureBox& box = photo_->picture();
  emit mouseMove(event->buttons(), event->modifiers(), x + box.left, y + box.top);
  PointerStep(event->buttons() != Qt::NoButton, x, y);
}

void PhotoView::PictureRelease(QMouseEvent* event) {
  if (!photo_) return;
  const QPointF at = Twips(picture_, event->position());
  const double x = at.x();
  const double y = at.y();
  emit mouseUp(event->button(), event->modifiers(), x, y);
  if (photo_->WhiteBalanceMode()) {
    photo_->SetWhiteBalanceMode(false);
    PointerStep(false, x, y);
  }
  if (picture_->rect().contains(event->position().toPoint())) emit clicked();
}

void PhotoView::mousePressEvent(QMouseEvent* event) {
  const QPointF at = Twips(this, event->position());
  emit mouseDown(event->button(), event->modifiers(), at.x(), at.y());
}

void PhotoView::resizeEvent(QResizeEvent*) {
  Refresh();
}

void PhotoView::mouseDoubleClickEvent(QMouseEvent*) {
  emit doubleClicked();
}

}  // namespace tessaly
