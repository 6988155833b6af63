// End-to-end runs of the built tessaly-batch in a scratch home (settings, edit
// history and caches under the test's folder): help texts, the info report byte for
// byte against the core's report, charts saved under template names, the demo job,
// refused input with the dialog's messages, unreadable photos and Ctrl-C. The printing
// commands run where the CUPS server is a socket nobody serves, so the built-in "Print
// to PDF" printer (A4, 5 mm margins: printable 200 x 287 mm) is the only printer: the
// list and "No Printer!", the settings summary and the cells of 4 x 6 in photos worked
// out by hand, preview pages with each photo where its cell is, one PDF file per page.
#include <signal.h>
#include <string.h>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QProcess>
#include <cmath>

#include "app/batch_home.h"
#include "colour/colour_profiles.h"
#include "colour/display_profile.h"
#include "job/add_photo.h"
#include "job/history_store.h"
#include "support/fixtures.h"
#include "support/scoped_state.h"
#include "support/test_surfaces.h"
#include "workspace/image_info_report.h"

namespace tessaly {
namespace {

using test::ExitedWith;
using test::Result;

class BatchCommandTest : public test::BatchHomeTest {
 protected:
  QStringList MakeCharts() {
    const Result r = Batch({"charts", "charts"});
    EXPECT_TRUE(ExitedWith(r, 0));
    return QString::fromUtf8(r.out).split(u'\n', Qt::SkipEmptyParts);
  }

  QStringList OutFiles() const { return QDir(dir_ + "/out").entryList(QDir::Files, QDir::Name); }

