// The summary texts with the dialog's own labels; the dots align the values in the
// dialog's proportional font.
#include "print/settings_summary.h"

#include "controls/formatting.h"
#include "controls/units.h"
#include "print/printer_device.h"

namespace tessaly {
QStringList SettingsSummaryLines(const SheetGeometry& sheet, int cells_per_page, int units) {
  const bool inches = units == kUnitsInches;
  const double divisor = MmPerDisplayUnit(inches);
  const QString sheet_pattern = inches ? QStringLiteral("0.00") : QStringLiteral("0.0");
  const QString area_pattern = inches ? QStringLiteral("0.000") : QStringLiteral("0.00");
  const QString unit = inches ? QStringLiteral(" in") : QStringLiteral(" cm");
  const auto pair = [divisor](double width, double height, const QString& pattern) {
    return FormatNumber(width / divisor, pattern) + QStringLiteral(" x ") +
           FormatNumber(height / divisor, pattern);
  };
  return {QStringLiteral("Paper size........: ") +
              pair(sheet.SheetWidth, sheet.SheetHeight, sheet_pattern) + unit,
          QStringLiteral("Printable area...: ") +
              pair(sheet.PrintableWidth, sheet.PrintableHeight, area_pattern) + unit,
          QStringLiteral("Photos/page....: ") + QString::number(cells_per_page)};
}

}  // namespace tessaly
