// The printer row of the job settings and print options windows: the label "Current
// Printer:", the printers list (cboPrinters) and "Printer Properties..." (cmdPrinter),
// with the printer access's properties dialog shown over the window. Choosing a
// printer in the list makes it current and keeps it portrait silently; the window
// fills the list (printer_combo.h) and says what follows a choice and the button.
#pragma once

#include <functional>

class QComboBox;
class QHBoxLayout;
class QWidget;

namespace tessaly {

class PrinterAccess;

struct PrinterRow {
  QHBoxLayout* layout = nullptr;
  QComboBox* list = nullptr;
};

// Builds the row on `owner`. `chosen` runs after a printer chosen in the list became
// current (not when it could not be selected); `properties` runs on cmdPrinter.
PrinterRow BuildPrinterRow(QWidget& owner, PrinterAccess& printers, std::function<void()> chosen,
                           std::function<void()> properties);

}  // namespace tessaly
