// The built-in "Print to PDF" printer: every one-page document becomes its own PDF
// file in a folder, named "Tessaly <date> <time> p<n>.pdf" and never overwriting a
// file. Its papers are those of home printers and photo labs (A4, Letter, 4 x 6 in,
// 5 x 7 in, 8 x 10 in, 10 x 15 cm, 13 x 18 cm, A5, A3), A4 until another is chosen
// (Letter where the locale measures in inches), each with a 5 mm printable-area margin
// on every side; pages are drawn at 600 device pixels per inch.
// A document is written to a temporary file and appears only when it is ended and
// every byte reached the disk, under a name nothing in the folder held; a document
// that could not be started or written is reported as failed when it is ended.
#pragma once

#include <QDateTime>
#include <QPageSize>
#include <QString>
#include <QStringList>
#include <memory>

#include "print/printer_device.h"

class QPdfWriter;

namespace tessaly {

class NewFile;

inline constexpr char kPdfPrinterName[] = "Print to PDF";

class PdfPrinter : public PrinterDevice {
 public:
  // `folder` is created when the first document is started.
  PdfPrinter(const QString& folder, QPageSize::PageSizeId sheet);
  ~PdfPrinter() override;

  QString DeviceName() const override { return QLatin1String(kPdfPrinterName); }
  double Width() const override;
  double Height() const override;
  double ScaleWidth() const override;
  double ScaleHeight() const override;
  double PixelsPerMm() const override;
  int Orientation() const override { return orientation_; }
  bool SetOrientation(int orientation, QString& error) override;
  QPainter* hDC() override;
  void PrintText(const QString& text, double x_mm, double y_mm, const PrintFont& font) override;
  double TextWidthMm(const QString& text, const PrintFont& font) override;
  bool EndDoc() override;
  void KillDoc() override;

  const PrinterMedia& Media() const override { return media_; }
  // A paper of Media() for the documents started from now on; it has no types or
  // qualities to choose.
  bool ChooseMedia(const MediaChosen& chosen) override;
  MediaChosen Chosen() const override { return chosen_; }

  const QString& Folder() const { return folder_; }
  // The file the last ended document went to ("" before the first), and the files of
  // every ended document in order.
  QString LastFile() const { return files_.isEmpty() ? QString() : files_.last(); }
  const QStringList& Files() const { return files_; }

 private:
  // The file name of page document `n` of this run, without folder.
  QString FileName(int n) const;
  // Names the written document: the first free name from the next page number on.
  bool CommitFile();

  QString folder_;
  PrinterMedia media_;
  MediaChosen chosen_;
  QPageSize sheet_;
  int orientation_ = 1;
  std::unique_ptr<NewFile> file_;
  std::unique_ptr<QPdfWriter> writer_;
  std::unique_ptr<QPainter> painter_;
  QStringList files_;
  QDateTime run_started_;
  int pages_ = 0;
  bool start_failed_ = false;  // the open document could not be started
};

// The default paper: A4, or Letter when `us_measure`.
QPageSize::PageSizeId DefaultPdfSheet(bool us_measure);

}  // namespace tessaly
