// The printer's properties dialog behind the "Printer Properties..." buttons: Qt's
// page set-up dialog for a system queue, and for the built-in PDF printer a choice
// of its two papers (A4, Letter). Installed as the printer access's properties hook.
#pragma once

class QWidget;

namespace tessaly {

class PrinterAccess;

// Makes `printers` show the dialogs above over `owner` (which must outlive the hook's
// use, or be null).
void InstallPrinterPropertiesHook(PrinterAccess& printers, QWidget* owner);

}  // namespace tessaly
