// The simulated driverless printers through the plain CUPS API. A 4x6 in PDF page
// holding a black 50 x 80 mm rectangle and a red patch, printed on Photo_4x6 without
// scaling, must reach the photo printer as one 4x6 in page at 300 dpi with the
// rectangle's size within 0.3 mm, its place within 0.5 mm and the patch still red.
// A job on Photo_Jam must end without completing. Skipped when the queues are
// missing, failed instead when CI is "true".
#include <cups/cups.h>
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDateTime>
#include <QFileInfo>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <chrono>
#include <iostream>

#include "support/ipp_printers.h"
#include "support/raster_pages.h"

namespace tessaly::test {
namespace {

constexpr double kMmPerInch = 25.4;
const QRectF kBlackMm(20.0, 30.0, 50.0, 80.0);  // from the page's top left corner
const QRectF kRedMm(75.0, 120.0, 20.0, 20.0);
constexpr double kSizeToleranceMm = 0.3;
constexpr double kPlaceToleranceMm = 0.5;
// Ghostscript renders the page's sRGB red through its colour management to sRGB
// output: the identity, apart from rounding in its 8-bit tables. A few levels allow
// for that; a grey page (76, 76, 76), swapped channels or another space miss by far.
constexpr int kRedTolerance = 8;

struct JobEnd {
  int state = 0;
  QString reasons;
  QString message;
};

// Asks the scheduler about job `id` every half second until its state is at least
// `state` or `limit` has passed; the last answer. A job still going is cancelled.
JobEnd WaitForJob(const char* queue, int id, ipp_jstate_t state, std::chrono::seconds limit) {
  const QString uri = QStringLiteral("ipp://localhost/jobs/%1").arg(id);
  const auto end = std::chrono::steady_clock::now() + limit;
  JobEnd job;
  while (job.state < state && std::chrono::steady_clock::now() < end) {
    QThread::msleep(500);
    ipp_t* request = ippNewRequest(IPP_OP_GET_JOB_ATTRIBUTES);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "job-uri", nullptr, qPrintable(uri));
    ipp_t* response = cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/");
    char text[1024] = "";
    if (ipp_attribute_t* a = ippFindAttribute(response, "job-state", IPP_TAG_ENUM))
      job.state = ippGetInteger(a, 0);
    if (ipp_attribute_t* a = ippFindAttribute(response, "job-state-reasons", IPP_TAG_KEYWORD))
      job.reasons = QString::fromUtf8(text, int(ippAttributeString(a, text, sizeof(text))));
    if (ipp_attribute_t* a = ippFindAttribute(response, "job-printer-state-message", IPP_TAG_TEXT))
      job.message = QString::fromUtf8(ippGetString(a, 0, nullptr));
    ippDelete(response);
  }
  if (job.state < state) cupsCancelJob2(CUPS_HTTP_DEFAULT, queue, id, 0);
  return job;
}

// Prints `pdf` on `queue` at 4x6 in without scaling; the job number, 0 on failure.
int PrintFile(const char* queue, const QString& pdf, const QString& title) {
  cups_option_t* options = nullptr;
  int count = cupsAddOption("media", "na_index-4x6_4x6in", 0, &options);
  count = cupsAddOption("print-scaling", "none", count, &options);
  const int id = cupsPrintFile(queue, qPrintable(pdf), qPrintable(title), count, options);
  cupsFreeOptions(count, options);
  return id;
}

class IppPrinterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* queue : {kPhotoQueue, kPhotoLetterQueue, kJamQueue}) {
      cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, queue, nullptr);
      cupsFreeDests(dest ? 1 : 0, dest);
      if (dest) continue;
      if (qgetenv("CI") == "true") FAIL() << "no CUPS queue " << queue << " (start_cups.sh)";
      GTEST_SKIP() << "the CUPS queue " << queue << " is not installed (scripts/start_cups.sh)";
    }
    ASSERT_TRUE(folder_.isValid());
    // A name of its own, which the printer puts in the kept file's name.
    title_ = QStringLiteral("tessaly_ipp_%1_%2")
                 .arg(QCoreApplication::applicationPid())
                 .arg(QDateTime::currentMSecsSinceEpoch());
    pdf_ = folder_.filePath(QStringLiteral("page.pdf"));
    QPdfWriter writer(pdf_);
    writer.setPageSize(
        QPageSize(QSizeF(101.6, 152.4), QPageSize::Millimeter, QString(), QPageSize::ExactMatch));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    const double scale = writer.resolution() / kMmPerInch;
    QPainter painter(&writer);
    auto device = [scale](const QRectF& mm) {
      return QRectF(mm.topLeft() * scale, mm.size() * scale);
    };
    painter.fillRect(device(kBlackMm), QColor(0, 0, 0));
    painter.fillRect(device(kRedMm), QColor(255, 0, 0));
  }

  QTemporaryDir folder_;
  QString title_;
  QString pdf_;
};

