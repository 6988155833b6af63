// A printer device on one CUPS queue. Sheet and printable area come from the queue's
// page layout (in twips, current orientation), pixels per millimetre from the
// QPrinter's high resolution. Each document is drawn into a temporary PDF with that
// layout and resolution (the painter's origin at the printable area's corner) and
// becomes one CUPS job when it is ended; a discarded document never reaches the
// queue. Qt's own CUPS engine cannot abort a job once painting began, hence the file.
#pragma once

#include <QString>
#include <memory>

#include "print/printer_device.h"

class QPainter;
class QPdfWriter;
class QPrinter;
class QTemporaryFile;

namespace tessaly {

class CupsPrinterDevice : public PrinterDevice {
 public:
  explicit CupsPrinterDevice(const QString& queue);
  ~CupsPrinterDevice() override;

  // False when no queue of that name exists.
  bool IsValid() const;
  // The printer whose settings (page size, orientation, options) the documents use;
  // the properties dialog works on it.
  QPrinter& Printer() { return *printer_; }
  // The CUPS job id of the last ended document (0 before the first).
  int LastJob() const { return last_job_; }

  QString DeviceName() const override { return queue_; }
  double Width() const override;
  double Height() const override;
  double ScaleWidth() const override;
  double ScaleHeight() const override;
  double PixelsPerMm() const override;
  int Orientation() const override;
  bool SetOrientation(int orientation, QString& error) override;
  QPainter* hDC() override;
  void PrintText(const QString& text, double x_mm, double y_mm, const PrintFont& font) override;
  double TextWidthMm(const QString& text, const PrintFont& font) override;
  bool EndDoc() override;
  void KillDoc() override;

 private:
  QString queue_;
  std::unique_ptr<QPrinter> printer_;
  std::unique_ptr<QTemporaryFile> file_;
  std::unique_ptr<QPdfWriter> writer_;
  std::unique_ptr<QPainter> painter_;
  int last_job_ = 0;
};

}  // namespace tessaly
