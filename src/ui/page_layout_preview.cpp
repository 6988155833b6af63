// Paints the page layout through the layout's own preview drawing.
#include "ui/page_layout_preview.h"

#include <QPainter>

namespace tessaly {

PageLayoutPreview::PageLayoutPreview(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("PicPageLayout"));
  setToolTip(tr("Show the actual page layout"));
  setMinimumSize(160, 200);
}

void PageLayoutPreview::ShowLayout(const PageLayout* layout, const SheetGeometry& sheet) {
  layout_ = layout;
  sheet_ = sheet;
  update();
}

void PageLayoutPreview::paintEvent(QPaintEvent*) {
  if (layout_ == nullptr) return;
  QPainter painter(this);
  layout_->DrawLayoutPreview(painter, QRectF(rect()), sheet_);
}

}  // namespace tessaly
