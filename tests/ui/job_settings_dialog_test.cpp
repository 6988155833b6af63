// The job settings window's wiring over real settings files: the mode options move
// the catalogue and the check boxes, Add goes through the size editor's fields, and
// a new unit from the preferences refills the list. Dialogs opened from the window
// are driven through their controls once they run modally.
#include "ui/job_settings_dialog.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <tuple>

#include "controls/scripted_ui.h"
#include "job/add_photo.h"
#include "job/preferences.h"
#include "print/printer_access.h"
#include "settings/settings_file.h"
#include "support/find_control.h"
#include "support/image_printer.h"
#include "support/scoped_state.h"
#include "ui/printer_properties_dialog.h"

namespace tessaly {
namespace {

using test::FindControl;

class JobSettingsDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::PutFile(ini_, "[Options]\r\nUnits=0\r\nPdfFolder=" + dir_.filePath("pdf").toUtf8() +
                            "\r\nPhotoDrawFrame=1\r\nPhotoPrintDate=1\r\n"
                            "UserSizes=010000x015000x0000-013000x018000x0300-\r\nUserSize=2\r\n"
                            "[ThumbOptions]\r\nUserSizes=004000x004000x0400-\r\n");
  }

  // Runs `drive` on the dialog `name` that `click` opens.
  void DriveModal(QPushButton* click, const char* name, std::function<void(QDialog&)> drive) {
    test::AnswerDialog(ui_, name, std::move(drive));
    click->click();
    ASSERT_FALSE(ui_.DialogsRun().empty());
    EXPECT_EQ(ui_.DialogsRun().back(), name);
  }

  QTemporaryDir dir_;
  const QString ini_ = dir_.filePath("Tesly.ini");
  ScriptedUi ui_;
  ScopedUi scoped_ui_{ui_};
  MyPictureManager job_;
  JobSetup setup_{job_, ini_};
  PrinterAccess printers_{nullptr, ini_};
};