  void WriteFile(const QString& name, const QByteArray& text) {
    test::PutFile(dir_ + "/" + name, text);
  }
};

TEST_F(BatchCommandTest, EveryCommandHasItsHelp) {
  const std::pair<QStringList, const char*> cases[] = {
      {{"--help"}, "Usage: tessaly-batch COMMAND"},
      {{"save", "-h"}, "Usage: tessaly-batch save --to DIR"},
      {{"charts", "--help"}, "Usage: tessaly-batch charts DIR"},
  };
  for (const auto& [arguments, begins] : cases) {
    const Result r = Batch(arguments);
    EXPECT_TRUE(ExitedWith(r, 0));
    EXPECT_TRUE(r.out.startsWith(begins)) << r.out.constData();
  }
  EXPECT_TRUE(ExitedWith(Batch({"frobnicate"}), 2, "tessaly-batch: unknown command 'frobnicate'"));
}

TEST_F(BatchCommandTest, InfoPrintsTheWindowsReportOfEachPhoto) {
  TESSALY_SKIP_WITHOUT_FIXTURES();
  WriteFile("Tesly.ini", "[Options]\r\nUnits=1\r\nUserSize=2\r\n");
  const QString first = QFileInfo(test::FixturePath("Canon_40D.jpg")).absoluteFilePath();
  const QString second = QFileInfo(test::FixturePath("Nikon_D70.jpg")).absoluteFilePath();

  // The same job in this process, with an empty history as the command has.
  const QString saved_root = HistoryRoot();
  SetHistoryRoot(dir_ + "/data/tessaly/Tesly_DB");
  MyPictureManager job(LoadJobSettings(dir_ + "/Tesly.ini"));
  ASSERT_EQ(AddPhotoFile(job, first), 0);
  ASSERT_EQ(AddPhotoFile(job, second), 1);
  const QString profile = ProfileDescription(DisplayProfile());
  const QString expected = ImageInfoReport(job.At(0), 1, profile) + "\r\n\r\n" +
                           ImageInfoReport(job.At(1), 1, profile) + "\r\n";
  SetHistoryRoot(saved_root);
  ASSERT_TRUE(expected.contains(" in\r\r\n"));  // inches, from the named settings file

  const Result r = Batch({"info", "--settings", "Tesly.ini", first, second});
  EXPECT_TRUE(ExitedWith(r, 0));
  EXPECT_EQ(r.out.toStdString(), expected.toStdString());

  // An unreadable file is reported; the others are still printed.
  const Result bad = Batch({"info", "--settings", "Tesly.ini", first, "nothing.jpg", second});
  EXPECT_TRUE(ExitedWith(bad, 1, ("Error opening file '" + dir_ + "/nothing.jpg'\n").toUtf8()));
  EXPECT_EQ(bad.out.toStdString(), expected.toStdString());
}

TEST_F(BatchCommandTest, SavesChartsUnderTemplateNamesAndNeverOverwrites) {
  const QStringList charts = MakeCharts();
  ASSERT_EQ(charts.size(), 4);
  QStringList arguments = {"save",   "--to", "out", "--template", "Chart [AutoNumber]",
                           "--type", "png"};
  arguments += charts;
  const Result r = Batch(arguments);
  EXPECT_TRUE(ExitedWith(r, 0, "Saving file 4 of 4."));
  const QStringList names = {"Chart 001.png", "Chart 002.png", "Chart 003.png", "Chart 004.png"};
  EXPECT_EQ(OutFiles(), names);
  QStringList listed;
  for (const QString& name : names) listed << dir_ + "/out/" + name;
  EXPECT_EQ(QString::fromUtf8(r.out), listed.join(u'\n') + u'\n');
  for (const QString& path : listed)
    EXPECT_FALSE(QImageReader(path).read().isNull()) << path.toStdString();

  // The run went into the scratch edit history.
  const QStringList years =
      QDir(dir_ + "/data/tessaly/Tesly_DB").entryList(QDir::Dirs | QDir::NoDotAndDotDot);
  EXPECT_EQ(years.size(), 1);
}

TEST_F(BatchCommandTest, RefusedInputGivesTheDialogsMessagesAndExitCode2) {
  MakeCharts();
  const QString chart = dir_ + "/charts/gradients.jpg";
  WriteFile("bad.json", R"({"version":1,"photos":[{"file":"charts/gradients.jpg","gamma":2}]})");
  WriteFile("sheet.json",
            R"({"version":1,"settings":{"contactSheet":true},"photos":[{"file":"a.jpg"}]})");
  const std::pair<QStringList, QByteArray> cases[] = {
      {{"--to", "out", "--quality", "101", chart}, "JPEG quality must be between 0 and 100!\n"},
      {{"--to", "missing", chart},
       "Selected folder doesn't exist. Create it first, then give it with --to.\n"},
      {{"--to", "out", "--job", "bad.json"},
       "bad.json: photos[0].gamma: expected a number between 0.5 and 1.5\n"},
      {{"--to", "out", "--job", "sheet.json"}, "Can't save in contact sheet mode\n"},
      {{"--to", "out", "--type", "gif", chart}, "tessaly-batch save: --type: expected jpeg"},
  };
  for (const auto& [arguments, message] : cases) {
    EXPECT_TRUE(ExitedWith(Batch(QStringList{"save"} + arguments), 2, message))
        << arguments.join(' ').toStdString();
  }
  EXPECT_TRUE(OutFiles().isEmpty());
}

TEST_F(BatchCommandTest, SaveTakesTheSaveDialogsStoredChoicesUnderItsOptions) {
  MakeCharts();
  const QString chart = dir_ + "/charts/gradients.jpg";
  WriteFile("Tesly.ini", "[SaveOptions]\r\nSaveInFolder=" + dir_.toUtf8() +
                             "/out\r\nSaveAsType=2\r\nRenameAs=Stored [AutoNumber]\r\n"
                             "Interpolate2=1\r\nInterpolVal2=5000\r\n");
  // The stored maximum is refused as the dialog would refuse it; --max off lifts it.
  EXPECT_TRUE(ExitedWith(Batch({"save", "--settings", "Tesly.ini", chart}), 2,
                         "The maximum resolution is invalid!\n"));
  EXPECT_TRUE(ExitedWith(Batch({"save", "--settings", "Tesly.ini", "--max", "off", chart}), 0));
  EXPECT_TRUE(ExitedWith(Batch({"save", "--settings", "Tesly.ini", "--max", "off", "--type", "bmp",
                                "--template", "Typed", chart}),
                         0));
  EXPECT_EQ(OutFiles(), QStringList({"Stored 001.png", "Typed.bmp"}));
}

TEST_F(BatchCommandTest, SizeOptionTakesAUnitAndRefusesSpecks) {
  const QString chart = MakeCharts().value(0);
  WriteFile("Tesly.ini", "[Options]\r\nUnits=1\r\n");
  // The size, and the report's print size line or the start of the refusal.
  const std::pair<const char*, const char*> cases[] = {
      {"5x7in", " Print Size:\t5.0 x 7.0 in\r"},
      {"5X7IN+0.08in", " Print Size:\t5.0 x 7.0 in\r"},
      {"12.7x17.78cm+0.2", " Print Size:\t5.0 x 7.0 in\r"},
      {" 127 x 177.8 ", " Print Size:\t5.0 x 7.0 in\r"},
      {"10x15mm", " Print Size:\t0.39 x 0.59 in\r"},
      {"10x15",
       "tessaly-batch info: --size: '10x15' is read in millimetres; give the unit, for example "
       "10x15cm or 10x15in (or 10x15mm for millimetres)\n"},
      {"4x6ft", "tessaly-batch info: --size: expected HEIGHTxWIDTH[+MARGIN] with one unit"},
      {"10x15cm+2mm", "tessaly-batch info: --size: expected HEIGHTxWIDTH[+MARGIN] with one unit"},
      {"0.09x6cm", "tessaly-batch info: --size: Photo size must be at least 1 mm on each side.\n"},
      {"20000x100",
       "tessaly-batch info: --size: Photo size can't be above 9999.99 mm on a side.\n"},
  };
  for (const auto& [size, shown] : cases) {
    SCOPED_TRACE(size);
    const Result r = Batch({"info", "--settings", "Tesly.ini", "--size", size, chart});
    const bool refused = QByteArray(shown).startsWith("tessaly-batch");
    EXPECT_EQ(r.exit_code, refused ? 2 : 0) << r.err.constData();
    EXPECT_TRUE((refused ? r.err : r.out).contains(shown))
        << r.out.constData() << r.err.constData();
  }
}

TEST_F(BatchCommandTest, UnreadablePhotosAreSkippedOrAbortTheRun) {
  MakeCharts();
  WriteFile("charts/notes.jpg", "a shopping list, not a photo");
  ASSERT_EQ(::mkfifo(QFile::encodeName(dir_ + "/charts/pipe.jpg").constData(), 0600), 0);
  QFile bars(dir_ + "/charts/colour_bars.jpg");
  ASSERT_TRUE(bars.open(QIODevice::ReadOnly));
  const QByteArray whole = bars.readAll();
  WriteFile("charts/cut.jpg", whole.left(whole.size() * 2 / 3));
  // PNGs whose header or image data fail their checksums: libpng's own error lines
  // must not show.
  QByteArray png;
  QBuffer png_buffer(&png);
  ASSERT_TRUE(png_buffer.open(QIODevice::WriteOnly));
  ASSERT_TRUE(QImage(dir_ + "/charts/colour_bars.jpg").save(&png_buffer, "PNG"));
  const auto flipped = [&png](qsizetype at) {
    QByteArray copy = png;
    copy[at] = static_cast<char>(copy[at] ^ 0x01);
    return copy;
  };
  WriteFile("charts/header.png", flipped(29));                // IHDR's CRC
  WriteFile("charts/damaged.png", flipped(png.size() - 13));  // the last IDAT's CRC
  WriteFile("job.json", R"({"version":1,"photos":[
      {"file":"charts/colour_bars.jpg"}, {"file":"charts/missing.jpg"},
      {"file":"charts/notes.jpg"}, {"file":"charts/pipe.jpg"}, {"file":"charts/cut.jpg"},
      {"file":"charts/header.png"}, {"file":"charts/damaged.png"},
      {"file":"charts/skin_grey_chart.jpg", "label":"Greys"}]})");
  // Each refusal names the file, then gives its reason on a line of its own.
  const auto refusal = [&](const char* name, const char* reason) {
    return ("Error opening file '" + dir_ + "/charts/" + name + "'\n" + reason + "\n").toUtf8();
  };
  const QByteArray missing = refusal("missing.jpg", "cannot be read");

