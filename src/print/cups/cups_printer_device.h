// A printer device on one CUPS queue. The sheet is the queue's paper in use (its
// default until one is chosen), the printable area that sheet less the paper's largest
// margin on every side (none on a borderless entry); pixels per millimetre come from
// the QPrinter's high resolution. Each document is drawn into a temporary PDF of the
// paper's exact size (the painter's origin at the printable area's corner) and becomes
// one CUPS job when it is ended, sent with its paper, type and quality, unscaled; a
// discarded document never reaches the queue. The jobs are followed until the printer
// printed or failed them. A queue whose papers cannot be read keeps Qt's page layout.
#pragma once

#include <QString>
#include <chrono>
#include <functional>
#include <memory>
#include <vector>

#include "print/printer_device.h"

class QPageLayout;
class QPainter;
class QSizeF;
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
  const PrinterMedia& Media() const override { return media_; }
  bool ChooseMedia(const MediaChosen& chosen) override;
  MediaChosen Chosen() const override { return chosen_; }
  std::vector<DocumentFate> FollowDocuments(const std::function<bool()>& keep_waiting) override;

  void SetColourConverted(bool converted) override { colour_converted_ = converted; }

 private:
  // The paper in use; null when the queue listed none.
  const PrinterPaper* Paper() const;
  // Sheet (true) or printable area, in millimetres, current orientation.
  QSizeF SizeMm(bool sheet) const;
  // The page of the documents: the paper in use with its margin on every side.
  QPageLayout PageLayoutInUse() const;

  QString queue_;
  PrinterMedia media_;
  MediaChosen chosen_;
  int orientation_ = 1;
  bool colour_converted_ = false;
  std::vector<int> jobs_;  // ended since the last follow
  std::chrono::steady_clock::time_point last_end_;
  std::unique_ptr<QPrinter> printer_;
  std::unique_ptr<QTemporaryFile> file_;
  std::unique_ptr<QPdfWriter> writer_;
  std::unique_ptr<QPainter> painter_;
  int last_job_ = 0;
};

}  // namespace tessaly