// The mode options switch the catalogue and the check boxes follow; Add takes the
// size typed in the editor; a new unit from the preferences refills the list.
TEST_F(JobSettingsDialogTest, ModesAddAndANewUnitReachTheList) {
  JobSettingsDialog dialog(setup_, printers_);
  auto* frame = FindControl<QCheckBox>(dialog, "chkDrawFrame");
  auto* date = FindControl<QCheckBox>(dialog, "chkPrintDate");
  auto* name = FindControl<QCheckBox>(dialog, "chkPrintFileName");
  auto* sizes = FindControl<QComboBox>(dialog, "cboSizes");
  ASSERT_TRUE(frame && date && name && sizes);
  EXPECT_TRUE(frame->isChecked() && frame->isEnabled());
  EXPECT_EQ(sizes->currentIndex(), 1);
  EXPECT_TRUE(FindControl<QLabel>(dialog, "lblCurrentSettings")->text().contains("Photos/page"));
  // The size list follows the mode options closely, however tall the window is.
  dialog.show();
  dialog.resize(dialog.width(), dialog.height() + 200);
  QCoreApplication::processEvents();
  const QWidget* sheet_mode = FindControl<QRadioButton>(dialog, "optMode", 1);
  EXPECT_LT(sizes->y() - sheet_mode->geometry().bottom(), 3 * sheet_mode->height());

  FindControl<QRadioButton>(dialog, "optMode", 1)->click();
  EXPECT_FALSE(frame->isChecked() || frame->isEnabled());
  EXPECT_FALSE(date->isChecked() || date->isEnabled());
  EXPECT_TRUE(name->isChecked());
  EXPECT_FALSE(name->isEnabled());
  EXPECT_EQ(sizes->count(), 1);

  FindControl<QRadioButton>(dialog, "optMode", 0)->click();
  EXPECT_TRUE(frame->isChecked() && frame->isEnabled());
  EXPECT_TRUE(date->isChecked());
  EXPECT_EQ(sizes->count(), 2);

  DriveModal(FindControl<QPushButton>(dialog, "cmdNewUserSize"), "frmUserSize", [](QDialog& d) {
    QTest::keyClicks(FindControl<QLineEdit>(d, "txtPhotoWidth"), "10");
    QTest::keyClicks(FindControl<QLineEdit>(d, "txtPhotoHeight"), "15");
    QTest::keyClicks(FindControl<QLineEdit>(d, "txtPhotoMargins"), "0,5");
    EXPECT_EQ(FindControl<QLineEdit>(d, "txtImageHeight")->text(), "14");
    FindControl<QPushButton>(d, "cmdOK")->click();
  });
  ASSERT_EQ(sizes->count(), 3);
  EXPECT_EQ(sizes->currentIndex(), 2);
  EXPECT_EQ(sizes->currentText(), SizeListText({150.0, 100.0, 5.0}, SizeUnit::Centimetres));
  EXPECT_DOUBLE_EQ(job_.Settings().Size.Width, 150.0);
  EXPECT_DOUBLE_EQ(job_.Settings().Size.Margins, 5.0);

  DriveModal(FindControl<QPushButton>(dialog, "cmdPreferences"), "frmPreferences", [](QDialog& d) {
    FindControl<QComboBox>(d, "cboUnits")->setCurrentIndex(1);
    // The screen photo size takes digits only, typed where the keys really go.
    auto* screen = FindControl<QComboBox>(d, "cboScreenPhotoSize");
    screen->lineEdit()->selectAll();
    QTest::keyClicks(screen, "6a0b0");
    FindControl<QCheckBox>(d, "chkUpright")->click();
    FindControl<QCheckBox>(d, "chkSaveGps")->click();
    FindControl<QPushButton>(d, "cmdOK")->click();
  });
  EXPECT_EQ(ReadIniValue("Options", "UprightPhotos", ini_), "False");
  EXPECT_TRUE(job_.Settings().SaveGpsPosition);
  EXPECT_EQ(ReadIniValue("Options", "Units", ini_), "1");
  EXPECT_EQ(ReadIniValue("Options", "ScreenPhotoSize", ini_), "600");
  EXPECT_EQ(FindControl<QLabel>(dialog, "lblUnits")->text(), "Photo Sizes (inches)");
  EXPECT_EQ(sizes->currentText(), SizeListText({150.0, 100.0, 0.0}, SizeUnit::Inches));
  EXPECT_EQ(ui_.MessageTexts(),
            (std::vector<QString>{kScreenSizeNextTimeMessage, kUprightNextTimeMessage}));
}

// With no system printer only the built-in one is listed; Cancel after a mode
// switch keeps the stored mode; Edit and Delete reach the catalogue; OK gives the
// job's photos the chosen size.
TEST_F(JobSettingsDialogTest, CancelEditDeleteAndOkReachTheJob) {
  QImage image(60, 40, QImage::Format_RGB32);
  image.fill(Qt::gray);
  ASSERT_TRUE(image.save(dir_.filePath("p.png")));
  ASSERT_GE(AddPhotoFile(job_, dir_.filePath("p.png")), 0);
  {
    JobSettingsDialog dialog(setup_, printers_);
    EXPECT_EQ(FindControl<QComboBox>(dialog, "cboPrinters")->count(), 1);
    EXPECT_FALSE(setup_.NoPrinter());
    FindControl<QRadioButton>(dialog, "optMode", 1)->click();
    EXPECT_TRUE(job_.Settings().ThumbMode);
    FindControl<QPushButton>(dialog, "cmdCancel")->click();
    EXPECT_FALSE(job_.Settings().ThumbMode);
  }
  JobSettingsDialog dialog(setup_, printers_);
  auto* sizes = FindControl<QComboBox>(dialog, "cboSizes");
  DriveModal(FindControl<QPushButton>(dialog, "cmdEditUserSize"), "frmUserSize", [](QDialog& d) {
    auto* width = FindControl<QLineEdit>(d, "txtPhotoWidth");
    width->selectAll();
    QTest::keyClicks(width, "20");
    FindControl<QPushButton>(d, "cmdOK")->click();
  });
  EXPECT_EQ(sizes->currentText(), SizeListText({200.0, 130.0, 3.0}, SizeUnit::Centimetres));
  sizes->setCurrentIndex(0);
  ui_.Answer(MsgAnswer::Yes);
  FindControl<QPushButton>(dialog, "cmdDeleteUserSize")->click();
  ASSERT_EQ(sizes->count(), 1);
  sizes->setCurrentIndex(0);
  FindControl<QPushButton>(dialog, "cmdOK")->click();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_DOUBLE_EQ(job_.Settings().Size.Width, 200.0);
  // Added at 130 mm wide: OK gave it the chosen size.
  EXPECT_DOUBLE_EQ(job_.At(0).ImgPrintWidth(), job_.Settings().PhotoWidth());
}

}  // namespace
}  // namespace tessaly

