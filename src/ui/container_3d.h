// Container3D: a panel with a 3-D frame that holds other controls. BorderStyle 0
// draws the frame raised, 1 sunken, 2 no frame; inside the frame the panel is
// filled with its BackColor, and its children keep clear of the frame.
#pragma once

#include <QColor>
#include <QWidget>

namespace tessaly {

class Container3D : public QWidget {
  Q_OBJECT

 public:
  enum BorderStyles { kRaised = 0, kSunken = 1, kNoFrame = 2 };

  explicit Container3D(QWidget* parent = nullptr);

  QColor BackColor() const { return back_colour_; }
  void SetBackColor(const QColor& colour);
  int BorderStyle() const { return border_style_; }
  // Values outside 0..2 draw no frame.
  void SetBorderStyle(int style);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QColor back_colour_;
  int border_style_ = kRaised;
};

}  // namespace tessaly