  EXPECT_TRUE(ExitedWith(Batch({"save", "--to", "out", "--job", "job.json"}), 1, missing));
  EXPECT_TRUE(OutFiles().isEmpty());

  // Without a runtime folder Qt warns on every run; that warning stays off too.
  env_.remove("XDG_RUNTIME_DIR");
  const Result ignored =
      Batch({"save", "--to", "out", "--on-error", "ignore", "--job", "job.json"});
  EXPECT_TRUE(ExitedWith(ignored, 1, missing));
  for (const QByteArray& part :
       {refusal("notes.jpg", "not a photo file"), refusal("pipe.jpg", "not a regular file"),
        ("'" + dir_ + "/charts/cut.jpg' is truncated; using what it holds\n").toUtf8(),
        refusal("header.png", "damaged: its picture data is cut short or corrupt"),
        ("Error opening file '" + dir_ + "/charts/damaged.png'\n").toUtf8(),
        QByteArray("Saved 3 of 8 photos")})
    EXPECT_TRUE(ignored.err.contains(part)) << part.constData();
  EXPECT_FALSE(ignored.err.contains("libpng")) << ignored.err.constData();
  EXPECT_EQ(OutFiles(), QStringList({"colour_bars.jpg", "cut.jpg", "skin_grey_chart.jpg"}));
  EXPECT_FALSE(ignored.err.contains("QStandardPaths")) << ignored.err.constData();
}

