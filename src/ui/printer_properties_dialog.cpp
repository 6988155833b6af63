// The properties dialogs of the two kinds of printer device.
#include "ui/printer_properties_dialog.h"

#include <QInputDialog>
#include <QPageSetupDialog>
#include <QPointer>

#include "print/cups/cups_printer_device.h"
#include "print/pdf_printer.h"
#include "print/printer_access.h"

namespace tessaly {

namespace {

// The built-in printer's two papers, the one in use offered first.
bool ChoosePdfSheet(PdfPrinter& pdf, QWidget* owner) {
  const QPageSize::PageSizeId ids[] = {QPageSize::A4, QPageSize::Letter};
  const QStringList names = {QPageSize(QPageSize::A4).name(), QPageSize(QPageSize::Letter).name()};
  const int current = pdf.Sheet() == QPageSize::Letter ? 1 : 0;
  bool ok = false;
  const QString chosen = QInputDialog::getItem(owner, QLatin1String(kPdfPrinterName),
                                               QObject::tr("Paper:"), names, current, false, &ok);
  if (!ok) return false;
  pdf.SetSheet(ids[names.indexOf(chosen) == 1 ? 1 : 0]);
  return true;
}

}  // namespace

void InstallPrinterPropertiesHook(PrinterAccess& printers, QWidget* owner) {
  QPointer<QWidget> guarded(owner);
  printers.SetPropertiesHook([guarded](PrinterDevice& device) {
    if (auto* pdf = dynamic_cast<PdfPrinter*>(&device)) return ChoosePdfSheet(*pdf, guarded);
    if (auto* queue = dynamic_cast<CupsPrinterDevice*>(&device)) {
      QPageSetupDialog dialog(&queue->Printer(), guarded);
      return dialog.exec() == QDialog::Accepted;
    }
    return false;
  });
}

}  // namespace tessaly
