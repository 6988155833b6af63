// The edit panel (frameEdit): the seven sliders with their value labels, the
// sharpening controls, copies, label and the photo buttons. It shows the record of
// the photo given to it and writes every change back there: tones and colours as a
// slider moves (dragging included), copies and label when their box is left. It
// emits edited() after a change the photo's picture shows. Its buttons show the
// window's photo actions, which its owner runs.
#pragma once

#include <QGroupBox>
#include <array>

#include "job/job_settings.h"
#include "workspace/edit_panel_rules.h"

class QCheckBox;
class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QRadioButton;
class QSlider;

namespace tessaly {

class MyPicture;
class WindowActions;
struct WhiteBalanceAdjust;

class EditPanel : public QGroupBox {
  Q_OBJECT

 public:
  // `settings` (the job's) must outlive the panel; they measure the label.
  EditPanel(const JobSettings& settings, const WindowActions& actions, QWidget* parent);

  // Fills the controls from `photo`'s record; null clears them. A box still being
  // edited keeps its text for the photo it was typed for; give null before that
  // photo is removed. The panel starts disabled; its owner enables it.
  void ShowPhoto(MyPicture* photo);
  // Writes a copies or label box still being edited to the photo.
  void CommitBoxes();
  // Sets the photo's tones and colours back to none.
  void Reset();
  // Shows the colour balance a white-balance pick gave.
  void ShowPickedBalance(const WhiteBalanceAdjust& adjust);
  // Warns, once, when the label no longer fits the photo (after a turn).
  void CheckLabelLength();

 signals:
  void edited();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  enum Slider { kBright, kContrast, kGamma, kSaturation, kRed, kGreen, kBlue, kSliderCount };

  void BuildSliders(QGridLayout* grid);
  void BuildSharpening(QGridLayout* grid);
  void BuildBoxes(QGridLayout* grid);
  void BuildButtons(QGridLayout* grid, const WindowActions& actions);
  void Chain(QWidget* next);
  void ShowSlider(Slider which, int value);
  void SliderLabel(Slider which, int value);
  void WriteSlider(Slider which, int value);
  void WriteUnsharpMask();
  void ShowSharpening(int unsharp_mask);
  void OnCopiesLeft();
  void OnLabelLeft();
  bool CropWiderThanHigh() const;

  const JobSettings& settings_;
  MyPicture* photo_ = nullptr;
  // On while the controls are filled from a record: their handlers write nothing.
  bool loading_ = false;
  LabelLengthWarning label_warning_;
  QWidget* last_in_chain_ = nullptr;
  std::array<QSlider*, kSliderCount> sliders_{};
  std::array<QLabel*, kSliderCount> slider_labels_{};
  QCheckBox* unsharp_ = nullptr;
  std::array<QRadioButton*, 3> radius_{};
  QComboBox* amount_ = nullptr;
  QLineEdit* copies_ = nullptr;
  QLineEdit* label_ = nullptr;
};

}  // namespace tessaly