// A name that is not UTF-8 (here Latin-1) is opened from the command line and from a
// job file, and the saved file takes the same bytes. A shell passes the raw bytes, as
// QProcess cannot.
TEST_F(BatchCommandTest, NamesThatAreNotUtf8AreOpenedAndSavedUnderTheirOwnBytes) {
  MakeCharts();
  const QByteArray charts = QFile::encodeName(dir_) + "/charts/";
  ASSERT_EQ(::rename(charts + "gradients.jpg", charts + "caf\xe9.jpg"), 0);
  ASSERT_TRUE(QDir(dir_).mkpath("out") && QDir(dir_).mkpath("out2"));
  QProcess shell;
  shell.setProcessEnvironment(env_);
  shell.setWorkingDirectory(dir_);
  shell.start("/bin/sh", {"-c", "exec \"$0\" save --to out \"charts/$(printf 'caf\\351.jpg')\"",
                          TESSALY_BATCH_EXE});
  ASSERT_TRUE(shell.waitForFinished(60000));
  EXPECT_EQ(shell.exitCode(), 0) << shell.readAllStandardError().constData();
  struct stat saved {};
  EXPECT_EQ(::stat(QFile::encodeName(dir_) + "/out/caf\xe9.jpg", &saved), 0);

  WriteFile("job.json", R"({"version":1,"photos":[{"file":"charts/caf\udce9.jpg"}]})");
  EXPECT_TRUE(ExitedWith(Batch({"save", "--to", "out2", "--job", "job.json"}), 0));
  EXPECT_EQ(::stat(QFile::encodeName(dir_) + "/out2/caf\xe9.jpg", &saved), 0);
}

// Ctrl-C, a service manager's SIGTERM and a closed terminal's SIGHUP all stop the run
// the same way: the photo in hand is finished, the rest is left, the exit code is 1.
TEST_F(BatchCommandTest, CtrlCTermAndHangUpStopTheRunCleanly) {
  const QStringList charts = MakeCharts();
  QStringList arguments = {"save", "--to", "out"};
  for (int i = 0; i < 3; ++i) arguments += charts;  // twelve photos
  for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
    SCOPED_TRACE(strsignal(signal));
    ASSERT_TRUE(QDir(dir_ + "/out").removeRecursively());
    ASSERT_TRUE(QDir(dir_).mkpath("out"));
    QProcess process;
    Start(process, arguments);
    process.setReadChannel(QProcess::StandardError);
    QByteArray err;
    while (!err.contains("Saving file 1 of 12.") && process.waitForReadyRead(60000)) {
      err += process.readAllStandardError();
    }
    ASSERT_TRUE(err.contains("Saving file 1 of 12."));
    ::kill(static_cast<pid_t>(process.processId()), signal);
    ASSERT_TRUE(process.waitForFinished(60000));
    err += process.readAllStandardError();
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 1);
    EXPECT_TRUE(err.contains("(interrupted)")) << err.constData();
    EXPECT_LT(OutFiles().size(), 12);
  }
}

