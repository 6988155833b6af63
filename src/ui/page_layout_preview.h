// The page preview of the job settings window (PicPageLayout): the computed layout
// drawn to scale on the printer's sheet, or nothing while no layout is shown.
#pragma once

#include <QWidget>

#include "print/page_layout.h"

namespace tessaly {

class PageLayoutPreview : public QWidget {
  Q_OBJECT

 public:
  explicit PageLayoutPreview(QWidget* parent = nullptr);

  // Shows `layout` (not owned, null for none) on `sheet` and repaints.
  void ShowLayout(const PageLayout* layout, const SheetGeometry& sheet);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  const PageLayout* layout_ = nullptr;
  SheetGeometry sheet_;
};

}  // namespace tessaly
