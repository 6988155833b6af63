// Edit panel mappings between controls and the photo record, and the label check.
#include "workspace/edit_panel_rules.h"

#include <algorithm>
#include <cmath>

#include "controls/formatting.h"
#include "controls/ui_service.h"
#include "controls/ui_text.h"
#include "controls/units.h"
#include "edits/unsharp_mask.h"
#include "job/my_picture.h"
#include "print/page_text.h"

namespace tessaly {
namespace {

// Span of a slider (max − min): the gamma slider's positions per unit of gamma.
constexpr double kSliderSpan = 2.0 * kEditLimit;
// Radius codes are the radius in tenths of a pixel.
constexpr double kRadiusCodePerPixel = 10.0;
constexpr double kRadii[] = {1.0, 1.5, 2.0};
constexpr int kAmounts[] = {25, 50, 100, 125, 150};
// A label is too big when 15 % more than its width would not fit.
constexpr double kLabelSafety = 1.15;
// The label is measured at screen resolution, 96 dots per inch, like the window's
// own font, and converted to millimetres.
constexpr double kScreenPixelsPerMm = kTwipsPerInch / kTwipsPerPixel / kMmPerInch;

// The leading whole number of `text` (after leading blanks), held at `limit`; 0
// when the text does not start with a digit.
int LeadingWholeNumber(const QString& text, int limit) {
  const QString trimmed = text.trimmed();
  int value = 0;
  for (const QChar c : trimmed) {
    if (c < u'0' || c > u'9') break;
    value = std::min(limit, value * 10 + (c.unicode() - u'0'));
  }
  return value;
}

int RadiusCode(double radius) {
  return static_cast<int>(std::nearbyint(radius * kRadiusCodePerPixel));
}

}  // namespace

QString GammaLabelText(int slider) {
  return FormatNumber(slider / kSliderSpan + 1.0, QStringLiteral("0.00"));
}

double GammaFromSlider(int slider) {
  return GammaLabelText(slider).toDouble();
}

int GammaSlider(double g) {
  if (!std::isfinite(g)) return 0;
  const double position = std::nearbyint((g - 1.0) * kSliderSpan);
  return static_cast<int>(
      std::clamp(position, -static_cast<double>(kEditLimit), static_cast<double>(kEditLimit)));
}

QStringList SharpenRadiusCaptions() {
  QStringList captions;
  for (double radius : kRadii) captions << QString::number(radius);
  return captions;
}

QStringList SharpenAmountTexts() {
  QStringList texts;
  for (int amount : kAmounts) texts << QString::number(amount);
  return texts;
}

int UnsharpMaskFromControls(bool checked, int radius_index, const QString& amount_text) {
  if (!checked) return 0;
  const int count = static_cast<int>(std::size(kRadii));
  const double radius = kRadii[radius_index >= 0 && radius_index < count ? radius_index : 0];
  return LeadingWholeNumber(amount_text, kSharpenMaxAmount) +
         RadiusCode(radius) * kSharpenRadiusUnit;
}

SharpenControls SharpenControlsFor(int unsharp_mask) {
  SharpenControls controls;
  if (unsharp_mask == 0) return controls;
  controls.checked = true;
  for (int i = 0; i < static_cast<int>(std::size(kRadii)); ++i)
    if (RadiusCode(kRadii[i]) == SharpenRadiusCode(unsharp_mask)) controls.radius_index = i;
  for (int i = 0; i < static_cast<int>(std::size(kAmounts)); ++i)
    if (kAmounts[i] == SharpenAmount(unsharp_mask)) controls.amount_index = i;
  return controls;
}

int CopiesFromText(const QString& text) {
  return std::max(1, LeadingWholeNumber(text, kMaxCopies));
}

double LabelWidthMm(const QString& label, const JobSettings& settings) {
  PrintFont font;
  font.name = settings.FontName;
  font.size = settings.FontSize;
  return PageTextWidthMm(kScreenPixelsPerMm, label.trimmed() + u'M', font);
}

bool LabelTooBig(const QString& label, const JobSettings& settings, bool crop_wider_than_high) {
  const double side = crop_wider_than_high ? settings.PhotoWidth() : settings.PhotoHeight();
  const double available = side - (settings.ThumbMode ? 1 : 2) * settings.PhotoMargin();
  return LabelWidthMm(label, settings) * kLabelSafety > available;
}

void LabelLengthWarning::Check(const QString& label, const JobSettings& settings,
                               bool crop_wider_than_high) {
  if (!LabelTooBig(label, settings, crop_wider_than_high)) return;
  CurrentUi().Notice(UiText(kLabelTooBigMessage), MsgIcon::Information);
  warned_ = true;
}

void LabelLengthWarning::OnLabelChanged(const QString& label, const JobSettings& settings,
                                        bool crop_wider_than_high) {
  if (warned_ || settings.ThumbMode) return;
  Check(label, settings, crop_wider_than_high);
}

}  // namespace tessaly
