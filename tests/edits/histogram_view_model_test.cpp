#include "edits/histogram_view_model.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <array>
#include <initializer_list>
#include <tuple>

namespace tessaly {
namespace {

// A histogram from {bin, red, green and blue counts} rows.
HistogramArray MakeHistogram(std::initializer_list<std::array<int, 4>> bins) {
  HistogramArray h;
  for (const auto& [bin, red, green, blue] : bins)
    for (auto [channel, count] : {std::pair{kHistogramRed, red}, std::pair{kHistogramGreen, green},
                                  std::pair{kHistogramBlue, blue}})
      for (int i = 0; i < count; ++i) h.CountValue(channel, bin * 3);
  return h;
}

// 64 pixels: spikes at bins 0 and 85 that must not set the scale, clipped counts
// on different channels (below: green 4 > red 2; above: blue 5 + 3 > red 6), and a
// blue curve that is visited after red and green in each bin.
HistogramArray Sample() {
  return MakeHistogram({{-15, 2, 0, 0},
                        {-3, 0, 4, 0},
                        {0, 17, 20, 20},
                        {10, 9, 9, 3},
                        {20, 15, 14, 12},
                        {40, 6, 6, 12},
                        {85, 9, 11, 9},
                        {90, 0, 0, 5},
                        {100, 6, 0, 3}});
}

// True when the model drawn on a white 231 × 125 image paints some pixel `colour`.
bool Shows(const HistogramViewModel& model, QRgb colour) {
  QImage image(231, 125, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  DrawHistogramView(painter, QRectF(0, 0, image.width(), image.height()), model);
  painter.end();
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (image.pixel(x, y) == colour) return true;
  return false;
}

TEST(HistogramViewModel, ScaleCurvesShareTextsAndDrawingFollowTheControlsRules) {
  // {colour, first bin, last bin, a probed bin, its height}
  using Curves = std::vector<std::tuple<QColor, int, int, int, double>>;
  const QColor black(0, 0, 0);
  // Grey heights are channel sums divided by 3, truncated: bin 20 is 41 / 3 = 13,
  // bin 90 is 5 / 3 = 1. Walk: 1, 7, 13 (maxima), 8 (second) → R = 8, H = 10.
  // Shares of 64: 4 → 6.25 → "6.3", 8 → "12.5", 52 → 81.25 → "81.3".
  const Curves grey = {{black, -15, 99, 20, -13.0}, {black, -15, 99, 90, -1.0}};
  // Per bin red, green, blue: 4, 9, 9 (second), 15, 14 (second) → R = 14,
  // H = nearest(16.8) = 17. Curves skip end bins holding a count.
  const Curves colour_curves = {{QColor(255, 0, 0), -14, 98, 20, -15.0},
                                {QColor(0, 255, 0), -15, 99, -3, -4.0},
                                {QColor(0, 0, 255), -15, 98, 40, -12.0}};
  // Heights only ever grow: S stays 0 and R is the maximum; nothing clipped.
  const HistogramArray rising = MakeHistogram({{10, 3, 3, 3}, {20, 6, 6, 6}});
  const Curves growing = {{black, -15, 99, 20, -6.0}};
  // {name, histogram, coloured, reference, scale, share texts below, inside and
  // above the range, curves}
  const std::tuple<const char*, HistogramArray, bool, std::uint64_t, std::int64_t, const char*,
                   const char*, const char*, Curves>
      cases[] = {
          {"grey", Sample(), false, 8, 10, "6.3%", "81.3%", "12.5%", grey},
          {"coloured", Sample(), true, 14, 17, "6.3%", "81.3%", "12.5%", colour_curves},
          {"growing", rising, false, 6, 7, "0.0%", "100.0%", "0.0%", growing},
          // No pixels: no curve and empty texts.
          {"empty", HistogramArray(), true, 0, 0, "", "", "", {}},
      };
  for (const auto& [name, histogram, coloured, reference, scale, below, inside, above, curves] :
       cases) {
    SCOPED_TRACE(name);
    const HistogramViewModel m = ComputeHistogramView(histogram, coloured);
    EXPECT_EQ(std::tuple(m.reference, m.scale), std::tuple(reference, scale));
    EXPECT_EQ(std::tuple(m.below_text, m.inside_text, m.above_text),
              std::tuple(QString(below), QString(inside), QString(above)));
    // Grey mode has one curve; the probes list it once per probed bin.
    ASSERT_EQ(m.curves.size(), coloured ? curves.size() : (curves.empty() ? 0 : 1));
    for (std::size_t i = 0; i < curves.size(); ++i) {
      const auto& [colour, first_bin, last_bin, probe_bin, probe_y] = curves[i];
      const HistogramCurve& got = m.curves[coloured ? i : 0];
      EXPECT_EQ(got.colour, colour) << i;
      ASSERT_EQ(got.points.size(), std::size_t(last_bin - first_bin + 1)) << i;
      EXPECT_EQ(got.points.front().x(), first_bin) << i;
      EXPECT_EQ(got.points.back().x(), last_bin) << i;
      EXPECT_EQ(got.points[probe_bin - first_bin], QPointF(probe_bin, probe_y)) << i;
    }
    // Drawn, each coloured curve shows in its colour; grey and empty models show none.
    for (QRgb c : {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255)})
      EXPECT_EQ(Shows(m, c), coloured && !curves.empty()) << std::hex << c;
  }
  // The texts follow a small box and stop at the font's size in a large one.
  EXPECT_EQ(HistogramTextPixels(90, 13), 11);
  EXPECT_EQ(HistogramTextPixels(400, 13), 13);
  EXPECT_EQ(HistogramTextPixels(2, 13), 1);
}

}  // namespace
}  // namespace tessaly