TEST_F(IppPrinterTest, PhotoPrinterReceivesThePageAtItsSize) {
  const int id = PrintFile(kPhotoQueue, pdf_, title_);
  ASSERT_GT(id, 0) << cupsLastErrorString();
  const JobEnd job = WaitForJob(kPhotoQueue, id, IPP_JSTATE_CANCELED, std::chrono::seconds(120));
  ASSERT_EQ(job.state, IPP_JSTATE_COMPLETED) << job.reasons.toStdString();

  const QString file = NewestFile(QLatin1String(kPhotoSpoolFolder));
  ASSERT_TRUE(QFileInfo(file).fileName().contains(title_)) << file.toStdString();
  std::vector<RasterPage> pages;
  QString error;
  ASSERT_TRUE(ReadRasterFile(file, pages, error)) << error.toStdString();
  ASSERT_EQ(pages.size(), 1u);
  const RasterPage& page = pages[0];
  std::cout << file.toStdString() << ": " << page.width << " x " << page.height << " px, "
            << page.x_dpi << " x " << page.y_dpi << " dpi, " << page.colour_space.toStdString()
            << " " << page.bits_per_colour << " bits\n";
  ASSERT_EQ(page.width, 1200);
  ASSERT_EQ(page.height, 1800);
  ASSERT_EQ(page.x_dpi, 300);
  ASSERT_EQ(page.y_dpi, 300);
  ASSERT_EQ(page.pixels.format(), QImage::Format_RGB888);

  // The bounding box of the black pixels, in millimetres from the top left corner.
  QRect black;
  for (int y = 0; y < page.height; ++y) {
    const uchar* row = page.pixels.constScanLine(y);
    for (int x = 0; x < page.width; ++x)
      if (row[3 * x] < 128 && row[3 * x + 1] < 128 && row[3 * x + 2] < 128)
        black |= QRect(x, y, 1, 1);
  }
  const double mm = kMmPerInch / page.x_dpi;
  EXPECT_NEAR(black.width() * mm, kBlackMm.width(), kSizeToleranceMm);
  EXPECT_NEAR(black.height() * mm, kBlackMm.height(), kSizeToleranceMm);
  EXPECT_NEAR(black.left() * mm, kBlackMm.left(), kPlaceToleranceMm);
  EXPECT_NEAR(black.top() * mm, kBlackMm.top(), kPlaceToleranceMm);

  // Every pixel of the red patch, less a millimetre at its edges.
  const QRectF inner = kRedMm.adjusted(1, 1, -1, -1);
  int worst = 0;
  for (int y = int(inner.top() / mm); y < int(inner.bottom() / mm); ++y) {
    const uchar* row = page.pixels.constScanLine(y);
    for (int x = int(inner.left() / mm); x < int(inner.right() / mm); ++x)
      worst = std::max({worst, 255 - row[3 * x], int(row[3 * x + 1]), int(row[3 * x + 2])});
  }
  EXPECT_LE(worst, kRedTolerance);
  std::cout << "black " << black.width() * mm << " x " << black.height() * mm << " mm at "
            << black.left() * mm << ", " << black.top() * mm << " mm; red off by " << worst << "\n";
}

TEST_F(IppPrinterTest, JamPrinterEndsTheJobWithoutCompleting) {
  const int id = PrintFile(kJamQueue, pdf_, title_);
  ASSERT_GT(id, 0) << cupsLastErrorString();
  const JobEnd job = WaitForJob(kJamQueue, id, IPP_JSTATE_STOPPED, std::chrono::seconds(90));
  std::cout << "job " << id << ": state " << job.state << ", reasons " << job.reasons.toStdString()
            << ", message \"" << job.message.toStdString() << "\"\n";
  EXPECT_GE(job.state, IPP_JSTATE_STOPPED);
  EXPECT_NE(job.state, IPP_JSTATE_COMPLETED);
}

}  // namespace
}  // namespace tessaly::test
