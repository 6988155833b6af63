// Page text shared by the printer devices.
#include "print/page_text.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <cmath>

#include "surface/cdib.h"

namespace tessaly {
namespace {

// Size used when a font carries none, in points.
constexpr double kFallbackPointSize = 10.0;

}  // namespace

QFont FontOf(const PrintFont& f) {
  QFont font(f.name);
  font.setPointSizeF(f.size > 0 ? f.size : kFallbackPointSize);
  font.setBold(f.bold);
  font.setItalic(f.italic);
  font.setUnderline(f.underline);
  return font;
}

void DrawPageText(QPainter& painter, QPaintDevice* device, double pixels_per_mm,
                  const QString& text, double x_mm, double y_mm, const PrintFont& font) {
  const QFont qfont = FontOf(font);
  painter.save();
  painter.setFont(qfont);
  painter.setPen(ColourFromRgbValue(font.colour));
  // The position is the text's top-left corner; QPainter places the baseline.
  const QFontMetricsF metrics(qfont, device);
  painter.drawText(QPointF(x_mm * pixels_per_mm, y_mm * pixels_per_mm + metrics.ascent()), text);
  painter.restore();
}

double PageTextWidthMm(double pixels_per_mm, const QString& text, const PrintFont& font) {
  // Measured on an image of the device resolution, so no page needs to be open.
  QImage probe(1, 1, QImage::Format_RGB32);
  const int dots_per_metre = static_cast<int>(std::lround(pixels_per_mm * 1000.0));
  probe.setDotsPerMeterX(dots_per_metre);
  probe.setDotsPerMeterY(dots_per_metre);
  return QFontMetricsF(FontOf(font), &probe).horizontalAdvance(text) / pixels_per_mm;
}

}  // namespace tessaly
