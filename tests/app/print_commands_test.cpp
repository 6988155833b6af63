// End-to-end runs of tessaly-batch printers, layout and print in a scratch home whose
// CUPS server is a socket nobody serves, so the built-in "Print to PDF" printer (A4,
// 5 mm margins: printable 200 x 287 mm) is the only printer: the list and "No
// Printer!", the settings summary and the cells of 4 x 6 in photos worked out by
// hand, preview pages with each photo where its cell is, one PDF file per page.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <cmath>

#include "app/batch_home.h"
#include "support/scoped_state.h"
#include "support/test_surfaces.h"

namespace tessaly {
namespace {

using test::ExitedWith;
using test::Result;

// 4 x 6 in, height first.
constexpr char kFourBySix[] = "101.6x152.4";
constexpr char kPdfPrinter[] = "Print to PDF";
constexpr double kSheetWidthMm = 210.0;
constexpr double kSheetHeightMm = 297.0;

class PrintCommandsTest : public test::BatchHomeTest {
 protected:
  PrintCommandsTest() {
    QDir(dir_).mkpath("pdf");
    env_.insert("CUPS_SERVER", dir_ + "/no-cups.sock");
    // A metric locale: the built-in printer's sheet is A4, not Letter.
    env_.insert("LC_ALL", "C.UTF-8");
    WriteSettings("Units=0\r\n");
  }

  // The settings file: the built-in printer writes into pdf/, then `options`.
  void WriteSettings(const QByteArray& options) {
    test::PutFile(dir_ + "/config/tessaly/Tesly.ini",
                  "[Options]\r\nPdfFolder=" + dir_.toUtf8() + "/pdf\r\n" + options);
  }

