// The built-in PDF printer writing real files: sizes in twips for both
// orientations, one file per ended document, nothing left by a discarded one,
// where drawn things land on the page (read back with pdftoppm), and a printed
// photo's pixels stored unchanged (read back with pdfimages) in a stream deflated at
// the page level.
#include "print/pdf_printer.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include "controls/scripted_ui.h"
#include "settings/settings_table.h"
#include "support/noise_photo_print.h"
#include "support/pdf_readback.h"
#include "support/scoped_state.h"

namespace tessaly {
namespace {

QStringList PdfFiles(const QString& folder) {
  return QDir(folder).entryList({"*.pdf"}, QDir::Files, QDir::Name);
}

// The zlib header (two bytes) of the longest stream of a PDF file.
QByteArray LongestStreamHeader(const QByteArray& pdf) {
  QByteArray header;
  qsizetype longest = 0;
  for (qsizetype at = pdf.indexOf("stream"); at >= 0; at = pdf.indexOf("stream", at + 1)) {
    if (at >= 3 && pdf.mid(at - 3, 3) == "end") continue;
    qsizetype start = at + 6;
    if (pdf.mid(start, 2) == "\r\n")
      start += 2;
    else if (pdf.mid(start, 1) == "\n")
      start += 1;
    else
      continue;
    const qsizetype end = pdf.indexOf("endstream", start);
    if (end > start + longest) {
      longest = end - start;
      header = pdf.mid(start, 2);
    }
  }
  return header;
}

TEST(PdfPrinter, SizesInTwipsFollowTheOrientation) {
  PdfPrinter printer("/nonexistent", QPageSize::A4);
  EXPECT_NEAR(printer.Width(), 210.0 / 25.4 * 1440, 1e-6);
  EXPECT_NEAR(printer.Height(), 297.0 / 25.4 * 1440, 1e-6);
  // The printable area sits 5 mm in from every edge.
  EXPECT_NEAR((printer.Width() - printer.ScaleWidth()) / 2, 5.0 / 25.4 * 1440, 1e-6);
  EXPECT_NEAR(TwipsToMm(printer.Height() - printer.ScaleHeight()), 10.0, 1e-9);
  EXPECT_NEAR(printer.PixelsPerMm(), 600 / 25.4, 1e-12);
  QString error;
  ASSERT_TRUE(printer.SetOrientation(2, error));
  EXPECT_EQ(printer.Orientation(), 2);
  EXPECT_NEAR(printer.Width(), 297.0 / 25.4 * 1440, 1e-6);
  EXPECT_FALSE(printer.SetOrientation(3, error));
  EXPECT_FALSE(error.isEmpty());
  PdfPrinter letter("/nonexistent", DefaultPdfSheet(true));
  EXPECT_NEAR(TwipsToMm(letter.Width()), 215.9, 0.01);

  // The lab papers: a chosen one is the sheet, with the same margin.
  QStringList names;
  for (const PrinterPaper& paper : letter.Media().papers) names << paper.name;
  EXPECT_EQ(names, QStringList({"A4 (210 x 297 mm)", "Letter (8.5 x 11 in)", "4 x 6 in", "5 x 7 in",
                                "8 x 10 in", "100 x 150 mm", "130 x 180 mm", "A5 (148 x 210 mm)",
                                "A3 (297 x 420 mm)"}));
  EXPECT_EQ(letter.Media().default_paper, 1);
  ASSERT_TRUE(letter.ChooseMedia({FindPaper(letter.Media().papers, "100 x 150 mm"), -1, -1}));
  EXPECT_NEAR(TwipsToMm(letter.Width()), 100.0, 1e-9);
  EXPECT_NEAR(TwipsToMm(letter.Height()), 150.0, 1e-9);
  EXPECT_NEAR(TwipsToMm(letter.ScaleHeight()), 140.0, 1e-9);
  EXPECT_FALSE(letter.ChooseMedia({0, 0, -1}));  // no media types to choose
}

// Each ended document is one file, with what was drawn at the right place on the sheet;
// a discarded one leaves nothing and takes no page number. A name that something holds,
// even a link to nowhere, is left alone and the document takes the next page number's
// name.
TEST(PdfPrinter, EachEndedDocumentIsOneFileUnderAFreeNameWithItsDrawing) {
  QTemporaryDir dir;
  const QString folder = dir.filePath("out/pdf");
  PdfPrinter printer(folder, QPageSize::A4);
  EXPECT_TRUE(printer.EndDoc());  // nothing started: nothing written
  EXPECT_TRUE(PdfFiles(folder).isEmpty());
  ASSERT_NE(printer.hDC(), nullptr);
  // A 20 × 10 mm black block 30 mm right and 40 mm down from the printable corner.
  const double ppm = printer.PixelsPerMm();
  printer.hDC()->fillRect(QRectF(30 * ppm, 40 * ppm, 20 * ppm, 10 * ppm), Qt::black);
  ASSERT_TRUE(printer.EndDoc());
  const QString first = printer.LastFile();
  ASSERT_TRUE(first.endsWith(" p1.pdf")) << first.toStdString();
  // Rendered at 254 dpi: 10 pixels per millimetre of the sheet.
  const QImage page = test::RenderPdfPage(first, 254, dir.filePath("page"));
  ASSERT_FALSE(page.isNull()) << "pdftoppm gave no page";
  EXPECT_NEAR(page.width(), 2100, 2);
  EXPECT_NEAR(page.height(), 2970, 2);
  // The block spans x 350..550, y 450..550 in sheet pixels (5 mm margin added).
  auto dark = [&](int x, int y) { return qGray(page.pixel(x, y)) < 64; };
  EXPECT_TRUE(dark(355, 455));
  EXPECT_TRUE(dark(545, 545));
  EXPECT_FALSE(dark(345, 500));
  EXPECT_FALSE(dark(555, 500));
  EXPECT_FALSE(dark(450, 445));
  EXPECT_FALSE(dark(450, 555));
  ASSERT_NE(printer.hDC(), nullptr);
  printer.KillDoc();
  printer.PrintText("second", 10, 10, PrintFont{"Liberation Sans", 12});
  ASSERT_TRUE(printer.EndDoc());
  const QString nowhere = dir.filePath("nowhere.pdf");
  ASSERT_TRUE(QFile::link(nowhere, first.chopped(6) + "p3.pdf"));
  ASSERT_NE(printer.hDC(), nullptr);
  ASSERT_TRUE(printer.EndDoc());
  EXPECT_EQ(printer.Files(),
            (QStringList{first, first.chopped(6) + "p2.pdf", first.chopped(6) + "p4.pdf"}));
  EXPECT_EQ(QFileInfo(first.chopped(6) + "p3.pdf").symLinkTarget(), nowhere);
  EXPECT_FALSE(QFileInfo::exists(nowhere));
  // A second printer of the same second never overwrites those files.
  PdfPrinter again(folder, QPageSize::A4);
  ASSERT_NE(again.hDC(), nullptr);
  ASSERT_TRUE(again.EndDoc());
  EXPECT_EQ(PdfFiles(folder).size(), 4);
}

// A document that cannot be written is reported as failed when it is ended, once: a
// folder that cannot be made, a file where the folder should be, a name too long, a
// disk that fills up.
TEST(PdfPrinter, FailedWritesAreReported) {
  QTemporaryDir dir;
  test::PutFile(dir.filePath("file"), "x");
  for (const QString& folder :
       {dir.filePath("file/pdf"), dir.filePath("file"), dir.filePath(QString(300, u'n'))}) {
    SCOPED_TRACE(folder.toStdString());
    PdfPrinter printer(folder, QPageSize::A4);
    EXPECT_EQ(printer.hDC(), nullptr);
    EXPECT_FALSE(printer.EndDoc());
    EXPECT_TRUE(printer.EndDoc());
    EXPECT_TRUE(printer.Files().isEmpty());
  }

  const QString folder = dir.filePath("pdf");
  {
    PdfPrinter printer(folder, QPageSize::A4);
    ASSERT_NE(printer.hDC(), nullptr);
    printer.hDC()->fillRect(QRectF(0, 0, 100, 100), Qt::black);
    test::ScopedFileSizeLimit full(200);
    ASSERT_TRUE(full.Active());
    EXPECT_FALSE(printer.EndDoc());
    EXPECT_TRUE(printer.Files().isEmpty());
  }
  EXPECT_EQ(QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
            QStringList());
}

TEST(PdfPrinter, APrintedPhotoKeepsEveryPixel) {
  QTemporaryDir dir;
  const QString settings = dir.filePath("Tesly.ini");
  ASSERT_TRUE(WriteIniValue("Options", "PdfFolder", dir.filePath("pdf"), settings));
  test::ScopedHistoryRoot history(dir.filePath("history"));
  ScriptedUi ui;
  ScopedUi scoped_ui(ui);
  PrinterAccess access(nullptr, settings);
  QStringList descriptions;
  int count = 0;
  int current = 0;
  access.GetPrinterList(descriptions, count, current);
  ASSERT_EQ(access.CurrentPrinterName(), kPdfPrinterName);

  QImage expected;
  ASSERT_EQ(test::PrintNoisePhoto(access, dir.path(), expected), 1);
  const QStringList files = PdfFiles(dir.filePath("pdf"));
  ASSERT_EQ(files.size(), 1);
  const QString file = QDir(dir.filePath("pdf")).filePath(files[0]);
  const QStringList encodings = test::PdfImageEncodings(file, 1);
  if (encodings.isEmpty()) GTEST_SKIP() << "pdfimages is not installed";
  EXPECT_EQ(encodings, QStringList{"image"});  // stored as it is, not "jpeg"
  const QList<QImage> images = test::PdfImagePixels(file, 1, dir.filePath("image"));
  ASSERT_EQ(images.size(), 1);
  EXPECT_TRUE(images[0] == expected) << "the stored photo differs from the drawn one";
  // Deflated at level 1 (zlib's header 78 01), not Qt's default 6 (78 9C).
  QFile pdf(file);
  ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
  EXPECT_EQ(LongestStreamHeader(pdf.readAll()).toHex(), QByteArray("7801"));
}

}  // namespace
}  // namespace tessaly
