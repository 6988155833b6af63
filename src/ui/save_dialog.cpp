// Controls, lists and wiring of the save dialog.
#include "ui/save_dialog.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWindow>

#include "controls/common_dialogs.h"
#include "controls/ui_service.h"
#include "controls/utils.h"
#include "job/picture_manager.h"
#include "save/file_name_template.h"
#include "save/save_checks.h"
#include "save/save_pipeline.h"
#include "settings/settings_table.h"
#include "ui/button_on_off.h"
#include "ui/dialog_foot.h"
#include "ui/digits_box.h"
#include "ui/resolution_boxes.h"
#include "ui/window_block.h"
#include "ui/window_lifetime.h"

namespace tessaly {
SaveDialog::SaveDialog(MyPictureManager& job, QWidget* owner, const QString& settings_file)
    : job_(job), owner_(owner), settings_file_(settings_file) {
  setObjectName(QStringLiteral("frmSavePhotos"));
  setWindowTitle(QStringLiteral("Tessaly - Save Photos"));
  setModal(false);
  // Made in the tab order.
  QLayout* fields = BuildFileFields();
  resolution_ = new ResolutionBoxes(QStringLiteral("Print Resolution (**)"), this);
  sharpen_ = new QCheckBox(QStringLiteral("Sharpen Images"), this);
  sharpen_->setObjectName(QStringLiteral("chkSharpen"));
  auto* page = new QVBoxLayout(this);
  page->addLayout(fields);
  page->addWidget(resolution_);
  page->addWidget(sharpen_);
  page->addWidget(BuildTips());
  page->addLayout(BuildButtonRow());
  Fill();
}

QLayout* SaveDialog::BuildFileFields() {
  folder_ = new QLineEdit(this);
  folder_->setObjectName(QStringLiteral("txtSaveInFolder"));
  auto* browse = new QPushButton(QStringLiteral("Browse..."), this);
  browse->setObjectName(QStringLiteral("cmdBrowse"));
  auto* rename = new QLabel(QStringLiteral("Name files as: (*)"), this);
  rename->setObjectName(QStringLiteral("lblRename"));
  template_ = new QComboBox(this);
  template_->setObjectName(QStringLiteral("cboRenameAs"));
  template_->setEditable(true);
  template_->setInsertPolicy(QComboBox::NoInsert);
  // The box itself: an editable combo box hands its focus events to its line edit
  // directly, past any filter there.
  template_->installEventFilter(this);
  example_ = new QLabel(this);
  example_->setObjectName(QStringLiteral("lblNameEx"));
  type_ = new QComboBox(this);
  type_->setObjectName(QStringLiteral("cboSaveAsType"));

  auto* grid = new QGridLayout;
  grid->addWidget(new QLabel(QStringLiteral("Save in folder:"), this), 0, 0);
  grid->addWidget(folder_, 0, 1);
  grid->addWidget(browse, 0, 2);
  grid->addWidget(rename, 1, 0);
  grid->addWidget(template_, 1, 1, 1, 2);
  grid->addWidget(example_, 2, 1, 1, 2);
  grid->addWidget(new QLabel(QStringLiteral("Save as type:"), this), 3, 0);
  grid->addWidget(type_, 3, 1, 1, 2);
  grid->addWidget(new QLabel(QStringLiteral("JPEG Quality:"), this), 4, 0);
  grid->addLayout(BuildQualityRow(), 4, 1, 1, 2);

  connect(browse, &QPushButton::clicked, this, &SaveDialog::Browse);
  connect(template_, &QComboBox::editTextChanged, this,
          [this](const QString& text) { example_->setText(TemplateExample(text)); });
  connect(type_, &QComboBox::currentIndexChanged, this, &SaveDialog::TypePicked);
  return grid;
}

QLayout* SaveDialog::BuildQualityRow() {
  quality_preset_ = new QComboBox(this);
  quality_preset_->setObjectName(QStringLiteral("cboJPEGQuality"));
  quality_ = DigitsBox(this);
  quality_->setObjectName(QStringLiteral("txtJPEGQuality"));
  quality_->setMaximumWidth(60);
  auto* row = new QHBoxLayout;
  row->addWidget(quality_preset_);
  row->addWidget(quality_);
  row->addStretch();
  // Picking a preset writes its number; a number typed selects its preset.
  connect(quality_preset_, &QComboBox::activated, this, [this](int index) {
    if (JpegQualityOfPreset(index) >= 0)
      quality_->setText(QString::number(JpegQualityOfPreset(index)));
  });
  connect(quality_, &QLineEdit::textChanged, this, &SaveDialog::QualityTyped);
  return row;
}

QWidget* SaveDialog::BuildTips() {
  auto* tips_frame = new QGroupBox(this);
  tips_frame->setObjectName(QStringLiteral("frmTips"));
  auto* tips = new QLabel(QStringLiteral("(*)  Template for the name of saved files. Use one of "
                                         "the supplied templates as a starting point.\n\n(**) "
                                         "Resolution of the saved images at the current print "
                                         "size."),
                          tips_frame);
  tips->setObjectName(QStringLiteral("lblTips"));
  tips->setWordWrap(true);
  (new QVBoxLayout(tips_frame))->addWidget(tips);
  return tips_frame;
}

QLayout* SaveDialog::BuildButtonRow() {
  return DialogFoot(
      this, {{"cmdHelp", QStringLiteral("Help"), [] { ShowHelpPage(QStringLiteral("Save.htm")); }}},
      {{"cmdSave", QStringLiteral("Save All"), [this] { Save(); }},
       {"cmdCancel", QStringLiteral("Cancel"), [this] { close(); }}});
}

SaveDialog* SaveDialog::OpenForm(MyPictureManager& job, QWidget* owner,
                                 const QString& settings_file) {
  auto* dialog = new SaveDialog(job, owner, settings_file);
  // Owned by the window as a transient, not a child: a child would be disabled with it.
  if (owner) {
    dialog->winId();
    dialog->windowHandle()->setTransientParent(owner->window()->windowHandle());
    dialog->owner_block_ = std::make_unique<WindowBlock>(owner);
  }
  dialog->show();
  dialog->findChild<QPushButton*>(QStringLiteral("cmdBrowse"))->setFocus();
  return dialog;
}

void SaveDialog::Fill() {
  template_->addItems(PresetTemplates());
  quality_preset_->addItems(JpegQualityPresetTexts());
  type_->addItems(SaveTypeTexts());
  example_->clear();
  const SaveDialogFields fields = ReadSaveDialogFields(settings_file_);
  folder_->setText(fields.folder);
  quality_->setText(fields.quality_text);
  QualityTyped(fields.quality_text);
  type_->setCurrentIndex(fields.type_index);
  TypePicked(type_->currentIndex());
  template_->setEditText(fields.name_template);
  example_->setText(TemplateExample(fields.name_template));
  resolution_->SetLimits(fields.min_on, fields.min_text, fields.max_on, fields.max_text);
  sharpen_->setChecked(fields.sharpen);
}

SaveDialogFields SaveDialog::Fields() const {
  SaveDialogFields fields;
  fields.folder = folder_->text();
  fields.name_template = template_->currentText();
  fields.type_index = type_->currentIndex();
  fields.quality_text = quality_->text();
  fields.min_on = resolution_->LimitOn(1);
  fields.min_text = resolution_->LimitText(1);
  fields.max_on = resolution_->LimitOn(2);
  fields.max_text = resolution_->LimitText(2);
  fields.sharpen = sharpen_->isChecked();
  return fields;
}

void SaveDialog::QualityTyped(const QString& text) {
  const double quality = LeadingNumber(text);
  const int preset =
      JpegQualityPresetFor(quality >= 0 && quality <= 100 ? static_cast<int>(quality) : -1);
  if (!quality_preset_->hasFocus()) quality_preset_->setCurrentIndex(preset);
}

void SaveDialog::TypePicked(int index) {
  const bool jpeg = index == 0;
  quality_preset_->setEnabled(jpeg);
  quality_->setEnabled(jpeg);
}

void SaveDialog::Browse() {
  const QString folder = CurrentCommonDialogs().BrowseFolders(
      QStringLiteral("Choose Folder:\r(Tip: right click for more options)"));
  if (!folder.isEmpty()) folder_->setText(folder);
}

void SaveDialog::Save() {
  SaveDialogFields fields = Fields();
  SaveRunOptions options;
  SaveField focus = SaveField::kNone;
  // The checks include the template's; its message must not trigger a second one
  // when it takes the focus from the template box.
  checking_template_ = true;
  const bool valid = CheckSaveDialog(fields, job_.Settings(), options, &focus);
  checking_template_ = false;
  if (!valid) {
    QWidget* field = nullptr;
    switch (focus) {
      case SaveField::kFolder:
        field = folder_;
        break;
      case SaveField::kTemplate:
        field = template_;
        break;
      case SaveField::kQuality:
        field = quality_;
        break;
      case SaveField::kMinResolution:
        field = resolution_->Value(1);
        break;
      case SaveField::kMaxResolution:
        field = resolution_->Value(2);
        break;
      case SaveField::kNone:
        break;
    }
    if (field) field->setFocus();
    return;
  }
  folder_->setText(fields.folder);
  Ui& ui = CurrentUi();
  saving_ = true;
  ui.ShowProgress(QLatin1String(kSaveProgressCaption), QString());
  hide();
  ui.LetMessagesRun();
  const SaveRunReport report = SavePhotos(job_, options);
  WriteSaveDialogFields(fields, settings_file_);
  saving_ = false;
  canceled_ = false;
  ui.HideProgress();
  close();
  emit runEnded(report, job_.Count(), options.folder);
}

bool SaveDialog::eventFilter(QObject* watched, QEvent* event) {
  // Leaving the template box checks its characters and keeps the focus there when
  // one cannot be in a file name.
  if (watched == template_ && event->type() == QEvent::FocusOut && !checking_template_ &&
      isVisible()) {
    checking_template_ = true;
    if (!CheckTemplateCharacters(template_->currentText())) template_->setFocus();
    checking_template_ = false;
  }
  return QDialog::eventFilter(watched, event);
}

void SaveDialog::GiveBackOwner() {
  if (!owner_) return;
  owner_block_.reset();
  owner_->activateWindow();
  owner_->setFocus();
}

void SaveDialog::done(int result) {
  GiveBackOwner();
  QDialog::done(result);
  // Closed by its own Save handler at the end of the run: deleted once that returned.
  DeleteWhenIdle(this);
}

void SaveDialog::closeEvent(QCloseEvent* event) {
  GiveBackOwner();
  QDialog::closeEvent(event);
  // A dialog hidden for its run is closed without done().
  if (event->isAccepted()) DeleteWhenIdle(this);
}

}  // namespace tessaly
