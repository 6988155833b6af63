// A whole job driven from the real main window on the offscreen platform, with the
// scripted Ui and common dialogs, in a scratch home: three camera photos added, one
// turned, cropped by a drag and brightened, another given two copies; the preview
// stepped through; the job printed on the built-in PDF printer and on the CUPS queue
// "PDF" (read back page by page); saved as JPEG under a name template; the history
// lines found; and the edits given back to the re-added photo after a restart.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QPrinterInfo>
#include <QPushButton>
#include <QSet>
#include <QSlider>
#include <QTest>
#include <list>
#include <memory>

#include "controls/scripted_common_dialogs.h"
#include "controls/scripted_ui.h"
#include "controls/units.h"
#include "controls/utils.h"
#include "job/history_store.h"
#include "print/cups/cups_printer_catalogue.h"
#include "print/pdf_printer.h"
#include "settings/settings_file.h"
#include "support/find_control.h"
#include "support/fixtures.h"
#include "support/pdf_readback.h"
#include "support/scratch_home.h"
#include "ui/button_on_off.h"
#include "ui/main_window.h"
#include "ui/open_photos_dialog.h"
#include "workspace/job_session.h"

namespace tessaly {
namespace {

// cups-pdf may take a while for its first job (Ghostscript starting up).
constexpr int kJobWaitMs = 120000;
// One cell a page on A4 or Letter, so the four copies make four pages.
const PhotoSize kSize{150.0, 180.0, 0.0};
constexpr int kCopies = 4;
const char* const kHomeVariables[] = {"HOME", "XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME"};

template <typename T>
T* Child(const QWidget* parent, const char* name) {
  T* found = test::FindControl<T>(*parent, name);
  EXPECT_NE(found, nullptr) << name;
  return found;
}

void Click(const QWidget* parent, const char* name) {
  QTest::mouseClick(Child<ButtonOnOff>(parent, name), Qt::LeftButton, {}, QPoint(5, 5));
}

class WholeJobTest : public test::ScratchHomeTest {
 protected:
  void SetUp() override {
    TESSALY_SKIP_WITHOUT_FIXTURES();
    for (const char* name : kHomeVariables) home_.emplace_back(name, dir_.filePath(name).toUtf8());
    ASSERT_TRUE(WriteIniValue("Options", "PdfFolder", dir_.filePath("pdf")));
    const char* sources[] = {"Canon_PowerShot_S40.jpg", "exif-org_canon-ixus.jpg", "Nikon_D70.jpg"};
    for (const QString name : {"a.jpg", "b.jpg", "c.jpg"}) {
      photos_ << dir_.filePath(name);
      ASSERT_TRUE(QFile::copy(test::FixturePath(sources[photos_.size() - 1]), photos_.back()));
    }
    ASSERT_NO_FATAL_FAILURE(NewWindow());
  }

  // A main window on the scratch home over a session with the system's printers,
  // shown, with the job's photo size.
  void NewWindow() {
    window_.reset();
    session_ = std::make_unique<JobSession>(&catalogue_);
    window_ = std::make_unique<MainWindow>(*session_);
    window_->Job().Settings().Size = kSize;
    window_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
  }
  MyPicture& Record() { return window_->Job().At(window_->CurrentPosition()); }

  // Adds the photos through the open-photos dialog, then edits the first one (a
  // quarter turn, the crop's right edge dragged in, brightness) and gives the second
  // two copies.
  void BuildEditedJob() {
    Click(window_.get(), "cmdAdd");
    OpenPhotosDialog* dialog = window_->PhotosDialog();
    ASSERT_NE(dialog, nullptr);
    dialog->AddChosenFiles(photos_);
    dialog->reject();
    QCoreApplication::processEvents();
    ASSERT_EQ(window_->Job().Count(), 3);

    window_->SelectPhoto(0);
    Click(window_.get(), "cmdRotateRight");
    EXPECT_EQ(Record().Angle(), 90);
    auto* picture = Child<QWidget>(window_.get(), "Picture1");
    const CropRect before = Record().Crop().Rect();
    const QPoint edge(qRound((before.Left + before.Width) / kTwipsPerPixel) - 1,
                      qRound((before.Top + before.Height / 2) / kTwipsPerPixel));
    QTest::mouseMove(picture, picture->rect().center());  // a fresh hover onto the edge
    QTest::mouseMove(picture, edge);
    QTest::mousePress(picture, Qt::LeftButton, {}, edge);
    QTest::mouseMove(picture, edge - QPoint(40, 0));
    QTest::mouseRelease(picture, Qt::LeftButton, {}, edge - QPoint(40, 0));
    EXPECT_LT(Record().Crop().Rect().Width, before.Width - 400);
    Child<QSlider>(window_.get(), "hsBright")->setValue(25);
    EXPECT_EQ(Record().Bright(), 25);

    window_->SelectPhoto(1);
    auto* copies = Child<QLineEdit>(window_.get(), "txtCopies");
    copies->setText("2");
    QTest::keyClick(copies, Qt::Key_Return);
    EXPECT_EQ(Record().Copies(), 2);
  }

