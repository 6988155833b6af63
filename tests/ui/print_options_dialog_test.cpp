// The print options window's wiring: a value the core's checks refuse is reported
// and gets the focus, and nothing is stored; the profile remembered for a printer is
// shown; the properties offer the printer's own papers. Printing from the window is
// driven end to end by the whole-job test.
#include "ui/print_options_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "print/pdf_printer.h"
#include "print/printer_profiles.h"
#include "settings/settings_file.h"
#include "support/find_control.h"
#include "support/image_printer_job.h"
#include "ui/printer_properties_dialog.h"

namespace tessaly {
namespace {

using test::FindControl;

class PrintOptionsDialogTest : public test::ImagePrinterJobTest {};

TEST_F(PrintOptionsDialogTest, RefusedValueGetsTheFocusAndNothingIsStored) {
  PrintOptionsDialog dialog(job_.Settings(), printers_, layout_, SettingsFile());
  dialog.show();

  FindControl<QCheckBox>(dialog, "chkInterpolate", 1)->click();
  auto* minimum = FindControl<QLineEdit>(dialog, "txtInterpolVal", 1);
  QTest::keyClicks(minimum, "10a01");
  EXPECT_EQ(minimum->text(), "1001");
  FindControl<QPushButton>(dialog, "cmdPrint")->click();

  EXPECT_EQ(ui_.MessageTexts(), std::vector<QString>{"The minimum resolution is invalid!"});
  EXPECT_EQ(dialog.focusWidget(), minimum);
  EXPECT_NE(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(ReadIniValue("PrintOptions", "InterpolVal1", SettingsFile()), "");
}

// The profile remembered for a printer is shown when the window opens on it and
// when it is chosen from the list.
TEST_F(PrintOptionsDialogTest, ShowsTheProfileRememberedForTheCurrentPrinter) {
  const QString glossy = dir_.filePath("glossy.icc");
  const QString matte = dir_.filePath("matte.icc");
  for (const QString& file : {glossy, matte}) test::PutFile(file, "profile");
  ASSERT_TRUE(RememberPrinterProfile(printers_.CurrentPrinterName(), glossy, SettingsFile()));
  ASSERT_TRUE(RememberPrinterProfile(QLatin1String(kPdfPrinterName), matte, SettingsFile()));
  ASSERT_TRUE(WriteIniValue("Options", "PdfFolder", dir_.filePath("pdf"), SettingsFile()));
  PrintOptionsDialog dialog(job_.Settings(), printers_, layout_, SettingsFile());
  auto* profile = FindControl<QLineEdit>(dialog, "txtICCFile");
  EXPECT_EQ(profile->text(), glossy);
  auto* list = FindControl<QComboBox>(dialog, "cboPrinters");
  list->setCurrentIndex(list->findText(QLatin1String(kPdfPrinterName)));
  EXPECT_EQ(profile->text(), matte);
}

// "Printer Properties..." offers the printer's own papers; a paper of another size
// is used from then on, with the warning that the layout may change.
TEST_F(PrintOptionsDialogTest, PrinterPropertiesChooseAmongThePrintersPapers) {
  ASSERT_TRUE(WriteIniValue("Options", "PdfFolder", dir_.filePath("pdf"), SettingsFile()));
  PrintOptionsDialog dialog(job_.Settings(), printers_, layout_, SettingsFile());
  InstallPrinterPropertiesHook(printers_, &dialog);
  auto* list = FindControl<QComboBox>(dialog, "cboPrinters");
  list->setCurrentIndex(list->findText(QLatin1String(kPdfPrinterName)));
  test::AnswerDialog(ui_, "printerMediaDialog", [](QDialog& chooser) {
    auto* paper = FindControl<QComboBox>(chooser, "cboPaper");
    paper->setCurrentIndex(paper->findText("100 x 150 mm"));
    chooser.accept();
  });
  FindControl<QPushButton>(dialog, "cmdPrinter")->click();
  ASSERT_EQ(ui_.DialogsRun(), std::vector<QString>{"printerMediaDialog"});
  EXPECT_NEAR(TwipsToMm(printers_.Device()->Height()), 150.0, 1e-9);
  ASSERT_EQ(ui_.MessageTexts().size(), 1u);
  EXPECT_TRUE(ui_.MessageTexts()[0].startsWith("Warning: changing the printer paper size"));
}

}  // namespace
}  // namespace tessaly
