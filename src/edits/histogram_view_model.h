// What the histogram control shows for a histogram array: the reference height
// (bins 0 and 85 skipped, the second-largest value preferred), the vertical scale
// H = nearest(1.2·R), one grey curve or three coloured ones as points in the
// control's space (x = bin −15..100, y = −count, spanning −H..0.25·H), the shares
// clipped below black and above white and their "#0.0%" texts. An array without
// pixels gives no curve and empty texts; drawing it leaves only the range mark.
#pragma once

#include <QColor>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <cstdint>
#include <vector>

#include "edits/histogram.h"

class QPainter;

namespace tessaly {

struct HistogramCurve {
  QColor colour;
  std::vector<QPointF> points;  // (bin, −height), bins in increasing order
};

struct HistogramViewModel {
  std::uint64_t reference = 0;  // R: the height of the tallest ordinary bin kept
  std::int64_t scale = 0;       // H = nearest(1.2·R): the space spans −H..0.25·H
  std::uint64_t pixels = 0;     // N: every red count
  std::uint64_t below = 0;      // largest channel count below 0
  std::uint64_t above = 0;      // largest channel count above 255
  std::vector<HistogramCurve> curves;
  // The texts of lblLT0, lbl0to255 and lblGT255; empty when N is 0.
  QString below_text;
  QString inside_text;
  QString above_text;
};

// The control's picture of `histogram`: one black curve of the channel mean, or
// (coloured) a red, a green and a blue curve.
HistogramViewModel ComputeHistogramView(const HistogramArray& histogram, bool coloured);

// The pixel height of the "0" and "255" texts in a drawing box `box_height` high: a
// share of the box, but never above `most` (the painter's font), so that a large
// histogram keeps the window's text size.
int HistogramTextPixels(double box_height, int most);

// Draws the model into `box` of `painter`: the range mark with its "0" and "255"
// texts under the curves, then the curves. The painter's state is restored.
void DrawHistogramView(QPainter& painter, const QRectF& box, const HistogramViewModel& model);

}  // namespace tessaly
