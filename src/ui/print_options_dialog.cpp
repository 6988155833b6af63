// Layout and wiring of the print options window: BuildLayout makes the controls, Show
// puts the core's opening fields into them and Fields reads them back for Print. A
// failed check's field reaches its control through FieldControl, the one focus map.
#include "ui/print_options_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "colour/printer_profile.h"
#include "controls/ui_service.h"
#include "controls/utils.h"
#include "print/job_layout.h"
#include "print/print_window.h"
#include "print/printer_access.h"
#include "print/printer_profiles.h"
#include "ui/box_validators.h"
#include "ui/control_name.h"
#include "ui/dialog_foot.h"
#include "ui/printer_combo.h"
#include "ui/printer_row.h"
#include "ui/resolution_boxes.h"

namespace tessaly {

PrintOptionsDialog::PrintOptionsDialog(JobSettings& settings, PrinterAccess& printers,
                                       PageLayout& layout, const QString& file, QWidget* parent)
    : QDialog(parent), settings_(settings), printers_(printers), layout_(layout), file_(file) {
  setObjectName(QStringLiteral("frmPrintDialog"));
  setWindowTitle(tr("Tessaly - Print Photos"));
  BuildLayout();
  ExplainControls(*this);
  FillPrinterCombo(*printers_list_, printers_);
  stored_ = ReadPrintDialogFields(file_);
  Show(OpeningPrintFields(stored_, settings_, printers_.CurrentPrinterName(), file_));
}

void PrintOptionsDialog::BuildLayout() {
  const PrinterRow printer_row = BuildPrinterRow(
      *this, printers_,
      [this] {
        icc_file_->setText(RememberedPrinterProfile(printers_.CurrentPrinterName(), file_));
      },
      [this] { PrintOptionsPrinterProperties(printers_, layout_, settings_); });
  printers_list_ = printer_row.list;
  // Made in the tab order.
  QWidget* colour = BuildColourGroup();
  resolution_ = new ResolutionBoxes(tr("Print Resolution"), this);
  sharpen_ = Named(new QCheckBox(tr("Sharpen Images"), this), "chkSharpen");
  spool_wait_ = Named(MakeBox(this, BoxInput::kDigits), "txtSpoolWait");
  auto* pause_row = new QHBoxLayout;
  pause_row->addWidget(new QLabel(tr("Pause between printed pages (minutes):"), this));
  pause_row->addWidget(spool_wait_);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(printer_row.layout);
  layout->addWidget(colour);
  layout->addWidget(resolution_);
  layout->addWidget(sharpen_);
  layout->addLayout(pause_row);
  layout->addLayout(DialogFoot(
      this, {{"cmdHelp", tr("Help"), [] { ShowHelpPage(QLatin1String(kPrintHelpPage)); }}},
      {{"cmdPrint", tr("Print"), [this] { Print(); }},
       {"cmdCancel", tr("Cancel"), [this] { reject(); }}}));
}

// The colour options with the profile file and its Browse button.
QWidget* PrintOptionsDialog::BuildColourGroup() {
  auto* colour = new QGroupBox(tr("Printer Color Space"), this);
  colour_[0] =
      Named(new QRadioButton(tr("Automatic"), colour), "optColorMngt",
            tr("Use printer's default color space profile. Recommended for most users."), 0);
  colour_[1] = Named(new QRadioButton(tr("sRGB"), colour), "optColorMngt",
                     tr("Print images as sRGB. The default printer profile is ignored."), 1);
  colour_[2] = Named(new QRadioButton(tr("Use Profile:"), colour), "optColorMngt",
                     tr("Use a specific ICC profile (for advanced users only!)"), 2);
  icc_file_ = Named(new QLineEdit(colour), "txtICCFile");
  icc_file_->setReadOnly(true);
  icc_browse_ = Named(new QPushButton(tr("Browse..."), colour), "cmdICCBrowse");
  auto* colours = new QButtonGroup(this);
  auto* colour_layout = new QGridLayout(colour);
  for (int i = 0; i < 3; ++i) {
    colours->addButton(colour_[i], i);
    colour_layout->addWidget(colour_[i], i, 0);
  }
  colour_layout->addWidget(icc_file_, 2, 1);
  colour_layout->addWidget(icc_browse_, 2, 2);
  connect(colours, &QButtonGroup::idClicked, this, &PrintOptionsDialog::ColourClicked);
  connect(icc_browse_, &QPushButton::clicked, this, &PrintOptionsDialog::Browse);
  return colour;
}

void PrintOptionsDialog::Show(const PrintDialogFields& fields) {
  colour_[fields.colour_option]->setChecked(true);
  ColourClicked(fields.colour_option);
  icc_file_->setText(fields.profile);
  sharpen_->setChecked(fields.sharpen);
  spool_wait_->setText(fields.spool_wait_text);
  resolution_->SetLimits(fields.min_on, fields.min_text, fields.max_on, fields.max_text);
  const bool photos = PhotoPrintChoices(settings_);
  resolution_->setEnabled(photos);
  sharpen_->setEnabled(photos);
}

PrintDialogFields PrintOptionsDialog::Fields() const {
  PrintDialogFields f;
  for (int i = 0; i < 3; ++i)
    if (colour_[i]->isChecked()) f.colour_option = i;
  f.profile = icc_file_->text();
  f.min_on = resolution_->LimitOn(1);
  f.min_text = resolution_->LimitText(1);
  f.max_on = resolution_->LimitOn(2);
  f.max_text = resolution_->LimitText(2);
  f.sharpen = sharpen_->isChecked();
  f.spool_wait_text = spool_wait_->text();
  return f;
}

QWidget* PrintOptionsDialog::FieldControl(PrintField field) const {
  switch (field) {
    case PrintField::kCmdICCBrowse:
      return icc_browse_;
    case PrintField::kTxtInterpolVal1:
      return resolution_->Value(1);
    case PrintField::kTxtInterpolVal2:
      return resolution_->Value(2);
    case PrintField::kNone:
      break;
  }
  return nullptr;
}

void PrintOptionsDialog::ColourClicked(int index) {
  const bool profile = index == kPrinterProfileChosen;
  icc_file_->setEnabled(profile);
  icc_browse_->setEnabled(profile);
}

void PrintOptionsDialog::Browse() {
  OpenFileRequest request = PrinterProfileRequest();
  QStringList files;
  if (!CurrentCommonDialogs().OpenFiles(request, files) || files.isEmpty()) return;
  icc_file_->setText(files.first());
}

void PrintOptionsDialog::Print() {
  const PrintDialogFields fields = PrintFieldsToStore(Fields(), stored_, settings_);
  const PrintCheck check = CheckPrintDialog(fields, settings_);
  if (!check.Passed()) {
    CurrentUi().MessageBox(check.message, MsgButtons::Ok, MsgIcon::Exclamation);
    if (QWidget* control = FieldControl(check.focus)) control->setFocus();
    return;
  }
  WritePrintDialogFields(fields, file_);
  RememberPrinterProfile(printers_.CurrentPrinterName(), fields.profile, file_);
  accept();
}

bool RunPrintOptions(QWidget* parent, MyPictureManager& job, PrinterAccess& printers,
                     PageLayout& layout, PrintWindow& run) {
  PrintOptionsDialog dialog(job.Settings(), printers, layout, SettingsFilePath(), parent);
  if (!CurrentUi().RunDialog(dialog)) return false;
  if (PrinterDevice* device = printers.Device()) ComputeJobLayout(layout, *device, job.Settings());
  run.PrintIt(false);
  return true;
}

}  // namespace tessaly
