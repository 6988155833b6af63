// The system's CUPS queues as a printer catalogue: the queues in the order Qt lists
// them, the default queue, and a device for a queue. A description is the queue
// name + " on " + the queue's device URI (its location when the URI is not known);
// a queue with neither is described by its name alone.
#pragma once

#include "print/printer_access.h"

namespace tessaly {

class CupsPrinterCatalogue : public PrinterCatalogue {
 public:
  QStringList Descriptions() const override;
  QString DefaultDescription() const override;
  // A device on the queue whose description is `description`; null when no queue
  // has it or the queue cannot be opened.
  std::unique_ptr<PrinterDevice> Open(const QString& description) override;
};

}  // namespace tessaly
