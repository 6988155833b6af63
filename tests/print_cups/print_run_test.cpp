// Real printing on the CUPS queue "PDF" (cups-pdf writes every job as a PDF file): the
// queue's description and orientations, and a whole print run of seven copies of two
// flat-coloured photos, four cells to a page. Each page must come back as its own
// one-page PDF of the device's sheet with one image per placed copy, each in its cell
// less the photo's margin, and nothing photo-coloured more than 1 mm outside those
// places (where exactly is the print window's business); a document discarded before
// the run never reaches the queue. A photo of random pixels printed on the queue must
// come back with every pixel unchanged. Skipped when the queue is not installed.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPrinterInfo>
#include <QSet>
#include <chrono>
#include <memory>
#include <set>
#include <vector>

#include "controls/scripted_ui.h"
#include "job/add_photo.h"
#include "print/cups/cups_printer_catalogue.h"
#include "print/cups/cups_printer_device.h"
#include "print/cups/print_server.h"
#include "print/job_layout.h"
#include "print/print_window.h"
#include "settings/settings_table.h"
#include "support/noise_photo_print.h"
#include "support/pdf_readback.h"
#include "support/scratch_home.h"
#include "support/test_surfaces.h"

namespace tessaly {
namespace {

// cups-pdf may take a while for its first job (Ghostscript starting up).
constexpr int kJobWaitMs = 120000;
constexpr double kToleranceMm = 1.0;
// Largest difference on any channel for a read-back pixel to count as a photo's
// colour: room for JPEG, Ghostscript and rendering, far below the gaps between them.
constexpr int kColourTolerance = 45;

// A photo of one flat colour.
struct TestPhoto {
  const char* name;
  int width;
  int height;
  QRgb body;
  int copies;
};
// 3 + 4 copies: the second photo starts on page 1 and goes on on page 2.
const TestPhoto kPhotos[] = {
    {"landscape.jpg", 900, 600, qRgb(210, 40, 40), 3},
    {"upright.jpg", 600, 900, qRgb(40, 80, 205), 4},
};
// 130 × 90 mm with a 4 mm margin: a 2 × 2 upright grid on A4 or Letter.
const PhotoSize kSize{130.0, 90.0, 4.0};

// (photo, cell) of every placed copy, page by page, cells numbered from 0.
const std::vector<std::vector<std::pair<int, int>>> kPages = {
    {{0, 0}, {0, 1}, {0, 2}, {1, 3}},
    {{1, 0}, {1, 1}, {1, 2}},
};

// Pixels near a photo colour that lie outside every rectangle of `allowed`.
int StrayPixels(const QImage& page, const std::vector<QRect>& allowed) {
  int stray = 0;
  for (int y = 0; y < page.height(); ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(page.constScanLine(y));
    for (int x = 0; x < page.width(); ++x) {
      bool photo = false;
      for (const TestPhoto& p : kPhotos)
        photo = photo || test::NearColour(row[x], p.body, kColourTolerance);
      if (!photo) continue;
      bool inside = false;
      for (const QRect& r : allowed) inside = inside || r.contains(x, y);
      if (!inside) ++stray;
    }
  }
  return stray;
}

QRect ToPixels(const QRectF& mm) {
  return QRect(QPoint(qRound(mm.left() * test::kReadBackPixelsPerMm),
                      qRound(mm.top() * test::kReadBackPixelsPerMm)),
               QPoint(qRound(mm.right() * test::kReadBackPixelsPerMm) - 1,
                      qRound(mm.bottom() * test::kReadBackPixelsPerMm) - 1));
}

class PrintRunTest : public test::ScratchHomeTest {
 protected:
  // Makes the queue "PDF" the current printer, over two photos in a fresh job.
  void SetUp() override {
    if (QPrinterInfo::printerInfo(QLatin1String(test::kCupsPdfQueue)).isNull()) {
      GTEST_SKIP() << "the CUPS queue \"PDF\" is not installed (scripts/start_cups.sh)";
    }
    ASSERT_TRUE(WriteIniValue("Options", "PdfFolder", dir_.filePath("pdf")));

    JobSettings settings;
    settings.Size = kSize;
    job_ = std::make_unique<MyPictureManager>(settings);
    for (const TestPhoto& p : kPhotos) {
      QImage image(p.width, p.height, QImage::Format_RGB32);
      image.fill(p.body);
      const QString path = dir_.filePath(p.name);
      ASSERT_TRUE(image.save(path, "JPG", 95));
      const int position = AddPhotoFile(*job_, path);
      ASSERT_GE(position, 0) << p.name;
      job_->At(position).SetCopies(p.copies);
    }

    QStringList descriptions;
    int count = 0;
    int current = 0;
    access_.GetPrinterList(descriptions, count, current);
    const int position = descriptions.indexOf(QStringLiteral("PDF on cups-pdf:/")) + 1;
    ASSERT_GT(position, 0) << descriptions.join(" | ").toStdString();
    ASSERT_TRUE(access_.SelectPrinter(position));
    device_ = dynamic_cast<CupsPrinterDevice*>(access_.Device());
    ASSERT_NE(device_, nullptr);
  }

