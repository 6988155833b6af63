// The printer's properties dialog behind the "Printer Properties..." buttons: for a
// printer that lists its media, a choice of its own papers (borderless entries
// among them), media types and print qualities; Qt's page set-up for a system queue
// whose media could not be read (the built-in PDF printer lists its papers).
// Installed as the printer access's properties hook.
#pragma once

class QWidget;

namespace tessaly {

class PrinterAccess;

// Makes `printers` show the dialogs above over `owner` (which must outlive the hook's
// use, or be null).
void InstallPrinterPropertiesHook(PrinterAccess& printers, QWidget* owner);

}  // namespace tessaly
