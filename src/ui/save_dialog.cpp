// Controls, lists and wiring of the save dialog: BuildLayout makes the controls and
// fills the lists, Show puts the stored fields into them and Fields reads them back
// for Save All. A failed check's field reaches its control through FieldControl.
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
#include "ui/box_validators.h"
#include "ui/button_on_off.h"
#include "ui/control_name.h"
#include "ui/dialog_foot.h"
#include "ui/resolution_boxes.h"
#include "ui/window_block.h"
#include "ui/window_lifetime.h"

namespace tessaly {

SaveDialog::SaveDialog(MyPictureManager& job, QWidget* owner, const QString& settings_file)
    : job_(job), owner_(owner), settings_file_(settings_file) {
  setObjectName(QStringLiteral("frmSavePhotos"));
  setWindowTitle(tr("Tessaly - Save Photos"));
  setModal(false);
  BuildLayout();
  ExplainControls(*this);
  Show(ReadSaveDialogFields(settings_file_));
}

void SaveDialog::BuildLayout() {
  // Made in the tab order.
  QLayout* fields = BuildFileFields();
  resolution_ = new ResolutionBoxes(tr("Print Resolution (**)"), this);
  sharpen_ = Named(new QCheckBox(tr("Sharpen Images"), this), "chkSharpen");
  auto* page = new QVBoxLayout(this);
  page->addLayout(fields);
  page->addWidget(resolution_);
  page->addWidget(sharpen_);
  page->addWidget(BuildTips());
  page->addLayout(BuildButtonRow());
  template_->addItems(PresetTemplates());
  quality_preset_->addItems(JpegQualityPresetTexts());
  type_->addItems(SaveTypeTexts());
}

QLayout* SaveDialog::BuildFileFields() {
  folder_ = Named(new QLineEdit(this), "txtSaveInFolder");
  auto* browse = Named(new QPushButton(tr("Browse..."), this), "cmdBrowse");
  auto* rename = Named(new QLabel(tr("Name files as: (*)"), this), "lblRename");
  template_ = Named(new QComboBox(this), "cboRenameAs");
  template_->setEditable(true);
  template_->setInsertPolicy(QComboBox::NoInsert);
  // The box itself: an editable combo box hands its focus events to its line edit
  // directly, past any filter there.
  template_->installEventFilter(this);
  example_ = Named(new QLabel(this), "lblNameEx");
  type_ = Named(new QComboBox(this), "cboSaveAsType");

  auto* grid = new QGridLayout;
  grid->addWidget(new QLabel(tr("Save in folder:"), this), 0, 0);
  grid->addWidget(folder_, 0, 1);
  grid->addWidget(browse, 0, 2);
  grid->addWidget(rename, 1, 0);
  grid->addWidget(template_, 1, 1, 1, 2);
  grid->addWidget(example_, 2, 1, 1, 2);
  grid->addWidget(new QLabel(tr("Save as type:"), this), 3, 0);
  grid->addWidget(type_, 3, 1, 1, 2);
  grid->addWidget(new QLabel(tr("JPEG Quality:"), this), 4, 0);
  grid->addLayout(BuildQualityRow(), 4, 1, 1, 2);

  connect(browse, &QPushButton::clicked, this, &SaveDialog::Browse);
  connect(template_, &QComboBox::editTextChanged, this,
          [this](const QString& text) { example_->setText(TemplateExample(text)); });
  connect(type_, &QComboBox::currentIndexChanged, this, &SaveDialog::TypePicked);
  return grid;
}

QLayout* SaveDialog::BuildQualityRow() {
  quality_preset_ = Named(new QComboBox(this), "cboJPEGQuality");
  quality_ = Named(MakeBox(this, BoxInput::kDigits), "txtJPEGQuality");
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
  auto* tips_frame = Named(new QGroupBox(this), "frmTips");
  auto* tips = Named(new QLabel(tr("(*)  Template for the name of saved files. Use one of "
                                   "the supplied templates as a starting point.\n\n(**) "
                                   "Resolution of the saved images at the current print "
                                   "size."),
                                tips_frame),
                     "lblTips");
  tips->setWordWrap(true);
  (new QVBoxLayout(tips_frame))->addWidget(tips);
  return tips_frame;
}

QLayout* SaveDialog::BuildButtonRow() {
  return DialogFoot(this,
                    {{"cmdHelp", tr("Help"), [] { ShowHelpPage(QLatin1String(kSaveHelpPage)); }}},
                    {{"cmdSave", tr("Save All"), [this] { Save(); }},
                     {"cmdCancel", tr("Cancel"), [this] { close(); }}});
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

void SaveDialog::Show(const SaveDialogFields& fields) {
  example_->clear();
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

QWidget* SaveDialog::FieldControl(SaveField field) const {
  switch (field) {
    case SaveField::kFolder:
      return folder_;
    case SaveField::kTemplate:
      return template_;
    case SaveField::kQuality:
      return quality_;
    case SaveField::kMinResolution:
      return resolution_->Value(1);
    case SaveField::kMaxResolution:
      return resolution_->Value(2);
    case SaveField::kNone:
      break;
  }
  return nullptr;
}

void SaveDialog::QualityTyped(const QString& text) {
  if (!quality_preset_->hasFocus())
    quality_preset_->setCurrentIndex(JpegQualityPresetForText(text));
}

void SaveDialog::TypePicked(int index) {
  const bool jpeg = UsesJpegQuality(index);
  quality_preset_->setEnabled(jpeg);
  quality_->setEnabled(jpeg);
}

void SaveDialog::Browse() {
  const QString folder = CurrentCommonDialogs().BrowseFolders(QLatin1String(kSaveFolderTitle));
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
    if (QWidget* control = FieldControl(focus)) control->setFocus();
    return;
  }
  folder_->setText(fields.folder);
  Ui& ui = CurrentUi();
  saving_ = true;
  ui.ShowProgress(RunKind::kSave, QString());
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
