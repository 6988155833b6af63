// The print options window's wiring: a value the core's checks refuse is reported
// and gets the focus, and nothing is stored; a two-page job printed from the window
// on the built-in PDF printer and on the CUPS queue "PDF", read back page by page,
// with the profile remembered for the chosen printer shown.
#include "ui/print_options_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPrinterInfo>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <set>

#include "controls/scripted_ui.h"
#include "print/cups/cups_printer_catalogue.h"
#include "print/cups/cups_printer_device.h"
#include "print/pdf_printer.h"
#include "print/print_window.h"
#include "print/printer_access.h"
#include "print/printer_profiles.h"
#include "settings/settings_file.h"
#include "support/find_control.h"
#include "support/image_printer_job.h"
#include "support/pdf_readback.h"
#include "support/scoped_state.h"

namespace tessaly {
namespace {

using test::FindControl;

// cups-pdf may take a while for its first job (Ghostscript starting up).
constexpr int kJobWaitMs = 120000;
// Photos placed on each page: 3 + 4 copies in 2 × 2 cells.
const std::vector<int> kPhotosPerPage = {4, 3};

TEST(PrintOptionsDialog, RefusedValueGetsTheFocusAndNothingIsStored) {
  QTemporaryDir dir;
  const QString ini = dir.filePath("Tesly.ini");
  test::PutFile(ini, "[Options]\r\nPdfFolder=" + dir.filePath("pdf").toUtf8() + "\r\n");
  ScriptedUi ui;
  ScopedUi scoped(ui);
  JobSettings settings;
  PrinterAccess printers(nullptr, ini);
  PageLayout layout;
  PrintOptionsDialog dialog(settings, printers, layout, ini);
  dialog.show();

  FindControl<QCheckBox>(dialog, "chkInterpolate", 1)->click();
  EXPECT_FALSE(FindControl<QCheckBox>(dialog, "chkInterpolate", 0)->isChecked());
  auto* minimum = FindControl<QLineEdit>(dialog, "txtInterpolVal", 1);
  QTest::keyClicks(minimum, "10a01");
  EXPECT_EQ(minimum->text(), "1001");
  FindControl<QPushButton>(dialog, "cmdPrint")->click();

  EXPECT_EQ(ui.MessageTexts(), std::vector<QString>{"The minimum resolution is invalid!"});
  EXPECT_EQ(dialog.focusWidget(), minimum);
  EXPECT_NE(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(ReadIniValue("PrintOptions", "InterpolVal1", ini), "");
}

// A job of two photos, 3 and 4 copies of 130 × 90 mm: 2 × 2 upright cells on an A4 or
// Letter sheet, so two pages.
class PrintOptionsPrintTest : public test::ImagePrinterJobTest {
 protected:
  PrintOptionsPrintTest() {
    SetSettingsFilePath(SettingsFile());
    EXPECT_TRUE(WriteIniValue("Options", "PdfFolder", dir_.filePath("pdf"), SettingsFile()));
    job_.Settings().Size = PhotoSize{130, 90, 4};
    Add(Photo("red.png", 900, 600, qRgb(210, 40, 40), qRgb(235, 215, 40)), 3);
    Add(Photo("blue.png", 600, 900, qRgb(40, 80, 205), qRgb(40, 175, 70)), 4);
  }
  ~PrintOptionsPrintTest() override { SetSettingsFilePath(saved_settings_); }

  // Opens the print options over `printers` as the main window does, chooses the
  // printer listed as `name` and presses Print; `chosen` sees the window then.
  void PrintFromTheDialog(PrinterAccess& printers, const QString& name,
                          const std::function<void(QDialog&)>& chosen = nullptr) {
    PrintWindow run(job_, printers, layout_);
    bool shown = false;
    QTimer::singleShot(0, [&] {
      auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      ASSERT_NE(dialog, nullptr);
      shown = dialog->objectName() == "frmPrintDialog";
      auto* list = FindControl<QComboBox>(*dialog, "cboPrinters");
      const int index = list->findText(name);
      if (index < 0) ADD_FAILURE() << "not listed: " << name.toStdString();
      list->setCurrentIndex(index);
      if (chosen) chosen(*dialog);
      FindControl<QPushButton>(*dialog, "cmdPrint")->click();
    });
    EXPECT_TRUE(RunPrintOptions(nullptr, job_, printers, layout_, run));
    EXPECT_TRUE(shown);
    EXPECT_EQ(printers.CurrentPrinterName().section(" on ", 0, 0), name);
    EXPECT_EQ(run.PagesEnded(), 2);
    EXPECT_FALSE(run.EndFailed());
  }

  // Each file is one page of the job's sheet size with its photos.
  void CheckPages(const QStringList& files) {
    ASSERT_EQ(files.size(), 2) << files.join(" | ").toStdString();
    for (int page = 0; page < 2; ++page) {
      SCOPED_TRACE(files[page].toStdString());
      QSizeF points;
      int pages = 0;
      if (!test::PdfSheet(files[page], points, pages)) GTEST_SKIP() << "pdfinfo is not installed";
      EXPECT_EQ(pages, 1);
      EXPECT_EQ(test::PdfImagesOnPage(files[page], 1), kPhotosPerPage[page]);
    }
  }

  const QString saved_settings_ = SettingsFilePath();
};

TEST_F(PrintOptionsPrintTest, TwoPagesOnTheBuiltInPdfPrinter) {
  const QString profile = dir_.filePath("glossy.icc");
  test::PutFile(profile, "profile");
  ASSERT_TRUE(RememberPrinterProfile(QLatin1String(kPdfPrinterName), profile, SettingsFile()));
  QString shown_profile;
  PrintFromTheDialog(printers_, QLatin1String(kPdfPrinterName), [&](QDialog& dialog) {
    shown_profile = FindControl<QLineEdit>(dialog, "txtICCFile")->text();
  });
  EXPECT_EQ(shown_profile.toStdString(), profile.toStdString());

  QDir pdf(dir_.filePath("pdf"));
  QStringList files;
  for (const QString& name : pdf.entryList({"*.pdf"}, QDir::Files, QDir::Name))
    files << pdf.filePath(name);
  CheckPages(files);
}

TEST_F(PrintOptionsPrintTest, TwoPagesOnTheCupsQueue) {
  if (QPrinterInfo::printerInfo(QLatin1String(test::kCupsPdfQueue)).isNull())
    GTEST_SKIP() << "the CUPS queue \"PDF\" is not installed (scripts/start_cups.sh)";
  CupsPrinterCatalogue catalogue;
  PrinterAccess printers(&catalogue, SettingsFile());
  // Every job the run sends, seen whenever it lets messages run and once at its end.
  std::set<int> my_jobs;
  const auto last_job = [&] {
    if (auto* device = dynamic_cast<CupsPrinterDevice*>(printers.Device()))
      my_jobs.insert(device->LastJob());
  };
  ui_.OnPoll([&](int) { last_job(); });
  PrintFromTheDialog(printers, QLatin1String(test::kCupsPdfQueue));
  ui_.OnPoll(nullptr);
  last_job();
  my_jobs.erase(0);
  ASSERT_EQ(my_jobs.size(), 2u);

  const QStringList files = test::CupsPdfJobFiles(my_jobs, kJobWaitMs);
  CheckPages(files);
  for (const QString& file : files) QFile::remove(file);
}

}  // namespace
}  // namespace tessaly
