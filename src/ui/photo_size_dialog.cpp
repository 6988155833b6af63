// Layout and wiring of the photo size editor's window: BuildLayout makes the boxes,
// Show puts the editor's fields into them and Fields reads them back for Ok. Box, the
// one field-to-box map, places the focus a failed check or the margin rule asks for.
#include "ui/photo_size_dialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include "controls/ui_service.h"
#include "ui/box_validators.h"
#include "ui/control_name.h"
#include "ui/dialog_foot.h"

namespace tessaly {

namespace {

using Field = PhotoSizeField;

constexpr const char* kBoxNames[] = {"txtPhotoWidth", "txtPhotoHeight", "txtPhotoMargins",
                                     "txtImageWidth", "txtImageHeight"};

}  // namespace

PhotoSizeDialog::PhotoSizeDialog(PhotoSizeEditor editor, QWidget* parent)
    : QDialog(parent), editor_(std::move(editor)) {
  setObjectName(QStringLiteral("frmUserSize"));
  setWindowTitle(editor_.Caption());
  BuildLayout();
  ExplainControls(*this);
  Show(editor_.Fields());
}

void PhotoSizeDialog::BuildLayout() {
  for (int i = 0; i < 5; ++i) {
    boxes_[i] = Named(MakeBox(this, BoxInput::kSizeDecimal), kBoxNames[i]);
    const auto field = static_cast<Field>(i);
    connect(boxes_[i], &QLineEdit::textEdited, this, [this, field](const QString& text) {
      editor_.SetText(field, text);
      Show(editor_.Fields());
    });
  }
  connect(Box(Field::kMargins), &QLineEdit::editingFinished, this, &PhotoSizeDialog::LeaveMargins);
  Box(Field::kPhotoWidth)->setReadOnly(editor_.PhotoWidthLocked());

  auto* note = Named(new QLabel(PhotoSizeEditor::ThumbNote(), this), "lblThumbMsg");
  note->setVisible(editor_.ThumbMode());

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(BuildGrid());
  layout->addWidget(note);
  layout->addLayout(DialogFoot(this, {},
                               {{"cmdOK", tr("&Ok"), [this] { Confirm(); }},
                                {"cmdCancel", tr("&Cancel"), [this] { reject(); }}}));
}

// The three rows of fields, each with its caption and unit.
QLayout* PhotoSizeDialog::BuildGrid() {
  auto* grid = new QGridLayout;
  const auto unit_label = [this](int index) {
    return Named(new QLabel(editor_.UnitsText(), this), "lblUnits", QString(), index);
  };
  grid->addWidget(new QLabel(tr("Photo Size (including margins):"), this), 0, 0);
  grid->addWidget(Box(Field::kPhotoWidth), 0, 1);
  grid->addWidget(new QLabel(tr("x"), this), 0, 2);
  grid->addWidget(Box(Field::kPhotoHeight), 0, 3);
  grid->addWidget(unit_label(0), 0, 4);
  grid->addWidget(new QLabel(tr("Margins:"), this), 1, 0);
  grid->addWidget(Box(Field::kMargins), 1, 1);
  grid->addWidget(unit_label(1), 1, 4);
  grid->addWidget(new QLabel(tr("Image Size (excluding margins):"), this), 2, 0);
  grid->addWidget(Box(Field::kImageWidth), 2, 1);
  grid->addWidget(new QLabel(tr("x"), this), 2, 2);
  grid->addWidget(Box(Field::kImageHeight), 2, 3);
  grid->addWidget(unit_label(2), 2, 4);
  return grid;
}

QLineEdit* PhotoSizeDialog::Box(Field field) const {
  return boxes_[PhotoSizeFields::Index(field)];
}

void PhotoSizeDialog::Show(const PhotoSizeFields& fields) {
  for (int i = 0; i < 5; ++i) {
    const QString& text = fields.texts[i];
    if (boxes_[i]->text() != text) boxes_[i]->setText(text);
  }
}

PhotoSizeFields PhotoSizeDialog::Fields() const {
  PhotoSizeFields fields;
  for (int i = 0; i < 5; ++i) fields.texts[i] = boxes_[i]->text();
  return fields;
}

void PhotoSizeDialog::LeaveMargins() {
  if (editor_.LeaveMargins()) return;
  Show(editor_.Fields());
  // The focus goes back once the focus change that ended the edit is over.
  QTimer::singleShot(0, Box(Field::kMargins), qOverload<>(&QWidget::setFocus));
}

void PhotoSizeDialog::Confirm() {
  Field focus = Field::kPhotoWidth;
  PhotoSize size;
  const bool accepted = editor_.Confirm(Fields(), size, &focus);
  Show(editor_.Fields());
  if (!accepted) {
    Box(focus)->setFocus();
    return;
  }
  size_ = size;
  accept();
}

bool RunPhotoSizeDialog(QWidget* parent, PhotoSizeEditor editor, PhotoSize& size) {
  PhotoSizeDialog dialog(std::move(editor), parent);
  if (!CurrentUi().RunDialog(dialog)) return false;
  size = dialog.Size();
  return true;
}

}  // namespace tessaly
