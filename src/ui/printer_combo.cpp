// Fills a printers list from the printer access.
#include "ui/printer_combo.h"

#include <QComboBox>
#include <QSignalBlocker>

#include "print/printer_access.h"

namespace tessaly {

int FillPrinterCombo(QComboBox& combo, PrinterAccess& printers) {
  QStringList descriptions;
  int count = 0;
  int default_position = 0;
  printers.GetPrinterList(descriptions, count, default_position);
  const QSignalBlocker blocker(combo);
  combo.clear();
  for (const QString& description : descriptions) combo.addItem(PrinterDisplayName(description));
  combo.setCurrentIndex(count > 0 ? default_position - 1 : -1);
  return count;
}

}  // namespace tessaly