// A settings file that is not a regular file is named for what it is, at once.
TEST_F(BatchCommandTest, SettingsOptionSaysWhatTheFileIs) {
  ASSERT_EQ(::mkfifo(QFile::encodeName(dir_ + "/fifo.ini").constData(), 0600), 0);
  ASSERT_TRUE(QDir(dir_).mkpath("folder.ini"));
  const std::pair<QString, QByteArray> cases[] = {
      {"fifo.ini", "settings file 'fifo.ini' is not a regular file\n"},
      {"folder.ini", "settings file 'folder.ini' is a folder\n"},
      {"missing.ini", "settings file 'missing.ini' not found\n"},
  };
  for (const auto& [file, message] : cases) {
    const Result r = Batch({"printers", "--settings", file});
    EXPECT_TRUE(ExitedWith(r, 2, "tessaly-batch printers: " + message)) << file.toStdString();
  }
}

// 4 x 6 in, height first.
constexpr char kFourBySix[] = "101.6x152.4";
constexpr char kPdfPrinter[] = "Print to PDF";

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

// The pixel of a preview page at (x, y) mm from the top-left corner of the A4 sheet.
QRgb SheetPixel(const QImage& page, double x, double y) {
  return page.pixel(static_cast<int>(std::lround(x * page.width() / 210.0)),
                    static_cast<int>(std::lround(y * page.height() / 297.0)));
}

// A refused print makes no preview folder.
TEST_F(PrintCommandsTest, ARefusedPreviewMakesNoFolder) {
  const QString photo = WritePhoto("photo.png", qRgb(10, 20, 30));
  test::PutFile(dir_ + "/bad.json", R"({"version":1,"photos":[{"file":"photo.png","red":99}]})");
  const std::pair<QStringList, QByteArray> cases[] = {
      {{"--size", "100x150+60", photo}, "--size: Photo margins must leave a picture"},
      {{"--job", "bad.json"}, "bad.json: photos[0].red: expected a whole number"},
      {{"--min", "0", photo}, ""},
  };
  for (const auto& [arguments, message] : cases) {
    SCOPED_TRACE(arguments.join(' ').toStdString());
    const Result r = Batch(QStringList{"print", "--preview", "fresh"} + arguments);
    EXPECT_TRUE(ExitedWith(r, 2, message));
    EXPECT_FALSE(QFileInfo::exists(dir_ + "/fresh"));
  }
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

TEST_F(PrintCommandsTest, PreviewPagesShowEachPhotoInItsCellAndTheContactSheetsTitle) {
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

  // A contact sheet's title comes from the title option.
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

// One PDF file per page; the print options' stored choices are taken under the
// command's own options.
TEST_F(PrintCommandsTest, PrintToPdfWritesOneFilePerPageAndTakesTheStoredPrintOptions) {
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

  // The stored colour mode asks for a profile; --colour gives one.
  WriteSettings("Units=0\r\n[PrintOptions]\r\nICM=2\r\n");
  const QStringList print = {"print", "--printer", kPdfPrinter};
  EXPECT_TRUE(ExitedWith(Batch(print + QStringList{arguments.last()}), 2,
                         "Please select a printer profile. Give one with --colour FILE.icc.\n"));
  EXPECT_TRUE(ExitedWith(Batch(print + QStringList{"--colour", "srgb", arguments.last()}), 0,
                         "Printed 1 of 1 pages"));
  EXPECT_EQ(QDir(dir_ + "/pdf").entryList({"*.pdf"}, QDir::Files).size(), 3);
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
