// Queue list from QPrinterInfo; the device URI of a queue from the CUPS
// destination's "device-uri" option. A print server that does not answer lists no
// queue and opens none.
#include "print/cups/cups_printer_catalogue.h"

#include <cups/cups.h>

#include <QPrinterInfo>

#include "print/cups/cups_printer_device.h"
#include "print/cups/print_server.h"

namespace tessaly {
namespace {

QString DeviceUri(const QString& queue) {
  const QByteArray name = queue.toLocal8Bit();
  cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, name.constData(), nullptr);
  if (dest == nullptr) return QString();
  const char* uri = cupsGetOption("device-uri", dest->num_options, dest->options);
  const QString text = uri != nullptr ? QString::fromLocal8Bit(uri) : QString();
  cupsFreeDests(1, dest);
  return text;
}

QString DescriptionOf(const QPrinterInfo& info) {
  QString port = DeviceUri(info.printerName());
  if (port.isEmpty()) port = info.location();
  if (port.isEmpty()) return info.printerName();
  return info.printerName() + QStringLiteral(" on ") + port;
}

}  // namespace

QStringList CupsPrinterCatalogue::Descriptions() const {
  QStringList descriptions;
  if (!PrintServerAnswers()) return descriptions;
  for (const QPrinterInfo& info : QPrinterInfo::availablePrinters()) {
    descriptions.append(DescriptionOf(info));
  }
  return descriptions;
}

QString CupsPrinterCatalogue::DefaultDescription() const {
  if (!PrintServerAnswers()) return QString();
  const QPrinterInfo info = QPrinterInfo::defaultPrinter();
  return info.isNull() ? QString() : DescriptionOf(info);
}

std::unique_ptr<PrinterDevice> CupsPrinterCatalogue::Open(const QString& description) {
  if (!PrintServerAnswers()) return nullptr;
  for (const QPrinterInfo& info : QPrinterInfo::availablePrinters()) {
    if (DescriptionOf(info) != description) continue;
    auto device = std::make_unique<CupsPrinterDevice>(info.printerName());
    if (!device->IsValid()) return nullptr;
    return device;
  }
  return nullptr;
}

}  // namespace tessaly
