// A label that never widens its window: each line of its text is shortened in the
// middle with "…" to the width the layout gives it, and the whole text stays its
// tool tip and accessible name.
#pragma once

#include <QLabel>

namespace tessaly {

class ElidedLabel : public QLabel {
  Q_OBJECT

 public:
  explicit ElidedLabel(QWidget* parent = nullptr);

  void SetFullText(const QString& text);
  const QString& FullText() const { return full_; }

  QSize minimumSizeHint() const override;
  QSize sizeHint() const override;

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void Elide();

  QString full_;
};

}  // namespace tessaly
