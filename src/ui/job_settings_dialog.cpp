// Layout and wiring of the job settings window: BuildLayout makes the controls, Show
// puts the model's fields into them and Fields reads them back. Every click hands the
// fields or the choice to the JobSetup model; the window keeps no setting of its own.
#include "ui/job_settings_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "controls/ui_service.h"
#include "controls/utils.h"
#include "print/printer_access.h"
#include "settings/photo_size_editor.h"
#include "ui/control_name.h"
#include "ui/dialog_foot.h"
#include "ui/page_layout_preview.h"
#include "ui/photo_size_dialog.h"
#include "ui/preferences_dialog.h"
#include "ui/printer_combo.h"
#include "ui/printer_row.h"

namespace tessaly {

namespace {

// The contact-sheet option's caption while it is chosen, and the summary without a
// printer.
const QColor kContactSheetCaption(192, 0, 0);
const QColor kNoPrinterColour(255, 0, 0);

}  // namespace

JobSettingsDialog::JobSettingsDialog(JobSetup& setup, PrinterAccess& printers, QWidget* parent)
    : QDialog(parent), setup_(setup), printers_(printers) {
  setObjectName(QStringLiteral("frmJobSetup"));
  setWindowTitle(tr("Tessaly - Settings"));
  BuildLayout();
  ExplainControls(*this);
  setup_.Open();
  setup_.SetPrinterCount(FillPrinterCombo(*printers_list_, printers_));
  Show(setup_.Fields());
  ShowSizes();
  UpdateSummary();
}

void JobSettingsDialog::BuildLayout() {
  const PrinterRow printer_row = BuildPrinterRow(
      *this, printers_, [this] { UpdateSummary(); }, [this] { PrinterProperties(); });
  printers_list_ = printer_row.list;
  preview_ = new PageLayoutPreview(this);
  summary_ = Named(new QLabel(this), "lblCurrentSettings");

  auto* grid = new QGridLayout;
  grid->addWidget(BuildPageGroup(), 0, 0, 2, 1);
  grid->addWidget(BuildArrangementGroup(), 0, 1);
  grid->addWidget(BuildOptionsGroup(), 1, 1);
  grid->addWidget(preview_, 0, 2);
  grid->addWidget(summary_, 1, 2);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(printer_row.layout);
  layout->addLayout(grid);
  layout->addLayout(BuildButtonRow());
}

// The mode options and the photo sizes.
QWidget* JobSettingsDialog::BuildPageGroup() {
  auto* page = new QGroupBox(tr("Print Page Layout"), this);
  mode_[0] = Named(new QRadioButton(tr("Photo Layout"), page), "optMode",
                   tr("Select this for printing or saving photos"), 0);
  mode_[1] = Named(new QRadioButton(tr("Contact Sheet Layout"), page), "optMode",
                   tr("Select this to print thumbnails"), 1);
  auto* modes = new QButtonGroup(this);
  modes->addButton(mode_[0], 0);
  modes->addButton(mode_[1], 1);
  units_ = Named(new QLabel(page), "lblUnits");
  sizes_ = Named(new QComboBox(page), "cboSizes",
                 tr("Currently selected photo sizes. The units can be changed in \"Other "
                    "Preferences\""));
  sizes_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  auto* add =
      Named(new QPushButton(tr("Add"), page), "cmdNewUserSize", tr("Create new photo size"));
  auto* edit =
      Named(new QPushButton(tr("Edit"), page), "cmdEditUserSize", tr("Change current photo size"));
  auto* remove = Named(new QPushButton(tr("Delete"), page), "cmdDeleteUserSize",
                       tr("Delete Current photo size"));
  auto* size_buttons = new QHBoxLayout;
  size_buttons->addWidget(add);
  size_buttons->addWidget(edit);
  size_buttons->addWidget(remove);
  auto* page_layout = new QVBoxLayout(page);
  page_layout->addWidget(mode_[0]);
  page_layout->addWidget(mode_[1]);
  page_layout->addWidget(units_);
  page_layout->addWidget(sizes_);
  page_layout->addLayout(size_buttons);
  // The column is as tall as the two groups beside it; its room is left below.
  page_layout->addStretch();

  connect(modes, &QButtonGroup::idClicked, this, [this] { TakeFields(false); });
  connect(sizes_, &QComboBox::currentIndexChanged, this, &JobSettingsDialog::SizeChosen);
  connect(add, &QPushButton::clicked, this, &JobSettingsDialog::AddSize);
  connect(edit, &QPushButton::clicked, this, &JobSettingsDialog::EditSize);
  connect(remove, &QPushButton::clicked, this, &JobSettingsDialog::DeleteSize);
  return page;
}

// How photos are arranged on the page.
QWidget* JobSettingsDialog::BuildArrangementGroup() {
  auto* arrangement = new QGroupBox(tr("Layout Mode"), this);
  layout_mode_[0] =
      Named(new QRadioButton(tr("Best Fit"), arrangement), "optLayoutMode",
            tr("Automatically arrange photos to maximize the number of photos per page"), 0);
  layout_mode_[1] = Named(new QRadioButton(tr("Landscape"), arrangement), "optLayoutMode",
                          tr("All photos are printed in landscape"), 1);
  layout_mode_[2] = Named(new QRadioButton(tr("Portrait"), arrangement), "optLayoutMode",
                          tr("All photos are printed in portrait"), 2);
  auto* layout_modes = new QButtonGroup(this);
  center_ = Named(new QCheckBox(tr("Center Layout"), arrangement), "chkCenter",
                  tr("Centre photos in the page. Depending on photo/page sizes and printer "
                     "margins, fewer photos may fit on page."));
  auto* arrangement_layout = new QVBoxLayout(arrangement);
  for (int i = 0; i < 3; ++i) {
    layout_modes->addButton(layout_mode_[i], i);
    arrangement_layout->addWidget(layout_mode_[i]);
  }
  arrangement_layout->addWidget(center_);

  connect(layout_modes, &QButtonGroup::idClicked, this, [this] { TakeFields(true); });
  connect(center_, &QCheckBox::clicked, this, [this] { TakeFields(true); });
  return arrangement;
}

// What is printed on each photo.
QWidget* JobSettingsDialog::BuildOptionsGroup() {
  auto* options = new QGroupBox(tr("Photo options"), this);
  print_date_ = Named(new QCheckBox(tr("Print Shot Date (exif date)"), options), "chkPrintDate",
                      tr("Print date contained in the exif file data, using the mask defined in "
                         "\"Other Preferences\""));
  print_file_name_ = Named(new QCheckBox(tr("Print File Name"), options), "chkPrintFileName",
                           tr("Print the file name"));
  draw_frame_ = Named(new QCheckBox(tr("Frame Photos"), options), "chkDrawFrame",
                      tr("Print a dark grey line around photos"));
  crop_marks_ = Named(new QCheckBox(tr("Print Cut Marks"), options), "chkCropMarks",
                      tr("When printing with margins, print fine doted lines to help cutting "
                         "photos"));
  auto* font = Named(new QPushButton(tr("Font..."), options), "cmdFont",
                     tr("Set up the font to use for printed text"));
  auto* options_layout = new QVBoxLayout(options);
  for (QWidget* w : {static_cast<QWidget*>(print_date_), static_cast<QWidget*>(print_file_name_),
                     static_cast<QWidget*>(draw_frame_), static_cast<QWidget*>(crop_marks_),
                     static_cast<QWidget*>(font)})
    options_layout->addWidget(w);

  for (QCheckBox* box : {print_date_, print_file_name_, draw_frame_, crop_marks_})
    connect(box, &QCheckBox::clicked, this, [this] { TakeFields(false); });
  connect(font, &QPushButton::clicked, this, [this] { setup_.ChooseFont(); });
  return options;
}

QLayout* JobSettingsDialog::BuildButtonRow() {
  return DialogFoot(
      this,
      {{"cmdPreferences", tr("Other Preferences..."), [this] { OtherPreferences(); }},
       {"cmdHelp", tr("Help"), [] { ShowHelpPage(QLatin1String(kSettingsHelpPage)); }}},
      {{"cmdOK", tr("Ok"), [this] { Confirm(); }},
       {"cmdCancel", tr("Cancel"), [this] { reject(); }}});
}

void JobSettingsDialog::Show(const JobSetupFields& fields) {
  {
    const QSignalBlocker b0(mode_[0]), b1(mode_[1]);
    mode_[fields.thumb_mode ? 1 : 0]->setChecked(true);
  }
  QPalette caption = palette();
  if (fields.thumb_mode) caption.setColor(QPalette::WindowText, kContactSheetCaption);
  mode_[1]->setPalette(caption);
  layout_mode_[fields.layout_mode]->setChecked(true);
  center_->setChecked(fields.center);
  print_date_->setChecked(fields.print_date);
  print_file_name_->setChecked(fields.print_file_name);
  draw_frame_->setChecked(fields.draw_frame);
  crop_marks_->setChecked(fields.crop_marks);
  const bool enabled = setup_.PrintChecksEnabled();
  print_date_->setEnabled(enabled);
  print_file_name_->setEnabled(enabled);
  draw_frame_->setEnabled(enabled);
}

JobSetupFields JobSettingsDialog::Fields() const {
  JobSetupFields fields;
  fields.thumb_mode = mode_[1]->isChecked();
  for (int i = 0; i < 3; ++i)
    if (layout_mode_[i]->isChecked()) fields.layout_mode = i;
  fields.center = center_->isChecked();
  fields.print_date = print_date_->isChecked();
  fields.print_file_name = print_file_name_->isChecked();
  fields.draw_frame = draw_frame_->isChecked();
  fields.crop_marks = crop_marks_->isChecked();
  return fields;
}

void JobSettingsDialog::TakeFields(bool summary) {
  const bool switched = setup_.Take(Fields());
  if (switched) {
    Show(setup_.Fields());
    ShowSizes();
  }
  if (switched || summary) UpdateSummary();
}

void JobSettingsDialog::ShowSizes() {
  units_->setText(SizesCaption(setup_.Unit()));
  const QSignalBlocker blocker(sizes_);
  sizes_->clear();
  for (const SizeListItem& item : setup_.Sizes().Items()) sizes_->addItem(item.text, item.number);
  sizes_->setCurrentIndex(setup_.Sizes().SelectedIndex());
}

void JobSettingsDialog::UpdateSummary() {
  const QStringList lines = setup_.Summary(printers_.Device(), layout_, sheet_);
  QPalette text = palette();
  if (setup_.NoPrinter()) text.setColor(QPalette::WindowText, kNoPrinterColour);
  summary_->setPalette(text);
  summary_->setText(lines.join(QLatin1Char('\n')));
  preview_->ShowLayout(setup_.NoPrinter() ? nullptr : &layout_, sheet_);
}

void JobSettingsDialog::PrinterProperties() {
  printers_.ShowPrinterProperties();
  KeepPortraitAfterProperties(printers_);
  UpdateSummary();
}

void JobSettingsDialog::SizeChosen(int index) {
  setup_.SelectSize(index);
  KeepPortraitSilently(printers_);
  UpdateSummary();
}

void JobSettingsDialog::AddSize() {
  PhotoSize size;
  if (!RunPhotoSizeDialog(this, PhotoSizeEditor::ForAdd(setup_.Unit(), setup_.Settings().ThumbMode),
                          size))
    return;
  setup_.AddSize(size);
  ShowSizes();
  UpdateSummary();
}

void JobSettingsDialog::EditSize() {
  const PhotoSize* selected = setup_.Sizes().SelectedSize();
  if (selected == nullptr) return;
  PhotoSize size;
  if (!RunPhotoSizeDialog(
          this, PhotoSizeEditor::ForEdit(*selected, setup_.Unit(), setup_.Settings().ThumbMode),
          size))
    return;
  setup_.EditSelectedSize(size);
  ShowSizes();
  UpdateSummary();
}

void JobSettingsDialog::DeleteSize() {
  if (!setup_.DeleteSelectedSize()) return;
  ShowSizes();
  UpdateSummary();
}

void JobSettingsDialog::OtherPreferences() {
  const int old_units = setup_.Settings().Units;
  if (!RunPreferences(this, setup_.Settings(), setup_.File())) return;
  setup_.UnitsChanged(old_units);
  ShowSizes();
  UpdateSummary();
}

void JobSettingsDialog::Confirm() {
  if (setup_.Confirm()) accept();
}

void JobSettingsDialog::reject() {
  setup_.Cancel();
  QDialog::reject();
}

bool RunJobSettings(QWidget* parent, JobSetup& setup, PrinterAccess& printers) {
  JobSettingsDialog dialog(setup, printers, parent);
  return CurrentUi().RunDialog(dialog);
}

}  // namespace tessaly