  // Prints the job through the print options on the printer listed as `printer`,
  // without a pause between pages.
  void PrintOn(const QString& printer) {
    test::AnswerDialog(ui_, "frmPrintDialog", [&printer](QDialog& dialog) {
      auto* printers = Child<QComboBox>(&dialog, "cboPrinters");
      printers->setCurrentIndex(printers->findText(printer));
      ASSERT_EQ(printers->currentText(), printer);
      Child<QLineEdit>(&dialog, "txtSpoolWait")->setText("0");
      Child<QPushButton>(&dialog, "cmdPrint")->click();
    });
    const std::size_t runs = ui_.DialogsRun().size();
    Click(window_.get(), "cmdPrint");
    EXPECT_EQ(ui_.DialogsRun().size(), runs + 1);
  }

  // Each file is one page holding one photo, and there is one file per copy.
  static void CheckPrinted(const QStringList& files) {
    ASSERT_EQ(files.size(), kCopies);
    for (const QString& file : files) {
      QSizeF points;
      int pages = 0;
      ASSERT_TRUE(test::PdfSheet(file, points, pages)) << "pdfinfo is missing";
      EXPECT_EQ(pages, 1) << file.toStdString();
      EXPECT_EQ(test::PdfImageEncodings(file, 1).size(), 1) << file.toStdString();
    }
  }

