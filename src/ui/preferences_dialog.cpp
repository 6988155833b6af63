// Layout and wiring of the preferences window: BuildLayout makes the controls, Show
// puts the opening fields into them and Fields reads them back for Ok, which the
// core's preferences rules store.
#include "ui/preferences_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "controls/ui_service.h"
#include "controls/ui_text.h"
#include "controls/utils.h"
#include "print/job_setup.h"
#include "ui/box_validators.h"
#include "ui/control_name.h"
#include "ui/dialog_foot.h"

namespace tessaly {
namespace {

// An editable list whose typed text is not added to its entries.
QComboBox* EditableList(QWidget* parent, const char* name, const QStringList& entries) {
  auto* list = Named(new QComboBox(parent), name);
  list->setEditable(true);
  list->setInsertPolicy(QComboBox::NoInsert);
  list->addItems(entries);
  return list;
}

}  // namespace

PreferencesDialog::PreferencesDialog(JobSettings& settings, const QString& file, QWidget* parent)
    : QDialog(parent), settings_(settings), file_(file) {
  setObjectName(QStringLiteral("frmPreferences"));
  setWindowTitle(tr("Other Preferences"));
  BuildLayout();
  ExplainControls(*this);
  Show(OpenPreferences(settings_, file_));
}

void PreferencesDialog::BuildLayout() {
  units_ = Named(new QComboBox(this), "cboUnits");
  units_->addItems(UnitTexts());
  date_mask_ = EditableList(this, "cboDateMask", DateMaskTexts());
  example_ = Named(new QLabel(this), "lblDateExample");
  screen_size_ = EditableList(this, "cboScreenPhotoSize", ScreenPhotoSizeTexts());
  RestrictBox(screen_size_->lineEdit(), BoxInput::kDigits);
  upright_ = Named(new QCheckBox(UiText(kUprightCaption), this), "chkUpright");
  save_gps_ = Named(new QCheckBox(UiText(kSaveGpsCaption), this), "chkSaveGps");
  auto* notes =
      Named(new QLabel(tr("(*) This is the size of the photos on the screen, in pixels.") +
                           QLatin1Char('\n') +
                           tr("     The maximum size depends on the screen resolution"),
                       this),
            "lblNotas");

  auto* form = new QFormLayout;
  form->addRow(tr("Units:"), units_);
  form->addRow(tr("Date format:"), date_mask_);
  form->addRow(QString(), example_);
  form->addRow(tr("Screen photo size (*):"), screen_size_);
  form->addRow(QString(), upright_);
  form->addRow(QString(), save_gps_);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(notes);
  layout->addLayout(DialogFoot(
      this, {{"cmdHelp", tr("Help"), [] { ShowHelpPage(QLatin1String(kSettingsHelpPage)); }}},
      {{"cmdOK", tr("OK"), [this] { Confirm(); }},
       {"cmdCancel", tr("Cancel"), [this] { reject(); }}}));
  connect(date_mask_, &QComboBox::editTextChanged, this, &PreferencesDialog::ShowExample);
}

void PreferencesDialog::Show(const PreferencesFields& fields) {
  units_->setCurrentIndex(fields.unit_index);
  date_mask_->setEditText(fields.date_mask);
  screen_size_->setEditText(fields.screen_size);
  upright_->setChecked(fields.upright);
  save_gps_->setChecked(fields.save_gps);
  ShowExample();
}

PreferencesFields PreferencesDialog::Fields() const {
  PreferencesFields fields;
  fields.unit_index = units_->currentIndex();
  fields.date_mask = date_mask_->currentText();
  fields.screen_size = screen_size_->currentText();
  fields.upright = upright_->isChecked();
  fields.save_gps = save_gps_->isChecked();
  return fields;
}

void PreferencesDialog::ShowExample() {
  example_->setText(DateExample(date_mask_->currentText(), QDateTime::currentDateTime()));
}

void PreferencesDialog::Confirm() {
  ApplyPreferences(Fields(), settings_, file_);
  accept();
}

bool RunPreferences(QWidget* parent, JobSettings& settings, const QString& file) {
  PreferencesDialog dialog(settings, file, parent);
  return CurrentUi().RunDialog(dialog);
}

}  // namespace tessaly
