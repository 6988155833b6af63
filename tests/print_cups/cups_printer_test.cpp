// Real printing on the CUPS queue "PDF" (cups-pdf writes every job as a PDF file):
// the queue's description, its orientations, one job per ended document and none for
// a discarded one. Skipped when the queue is not installed.
#include <gtest/gtest.h>

#include <QFile>
#include <QPainter>
#include <QPrinterInfo>
#include <QSet>

#include "print/cups/cups_printer_catalogue.h"
#include "print/cups/cups_printer_device.h"
#include "support/pdf_readback.h"

namespace tessaly {
namespace {

// cups-pdf may take a while for its first job (Ghostscript starting up).
constexpr int kJobWaitMs = 60000;

using test::CupsPdfFolder;
using test::PdfFiles;

class CupsPrinterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (QPrinterInfo::printerInfo(QLatin1String(test::kCupsPdfQueue)).isNull()) {
      GTEST_SKIP() << "the CUPS queue \"PDF\" is not installed (scripts/start_cups.sh)";
    }
  }
};

// The queue is listed as "name on device" and opens as a device of that name.
TEST_F(CupsPrinterTest, TheQueueIsListedAndTurnsToLandscape) {
  CupsPrinterCatalogue catalogue;
  const QStringList descriptions = catalogue.Descriptions();
  ASSERT_TRUE(descriptions.contains("PDF on cups-pdf:/")) << descriptions.join(" | ").toStdString();
  EXPECT_EQ(catalogue.Open(QStringLiteral("PDF on nowhere:/")), nullptr);
  const QString system_default = catalogue.DefaultDescription();
  EXPECT_TRUE(system_default.isEmpty() || descriptions.contains(system_default));
  std::unique_ptr<PrinterDevice> opened = catalogue.Open(QStringLiteral("PDF on cups-pdf:/"));
  auto* cups = dynamic_cast<CupsPrinterDevice*>(opened.get());
  ASSERT_NE(cups, nullptr);
  EXPECT_EQ(cups->DeviceName(), test::kCupsPdfQueue);
  // The sheet's sizes in portrait are checked against the printed pages in the print
  // run's test; here the turn to landscape and the refused orientations.
  CupsPrinterDevice& device = *cups;
  QString error;
  ASSERT_TRUE(device.SetOrientation(1, error)) << error.toStdString();
  EXPECT_EQ(device.Orientation(), 1);
  EXPECT_LT(device.Width(), device.Height());
  ASSERT_TRUE(device.SetOrientation(2, error));
  EXPECT_EQ(device.Orientation(), 2);
  EXPECT_GT(device.Width(), device.Height());
  EXPECT_GT(device.ScaleWidth(), device.ScaleHeight());
  EXPECT_FALSE(device.SetOrientation(0, error));
}

TEST_F(CupsPrinterTest, EachEndedDocumentIsOneJob) {
  const QString folder = CupsPdfFolder();
  const QSet<QString> before = PdfFiles(folder);

  CupsPrinterDevice device{QLatin1String(test::kCupsPdfQueue)};
  ASSERT_TRUE(device.IsValid());
  QString error;
  ASSERT_TRUE(device.SetOrientation(1, error));
  // Two documents, each with a black block, and a discarded one in between that must
  // never reach the queue.
  int jobs[2] = {0, 0};
  for (int i = 0; i < 2; ++i) {
    QPainter* painter = device.hDC();
    ASSERT_NE(painter, nullptr);
    painter->fillRect(QRectF(100, 100, 200, 100), Qt::black);
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
  const QStringList files = test::CupsPdfJobFiles({jobs[0], jobs[1]}, kJobWaitMs);
  ASSERT_EQ(files.size(), 2);
  EXPECT_EQ((PdfFiles(folder) - before).size(), 2) << "new files in " << folder.toStdString();
  for (const QString& file : files) QFile::remove(file);
}

}  // namespace
}  // namespace tessaly
