// Print to PDF: QPdfWriter on a new file per document, the painter's origin at the
// printable area's corner (the page layout's margins), sizes reported in twips.
#include "print/pdf_printer.h"
#include "print/page_text.h"

#include <QDir>
#include <QFontMetricsF>
#include <QImage>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <cmath>
#include <utility>

#include "controls/new_file.h"

namespace tessaly {
namespace {

// Device resolution of the pages: fine enough for photos at 300 ppi and more.
constexpr int kPdfDotsPerInch = 600;
// Margin of the printable area on every side, like a typical photo printer's.
constexpr double kPdfMarginMm = 5.0;
// Page numbers tried for a document's name past the taken ones, so that a folder
// full of other runs' files cannot keep the printer searching.
constexpr int kFileNameAttempts = 10000;

// The papers people print on at home or send to a photo lab.
struct LabPaper {
  const char* key;
  double width_mm;
  double height_mm;
};
constexpr LabPaper kPapers[] = {
    {"iso_a4_210x297mm", 210, 297},          {"na_letter_8.5x11in", 215.9, 279.4},
    {"na_index-4x6_4x6in", 101.6, 152.4},    {"na_5x7_5x7in", 127, 177.8},
    {"na_govt-letter_8x10in", 203.2, 254},   {"om_small-photo_100x150mm", 100, 150},
    {"om_medium-photo_130x180mm", 130, 180}, {"iso_a5_148x210mm", 148, 210},
    {"iso_a3_297x420mm", 297, 420},
};

QPageSize SheetOf(const PrinterPaper& paper) {
  return QPageSize(QSizeF(paper.width_mm, paper.height_mm), QPageSize::Millimeter, paper.name,
                   QPageSize::ExactMatch);
}

}  // namespace

PdfPrinter::PdfPrinter(const QString& folder, QPageSize::PageSizeId sheet)
    : folder_(folder), sheet_(sheet), run_started_(QDateTime::currentDateTime()) {
  for (const LabPaper& lab : kPapers) {
    const double m = kPdfMarginMm;
    media_.papers.push_back({QLatin1String(lab.key),
                             PaperNameFromKey(QLatin1String(lab.key), false), lab.width_mm,
                             lab.height_mm, m, m, m, m});
  }
  media_.default_paper = sheet == QPageSize::Letter ? 1 : 0;
  sheet_ = SheetOf(media_.papers[media_.default_paper]);
}

bool PdfPrinter::ChooseMedia(const MediaChosen& chosen) {
  if (chosen.paper < -1 || chosen.paper >= static_cast<int>(media_.papers.size()) ||
      chosen.type != -1 || chosen.quality != -1 || chosen.source != -1)
    return false;
  chosen_ = chosen;
  sheet_ = SheetOf(media_.papers[chosen.paper >= 0 ? chosen.paper : media_.default_paper]);
  return true;
}

PdfPrinter::~PdfPrinter() {
  KillDoc();
}

double PdfPrinter::Width() const {
  const QSizeF mm = sheet_.size(QPageSize::Millimeter);
  return MmToTwips(orientation_ == 1 ? mm.width() : mm.height());
}

double PdfPrinter::Height() const {
  const QSizeF mm = sheet_.size(QPageSize::Millimeter);
  return MmToTwips(orientation_ == 1 ? mm.height() : mm.width());
}

double PdfPrinter::ScaleWidth() const {
  return Width() - 2 * MmToTwips(kPdfMarginMm);
}

double PdfPrinter::ScaleHeight() const {
  return Height() - 2 * MmToTwips(kPdfMarginMm);
}

double PdfPrinter::PixelsPerMm() const {
  return kPdfDotsPerInch / kMmPerInch;
}

bool PdfPrinter::SetOrientation(int orientation, QString& error) {
  if (orientation != 1 && orientation != 2) {
    error = QStringLiteral("Invalid orientation");
    return false;
  }
  orientation_ = orientation;
  return true;
}

QString PdfPrinter::FileName(int n) const {
  return QStringLiteral("Tessaly ") + run_started_.toString(QStringLiteral("yyyy-MM-dd hh-mm-ss")) +
         QStringLiteral(" p") + QString::number(n) + QStringLiteral(".pdf");
}

QPainter* PdfPrinter::hDC() {
  if (painter_) return painter_.get();
  start_failed_ = true;
  if (!QDir().mkpath(folder_)) return nullptr;
  file_ = std::make_unique<NewFile>();
  if (!file_->Open(folder_)) {
    file_.reset();
    return nullptr;
  }
  writer_ = std::make_unique<QPdfWriter>(&file_->Device());
  writer_->setResolution(kPdfDotsPerInch);
  writer_->setCreator(QStringLiteral("Tessaly"));
  writer_->setPageLayout(QPageLayout(
      sheet_, orientation_ == 1 ? QPageLayout::Portrait : QPageLayout::Landscape,
      QMarginsF(kPdfMarginMm, kPdfMarginMm, kPdfMarginMm, kPdfMarginMm), QPageLayout::Millimeter));
  painter_ = std::make_unique<QPainter>();
  if (!painter_->begin(writer_.get())) {
    painter_.reset();
    writer_.reset();
    file_.reset();
    return nullptr;
  }
  start_failed_ = false;
  return painter_.get();
}

void PdfPrinter::PrintText(const QString& text, double x_mm, double y_mm, const PrintFont& font) {
  QPainter* painter = hDC();
  if (painter) DrawPageText(*painter, writer_.get(), PixelsPerMm(), text, x_mm, y_mm, font);
}

double PdfPrinter::TextWidthMm(const QString& text, const PrintFont& font) {
  return PageTextWidthMm(PixelsPerMm(), text, font);
}

bool PdfPrinter::CommitFile() {
  const QDir dir(folder_);
  for (int n = pages_ + 1; n <= pages_ + kFileNameAttempts; ++n) {
    const QString name = FileName(n);
    if (NameTaken(dir.filePath(name))) continue;
    if (file_->Commit(name)) {
      files_.append(dir.filePath(name));
      return true;
    }
    if (file_->Error() != EEXIST) return false;
  }
  return false;
}

bool PdfPrinter::EndDoc() {
  if (!painter_) return !std::exchange(start_failed_, false);
  const bool painted = painter_->end();
  painter_.reset();
  writer_.reset();
  const bool committed = painted && CommitFile();
  file_.reset();
  if (committed) ++pages_;
  return committed;
}

void PdfPrinter::KillDoc() {
  if (painter_) painter_->end();
  painter_.reset();
  writer_.reset();
  file_.reset();
  start_failed_ = false;
}

QPageSize::PageSizeId DefaultPdfSheet(bool us_measure) {
  return us_measure ? QPageSize::Letter : QPageSize::A4;
}

}  // namespace tessaly
