// The printers list of the job settings and print options windows: the printers'
// display names in the order the printer access lists them, the current one selected.
#pragma once

class QComboBox;

namespace tessaly {

class PrinterAccess;

// Lists the printers into `combo` without emitting its change signals; returns how
// many there are. No item is selected when the current printer is not listed.
int FillPrinterCombo(QComboBox& combo, PrinterAccess& printers);

}  // namespace tessaly
