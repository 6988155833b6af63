// End-to-end runs of the built tessaly-batch in a scratch home (settings, edit
// history and caches under the test's folder): help texts, the info report byte for
// byte against the core's report, charts saved under template names, the demo job,
// refused input with the dialog's messages, unreadable photos and Ctrl-C.
#include <signal.h>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QProcess>

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
  struct Case {
    QStringList arguments;
    QByteArray message;
  };
  const Case cases[] = {
      {{"--to", "out", "--quality", "101", chart}, "JPEG quality must be between 0 and 100!\n"},
      {{"--to", "missing", chart},
       "Selected folder doesn't exist. Create it first, then give it with --to.\n"},
      {{"--to", "out", "--job", "bad.json"},
       "bad.json: photos[0].gamma: expected a number between 0.5 and 1.5\n"},
      {{"--to", "out", "--job", "sheet.json"}, "Can't save in contact sheet mode\n"},
      {{"--to", "out", "--type", "gif", chart}, "tessaly-batch save: --type: expected jpeg"},
      {{"--to", "out", "--size", "100x150+60", chart},
       "tessaly-batch save: --size: Photo margins must leave a picture of at least 1 mm"},
  };
  for (const Case& c : cases) {
    EXPECT_TRUE(ExitedWith(Batch(QStringList{"save"} + c.arguments), 2, c.message))
        << c.arguments.join(' ').toStdString();
  }
  EXPECT_TRUE(OutFiles().isEmpty());
}

TEST_F(BatchCommandTest, SaveTakesTheSaveDialogsStoredChoicesUnderItsOptions) {
  MakeCharts();
  const QString chart = dir_ + "/charts/gradients.jpg";
  ASSERT_TRUE(QDir(dir_).mkpath("out"));
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
  struct Case {
    const char* size;
    const char* shown;  // the report's print size line, or the start of the refusal
  };
  const Case cases[] = {
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
  for (const Case& c : cases) {
    SCOPED_TRACE(c.size);
    const Result r = Batch({"info", "--settings", "Tesly.ini", "--size", c.size, chart});
    const bool refused = QByteArray(c.shown).startsWith("tessaly-batch");
    EXPECT_EQ(r.exit_code, refused ? 2 : 0) << r.err.constData();
    EXPECT_TRUE((refused ? r.err : r.out).contains(c.shown))
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
  EXPECT_TRUE(ignored.err.contains(refusal("notes.jpg", "not a photo file")));
  EXPECT_TRUE(ignored.err.contains(refusal("pipe.jpg", "not a regular file")));
  EXPECT_TRUE(ignored.err.contains(
      ("'" + dir_ + "/charts/cut.jpg' is truncated; using what it holds\n").toUtf8()));
  EXPECT_TRUE(ignored.err.contains(
      refusal("header.png", "damaged: its picture data is cut short or corrupt")));
  EXPECT_TRUE(
      ignored.err.contains(("Error opening file '" + dir_ + "/charts/damaged.png'\n").toUtf8()));
  EXPECT_FALSE(ignored.err.contains("libpng")) << ignored.err.constData();
  EXPECT_TRUE(ignored.err.contains("Saved 3 of 8 photos"));
  EXPECT_EQ(OutFiles(), QStringList({"colour_bars.jpg", "cut.jpg", "skin_grey_chart.jpg"}));
  EXPECT_FALSE(ignored.err.contains("QStandardPaths")) << ignored.err.constData();
}

TEST_F(BatchCommandTest, CtrlCStopsTheRunCleanly) {
  const QStringList charts = MakeCharts();
  QStringList arguments = {"save", "--to", "out"};
  for (int i = 0; i < 3; ++i) arguments += charts;  // twelve photos
  QProcess process;
  Start(process, arguments);
  process.setReadChannel(QProcess::StandardError);
  QByteArray err;
  while (!err.contains("Saving file 1 of 12.") && process.waitForReadyRead(60000)) {
    err += process.readAllStandardError();
  }
  ASSERT_TRUE(err.contains("Saving file 1 of 12."));
  ::kill(static_cast<pid_t>(process.processId()), SIGINT);
  ASSERT_TRUE(process.waitForFinished(60000));
  err += process.readAllStandardError();
  EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(process.exitCode(), 1);
  EXPECT_TRUE(err.contains("(interrupted)")) << err.constData();
  EXPECT_LT(OutFiles().size(), 12);
}

}  // namespace
}  // namespace tessaly
