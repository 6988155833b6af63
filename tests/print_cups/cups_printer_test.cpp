// Real printing on the CUPS queue "PDF" (cups-pdf writes every job as a PDF file):
// the queue's description, sizes in twips, one job per ended document and none for
// a discarded one, the sheet size of each job and where a drawn block lands on it
// (read back with pdfinfo and pdftoppm). Skipped when the queue is not installed.
#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSet>
#include <QTemporaryDir>
#include <QThread>

#include "print/cups/cups_printer_catalogue.h"
#include "print/cups/cups_printer_device.h"
#include "support/pdf_readback.h"

namespace tessaly {
namespace {

// cups-pdf may take a while for its first job (Ghostscript starting up).
constexpr int kJobWaitMs = 60000;

using test::CupsPdfFolder;
using test::PdfFiles;
using test::RunTool;

// The bounding box of the dark pixels of a rendered page, in pixels.
QRect DarkBox(const QImage& page) {
  QRect box;
  for (int y = 0; y < page.height(); ++y) {
    for (int x = 0; x < page.width(); ++x) {
      if (qGray(page.pixel(x, y)) < 64) box |= QRect(x, y, 1, 1);
    }
  }
  return box;
}

class CupsPrinterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (QPrinterInfo::printerInfo(QLatin1String(test::kCupsPdfQueue)).isNull()) {
      GTEST_SKIP() << "the CUPS queue \"PDF\" is not installed (scripts/start_cups.sh)";
    }
  }
};

TEST_F(CupsPrinterTest, TheQueueIsDescribedByItsNameAndDevice) {
  CupsPrinterCatalogue catalogue;
  const QStringList descriptions = catalogue.Descriptions();
  const QString description = QStringLiteral("PDF on cups-pdf:/");
  ASSERT_TRUE(descriptions.contains(description)) << descriptions.join(" | ").toStdString();
  std::unique_ptr<PrinterDevice> device = catalogue.Open(description);
  ASSERT_NE(device, nullptr);
  EXPECT_EQ(device->DeviceName(), test::kCupsPdfQueue);
  EXPECT_EQ(catalogue.Open(QStringLiteral("PDF on nowhere:/")), nullptr);
  const QString system_default = catalogue.DefaultDescription();
  EXPECT_TRUE(system_default.isEmpty() || descriptions.contains(system_default));
}

TEST_F(CupsPrinterTest, SizesComeFromTheQueuePageLayout) {
  CupsPrinterDevice device{QLatin1String(test::kCupsPdfQueue)};
  ASSERT_TRUE(device.IsValid());
  const QPageLayout layout = device.Printer().pageLayout();
  const QRectF full = layout.fullRect(QPageLayout::Millimeter);
  const QRectF paint = layout.paintRect(QPageLayout::Millimeter);
  QString error;
  ASSERT_TRUE(device.SetOrientation(1, error)) << error.toStdString();
  EXPECT_EQ(device.Orientation(), 1);
  EXPECT_NEAR(device.Width(), MmToTwips(std::min(full.width(), full.height())), 1e-6);
  EXPECT_NEAR(device.Height(), MmToTwips(std::max(full.width(), full.height())), 1e-6);
  EXPECT_GT(device.ScaleWidth(), 0);
  EXPECT_LE(device.ScaleWidth(), device.Width());
  EXPECT_LE(device.ScaleHeight(), device.Height());
  EXPECT_NEAR(device.PixelsPerMm(), device.Printer().resolution() / 25.4, 1e-12);
  ASSERT_TRUE(device.SetOrientation(2, error));
  EXPECT_EQ(device.Orientation(), 2);
  EXPECT_GT(device.Width(), device.Height());
  EXPECT_NEAR(device.ScaleWidth(), MmToTwips(std::max(paint.width(), paint.height())), 1e-6);
  EXPECT_FALSE(device.SetOrientation(0, error));
}

