#include "ui/histogram_view.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace tessaly {

// The drawing box: white, with the kept histogram drawn over it.
class HistogramBox : public QWidget {
 public:
  explicit HistogramBox(HistogramView* view) : QWidget(view), view_(view) {
    setObjectName(QStringLiteral("lblHistogram"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_TransparentForMouseEvents);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (view_->shown_) DrawHistogramView(painter, QRectF(rect()), view_->model_);
  }

 private:
  HistogramView* view_;
};

namespace {

// Height below which the drawing box is not squeezed, in pixels.
constexpr int kMinBoxHeight = 90;

QLabel* ShareLabel(const QString& name, QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setObjectName(name);
  label->setAlignment(Qt::AlignCenter);
  return label;
}

}  // namespace

HistogramView::HistogramView(QWidget* parent)
    : QWidget(parent),
      box_(new HistogramBox(this)),
      rgb_(new QPushButton(tr("RGB"), this)),
      below_(ShareLabel(QStringLiteral("lblLT0"), this)),
      inside_(ShareLabel(QStringLiteral("lbl0to255"), this)),
      above_(ShareLabel(QStringLiteral("lblGT255"), this)) {
  setObjectName(QStringLiteral("Histogram1"));
  setAccessibleName(tr("Histogram"));
  rgb_->setObjectName(QStringLiteral("btRGB"));
  rgb_->setCheckable(true);
  rgb_->setToolTip(tr("Show the red, green and blue values apart"));
  below_->setToolTip(tr("Share of values below 0"));
  inside_->setToolTip(tr("Share of values from 0 to 255"));
  above_->setToolTip(tr("Share of values above 255"));

  auto* row = new QHBoxLayout;
  row->addWidget(rgb_);
  row->addWidget(below_, 1);
  row->addWidget(inside_, 1);
  row->addWidget(above_, 1);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  // The curves need some height to be read; a crowded window must not squeeze the
  // box to nothing.
  box_->setMinimumHeight(kMinBoxHeight);
  layout->addWidget(box_, 1);
  layout->addLayout(row);

  connect(rgb_, &QPushButton::toggled, this, [this] {
    if (shown_) Redraw();
  });
  Clear_Histogram();
}

void HistogramView::SetHistogramArray(const HistogramArray& histogram) {
  histogram_ = histogram;
  shown_ = true;
  Redraw();
}

void HistogramView::Clear_Histogram() {
  shown_ = false;
  model_ = HistogramViewModel();
  below_->clear();
  inside_->clear();
  above_->clear();
  box_->update();
}

void HistogramView::Redraw() {
  model_ = ComputeHistogramView(histogram_, rgb_->isChecked());
  below_->setText(model_.below_text);
  inside_->setText(model_.inside_text);
  above_->setText(model_.above_text);
  box_->update();
}

void HistogramView::mouseReleaseEvent(QMouseEvent* event) {
  if (rect().contains(event->position().toPoint())) emit clicked();
}

}  // namespace tessaly
