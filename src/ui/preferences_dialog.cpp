// Layout and wiring of the preferences window.
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
#include "controls/utils.h"
#include "print/job_setup.h"
#include "ui/dialog_foot.h"
#include "ui/digits_box.h"

namespace tessaly {

PreferencesDialog::PreferencesDialog(JobSettings& settings, const QString& file, QWidget* parent)
    : QDialog(parent), settings_(settings), file_(file) {
  setObjectName(QStringLiteral("frmPreferences"));
  setWindowTitle(tr("Other Preferences"));
  const PreferencesFields fields = OpenPreferences(settings_, file_);

  units_ = new QComboBox(this);
  units_->setObjectName(QStringLiteral("cboUnits"));
  units_->addItems(UnitTexts());
  units_->setCurrentIndex(fields.unit_index);

  date_mask_ = new QComboBox(this);
  date_mask_->setObjectName(QStringLiteral("cboDateMask"));
  date_mask_->setEditable(true);
  date_mask_->setInsertPolicy(QComboBox::NoInsert);
  date_mask_->addItems(DateMaskTexts());
  date_mask_->setEditText(fields.date_mask);
  example_ = new QLabel(this);
  example_->setObjectName(QStringLiteral("lblDateExample"));
  connect(date_mask_, &QComboBox::editTextChanged, this, &PreferencesDialog::ShowExample);

  screen_size_ = new QComboBox(this);
  screen_size_->setObjectName(QStringLiteral("cboScreenPhotoSize"));
  screen_size_->setEditable(true);
  screen_size_->setInsertPolicy(QComboBox::NoInsert);
  screen_size_->addItems(ScreenPhotoSizeTexts());
  screen_size_->setEditText(fields.screen_size);
  screen_size_->setValidator(DigitsValidator(screen_size_));

  upright_ = new QCheckBox(QString::fromLatin1(kUprightCaption), this);
  upright_->setObjectName(QStringLiteral("chkUpright"));
  upright_->setChecked(fields.upright);
  save_gps_ = new QCheckBox(QString::fromLatin1(kSaveGpsCaption), this);
  save_gps_->setObjectName(QStringLiteral("chkSaveGps"));
  save_gps_->setChecked(fields.save_gps);

  auto* notes = new QLabel(tr("(*) This is the size of the photos on the screen, in pixels.") +
                               QLatin1Char('\n') +
                               tr("     The maximum size depends on the screen resolution"),
                           this);
  notes->setObjectName(QStringLiteral("lblNotas"));

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
  ShowExample();
}

void PreferencesDialog::ShowExample() {
  example_->setText(DateExample(date_mask_->currentText(), QDateTime::currentDateTime()));
}

void PreferencesDialog::Confirm() {
  PreferencesFields fields;
  fields.unit_index = units_->currentIndex();
  fields.date_mask = date_mask_->currentText();
  fields.screen_size = screen_size_->currentText();
  fields.upright = upright_->isChecked();
  fields.save_gps = save_gps_->isChecked();
  ApplyPreferences(fields, settings_, file_);
  accept();
}

bool RunPreferences(QWidget* parent, JobSettings& settings, const QString& file) {
  PreferencesDialog dialog(settings, file, parent);
  return CurrentUi().RunDialog(dialog);
}

}  // namespace tessaly