TEST_F(CupsPrinterTest, EachEndedDocumentIsOneJobWithTheBlockInPlace) {
  const QString folder = CupsPdfFolder();
  const QSet<QString> before = PdfFiles(folder);

  CupsPrinterDevice device{QLatin1String(test::kCupsPdfQueue)};
  ASSERT_TRUE(device.IsValid());
  QString error;
  ASSERT_TRUE(device.SetOrientation(1, error));
  const double ppm = device.PixelsPerMm();
  // Two documents, each with a black block at its own place (mm from the printable
  // corner), and a discarded one in between that must never reach the queue.
  const QRectF blocks[] = {QRectF(30, 40, 20, 10), QRectF(60, 90, 15, 25)};
  int jobs[2] = {0, 0};
  for (int i = 0; i < 2; ++i) {
    QPainter* painter = device.hDC();
    ASSERT_NE(painter, nullptr);
    const QRectF& b = blocks[i];
    painter->fillRect(QRectF(b.x() * ppm, b.y() * ppm, b.width() * ppm, b.height() * ppm),
                      Qt::black);
    ASSERT_TRUE(device.EndDoc());
    jobs[i] = device.LastJob();
    if (i == 0) {
      ASSERT_NE(device.hDC(), nullptr);
      device.hDC()->fillRect(QRectF(0, 0, 1000, 1000), Qt::black);
      device.KillDoc();
    }
  }
  ASSERT_GT(jobs[0], 0);
  ASSERT_GT(jobs[1], jobs[0]);

  // Jobs are done in order: once the second has its file, a discarded document that
  // had been sent would have one too.
  const QString second_suffix = QStringLiteral("job_%1.pdf").arg(jobs[1]);
  QSet<QString> added;
  QDeadlineTimer deadline(kJobWaitMs);
  while (!deadline.hasExpired()) {
    added = PdfFiles(folder) - before;
    bool done = false;
    for (const QString& name : added) done = done || name.endsWith(second_suffix);
    if (done) break;
    QThread::msleep(250);
  }
  ASSERT_EQ(added.size(), 2) << "new files in " << folder.toStdString();

  const QPageLayout layout = device.Printer().pageLayout();
  const QPointF corner = layout.paintRect(QPageLayout::Millimeter).topLeft();
  QTemporaryDir dir;
  for (int i = 0; i < 2; ++i) {
    SCOPED_TRACE(i);
    QString file;
    for (const QString& name : added) {
      if (name.endsWith(QStringLiteral("job_%1.pdf").arg(jobs[i])))
        file = QDir(folder).filePath(name);
    }
    ASSERT_FALSE(file.isEmpty());

    // The sheet, in points (20 twips each).
    QSizeF points;
    int pages = 0;
    if (!test::PdfSheet(file, points, pages)) GTEST_SKIP() << "pdfinfo is not installed";
    EXPECT_NEAR(points.width(), device.Width() / 20, 1.0);
    EXPECT_NEAR(points.height(), device.Height() / 20, 1.0);
    EXPECT_EQ(pages, 1);

    const QImage page = test::RenderPdfPage(file, test::kReadBackDpi,
                                            dir.filePath(QStringLiteral("page%1").arg(i)));
    ASSERT_FALSE(page.isNull()) << "pdftoppm gave no page";
    const QRect box = DarkBox(page);
    const QRectF& b = blocks[i];
    const double k = test::kReadBackPixelsPerMm;
    const double tolerance = 1.0 * k;  // 1 mm
    EXPECT_NEAR(box.left(), (corner.x() + b.left()) * k, tolerance);
    EXPECT_NEAR(box.top(), (corner.y() + b.top()) * k, tolerance);
    EXPECT_NEAR(box.right() + 1, (corner.x() + b.right()) * k, tolerance);
    EXPECT_NEAR(box.bottom() + 1, (corner.y() + b.bottom()) * k, tolerance);
    QFile::remove(file);
  }
}

}  // namespace
}  // namespace tessaly
