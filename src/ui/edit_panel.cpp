// The edit panel: its controls, their order, and their writes to the photo's record.
#include "ui/edit_panel.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSlider>

#include "controls/ui_text.h"
#include "edits/white_balance.h"
#include "job/my_picture.h"
#include "ui/box_validators.h"
#include "ui/button_on_off.h"
#include "ui/window_actions.h"

namespace tessaly {

EditPanel::EditPanel(const JobSettings& settings, const WindowActions& actions, QWidget* parent)
    : QGroupBox(parent), settings_(settings) {
  setObjectName(QStringLiteral("frameEdit"));
  auto* grid = new QGridLayout(this);
  BuildSliders(grid);
  BuildSharpening(grid);
  BuildBoxes(grid);
  BuildButtons(grid, actions);
  ShowPhoto(nullptr);
  setEnabled(false);
}

void EditPanel::Chain(QWidget* next) {
  if (last_in_chain_) QWidget::setTabOrder(last_in_chain_, next);
  last_in_chain_ = next;
}

void EditPanel::BuildSliders(QGridLayout* grid) {
  for (int i = 0; i < kSliderCount; ++i) {
    const SliderForm& form = kSliderForms[i];
    auto* caption = new QLabel(UiText(form.caption), this);
    auto* slider = new QSlider(Qt::Horizontal, this);
    slider->setObjectName(QString::fromLatin1(form.name));
    slider->setAccessibleName(UiText(form.caption));
    slider->setToolTip(UiText(form.tip));
    slider->setRange(-kEditLimit, kEditLimit);
    caption->setBuddy(slider);
    auto* value = new QLabel(this);
    value->setObjectName(QString::fromLatin1(form.label));
    value->setMinimumWidth(32);
    grid->addWidget(caption, i, 0);
    grid->addWidget(slider, i, 1);
    grid->addWidget(value, i, 2);
    sliders_[i] = slider;
    slider_labels_[i] = value;
    Chain(slider);
    // Written at every step, dragging included, so the photo follows the slider.
    const auto which = static_cast<Slider>(i);
    connect(slider, &QSlider::valueChanged, this, [this, which](int v) {
      SliderLabel(which, v);
      WriteSlider(which, v);
    });
  }
}

void EditPanel::BuildSharpening(QGridLayout* grid) {
  int row = grid->rowCount();
  unsharp_ = new QCheckBox(tr("Sharpen"), this);
  unsharp_->setObjectName(QStringLiteral("chkUnsharpMask"));
  unsharp_->setToolTip(UiText(kSharpenTip));
  grid->addWidget(unsharp_, row++, 0, 1, 3);
  Chain(unsharp_);
  grid->addWidget(new QLabel(tr("Radius (pixels):"), this), row, 0);
  auto* radius_row = new QHBoxLayout;
  const QStringList radius_captions = SharpenRadiusCaptions();
  for (int i = 0; i < static_cast<int>(radius_.size()); ++i) {
    radius_[i] = new QRadioButton(radius_captions.value(i), this);
    radius_[i]->setObjectName(QStringLiteral("optRadius"));
    radius_[i]->setProperty("index", i);
    radius_[i]->setToolTip(UiText(kRadiusTip));
    radius_row->addWidget(radius_[i]);
    Chain(radius_[i]);
  }
  radius_[0]->setChecked(true);
  grid->addLayout(radius_row, row++, 1, 1, 2);
  grid->addWidget(new QLabel(tr("Amount (%):"), this), row, 0);
  amount_ = new QComboBox(this);
  amount_->setObjectName(QStringLiteral("cboAmount"));
  amount_->setAccessibleName(tr("Amount (%)"));
  amount_->setToolTip(UiText(kAmountTip));
  amount_->addItems(SharpenAmountTexts());
  amount_->setCurrentIndex(kDefaultSharpenAmountIndex);
  grid->addWidget(amount_, row, 1, 1, 2);
  Chain(amount_);
  for (QRadioButton* option : radius_) {
    connect(option, &QRadioButton::toggled, this, [this](bool on) {
      if (on) WriteUnsharpMask();
    });
  }
  connect(unsharp_, &QCheckBox::toggled, this, &EditPanel::WriteUnsharpMask);
  connect(amount_, &QComboBox::currentIndexChanged, this, &EditPanel::WriteUnsharpMask);
}

void EditPanel::BuildBoxes(QGridLayout* grid) {
  int row = grid->rowCount();
  auto* copies_caption = new QLabel(tr("Copies:"), this);
  copies_ = MakeBox(this, BoxInput::kDigits);
  copies_->setObjectName(QStringLiteral("txtCopies"));
  copies_->setAccessibleName(tr("Copies"));
  copies_->setToolTip(UiText(kCopiesTip));
  copies_caption->setBuddy(copies_);
  connect(copies_, &QLineEdit::editingFinished, this, &EditPanel::OnCopiesLeft);
  grid->addWidget(copies_caption, row, 0);
  grid->addWidget(copies_, row++, 1, 1, 2);
  Chain(copies_);

  auto* label_caption = new QLabel(tr("Label:"), this);
  label_ = new QLineEdit(this);
  label_->setObjectName(QStringLiteral("txtLabel"));
  label_->setAccessibleName(tr("Label"));
  label_->setToolTip(UiText(kLabelTip));
  label_caption->setBuddy(label_);
  label_->installEventFilter(this);
  connect(label_, &QLineEdit::textChanged, this, [this](const QString& text) {
    if (photo_) label_warning_.OnLabelChanged(text, settings_, CropWiderThanHigh());
  });
  connect(label_, &QLineEdit::editingFinished, this, &EditPanel::OnLabelLeft);
  grid->addWidget(label_caption, row, 0);
  grid->addWidget(label_, row, 1, 1, 2);
  Chain(label_);
}

void EditPanel::BuildButtons(QGridLayout* grid, const WindowActions& actions) {
  // Three buttons a row, so their captions fit beside the photo on a medium screen.
  auto* buttons = new QGridLayout;
  constexpr int kButtonColumns = 3;
  int index = 0;
  for (WindowCommand command :
       {WindowCommand::kRotateLeft, WindowCommand::kRotateRight, WindowCommand::kRotateCrop,
        WindowCommand::kWhiteBalance, WindowCommand::kReset}) {
    ButtonOnOff* button = actions.Button(command, this);
    buttons->addWidget(button, index / kButtonColumns, index % kButtonColumns);
    ++index;
    Chain(button);
  }
  grid->addLayout(buttons, grid->rowCount(), 0, 1, 3);
}

void EditPanel::ShowPhoto(MyPicture* photo) {
  if (photo != photo_) CommitBoxes();
  photo_ = photo;
  loading_ = true;
  ShowSlider(kBright, photo ? photo->Bright() : 0);
  ShowSlider(kContrast, photo ? photo->Contrast() : 0);
  ShowSlider(kGamma, photo ? GammaSlider(photo->gamma()) : 0);
  ShowSlider(kSaturation, photo ? photo->Saturation() : 0);
  ShowSlider(kRed, photo ? photo->RedAdjust() : 0);
  ShowSlider(kGreen, photo ? photo->GreenAdjust() : 0);
  ShowSlider(kBlue, photo ? photo->BlueAdjust() : 0);
  ShowSharpening(photo ? photo->UnsharpMask() : 0);
  loading_ = false;
  label_->setText(photo ? photo->PhotoLabel() : QString());
  copies_->setText(photo ? QString::number(photo->Copies()) : QString());
}

void EditPanel::CommitBoxes() {
  if (copies_->isModified()) OnCopiesLeft();
  if (label_->isModified()) OnLabelLeft();
}

void EditPanel::ShowSharpening(int unsharp_mask) {
  const SharpenControls sharpen = SharpenControlsFor(unsharp_mask);
  unsharp_->setChecked(sharpen.checked);
  if (sharpen.radius_index >= 0) radius_[sharpen.radius_index]->setChecked(true);
  if (sharpen.amount_index >= 0) amount_->setCurrentIndex(sharpen.amount_index);
  for (QRadioButton* option : radius_) option->setEnabled(sharpen.checked);
  amount_->setEnabled(sharpen.checked);
}

void EditPanel::Reset() {
  if (!photo_ || !isEnabled()) return;
  photo_->UpdateGraphicValues(0, 0, 1.0, 0, 0, 0, 0);
  emit edited();
  loading_ = true;
  for (int i = 0; i < kSliderCount; ++i) ShowSlider(static_cast<Slider>(i), 0);
  loading_ = false;
}

void EditPanel::ShowPickedBalance(const WhiteBalanceAdjust& adjust) {
  loading_ = true;
  ShowSlider(kRed, adjust.RedAdjust);
  ShowSlider(kGreen, adjust.GreenAdjust);
  ShowSlider(kBlue, adjust.BlueAdjust);
  loading_ = false;
}

bool EditPanel::CropWiderThanHigh() const {
  return photo_->Crop().Rect().Width > photo_->Crop().Rect().Height;
}

void EditPanel::CheckLabelLength() {
  if (photo_) label_warning_.Check(label_->text(), settings_, CropWiderThanHigh());
}

void EditPanel::SliderLabel(Slider which, int value) {
  slider_labels_[which]->setText(which == kGamma ? GammaLabelText(value) : QString::number(value));
}

void EditPanel::ShowSlider(Slider which, int value) {
  sliders_[which]->setValue(value);
  SliderLabel(which, value);
}

void EditPanel::WriteSlider(Slider which, int value) {
  if (loading_ || !photo_) return;
  switch (which) {
    case kBright:
      photo_->SetBright(value);
      break;
    case kContrast:
      photo_->SetContrast(value);
      break;
    case kGamma:
      photo_->Setgamma(GammaFromSlider(value));
      break;
    case kSaturation:
      photo_->SetSaturation(value);
      break;
    case kRed:
      photo_->SetRedAdjust(value);
      break;
    case kGreen:
      photo_->SetGreenAdjust(value);
      break;
    case kBlue:
      photo_->SetBlueAdjust(value);
      break;
    case kSliderCount:
      break;
  }
  emit edited();
}

void EditPanel::WriteUnsharpMask() {
  const bool on = unsharp_->isChecked();
  for (QRadioButton* option : radius_) option->setEnabled(on);
  amount_->setEnabled(on);
  if (loading_ || !photo_) return;
  int radius_index = 0;
  for (int i = 0; i < static_cast<int>(radius_.size()); ++i)
    if (radius_[i]->isChecked()) radius_index = i;
  photo_->SetUnsharpMask(UnsharpMaskFromControls(on, radius_index, amount_->currentText()));
  emit edited();
}

void EditPanel::OnCopiesLeft() {
  if (!photo_) return;
  const int copies = CopiesFromText(copies_->text());
  copies_->setText(QString::number(copies));
  photo_->SetCopies(copies);
}

void EditPanel::OnLabelLeft() {
  if (photo_) photo_->SetPhotoLabel(label_->text().trimmed());
}

bool EditPanel::eventFilter(QObject* watched, QEvent* event) {
  if (watched == label_ && event->type() == QEvent::FocusIn) label_warning_.Reset();
  return QGroupBox::eventFilter(watched, event);
}

}  // namespace tessaly
