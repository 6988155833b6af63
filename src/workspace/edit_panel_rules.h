// The edit panel's rules: the gamma slider's mapping to the photo's gamma and its
// "0.00" label, the sharpening controls' mapping to the photo's sharpening value,
// the copies box's accepted keys and its value (1..kMaxCopies), and the label length
// check with its warn-once state. Sliders span −kEditLimit..kEditLimit; the label is
// measured with the label font in millimetres, the same at any screen resolution.
#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

#include "job/job_settings.h"

namespace tessaly {

// The panel's sliders in their order, which is also the tab order: the slider's
// and its value label's object names, its caption and its tool tip (texts for
// UiText).
struct SliderForm {
  const char* name;
  const char* label;
  const char* caption;
  const char* tip;
};
inline constexpr SliderForm kSliderForms[] = {
    {"hsBright", "lblBright", QT_TRANSLATE_NOOP("Tessaly", "Brightness"),
     QT_TRANSLATE_NOOP("Tessaly", "Make the photo lighter or darker")},
    {"hsContrast", "lblContrast", QT_TRANSLATE_NOOP("Tessaly", "Contrast"),
     QT_TRANSLATE_NOOP("Tessaly", "Spread the tones apart or draw them together")},
    {"hsGamma", "lblGamma", QT_TRANSLATE_NOOP("Tessaly", "Gamma"),
     QT_TRANSLATE_NOOP("Tessaly", "Lighten or darken the mid-tones, keeping black and white")},
    {"hsSaturation", "lblSaturation", QT_TRANSLATE_NOOP("Tessaly", "Saturation"),
     QT_TRANSLATE_NOOP("Tessaly", "Make the colours stronger or paler")},
    {"hsRed", "lblRed", QT_TRANSLATE_NOOP("Tessaly", "Red"),
     QT_TRANSLATE_NOOP("Tessaly", "Add red, or its opposite cyan")},
    {"hsGreen", "lblGreen", QT_TRANSLATE_NOOP("Tessaly", "Green"),
     QT_TRANSLATE_NOOP("Tessaly", "Add green, or its opposite magenta")},
    {"hsBlue", "lblBlue", QT_TRANSLATE_NOOP("Tessaly", "Blue"),
     QT_TRANSLATE_NOOP("Tessaly", "Add blue, or its opposite yellow")},
};
inline constexpr char kSharpenTip[] =
    QT_TRANSLATE_NOOP("Tessaly", "Sharpen the photo's edges (unsharp mask)");
inline constexpr char kRadiusTip[] =
    QT_TRANSLATE_NOOP("Tessaly", "How wide an edge the sharpening takes, in pixels");
inline constexpr char kAmountTip[] =
    QT_TRANSLATE_NOOP("Tessaly", "How strongly the edges are sharpened");
inline constexpr char kCopiesTip[] =
    QT_TRANSLATE_NOOP("Tessaly", "How many prints of this photo the job makes");
inline constexpr char kLabelTip[] = QT_TRANSLATE_NOOP("Tessaly", "A text printed with the photo");

// The gamma label of a slider position: position ÷ (slider span) + 1, "0.00".
QString GammaLabelText(int slider);
// The gamma the photo takes from a slider position: the number its label shows.
double GammaFromSlider(int slider);
// The slider position showing gamma `g`: nearest((g − 1) × span), halves to even,
// held within the slider's range.
int GammaSlider(double g);

// Captions of the radius options ("1", "1.5", "2") and the amount list ("25" ..
// "150"); the amount selected at start-up.
QStringList SharpenRadiusCaptions();
QStringList SharpenAmountTexts();
inline constexpr int kDefaultSharpenAmountIndex = 2;

// The sharpening value of the controls: 0 when unchecked, else the amount (the
// leading whole number of the amount text, 0..kSharpenMaxAmount) + nearest(radius ×
// 10) × kSharpenRadiusUnit. A radius index outside the options counts as the first.
int UnsharpMaskFromControls(bool checked, int radius_index, const QString& amount_text);

// What the controls show for a sharpening value: checked when it is not 0, the
// option whose radius × 10 is its radius code and the list entry equal to its
// amount; −1 where none matches (the control keeps its selection).
struct SharpenControls {
  bool checked = false;
  int radius_index = -1;
  int amount_index = -1;
};
SharpenControls SharpenControlsFor(int unsharp_mask);

// The copies a box's text gives on leaving it: its leading whole number, 0 (or no
// number) becoming 1, held at kMaxCopies.
int CopiesFromText(const QString& text);

inline constexpr char kLabelTooBigMessage[] =
    QT_TRANSLATE_NOOP("Tessaly", "Warning: Text label too big!");

// Width (mm) of the trimmed label followed by "M", in the label font's name and size.
double LabelWidthMm(const QString& label, const JobSettings& settings);
// True when 1.15 × that width exceeds the length available along the photo: the
// job's photo width when the crop is wider than high, else its height, less the
// effective margin taken once in contact-sheet mode and twice otherwise.
bool LabelTooBig(const QString& label, const JobSettings& settings, bool crop_wider_than_high);

// The label box's warning: shown once while typing, again after the box is entered.
class LabelLengthWarning {
 public:
  // Entering the label box (and start-up) allows the warning again.
  void Reset() { warned_ = false; }
  bool Warned() const { return warned_; }
  // The check after a turn or a crop turn: when the label is too big, shows the
  // warning (information icon) as a notice that leaves the keyboard to the label
  // box, and remembers it.
  void Check(const QString& label, const JobSettings& settings, bool crop_wider_than_high);
  // A change of the label text: the check runs unless the warning was shown since
  // the box was entered or the job is in contact-sheet mode.
  void OnLabelChanged(const QString& label, const JobSettings& settings, bool crop_wider_than_high);

 private:
  bool warned_ = false;
};

}  // namespace tessaly
