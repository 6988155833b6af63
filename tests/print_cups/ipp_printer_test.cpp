// Tessaly on the simulated driverless printers. The device reads each queue's own
// papers and default; tessaly-batch prints a flat red photo on the default 4x6 in
// paper, which must reach the printer as a 300 dpi 4x6 in page with the photo's size
// within 0.3 mm and its red kept; a 4x6 in photo on the borderless entry covers the
// sheet edge to edge and the printer is told margins of 0 and the source chosen; the
// Letter queue's page is Letter; a job the printer aborts is named with the
// printer's reason, exit code 4; colours converted to a chosen profile are marked so
// that CUPS leaves them alone. Skipped when the queues are missing, failed instead
// when CI is "true".
#include <cups/cups.h>
#include <gtest/gtest.h>
#include <lcms2.h>

#include <QDateTime>
#include <QElapsedTimer>
#include <QImage>
#include <QSet>
#include <algorithm>

#include "app/batch_home.h"
#include "print/cups/cups_printer_device.h"
#include "support/ipp_printers.h"
#include "support/raster_pages.h"

namespace tessaly::test {
namespace {

constexpr double kMmPerInch = 25.4;
constexpr double kSizeToleranceMm = 0.3;
// Ghostscript takes sRGB red to sRGB output through 8-bit tables: a few levels.
constexpr int kRedTolerance = 8;

class IppPrinterTest : public BatchHomeTest {
 protected:
  void SetUp() override {
    for (const char* queue : {kPhotoQueue, kPhotoLetterQueue, kJamQueue}) {
      cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, queue, nullptr);
      cupsFreeDests(dest ? 1 : 0, dest);
      if (dest) continue;
      if (qgetenv("CI") == "true") FAIL() << "no CUPS queue " << queue << " (start_cups.sh)";
      GTEST_SKIP() << "the CUPS queue " << queue << " is not installed (scripts/start_cups.sh)";
    }
    // A flat red photo of 3 x 5 in at 300 ppi.
    QImage photo(900, 1500, QImage::Format_RGB32);
    photo.fill(qRgb(255, 0, 0));
    ASSERT_TRUE(photo.save(dir_ + "/red.png"));
  }

  // Prints red.png on `queue` with `options`; the one page the photo printer kept.
  RasterPage Print(const char* queue, const QStringList& options) {
    // A restarted printer numbers its jobs from 1 again, so the kept file is told by
    // its time, not its name.
    const QDateTime started = QDateTime::currentDateTime().addSecs(-1);
    const Result r = Batch(QStringList{"print", "--printer", queue, "--colour", "srgb"} + options +
                           QStringList{"red.png"});
    EXPECT_TRUE(ExitedWith(r, 0));
    const QString file = NewestFile(QLatin1String(kPhotoSpoolFolder));
    EXPECT_GE(QFileInfo(file).lastModified(), started) << "nothing new in the spool";
    std::vector<RasterPage> pages;
    QString error;
    EXPECT_TRUE(ReadRasterFile(file, pages, error)) << error.toStdString();
    return pages.size() == 1 ? pages[0] : RasterPage{};
  }

  // The box of the page's red pixels.
  static QRect RedBox(const RasterPage& page) {
    QRect box;
    for (int y = 0; y < page.height; ++y) {
      const uchar* row = page.pixels.constScanLine(y);
      int first = -1, last = -1;
      for (int x = 0; x < page.width; ++x) {
        if (row[3 * x] > 200 && row[3 * x + 1] < 60 && row[3 * x + 2] < 60) {
          if (first < 0) first = x;
          last = x;
        }
      }
      if (first >= 0) box |= QRect(first, y, last - first + 1, 1);
    }
    return box;
  }

  // The media-col of the photo printer's newest job, as IPP writes it out ("" when
  // there is none).
  static QString LastJobMedia() {
    http_t* http = httpConnect2("localhost", kPhotoPrinterPort, nullptr, AF_UNSPEC,
                                HTTP_ENCRYPTION_NEVER, 1, 5000, nullptr);
    if (http == nullptr) return {};
    ipp_t* request = ippNewRequest(IPP_OP_GET_JOBS);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr,
                 qPrintable(QStringLiteral("ipp://localhost:%1/ipp/print").arg(kPhotoPrinterPort)));
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "which-jobs", nullptr, "all");
    const char* wanted[] = {"job-id", "media-col"};
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", 2, nullptr,
                  wanted);
    ipp_t* response = cupsDoRequest(http, request, "/ipp/print");
    int newest = -1, id = -1;
    QString media, text;
    // One group of attributes per job; a nameless attribute ends a group.
    for (ipp_attribute_t* a = ippFirstAttribute(response);; a = ippNextAttribute(response)) {
      const char* name = a != nullptr ? ippGetName(a) : nullptr;
      if (name == nullptr) {
        if (id > newest) newest = id, media = text;
        id = -1;
        text.clear();
        if (a == nullptr) break;
      } else if (QByteArray(name) == "job-id") {
        id = ippGetInteger(a, 0);
      } else if (QByteArray(name) == "media-col") {
        char buffer[2048];
        ippAttributeString(a, buffer, sizeof buffer);
        text = QString::fromUtf8(buffer);
      }
    }
    ippDelete(response);
    httpClose(http);
    return media;
  }
};