  // A flat 600 x 400 photo: the 3:2 shape of a turned 4 x 6 in cell, so the default
  // frame takes all of it.
  QString WritePhoto(const QString& name, QRgb colour) {
    QImage image(600, 400, QImage::Format_RGB32);
    image.fill(colour);
    const QString path = dir_ + "/" + name;
    EXPECT_TRUE(image.save(path));
    return path;
  }
};

// The pixel of a preview page at (x, y) mm from the sheet's top-left corner.
QRgb SheetPixel(const QImage& page, double x, double y) {
  return page.pixel(static_cast<int>(std::lround(x * page.width() / kSheetWidthMm)),
                    static_cast<int>(std::lround(y * page.height() / kSheetHeightMm)));
}

TEST_F(PrintCommandsTest, PrinterListAndNoPrinter) {
  const QString photo = WritePhoto("red.png", qRgb(255, 0, 0));
  const Result listed = Batch({"printers"});
  EXPECT_TRUE(ExitedWith(listed, 0));
  EXPECT_EQ(listed.out, "* Print to PDF\n");
  EXPECT_TRUE(ExitedWith(Batch({"layout", "--printer", "PDF"}), 2, "--printer: no printer 'PDF'"));
  // Without a system default, layout says which printer stands in; print refuses.
  EXPECT_TRUE(ExitedWith(Batch({"layout"}), 0,
                         "the system has no default printer; using \"Print to PDF\"\n"));
  EXPECT_TRUE(ExitedWith(
      Batch({"print", photo}), 4,
      "the system has no default printer; choose one with --printer NAME: \"Print to PDF\"\n"));

  WriteSettings("PdfPrinter=0\r\n");
  const Result none = Batch({"printers"});
  EXPECT_TRUE(ExitedWith(none, 4));
  EXPECT_EQ(none.out, "No Printer!\n");
  // The summary shows a line break, then "No Printer!".
  const Result layout = Batch({"layout"});
  EXPECT_TRUE(ExitedWith(layout, 4));
  EXPECT_EQ(layout.out, "\nNo Printer!\n");
  EXPECT_TRUE(ExitedWith(Batch({"print", photo}), 4, "No Printer!\n"));
  EXPECT_TRUE(QDir(dir_ + "/pdf").isEmpty());
}

// The cells are the core's; here they reach the output, in millimetres under the
// summary in the settings' unit.
TEST_F(PrintCommandsTest, LayoutOfFourBySixOnA4) {
  // Centred: (200 - 152.4) / 2 across, (287 - 203.2) / 2 down.
  const Result r = Batch({"layout", "--printer", kPdfPrinter, "--size", kFourBySix, "--mode",
                          "landscape", "--center"});
  EXPECT_TRUE(ExitedWith(r, 0));
  EXPECT_EQ(r.out.toStdString(),
            "Paper size........: 21.0 x 29.7 cm\nPrintable area...: 20.00 x 28.70 cm\n"
            "Photos/page....: 2\n1\t23.80\t41.90\t176.20\t143.50\t2\n"
            "2\t23.80\t143.50\t176.20\t245.10\t2\n");

  WriteSettings("Units=1\r\n");
  const Result inches = Batch({"layout", "--size", kFourBySix, "--mode", "portrait"});
  EXPECT_EQ(inches.out.toStdString(),
            "Paper size........: 8.27 x 11.69 in\nPrintable area...: 7.874 x 11.299 in\n"
            "Photos/page....: 1\n1\t0.00\t0.00\t101.60\t152.40\t1\n");
  const Result too_big = Batch({"layout", "--size", "300x400"});
  EXPECT_TRUE(too_big.out.endsWith("Photos/page....: 0\nPhotos don't fit on page!\n"))
      << too_big.out.constData();
}

TEST_F(PrintCommandsTest, PreviewPagesShowEachPhotoInItsCell) {
  const QRgb red = qRgb(255, 0, 0), green = qRgb(0, 255, 0), blue = qRgb(0, 0, 255);
  const QRgb white = qRgb(255, 255, 255);
  const Result r =
      Batch({"print", "--size", kFourBySix, "--preview", "preview", WritePhoto("1.png", red),
             WritePhoto("2.png", green), WritePhoto("3.png", blue)});
  EXPECT_TRUE(ExitedWith(r, 0));
  EXPECT_EQ(QString::fromUtf8(r.out),
            dir_ + "/preview/page-1.png\n" + dir_ + "/preview/page-2.png\n");
  EXPECT_EQ(QDir(dir_ + "/preview").entryList(QDir::Files).size(), 2);
  EXPECT_TRUE(QDir(dir_ + "/pdf").isEmpty());

  // Two turned cells a page, the printable area 5 mm into the sheet: the middle of
  // each cell carries its photo (where exactly is the print window's business).
  const QRgb expected[2][2] = {{red, green}, {blue, white}};
  for (int page = 0; page < 2; ++page) {
    const QImage image(dir_ + QStringLiteral("/preview/page-%1.png").arg(page + 1));
    ASSERT_EQ(image.size(), QSize(990, 1400));
    for (int cell = 0; cell < 2; ++cell) {
      EXPECT_TRUE(test::NearColour(SheetPixel(image, 5 + 76.2, 5 + 50.8 + cell * 101.6),
                                   expected[page][cell], 39))
          << "page " << page + 1 << " cell " << cell + 1;
    }
  }
}

TEST_F(PrintCommandsTest, ContactSheetTitleComesFromTheTitleOption) {
  const QString photo = WritePhoto("1.png", qRgb(0, 0, 255));
  test::PutFile(dir_ + "/sheet.json",
                R"({"version":1,"settings":{"contactSheet":true},"photos":[{"file":"1.png"}]})");
  // Dark pixels in the band above the cells (5 to 10 mm from the sheet's top).
  const auto band_ink = [this](const QString& folder) {
    const QImage page(dir_ + "/" + folder + "/page-1.png");
    int dark = 0;
    for (int y = 5 * page.height() / 297; y < 10 * page.height() / 297; ++y) {
      for (int x = 0; x < page.width(); ++x) dark += qGray(page.pixel(x, y)) < 128 ? 1 : 0;
    }
    return dark;
  };
  EXPECT_TRUE(ExitedWith(
      Batch({"print", "--job", "sheet.json", "--title", "HOLIDAY", "--preview", "titled"}), 0,
      "Enter a title for the contact sheet pages (optional): HOLIDAY"));
  EXPECT_GT(band_ink("titled"), 20);
  // Without --title the prompt counts as cancelled: no title.
  EXPECT_TRUE(ExitedWith(Batch({"print", "--job", "sheet.json", "--preview", "untitled"}), 0));
  EXPECT_EQ(band_ink("untitled"), 0);
}

TEST_F(PrintCommandsTest, PrintTakesThePrintOptionsStoredChoicesUnderItsOptions) {
  const QString photo = WritePhoto("red.png", qRgb(255, 0, 0));
  // The stored colour mode asks for a profile; --colour gives one.
  WriteSettings("Units=0\r\n[PrintOptions]\r\nICM=2\r\n");
  const QStringList print = {"print", "--printer", kPdfPrinter};
  EXPECT_TRUE(ExitedWith(Batch(print + QStringList{photo}), 2,
                         "Please select a printer profile. Give one with --colour FILE.icc.\n"));
  EXPECT_TRUE(
      ExitedWith(Batch(print + QStringList{"--colour", "srgb", photo}), 0, "Printed 1 of 1 pages"));
  EXPECT_EQ(QDir(dir_ + "/pdf").entryList({"*.pdf"}, QDir::Files).size(), 1);
}

TEST_F(PrintCommandsTest, PrintToPdfWritesOneFilePerPage) {
  QStringList arguments = {"print", "--printer", kPdfPrinter, "--size", kFourBySix + QString("+3")};
  for (int i = 0; i < 3; ++i) arguments << WritePhoto(QString("%1.png").arg(i), qRgb(200, 90, 30));
  const Result r = Batch(arguments);
  EXPECT_TRUE(ExitedWith(r, 0, "Printed 2 of 2 pages on Print to PDF\n"));
  const QStringList listed = QString::fromUtf8(r.out).split(u'\n', Qt::SkipEmptyParts);
  const QStringList files = QDir(dir_ + "/pdf").entryList({"*.pdf"}, QDir::Files, QDir::Name);
  ASSERT_EQ(files.size(), 2);
  ASSERT_EQ(listed.size(), 2);
  for (int i = 0; i < 2; ++i) EXPECT_EQ(listed[i], dir_ + "/pdf/" + files[i]);
  // The run went into the scratch edit history.
  EXPECT_FALSE(QDir(dir_ + "/data/tessaly/Tesly_DB").isEmpty());
}

// Writes that fail are failures, and nothing already on the disk is replaced: a
// built-in printer whose folder cannot exist prints nothing and exits 1; a preview
// page whose name a link to nowhere holds goes under the next free name; an edit
// history that cannot be written is said on standard error and exits 1.
TEST_F(PrintCommandsTest, WriteFailuresAreReportedAndNothingIsReplaced) {
  const QString photo = WritePhoto("photo.png", qRgb(200, 90, 30));
  const QStringList print = {"print", "--printer", kPdfPrinter, "--size", kFourBySix, photo};

  ASSERT_TRUE(QDir(dir_ + "/pdf").removeRecursively());
  test::PutFile(dir_ + "/pdf", "not a folder");
  const Result blocked = Batch(print);
  EXPECT_TRUE(ExitedWith(blocked, 1, "Printed 0 of 1 pages on Print to PDF\n"));
  EXPECT_EQ(blocked.out, QByteArray());
  ASSERT_TRUE(QFile::remove(dir_ + "/pdf"));

  const QString pages = dir_ + "/pages";
  ASSERT_TRUE(QDir().mkpath(pages));
  ASSERT_TRUE(QFile::link(dir_ + "/nowhere.png", pages + "/page-1.png"));
  const Result preview = Batch({"print", "--preview", pages, "--size", kFourBySix, photo});
  EXPECT_TRUE(ExitedWith(preview, 0));
  EXPECT_EQ(preview.out, (pages + "/page-1(01).png\n").toUtf8());
  EXPECT_FALSE(QImage(pages + "/page-1(01).png").isNull());
  EXPECT_EQ(QFileInfo(pages + "/page-1.png").symLinkTarget(), dir_ + "/nowhere.png");
  EXPECT_FALSE(QFileInfo::exists(dir_ + "/nowhere.png"));

  ASSERT_TRUE(QDir(dir_ + "/data/tessaly").removeRecursively());
  ASSERT_TRUE(QDir().mkpath(dir_ + "/data/tessaly"));
  test::PutFile(dir_ + "/data/tessaly/Tesly_DB", "not a folder");
  const Result no_history = Batch(print);
  EXPECT_TRUE(ExitedWith(no_history, 1, "Printed 1 of 1 pages on Print to PDF\n"));
  EXPECT_TRUE(ExitedWith(
      no_history, 1,
      ("The edit history could not be written in " + dir_ + "/data/tessaly/Tesly_DB\n").toUtf8()));
  EXPECT_EQ(QDir(dir_ + "/pdf").entryList({"*.pdf"}, QDir::Files).size(), 1);
}

}  // namespace
}  // namespace tessaly
