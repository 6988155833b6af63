// HistogramView: the histogram control of the edit panel. It keeps a copy of the
// last histogram array it was given and shows it through the core's view model:
// the drawing box lblHistogram, the toggle btRGB (grey curve or red, green and blue
// curves) and the shares below black, inside the range and above white in lblLT0,
// lbl0to255 and lblGT255. Switching the toggle redraws from the kept copy. Cleared,
// it shows an empty box and empty labels.
#pragma once

#include <QWidget>

#include "edits/histogram.h"
#include "edits/histogram_view_model.h"

class QLabel;
class QPushButton;

namespace tessaly {

class HistogramView : public QWidget {
  Q_OBJECT

 public:
  explicit HistogramView(QWidget* parent = nullptr);

  // Keeps a copy of `histogram` and redraws the box and the labels.
  void SetHistogramArray(const HistogramArray& histogram);
  // Clears the drawing and the labels; the control starts cleared.
  void Clear_Histogram();

 signals:
  void clicked();

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  friend class HistogramBox;
  void Redraw();

  HistogramArray histogram_;
  HistogramViewModel model_;
  bool shown_ = false;
  QWidget* box_;
  QPushButton* rgb_;
  QLabel* below_;
  QLabel* inside_;
  QLabel* above_;
};

}  // namespace tessaly