  std::list<test::ScopedEnv> home_;
  ScriptedCommonDialogs dialogs_;
  ScopedCommonDialogs scoped_dialogs_{dialogs_};
  QStringList photos_;
  CupsPrinterCatalogue catalogue_;
  std::unique_ptr<JobSession> session_;
  std::unique_ptr<MainWindow> window_;
};

TEST_F(WholeJobTest, EditPreviewPrintSaveAndRestartWithTheEditsFromHistory) {
  ASSERT_NO_FATAL_FAILURE(BuildEditedJob());

  Click(window_.get(), "cmdPrintPreview");
  QWidget* preview = test::ShownWindow("frmPreview");
  ASSERT_NE(preview, nullptr);
  const char* const buttons[] = {"cmdFirst", "cmdPrevious", "cmdNext", "cmdLast"};
  const struct {
    const char* button;  // nullptr: the page shown on opening
    const char* text;
    const char* enabled;  // of First, Previous, Next and Last
  } steps[] = {{nullptr, "Page 1/4", "0011"},
               {"cmdNext", "Page 2/4", "1111"},
               {"cmdLast", "Page 4/4", "1100"},
               {"cmdPrevious", "Page 3/4", "1111"},
               {"cmdFirst", "Page 1/4", "0011"}};
  for (const auto& s : steps) {
    if (s.button) Click(preview, s.button);
    EXPECT_EQ(Child<QLabel>(preview, "lblPages")->text(), s.text);
    for (int b = 0; b < 4; ++b)
      EXPECT_EQ(Child<QWidget>(preview, buttons[b])->isEnabled(), s.enabled[b] == '1')
          << s.text << " " << buttons[b];
  }
  Click(preview, "cmdClose");
  QCoreApplication::processEvents();
  EXPECT_TRUE(window_->isEnabled());

  PrintOn(QLatin1String(kPdfPrinterName));
  QStringList printed;
  for (const QString& name : test::PdfFiles(dir_.filePath("pdf")))
    printed << QDir(dir_.filePath("pdf")).filePath(name);
  CheckPrinted(printed);
  // The run ends by naming the folder and the files it wrote.
  ASSERT_EQ(ui_.MessageTexts().size(), 1u);
  QStringList told = ui_.MessageTexts()[0].split(u'\r');
  EXPECT_EQ(told.takeFirst(),
            "The pages were written to " + dir_.filePath("pdf") + ", one PDF file per page:");
  EXPECT_EQ(QSet<QString>(told.begin(), told.end()), test::PdfFiles(dir_.filePath("pdf")));

  // Saved as JPEG (type 0) under a template, each file the size of its crop.
  const QString out = dir_.filePath("out");
  ASSERT_TRUE(QDir().mkpath(out));
  Click(window_.get(), "cmdSave");
  QWidget* save = test::ShownWindow("frmSavePhotos");
  ASSERT_NE(save, nullptr);
  dialogs_.AnswerFolder(out);
  Child<QPushButton>(save, "cmdBrowse")->click();
  Child<QComboBox>(save, "cboRenameAs")->setEditText("Job [AutoNumber] [Filename]");
  Child<QComboBox>(save, "cboSaveAsType")->setCurrentIndex(0);
  Child<QPushButton>(save, "cmdSave")->click();
  const QStringList names{"Job 001 a.jpg", "Job 002 b.jpg", "Job 003 c.jpg"};
  EXPECT_EQ(QDir(out).entryList(QDir::Files, QDir::Name), names);
  // The run ends with its summary.
  ASSERT_EQ(ui_.Messages().size(), 2u);
  EXPECT_EQ(ui_.MessageTexts()[1].toStdString(),
            ("Saved 3 of 3 photos in " + out + ".").toStdString());
  EXPECT_EQ(ui_.Messages()[1].icon, MsgIcon::Information);
  for (int i = 0; i < names.size(); ++i) {
    const MyPicture& photo = window_->Job().At(i);
    const bool turned = photo.Angle() == 90 || photo.Angle() == -90;
    const int w = turned ? photo.PhotoPixelsHeight() : photo.PhotoPixelsWidth();
    const int h = turned ? photo.PhotoPixelsWidth() : photo.PhotoPixelsHeight();
    const CropFrame& crop = photo.Crop();
    const QSize size = QImageReader(QDir(out).filePath(names[i])).size();
    EXPECT_NEAR(size.width(), (crop.CropX1() - crop.CropX0()) / crop.ScaleWidth() * w, 1.0) << i;
    EXPECT_NEAR(size.height(), (crop.CropY1() - crop.CropY0()) / crop.ScaleHeight() * h, 1.0) << i;
  }

  // The history holds a line for every printed photo.
  for (int i = 0; i < 3; ++i) {
    const MyPicture& photo = window_->Job().At(i);
    HistoryEdits stored;
    double printed_on = 0;
    EXPECT_TRUE(GetEdits(photo.FileDate(), FileNameOfPath(photo.Filename()), stored, printed_on))
        << i;
  }

  // Closed as the user closes it, then started again on the same home: the printed
  // photo comes back with its turn, crop and brightness.
  const MyPicture& edited = window_->Job().At(0);
  const int corners[] = {edited.CropX0(), edited.CropY0(), edited.CropX1(), edited.CropY1()};
  window_->close();
  window_.reset();
  ASSERT_NO_FATAL_FAILURE(NewWindow());
  window_->AddFiles({photos_[0]});
  ASSERT_EQ(window_->Job().Count(), 1);
  EXPECT_EQ(Record().Angle(), 90);
  EXPECT_EQ(Record().Bright(), 25);
  EXPECT_EQ(Child<QSlider>(window_.get(), "hsBright")->value(), 25);
  const int restored[] = {Record().CropX0(), Record().CropY0(), Record().CropX1(),
                          Record().CropY1()};
  for (int i = 0; i < 4; ++i) EXPECT_NEAR(restored[i], corners[i], 2) << i;
  EXPECT_EQ(ui_.Messages().size(), 2u);  // only the two runs' own
}

TEST_F(WholeJobTest, EditedJobPrintsOnTheCupsQueue) {
  if (QPrinterInfo::printerInfo(QLatin1String(test::kCupsPdfQueue)).isNull()) {
    GTEST_SKIP() << "the CUPS queue \"PDF\" is not installed (scripts/start_cups.sh)";
  }
  ASSERT_NO_FATAL_FAILURE(BuildEditedJob());
  // This run's jobs are the files that appear after the newest job already there.
  const int last_job = test::NewestCupsPdfJob();
  PrintOn(QLatin1String(test::kCupsPdfQueue));
  // The run ends with its summary, naming the queue.
  ASSERT_EQ(ui_.Messages().size(), 1u);
  EXPECT_EQ(ui_.MessageTexts()[0].toStdString(), "Printed 4 of 4 pages on PDF.");
  const QStringList files = test::CupsPdfFilesAfter(last_job, kCopies, kJobWaitMs);
  CheckPrinted(files);
  for (const QString& file : files) QFile::remove(file);
}

}  // namespace
}  // namespace tessaly
