// The histogram control's numbers and its drawing. Heights are whole counts (the
// grey height is the channel sum divided by 3, truncated); shares are formatted
// "#0.0" with a "%" after them.
#include "edits/histogram_view_model.h"

#include <QFont>
#include <QFontInfo>
#include <QPainter>
#include <QPen>
#include <algorithm>
#include <array>
#include <cmath>

#include "controls/formatting.h"

namespace tessaly {
namespace {

// Bins of pure black and pure white: their spikes never set the scale.
constexpr int kBlackBin = 0;
constexpr int kWhiteBin = 85;
// First bin of values above 255 (nearest(256 / 3 + 1)); the range mark ends there.
constexpr int kFirstClippedBin = 86;
// The tallest ordinary bin reaches 1 / 1.2 of the space above the baseline.
constexpr double kHeadroom = 1.2;
// Room kept below the baseline for the scale texts, as a share of H.
constexpr double kFootroom = 0.25;
// The range mark starts one bin left of bin 0 so that the black spike shows inside it.
constexpr int kRangeMarkLeft = -1;
// Height of the "0" and "255" texts as a share of the drawing box's height.
constexpr double kScaleTextShare = 0.12;

constexpr std::array<int, 3> kChannels = {kHistogramRed, kHistogramGreen, kHistogramBlue};

std::uint64_t GreyHeight(const HistogramArray& h, int bin) {
  return (std::uint64_t{h.Count(kHistogramRed, bin)} + h.Count(kHistogramGreen, bin) +
          h.Count(kHistogramBlue, bin)) /
         3;
}

// R: a running maximum M and a second value S over the ordinary bins in
// increasing order; S wins when it is not 0.
std::uint64_t ReferenceHeight(const HistogramArray& h, bool coloured) {
  std::uint64_t maximum = 0;
  std::uint64_t second = 0;
  const auto visit = [&](std::uint64_t v) {
    if (v > maximum)
      maximum = v;
    else if (v > second)
      second = v;
  };
  for (int bin = kHistogramFirstBin + 1; bin <= kHistogramLastBin - 1; ++bin) {
    if (bin == kBlackBin || bin == kWhiteBin) continue;
    if (coloured)
      for (int channel : kChannels) visit(h.Count(channel, bin));
    else
      visit(GreyHeight(h, bin));
  }
  return second > 0 ? second : maximum;
}

// The largest, over the channels, of a channel's counts summed over first..last.
std::uint64_t LargestChannelSum(const HistogramArray& h, int first, int last) {
  std::uint64_t largest = 0;
  for (int channel : kChannels) {
    std::uint64_t sum = 0;
    for (int bin = first; bin <= last; ++bin) sum += h.Count(channel, bin);
    largest = std::max(largest, sum);
  }
  return largest;
}

QString ShareText(std::uint64_t part, std::uint64_t whole) {
  return FormatNumber(static_cast<double>(part) / static_cast<double>(whole) * 100.0,
                      QStringLiteral("#0.0")) +
         u'%';
}

}  // namespace

HistogramViewModel ComputeHistogramView(const HistogramArray& h, bool coloured) {
  HistogramViewModel model;
  model.reference = ReferenceHeight(h, coloured);
  model.scale = static_cast<std::int64_t>(std::nearbyint(kHeadroom * model.reference));
  model.pixels = h.Total(kHistogramRed);
  model.below = LargestChannelSum(h, kHistogramFirstBin, -1);
  model.above = LargestChannelSum(h, kFirstClippedBin, kHistogramLastBin);
  if (model.pixels == 0) return model;

  if (coloured) {
    // The catch-all end bins would show as spikes: a channel's curve leaves them out
    // when they hold a count.
    const std::array<QColor, 3> colours = {QColor(255, 0, 0), QColor(0, 255, 0), QColor(0, 0, 255)};
    for (std::size_t i = 0; i < kChannels.size(); ++i) {
      const int channel = kChannels[i];
      const int first = kHistogramFirstBin + (h.Count(channel, kHistogramFirstBin) > 0 ? 1 : 0);
      const int last = kHistogramLastBin - 1 - (h.Count(channel, kHistogramLastBin) > 0 ? 1 : 0);
      HistogramCurve curve{colours[i], {}};
      for (int bin = first; bin <= last; ++bin)
        curve.points.emplace_back(bin, -static_cast<double>(h.Count(channel, bin)));
      model.curves.push_back(std::move(curve));
    }
  } else {
    HistogramCurve curve{QColor(0, 0, 0), {}};
    for (int bin = kHistogramFirstBin; bin <= kHistogramLastBin - 1; ++bin)
      curve.points.emplace_back(bin, -static_cast<double>(GreyHeight(h, bin)));
    model.curves.push_back(std::move(curve));
  }

  model.below_text = ShareText(model.below, model.pixels);
  model.above_text = ShareText(model.above, model.pixels);
  // Shares clipped on different channels can overlap; the inside share then goes
  // below 0, as the control has always shown it.
  model.inside_text =
      FormatNumber((static_cast<double>(model.pixels) - static_cast<double>(model.below) -
                    static_cast<double>(model.above)) /
                       static_cast<double>(model.pixels) * 100.0,
                   QStringLiteral("#0.0")) +
      u'%';
  return model;
}

int HistogramTextPixels(double box_height, int most) {
  const int scaled = static_cast<int>(std::lround(kScaleTextShare * box_height));
  return std::max(1, most > 0 ? std::min(scaled, most) : scaled);
}

void DrawHistogramView(QPainter& painter, const QRectF& box, const HistogramViewModel& model) {
  if (box.width() <= 0 || box.height() <= 0) return;
  // A reference of 0 (every pixel pure black or white) still needs a space to draw in.
  const double H = static_cast<double>(std::max<std::int64_t>(model.scale, 1));
  const double span_x = kHistogramLastBin - kHistogramFirstBin;
  const double span_y = H * (1.0 + kFootroom);
  const auto map = [&](double bin, double y) {
    return QPointF(box.left() + (bin - kHistogramFirstBin) / span_x * box.width(),
                   box.top() + (y + H) / span_y * box.height());
  };

  painter.save();
  painter.setClipRect(box);

  // The displayable range under the curves, framed, with its end values below it.
  const QRectF range(map(kRangeMarkLeft, -H), map(kFirstClippedBin, 0));
  painter.setPen(QPen(QColor(128, 128, 128), 0));
  painter.setBrush(Qt::white);
  painter.drawRect(range);
  QFont font = painter.font();
  font.setPixelSize(HistogramTextPixels(box.height(), QFontInfo(font).pixelSize()));
  painter.setFont(font);
  painter.setPen(Qt::black);
  const double text_top = map(0, 0).y();
  const double text_height = box.bottom() - text_top;
  for (const auto& [bin, text] : {std::pair{kBlackBin, QStringLiteral("0")},
                                  std::pair{kFirstClippedBin, QStringLiteral("255")}}) {
    const double x = map(bin, 0).x();
    painter.drawText(QRectF(x - box.width() / 2, text_top, box.width(), text_height),
                     Qt::AlignHCenter | Qt::AlignTop, text);
  }

  painter.setBrush(Qt::NoBrush);
  for (const HistogramCurve& curve : model.curves) {
    std::vector<QPointF> points;
    points.reserve(curve.points.size());
    for (const QPointF& p : curve.points) points.push_back(map(p.x(), p.y()));
    painter.setPen(QPen(curve.colour, 0));
    painter.drawPolyline(points.data(), static_cast<int>(points.size()));
  }
  painter.restore();
}

}  // namespace tessaly
