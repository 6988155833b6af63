// Layout and wiring of the photo size editor's window.
#include "ui/photo_size_dialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include "controls/ui_service.h"
#include "ui/dialog_foot.h"

namespace tessaly {

namespace {

using Field = PhotoSizeEditor::Field;

constexpr Field kFields[] = {Field::kPhotoWidth, Field::kPhotoHeight, Field::kMargins,
                             Field::kImageWidth, Field::kImageHeight};
constexpr const char* kFieldNames[] = {"txtPhotoWidth", "txtPhotoHeight", "txtPhotoMargins",
                                       "txtImageWidth", "txtImageHeight"};

}  // namespace

PhotoSizeDialog::PhotoSizeDialog(PhotoSizeEditor editor, QWidget* parent)
    : QDialog(parent), editor_(std::move(editor)) {
  setObjectName(QStringLiteral("frmUserSize"));
  setWindowTitle(editor_.Caption());
  for (int i = 0; i < 5; ++i) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(QLatin1String(kFieldNames[i]));
    edit->installEventFilter(this);
    const Field field = kFields[i];
    connect(edit, &QLineEdit::textEdited, this, [this, field](const QString& text) {
      editor_.SetText(field, text);
      ShowTexts();
    });
    edits_[i] = edit;
  }
  connect(Edit(Field::kMargins), &QLineEdit::editingFinished, this, &PhotoSizeDialog::LeaveMargins);
  Edit(Field::kPhotoWidth)->setReadOnly(editor_.PhotoWidthLocked());

  auto* grid = new QGridLayout;
  const auto unit_label = [this](int index) {
    auto* label = new QLabel(editor_.UnitsText(), this);
    label->setObjectName(QStringLiteral("lblUnits"));
    label->setProperty("index", index);
    return label;
  };
  grid->addWidget(new QLabel(tr("Photo Size (including margins):"), this), 0, 0);
  grid->addWidget(Edit(Field::kPhotoWidth), 0, 1);
  grid->addWidget(new QLabel(QStringLiteral("x"), this), 0, 2);
  grid->addWidget(Edit(Field::kPhotoHeight), 0, 3);
  grid->addWidget(unit_label(0), 0, 4);
  grid->addWidget(new QLabel(tr("Margins:"), this), 1, 0);
  grid->addWidget(Edit(Field::kMargins), 1, 1);
  grid->addWidget(unit_label(1), 1, 4);
  grid->addWidget(new QLabel(tr("Image Size (excluding margins):"), this), 2, 0);
  grid->addWidget(Edit(Field::kImageWidth), 2, 1);
  grid->addWidget(new QLabel(QStringLiteral("x"), this), 2, 2);
  grid->addWidget(Edit(Field::kImageHeight), 2, 3);
  grid->addWidget(unit_label(2), 2, 4);

  auto* note = new QLabel(PhotoSizeEditor::ThumbNote(), this);
  note->setObjectName(QStringLiteral("lblThumbMsg"));
  note->setVisible(editor_.ThumbMode());

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addWidget(note);
  layout->addLayout(DialogFoot(this, {},
                               {{"cmdOK", tr("&Ok"), [this] { Confirm(); }},
                                {"cmdCancel", tr("&Cancel"), [this] { reject(); }}}));
  ShowTexts();
}

QLineEdit* PhotoSizeDialog::Edit(Field field) const {
  return edits_[static_cast<int>(field)];
}

void PhotoSizeDialog::ShowTexts() {
  for (int i = 0; i < 5; ++i) {
    const QString& text = editor_.Text(kFields[i]);
    if (edits_[i]->text() != text) edits_[i]->setText(text);
  }
}

bool PhotoSizeDialog::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, event);
  auto* key = static_cast<QKeyEvent*>(event);
  const QString text = key->text();
  // Keys without a printable character (backspace, arrows, tab) keep their own work.
  if (text.size() != 1 || !text.at(0).isPrint()) return false;
  QChar c = text.at(0);
  if (!PhotoSizeEditor::FilterKey(c)) return true;
  if (c != text.at(0)) {
    static_cast<QLineEdit*>(watched)->insert(QString(c));
    return true;
  }
  return false;
}

void PhotoSizeDialog::LeaveMargins() {
  if (editor_.LeaveMargins()) return;
  ShowTexts();
  // The focus goes back once the focus change that ended the edit is over.
  QTimer::singleShot(0, Edit(Field::kMargins), qOverload<>(&QWidget::setFocus));
}

void PhotoSizeDialog::Confirm() {
  Field focus = Field::kPhotoWidth;
  PhotoSize size;
  if (!editor_.Confirm(size, &focus)) {
    ShowTexts();
    Edit(focus)->setFocus();
    return;
  }
  ShowTexts();
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
