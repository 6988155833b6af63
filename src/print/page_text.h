// Text on a printer page as the devices place it: the label font and colour turned
// into Qt's, a text drawn with its top-left corner at a position in millimetres from
// the printable corner, and a text's width in millimetres at a device resolution
// (measured without an open page).
#pragma once

#include <QFont>
#include <QString>
#include <cstdint>

#include "print/printer_device.h"

class QPainter;
class QPaintDevice;

namespace tessaly {

// The font of a PrintFont (a size of 0 or less gives 10 points).
QFont FontOf(const PrintFont& font);
// Draws `text` on `painter` (whose device is `device`, `pixels_per_mm` pixels to the
// millimetre) with its top-left corner at (x_mm, y_mm).
void DrawPageText(QPainter& painter, QPaintDevice* device, double pixels_per_mm,
                  const QString& text, double x_mm, double y_mm, const PrintFont& font);
// Width of `text` in millimetres on a device of `pixels_per_mm`.
double PageTextWidthMm(double pixels_per_mm, const QString& text, const PrintFont& font);

}  // namespace tessaly
