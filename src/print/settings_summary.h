// The settings summary of the job settings dialog: the sheet size, the printable
// area and the photos per page, one text per line, in centimetres (sheet to one
// decimal, area to two) or inches (two and three decimals), rounded half to even.
// Without a printer the summary is the single text kNoPrinterText.
#pragma once

#include <QStringList>

#include "print/page_layout.h"

namespace tessaly {

inline constexpr char kNoPrinterText[] = "No Printer!";

// The three summary lines for `sheet` (mm) and `cells_per_page`; `units` 1 is
// inches, anything else centimetres.
QStringList SettingsSummaryLines(const SheetGeometry& sheet, int cells_per_page, int units);

}  // namespace tessaly
