// Reading printed pages back for the real-printing tests: where cups-pdf writes the
// jobs of the user running the tests, the whole files of given CUPS jobs, and a
// PDF file's sheet (pdfinfo), its images per page with their encodings and
// stored pixels (pdfimages) and a page rendered at a given resolution (pdftoppm). A
// tool that is missing or fails gives an empty answer (an empty list, a null image).
#pragma once

#include <QImage>
#include <QList>
#include <QSet>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <set>

namespace tessaly::test {

// The cups-pdf queue that scripts/start_cups.sh installs.
inline constexpr char kCupsPdfQueue[] = "PDF";
// Pages are read back at 254 dots per inch: 10 pixels per millimetre.
inline constexpr int kReadBackDpi = 254;
inline constexpr double kReadBackPixelsPerMm = 10.0;

// The "Out" folder of /etc/cups/cups-pdf.conf (${HOME}/PDF when unset), with ${HOME}
// and ${USER} those of the running user.
QString CupsPdfFolder();
// Names of the PDF files directly in `folder`.
QSet<QString> PdfFiles(const QString& folder);

// The newest job number among the cups-pdf files already there; 0 when none.
int NewestCupsPdfJob();
// The whole cups-pdf files of the CUPS jobs `jobs`, in job order, once the file of the
// last job is there (the queue does its jobs in order) or `wait_ms` have passed.
QStringList CupsPdfJobFiles(const std::set<int>& jobs, int wait_ms);
// The whole cups-pdf files of the jobs after job `after`, in job order, once there
// are `count` of them or `wait_ms` have passed.
QStringList CupsPdfFilesAfter(int after, int count, int wait_ms);

// The first page's size in points and the page count, from pdfinfo; false when
// pdfinfo gave neither.
bool PdfSheet(const QString& file, QSizeF& points, int& pages);
// The encoding ("image", "jpeg", "jpx", ...) of each image of page `page` (1-based),
// in order, soft masks left out.
QStringList PdfImageEncodings(const QString& file, int page);
// The images of page `page` as stored in the file, in order, extracted with
// pdfimages -png into files named `scratch_prefix`-NNN.png; soft masks left out.
QList<QImage> PdfImagePixels(const QString& file, int page, const QString& scratch_prefix);
// Page 1 of `file` rendered at `dpi` by pdftoppm, via a PNG named `scratch_prefix`.png.
QImage RenderPdfPage(const QString& file, int dpi, const QString& scratch_prefix);

}  // namespace tessaly::test