TEST_F(IppPrinterTest, TheQueuesListTheirOwnPapersAndDefaults) {
  CupsPrinterDevice photo{QLatin1String(kPhotoQueue)};
  const PrinterMedia& media = photo.Media();
  ASSERT_EQ(media.papers.size(), 5u);
  ASSERT_GE(media.default_paper, 0);
  const PrinterPaper& standard = media.papers[media.default_paper];
  EXPECT_EQ(standard.key, "na_index-4x6_4x6in");
  EXPECT_FALSE(standard.Borderless());
  EXPECT_NEAR(TwipsToMm(photo.Width()), 101.6, 1e-9);
  EXPECT_NEAR(TwipsToMm(photo.ScaleHeight()), 152.4 - 6, 1e-9);
  const int borderless = FindPaper(media.papers, "4 x 6 in borderless");
  ASSERT_GE(borderless, 0);
  EXPECT_TRUE(media.papers[borderless].name.contains("borderless", Qt::CaseInsensitive));
  ASSERT_TRUE(photo.ChooseMedia({borderless, -1, -1}));
  EXPECT_EQ(photo.ScaleWidth(), photo.Width());
  EXPECT_EQ(media.types.size(), 3u);
  EXPECT_EQ(media.qualities.size(), 3u);
  EXPECT_EQ(media.resolutions, QStringList({"300 dpi"}));
  ASSERT_EQ(media.sources.size(), 2u);
  EXPECT_EQ(media.sources[1].key, "photo");

  CupsPrinterDevice letter{QLatin1String(kPhotoLetterQueue)};
  ASSERT_GE(letter.Media().default_paper, 0);
  EXPECT_EQ(letter.Media().papers[letter.Media().default_paper].key, "na_letter_8.5x11in");
}

TEST_F(IppPrinterTest, PhotosKeepTheirSizeAndBorderlessFillsTheSheet) {
  const RasterPage page = Print(kPhotoQueue, {"--size", "5x3in"});
  ASSERT_EQ(std::tuple(page.width, page.height, page.x_dpi), std::tuple(1200, 1800, 300));
  const double mm = kMmPerInch / page.x_dpi;
  const QRect red = RedBox(page);
  const double sides[] = {std::min(red.width(), red.height()) * mm,
                          std::max(red.width(), red.height()) * mm};
  EXPECT_NEAR(sides[0], 76.2, kSizeToleranceMm);
  EXPECT_NEAR(sides[1], 127.0, kSizeToleranceMm);
  int worst = 0;
  const QPoint middle = red.center();
  const uchar* pixel = page.pixels.constScanLine(middle.y()) + 3 * middle.x();
  worst = std::max({255 - pixel[0], int(pixel[1]), int(pixel[2])});
  EXPECT_LE(worst, kRedTolerance);
  EXPECT_TRUE(LastJobMedia().contains("media-top-margin=300")) << LastJobMedia().toStdString();

  const RasterPage sheet = Print(kPhotoQueue, {"--paper", "4 x 6 in borderless", "--size", "6x4in",
                                               "--media-source", "photo"});
  EXPECT_EQ(RedBox(sheet), QRect(0, 0, 1200, 1800));
  const QString borderless = LastJobMedia();
  for (const char* part : {"media-bottom-margin=0", "media-left-margin=0", "media-right-margin=0",
                           "media-top-margin=0", "media-source=photo"})
    EXPECT_TRUE(borderless.contains(part)) << part << " in " << borderless.toStdString();

  const RasterPage letter = Print(kPhotoLetterQueue, {"--size", "5x3in"});
  EXPECT_EQ(std::tuple(letter.width, letter.height), std::tuple(2550, 3300));
}

// Converted to a profile of its own choosing, the job also tells the print system to
// leave its colours alone.
TEST_F(IppPrinterTest, AJobThePrinterAbortsIsNamedWithItsReason) {
  const QString profile = dir_ + "/printer.icc";
  cmsHPROFILE srgb = cmsCreate_sRGBProfile();
  ASSERT_TRUE(cmsSaveProfileToFile(srgb, qPrintable(profile)));
  cmsCloseProfile(srgb);
  QElapsedTimer clock;
  clock.start();
  const Result r =
      Batch({"print", "--printer", kJamQueue, "--size", "5x3in", "--colour", profile, "red.png"});
  EXPECT_TRUE(ExitedWith(r, 4, "Page 1 of 1 was not printed: Print job canceled at printer."));
  EXPECT_TRUE(r.err.contains("Printed 0 of 1 pages on Photo_Jam")) << r.err.constData();
  EXPECT_LT(clock.elapsed(), 90000);

  cups_job_t* jobs = nullptr;
  const int count = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, kJamQueue, 0, CUPS_WHICHJOBS_ALL);
  int newest = 0;
  for (int i = 0; i < count; ++i) newest = std::max(newest, jobs[i].id);
  cupsFreeJobs(count, jobs);
  ipp_t* request = ippNewRequest(IPP_OP_GET_JOB_ATTRIBUTES);
  ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "job-uri", nullptr,
               qPrintable(QStringLiteral("ipp://localhost/jobs/%1").arg(newest)));
  ipp_t* response = cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/");
  ipp_attribute_t* calibration = ippFindAttribute(response, "cm-calibration", IPP_TAG_BOOLEAN);
  EXPECT_TRUE(calibration != nullptr && ippGetBoolean(calibration, 0));
  ippDelete(response);
}

}  // namespace
}  // namespace tessaly::test
