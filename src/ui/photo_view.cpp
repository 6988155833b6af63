#include "ui/photo_view.h"

#include <QMouseEvent>
#include <QPainter>

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
    const QRectF frame(r.Left / kTwipsPerPixel + 0.5, r.Top / kTwipsPerPixel + 0.5,
                       r.Width / kTwipsPerPixel - 1, r.Height / kTwipsPerPixel - 1);
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

namespace {

double ToTwips(double pixels) {
  return pixels * kTwipsPerPixel;
}

}  // namespace

PhotoView::PhotoView(QWidget* parent) : QWidget(parent), picture_(new PictureBoxWidget(this)) {
  setObjectName(QStringLiteral("PhotoView"));
  setAccessibleName(tr("Photo"));
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
  const int side = photo_->ViewSize();
  setFixedSize(side, side);
  const PictureBox& box = photo_->picture();
  picture_->setGeometry(box.left / kTwipsPerPixel, box.top / kTwipsPerPixel,
                        box.width / kTwipsPerPixel, box.height / kTwipsPerPixel);
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

void PhotoView::PicturePress(QMouseEvent* event) {
  if (!photo_) return;
  if (photo_->WhiteBalanceMode()) ShowPointer(ViewPointer::Wait);
  emit mouseDown(event->button(), event->modifiers(), ToTwips(event->position().x()),
                 ToTwips(event->position().y()));
}

void PhotoView::PictureMove(QMouseEvent* event) {
  if (!photo_) return;
  const double x = ToTwips(event->position().x());
  const double y = ToTwips(event->position().y());
  const PictureBox& box = photo_->picture();
  emit mouseMove(event->buttons(), event->modifiers(), x + box.left, y + box.top);
  PointerStep(event->buttons() != Qt::NoButton, x, y);
}

void PhotoView::PictureRelease(QMouseEvent* event) {
  if (!photo_) return;
  const double x = ToTwips(event->position().x());
  const double y = ToTwips(event->position().y());
  emit mouseUp(event->button(), event->modifiers(), x, y);
  if (photo_->WhiteBalanceMode()) {
    photo_->SetWhiteBalanceMode(false);
    PointerStep(false, x, y);
  }
  if (picture_->rect().contains(event->position().toPoint())) emit clicked();
}

void PhotoView::mousePressEvent(QMouseEvent* event) {
  emit mouseDown(event->button(), event->modifiers(), ToTwips(event->position().x()),
                 ToTwips(event->position().y()));
}

void PhotoView::mouseDoubleClickEvent(QMouseEvent*) {
  emit doubleClicked();
}

}  // namespace tessaly