  std::unique_ptr<MyPictureManager> job_;
  PageLayout layout_;
  CupsPrinterCatalogue catalogue_;
  PrinterAccess access_{&catalogue_, SettingsFile()};
  CupsPrinterDevice* device_ = nullptr;
};

// The queue is listed as "name on device" and opens as a device of that name; it turns
// to landscape and refuses other orientations. (Its sizes in portrait are checked
// against the printed pages.)
TEST_F(PrintRunTest, TheQueueIsListedAndTurnsToLandscape) {
  EXPECT_EQ(catalogue_.Open(QStringLiteral("PDF on nowhere:/")), nullptr);
  const QString system_default = catalogue_.DefaultDescription();
  EXPECT_TRUE(system_default.isEmpty() || catalogue_.Descriptions().contains(system_default));
  EXPECT_EQ(device_->DeviceName(), test::kCupsPdfQueue);
  QString error;
  ASSERT_TRUE(device_->SetOrientation(1, error)) << error.toStdString();
  EXPECT_EQ(device_->Orientation(), 1);
  EXPECT_LT(device_->Width(), device_->Height());
  ASSERT_TRUE(device_->SetOrientation(2, error));
  EXPECT_EQ(device_->Orientation(), 2);
  EXPECT_GT(device_->Width(), device_->Height());
  EXPECT_GT(device_->ScaleWidth(), device_->ScaleHeight());
  EXPECT_FALSE(device_->SetOrientation(0, error));
}

// A print server that takes connections but never answers (a hung network server):
// the catalogue gives up on it at once and lists and opens nothing, a page already
// started on a queue fails instead of holding the run, and once the answering server
// is back its queues are listed again.
TEST_F(PrintRunTest, ASilentPrintServerListsNothingAndFailsThePageInHand) {
  const int silent = ::socket(AF_INET, SOCK_STREAM, 0);
  ASSERT_GE(silent, 0);
  sockaddr_in address = {};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  ASSERT_EQ(::bind(silent, reinterpret_cast<sockaddr*>(&address), length), 0);
  ASSERT_EQ(::listen(silent, 16), 0);
  ASSERT_EQ(::getsockname(silent, reinterpret_cast<sockaddr*>(&address), &length), 0);
  QPainter* page = device_->hDC();
  ASSERT_NE(page, nullptr);
  page->fillRect(QRectF(0, 0, 100, 100), Qt::black);

  const QByteArray server = "127.0.0.1:" + QByteArray::number(ntohs(address.sin_port));
  cupsSetServer(server.constData());
  ForgetPrintServerCheck();
  // Bounds on waiting, not speed targets: without its deadlines each step waits on
  // the server for minutes.
  using Clock = std::chrono::steady_clock;
  const Clock::time_point asked = Clock::now();
  EXPECT_FALSE(PrintServerAnswers());
  EXPECT_TRUE(catalogue_.Descriptions().isEmpty());
  EXPECT_TRUE(catalogue_.DefaultDescription().isEmpty());
  EXPECT_EQ(catalogue_.Open(QStringLiteral("PDF on cups-pdf:/")), nullptr);
  EXPECT_LT(Clock::now() - asked, std::chrono::seconds(5));
  const Clock::time_point handed = Clock::now();
  EXPECT_FALSE(device_->EndDoc());
  EXPECT_LT(Clock::now() - handed, std::chrono::seconds(30));

  cupsSetServer(nullptr);
  ForgetPrintServerCheck();
  ::close(silent);
  EXPECT_TRUE(catalogue_.Descriptions().contains(QStringLiteral("PDF on cups-pdf:/")));
}

TEST_F(PrintRunTest, CupsQueueGetsOneJobPerPageWithThePhotosInTheirCells) {
  const QSet<QString> before = test::PdfFiles(test::CupsPdfFolder());
  // A document discarded before the run must never reach the queue.
  ASSERT_NE(device_->hDC(), nullptr);
  device_->hDC()->fillRect(QRectF(0, 0, 1000, 1000), Qt::black);
  device_->KillDoc();

  // Every job this run sends: the device's last job, seen whenever the run lets
  // messages run and once more at its end. Other users' jobs are left alone.
  std::set<int> my_jobs;
  ui_.OnPoll([&](int) { my_jobs.insert(device_->LastJob()); });
  ComputeJobLayout(layout_, *device_, job_->Settings());
  ASSERT_EQ(layout_.GetPageCellCount(), 4);
  PrintWindow window(*job_, access_, layout_);
  window.PrintIt(false);
  // Every page ended and printed by the queue, no message; the progress went from the
  // last copy to the wait for the queue's say.
  EXPECT_EQ(window.PageCount(), 2);
  EXPECT_EQ(window.PagesEnded(), 2);
  EXPECT_FALSE(window.EndFailed());
  EXPECT_TRUE(window.PageFates().empty());
  EXPECT_TRUE(ui_.Messages().empty()) << ui_.Messages().front().text.toStdString();
  const std::vector<QString>& progress = ui_.ProgressTexts();
  ASSERT_GE(progress.size(), 2u);
  EXPECT_EQ(progress.back(), "Waiting for the printer...");
  EXPECT_EQ(progress[progress.size() - 2], "Printing page 2/2, Photo 7/7");
  const std::vector<std::pair<int, int>>& counts = ui_.ProgressCounts();
  ASSERT_EQ(counts.size(), 7u);
  EXPECT_EQ(counts.front(), std::pair(0, 7));
  EXPECT_EQ(counts.back(), std::pair(6, 7));
  my_jobs.insert(device_->LastJob());
  my_jobs.erase(0);
  ASSERT_EQ(my_jobs.size(), 2u);

  const QStringList files = test::CupsPdfJobFiles(my_jobs, kJobWaitMs);
  // Jobs are done in order: once the run's have their files, a discarded document that
  // had been sent would have one too.
  EXPECT_EQ((test::PdfFiles(test::CupsPdfFolder()) - before).size(), 2);
  ASSERT_EQ(files.size(), 2) << files.join(" | ").toStdString();
  // Each page file (page order) against the queue's sheet, whose printable area sits as
  // far from the left edge as from the top.
  const double off = TwipsToMm(device_->Width() - device_->ScaleWidth()) / 2;
  const std::vector<PageCell> cells = layout_.GetPageCells();
  for (int page = 0; page < 2; ++page) {
    SCOPED_TRACE(files[page].toStdString());
    QSizeF points;
    int pages = 0;
    if (!test::PdfSheet(files[page], points, pages)) GTEST_SKIP() << "pdfinfo is not installed";
    EXPECT_EQ(pages, 1);
    EXPECT_NEAR(points.width(), device_->Width() / 20, 1.0);  // 20 twips a point
    EXPECT_NEAR(points.height(), device_->Height() / 20, 1.0);
    EXPECT_EQ(test::PdfImageEncodings(files[page], 1).size(), std::ssize(kPages[page]));

    const QImage raster = test::RenderPdfPage(files[page], test::kReadBackDpi,
                                              dir_.filePath(QStringLiteral("page%1").arg(page)));
    ASSERT_FALSE(raster.isNull()) << "pdftoppm gave no page";
    std::vector<QRect> allowed;
    for (const auto& [photo_index, cell_index] : kPages[page]) {
      SCOPED_TRACE(testing::Message() << "photo " << photo_index << " cell " << cell_index);
      const TestPhoto& p = kPhotos[photo_index];
      const PageCell& cell = cells[cell_index];
      const double m = job_->At(photo_index).Margin();
      const QRectF cell_mm(off + cell.X0, off + cell.Y0, cell.X1 - cell.X0, cell.Y1 - cell.Y0);
      const QRectF photo_mm = cell_mm.adjusted(m, m, -m, -m);
      const QPoint centre = ToPixels(photo_mm).center();
      EXPECT_TRUE(test::NearColour(raster.pixel(centre), p.body, kColourTolerance));
      allowed.push_back(
          ToPixels(photo_mm.adjusted(-kToleranceMm, -kToleranceMm, kToleranceMm, kToleranceMm)));
    }
    EXPECT_EQ(StrayPixels(raster, allowed), 0);
  }
  for (const QString& file : files) QFile::remove(file);
}

TEST_F(PrintRunTest, CupsQueueKeepsEveryPixelOfAPrintedPhoto) {
  QImage expected;
  ASSERT_EQ(test::PrintNoisePhoto(access_, dir_.path(), expected), 1);
  ASSERT_GT(device_->LastJob(), 0);
  const QStringList files = test::CupsPdfJobFiles({device_->LastJob()}, kJobWaitMs);
  ASSERT_EQ(files.size(), 1);

  const QStringList encodings = test::PdfImageEncodings(files[0], 1);
  if (encodings.isEmpty()) GTEST_SKIP() << "pdfimages is not installed";
  // cups-pdf distils the page again with Ghostscript, which stores every image
  // unencoded (even one it got as JPEG): the pixels tell whether the page was lossless.
  EXPECT_EQ(encodings, QStringList{"image"});
  const QList<QImage> images = test::PdfImagePixels(files[0], 1, dir_.filePath("image"));
  ASSERT_EQ(images.size(), 1);
  EXPECT_TRUE(images[0] == expected) << "the stored photo differs from the drawn one";
  QFile::remove(files[0]);
}

}  // namespace
}  // namespace tessaly
