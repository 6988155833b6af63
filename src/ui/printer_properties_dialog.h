// The printer's properties dialog behind the "Printer Properties..." buttons: for a
// printer that lists its media, a choice of its own papers (borderless entries
// among them), media types, print qualities and paper sources (the built-in PDF printer lists its
// papers); a message for a queue whose media could not be read. Installed as the
// printer access's properties hook.
#pragma once

class QWidget;

namespace tessaly {

class PrinterAccess;

// Makes `printers` show the dialogs above over `owner` (which must outlive the hook's
// use, or be null).
void InstallPrinterPropertiesHook(PrinterAccess& printers, QWidget* owner);

}  // namespace tessaly
