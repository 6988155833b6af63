// The strip's cells, drawn from the photo-list model's thumbnails and kept at the
// cell size; its clicks, keys and buttons make another photo the model's current one.
#include "ui/thumbnail_strip.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <algorithm>

namespace tessaly {
namespace {

// The marker around the active cell, also the background of its label.
const QColor kMarkerColour(0, 96, 192);
constexpr int kMarkerWidth = 2;
// The warning corner of a photo that prints soft: a fifth of the cell.
const QColor kWarningColour(240, 160, 0);
constexpr int kWarningShare = 5;
// Smallest cell side, so that a strip squeezed by its layout still shows pictures.
constexpr int kMinimumCell = 16;

}  // namespace

// The inner container: paints the cells in the exposed area and turns a click on a
// cell into its activation.
class TumbContainer : public QWidget {
 public:
  explicit TumbContainer(ThumbnailStrip* strip, QWidget* parent) : QWidget(parent), strip_(strip) {
    setObjectName(QStringLiteral("TumbContainer"));
  }

 protected:
  void paintEvent(QPaintEvent* event) override {
    const int cell = strip_->cell_;
    const int count = strip_->state_.Count();
    if (cell <= 0 || count == 0) return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const int first = std::max(0, (event->rect().left() - kTumbFirstLeft) / TumbPitch(cell));
    const int last = std::min(count - 1, event->rect().right() / TumbPitch(cell));
    const int active = strip_->state_.Active();
    for (int i = first; i <= last; ++i) {
      const QRect box(TumbLeft(i, cell), 0, cell, cell);
      painter.fillRect(box, palette().dark());
      painter.drawPixmap(box, strip_->cells_[static_cast<std::size_t>(i)]);
      if (strip_->marked_[static_cast<std::size_t>(i)]) {
        const int side = std::max(6, cell / kWarningShare);
        const QPoint corner[] = {box.topRight() - QPoint(side, 0), box.topRight(),
                                 box.topRight() + QPoint(0, side)};
        painter.setPen(Qt::NoPen);
        painter.setBrush(kWarningColour);
        painter.drawPolygon(corner, 3);
      }
      const QRect label(box.left(), cell, cell, strip_->label_height_);
      painter.fillRect(label, i == active ? kMarkerColour : QColor(Qt::white));
      painter.setPen(i == active ? Qt::white : Qt::black);
      painter.drawText(label, Qt::AlignCenter, TumbLabelText(i + 1));
      if (i == active) {
        painter.setPen(
            QPen(kMarkerColour, kMarkerWidth, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        painter.setBrush(Qt::NoBrush);
        const qreal inset = kMarkerWidth / 2.0;
        painter.drawRect(QRectF(box).adjusted(inset, inset, -inset, -inset));
      }
    }
  }

  void mousePressEvent(QMouseEvent* event) override {
    const QPoint at = event->position().toPoint();
    if (at.y() < 0 || at.y() >= strip_->cell_ + strip_->label_height_) return;
    const int position = TumbAt(at.x(), strip_->cell_);
    if (position >= 0 && position < strip_->state_.Count()) strip_->ActivateTumb(position);
  }

 private:
  ThumbnailStrip* strip_;
};

ThumbnailStrip::ThumbnailStrip(PhotoListModel& photos, QWidget* parent)
    : QWidget(parent),
      photos_(photos),
      outer_(new QWidget(this)),
      inner_(new TumbContainer(this, outer_)),
      scroll_(new QScrollBar(Qt::Horizontal, this)),
      previous_(new QPushButton(QStringLiteral("<"), this)),
      next_(new QPushButton(QStringLiteral(">"), this)),
      center_(new QPushButton(QStringLiteral("o"), this)) {
  setObjectName(QStringLiteral("MyTumbs1"));
  setAccessibleName(tr("Thumbnails"));
  setToolTip(tr("The job's photos: click one to edit it, or move with the arrow keys"));
  setFocusPolicy(Qt::StrongFocus);
  outer_->setObjectName(QStringLiteral("ContainerContainer"));
  scroll_->setObjectName(QStringLiteral("hsTumbsScroll"));
  previous_->setObjectName(QStringLiteral("cmdPrevious"));
  next_->setObjectName(QStringLiteral("cmdNext"));
  center_->setObjectName(QStringLiteral("cmdCenter"));
  previous_->setToolTip(tr("Previous photo"));
  next_->setToolTip(tr("Next photo"));
  center_->setToolTip(tr("Show the current photo in the middle"));
  previous_->setAccessibleName(previous_->toolTip());
  next_->setAccessibleName(next_->toolTip());
  center_->setAccessibleName(center_->toolTip());
  scroll_->setRange(0, 0);
  scroll_->setSingleStep(1);

  connect(previous_, &QPushButton::clicked, this, &ThumbnailStrip::Previous);
  connect(next_, &QPushButton::clicked, this, &ThumbnailStrip::Next);
  connect(center_, &QPushButton::clicked, this, &ThumbnailStrip::cmdCenter_Click);
  connect(scroll_, &QScrollBar::valueChanged, this, [this](int value) {
    state_.SetScroll(value);
    inner_->move(-state_.Scroll() * TumbPitch(cell_), 0);
  });
  connect(&photos_, &QAbstractItemModel::rowsInserted, this,
          [this](const QModelIndex&, int first, int last) { Inserted(first, last); });
  connect(&photos_, &QAbstractItemModel::rowsRemoved, this,
          [this](const QModelIndex&, int first, int last) { Removed(first, last); });
  connect(
      &photos_, &QAbstractItemModel::dataChanged, this,
      [this](const QModelIndex& from, const QModelIndex& to) { Redrawn(from.row(), to.row()); });
  connect(&photos_, &PhotoListModel::currentChanged, this, &ThumbnailStrip::Follow);
  LayOut();
}

QPixmap ThumbnailStrip::CellDrawing(const QImage& picture) const {
  QPixmap drawing(QSize(cell_, cell_) * devicePixelRatioF());
  drawing.setDevicePixelRatio(devicePixelRatioF());
  drawing.fill(Qt::transparent);
  if (!picture.isNull()) {
    const QRect place = TumbPictureRect(picture.width(), picture.height(), cell_);
    QPainter painter(&drawing);
    painter.drawImage(place, picture.scaled(place.size() * devicePixelRatioF(),
                                            Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
  }
  return drawing;
}

void ThumbnailStrip::Redrawn(int first, int last) {
  for (int row = std::max(0, first); row <= last && row < state_.Count(); ++row)
    cells_[static_cast<std::size_t>(row)] =
        CellDrawing(photos_.index(row).data(Qt::DecorationRole).value<QImage>());
  inner_->update();
}

void ThumbnailStrip::SetMarked(int position, bool marked) {
  if (position < 0 || position >= state_.Count() || Marked(position) == marked) return;
  marked_[static_cast<std::size_t>(position)] = marked;
  if (position == state_.Active()) Describe();
  inner_->update();
}

bool ThumbnailStrip::Marked(int position) const {
  return position >= 0 && position < state_.Count() && marked_[static_cast<std::size_t>(position)];
}

void ThumbnailStrip::Inserted(int first, int last) {
  // Rows are only ever appended.
  for (int row = first; row <= last; ++row) {
    cells_.push_back(CellDrawing(photos_.index(row).data(Qt::DecorationRole).value<QImage>()));
    marked_.push_back(false);
    state_.Add(Visible());
  }
  LayOut();
}

void ThumbnailStrip::Removed(int first, int last) {
  for (int row = last; row >= first; --row) {
    state_.Activate(row);
    state_.RemoveCurrent();
    cells_.erase(cells_.begin() + row);
    marked_.erase(marked_.begin() + row);
  }
  LayOut();
}

void ThumbnailStrip::Follow(int current) {
  if (current >= 0) state_.Activate(current);
  Describe();
  inner_->update();
}

void ThumbnailStrip::ActivateTumb(int position) {
  photos_.SetCurrent(position);
}

void ThumbnailStrip::cmdCenter_Click() {
  state_.Center(Visible());
  SyncScroll();
}

void ThumbnailStrip::Next() {
  if (!state_.Next(Visible())) return;
  SyncScroll();
  photos_.SetCurrent(state_.Active());
}

void ThumbnailStrip::Previous() {
  if (!state_.Previous(Visible())) return;
  SyncScroll();
  photos_.SetCurrent(state_.Active());
}

void ThumbnailStrip::Describe() {
  const int active = state_.Active();
  if (active < 0) return setAccessibleDescription(QString());
  QString text = tr("Photo %1 of %2").arg(active + 1).arg(state_.Count());
  if (Marked(active)) text += tr(", prints soft");
  setAccessibleDescription(text);
}

QString ThumbnailStrip::LabelText(int position) const {
  return position >= 0 && position < state_.Count() ? TumbLabelText(position + 1) : QString();
}

const QPixmap& ThumbnailStrip::CellPicture(int position) const {
  static const QPixmap none;
  return position >= 0 && position < state_.Count() ? cells_[static_cast<std::size_t>(position)]
                                                    : none;
}

int ThumbnailStrip::Visible() const {
  return VisibleTumbs(outer_->width(), cell_);
}

void ThumbnailStrip::SyncScroll() {
  const QSignalBlocker quiet(scroll_);
  scroll_->setMaximum(isEnabled() ? state_.ScrollMaximum() : 0);
  scroll_->setPageStep(Visible());
  scroll_->setValue(state_.Scroll());
  // A disabled strip shows its first cells but keeps its place, which it shows again
  // once enabled (photos added while it was disabled moved that place on).
  if (isEnabled()) state_.SetScroll(scroll_->value());
  inner_->move(-scroll_->value() * TumbPitch(cell_), 0);
}

void ThumbnailStrip::LayOut() {
  // The bottom row holds the scroll bar and the three buttons; the cells and their
  // labels take the height above it.
  const int button = previous_->sizeHint().height();
  const int row = std::max(scroll_->sizeHint().height(), button);
  label_height_ = fontMetrics().height() + 2;
  cell_ = std::max(kMinimumCell, height() - row - label_height_ - 2);
  outer_->setGeometry(0, 0, width(), cell_ + label_height_ + 1);
  inner_->resize(TumbLeft(state_.Count(), cell_) + 1, cell_ + label_height_);
  const int bar_width = std::max(button, width() - 5 - 3 * button);
  scroll_->setGeometry(0, height() - row, bar_width, row);
  int left = bar_width + 5;
  for (QPushButton* b : {previous_, next_, center_}) {
    b->setGeometry(left, height() - row, button, row);
    left += button;
  }
  SyncScroll();
  inner_->update();
}

void ThumbnailStrip::resizeEvent(QResizeEvent*) {
  LayOut();
}

void ThumbnailStrip::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Left) {
    Previous();
  } else if (event->key() == Qt::Key_Right) {
    Next();
  } else {
    QWidget::keyPressEvent(event);
  }
}

void ThumbnailStrip::changeEvent(QEvent* event) {
  // A disabled strip cannot be scrolled: its scroll bar's maximum is 0.
  if (event->type() == QEvent::EnabledChange) SyncScroll();
  QWidget::changeEvent(event);
}

}  // namespace tessaly