namespace tessaly {
namespace {

// "Printer Properties..." on a printer that lists its media offers its own papers,
// types, qualities and sources; the choice reaches the device, and the printer gets it again
// when it is next opened.
TEST_F(JobSettingsDialogTest, PrinterPropertiesOfferThePrintersOwnMedia) {
  test::ImagePrinterCatalogue catalogue(101.6, 152.4, 3, 4.0);
  PrinterMedia& media = catalogue.media;
  media.papers = {{"na_index-4x6_4x6in", "4 x 6\"", 101.6, 152.4, 3, 3, 3, 3},
                  {"na_index-4x6_4x6in", "4 x 6\" (Borderless)", 101.6, 152.4, 0, 0, 0, 0},
                  {"iso_a4_210x297mm", "A4", 210, 297, 3, 3, 3, 3}};
  media.default_paper = 0;
  media.types = {{"photographic-glossy", "Glossy"}, {"stationery", "Plain"}};
  media.qualities = {{"4", "Normal"}, {"5", "High"}};
  media.sources = {{"main", "Main"}, {"photo", "Photo tray"}};
  PrinterAccess printers(&catalogue, ini_);
  QStringList names;
  int count = 0;
  int current = 0;
  printers.GetPrinterList(names, count, current);
  InstallPrinterPropertiesHook(printers, nullptr);
  JobSettingsDialog dialog(setup_, printers);
  const auto items = [](const QComboBox* box) {
    QStringList texts;
    for (int i = 0; box != nullptr && i < box->count(); ++i) texts << box->itemText(i);
    return texts;
  };
  DriveModal(
      FindControl<QPushButton>(dialog, "cmdPrinter"), "printerMediaDialog", [&](QDialog& chooser) {
        auto* paper = FindControl<QComboBox>(chooser, "cboPaper");
        auto* type = FindControl<QComboBox>(chooser, "cboMediaType");
        auto* quality = FindControl<QComboBox>(chooser, "cboQuality");
        auto* source = FindControl<QComboBox>(chooser, "cboMediaSource");
        EXPECT_EQ(items(paper), QStringList({"4 x 6\"", "4 x 6\" (Borderless)", "A4"}));
        EXPECT_EQ(items(type), QStringList({"The printer's default", "Glossy", "Plain"}));
        EXPECT_EQ(items(quality), QStringList({"The printer's default", "Normal", "High"}));
        EXPECT_EQ(items(source), QStringList({"The printer's default", "Main", "Photo tray"}));
        ASSERT_TRUE(paper && type && quality && source);
        EXPECT_EQ(paper->currentIndex(), 0);
        paper->setCurrentIndex(1);
        type->setCurrentIndex(1);
        quality->setCurrentIndex(2);
        source->setCurrentIndex(2);
        chooser.accept();
      });
  const MediaChosen chosen = printers.Device()->Chosen();
  EXPECT_EQ(std::tuple(chosen.paper, chosen.type, chosen.quality, chosen.source),
            std::tuple(1, 0, 1, 1));

  PrinterAccess reopened(&catalogue, ini_);
  reopened.GetPrinterList(names, count, current);
  const MediaChosen again = reopened.Device()->Chosen();
  EXPECT_EQ(std::tuple(again.paper, again.type, again.quality, again.source),
            std::tuple(1, 0, 1, 1));
}

}  // namespace
}  // namespace tessaly
