// Field updates, the contact-sheet margin and the Ok checks of the size editor.
#include "settings/photo_size_editor.h"

#include <cmath>
#include <utility>

#include "controls/formatting.h"
#include "controls/ui_service.h"
#include "controls/units.h"
#include "controls/utils.h"
#include "settings/settings_table.h"

namespace tessaly {
namespace {

using Field = PhotoSizeEditor::Field;

// The contact-sheet minimum is shown to three decimals in inches (0.138).
constexpr double kInchDecimals = 1000.0;

double ToDisplay(double mm, SizeUnit unit) {
  return unit == SizeUnit::Inches ? mm / kMmPerInch : mm / kMmPerCm;
}

double ToMm(double shown, SizeUnit unit) {
  return unit == SizeUnit::Inches ? shown * kMmPerInch : shown * kMmPerCm;
}

bool Refuse(const char* message, Field field, Field* focus) {
  CurrentUi().MessageBox(QString::fromLatin1(message), MsgButtons::Ok, MsgIcon::Exclamation);
  if (focus) *focus = field;
  return false;
}

}  // namespace

PhotoSizeEditor::PhotoSizeEditor(SizeUnit unit, bool thumb_mode, QString caption)
    : unit_(unit), thumb_mode_(thumb_mode), caption_(std::move(caption)) {}

PhotoSizeEditor PhotoSizeEditor::ForAdd(SizeUnit unit, bool thumb_mode) {
  PhotoSizeEditor editor(unit, thumb_mode, QStringLiteral("Add Photo Size"));
  if (thumb_mode) editor.fields_[Field::kMargins] = editor.MinimumMarginText();
  return editor;
}

PhotoSizeEditor PhotoSizeEditor::ForEdit(const PhotoSize& size, SizeUnit unit, bool thumb_mode) {
  PhotoSizeEditor editor(unit, thumb_mode, QStringLiteral("Edit Photo Size"));
  const auto shown = [unit](double mm) {
    const double value = ToDisplay(mm, unit);
    return unit == SizeUnit::Inches ? FormatNumber(value, QStringLiteral("0.00"))
                                    : PointDecimal(value);
  };
  editor.fields_[Field::kPhotoWidth] = shown(size.Width);
  editor.fields_[Field::kPhotoHeight] = shown(size.Height);
  editor.SetText(Field::kMargins, shown(size.Margins));
  return editor;
}

QString PhotoSizeEditor::UnitsText() const {
  return unit_ == SizeUnit::Inches ? QStringLiteral("inches") : QStringLiteral("cm");
}

QString PhotoSizeEditor::ThumbNote() {
  return QStringLiteral("Contact sheet  mode: width and height must be equal (square size)");
}

double PhotoSizeEditor::Value(Field field) const {
  return LeadingNumber(Text(field));
}

void PhotoSizeEditor::Put(Field field, double value) {
  fields_[field] = PointDecimal(value);
}

void PhotoSizeEditor::SetText(Field field, const QString& text) {
  fields_[field] = text;
  if (thumb_mode_ && field == Field::kPhotoHeight) fields_[Field::kPhotoWidth] = text;
  const double twice_margins = 2 * Value(Field::kMargins);
  switch (field) {
    case Field::kPhotoWidth:
    case Field::kPhotoHeight:
    case Field::kMargins:
      Put(Field::kImageWidth, Value(Field::kPhotoWidth) - twice_margins);
      Put(Field::kImageHeight, Value(Field::kPhotoHeight) - twice_margins);
      break;
    case Field::kImageWidth:
      Put(Field::kPhotoWidth, Value(Field::kImageWidth) + twice_margins);
      break;
    case Field::kImageHeight:
      Put(Field::kPhotoHeight, Value(Field::kImageHeight) + twice_margins);
      break;
  }
}

bool PhotoSizeEditor::FilterKey(QChar& key) {
  if (key == QLatin1Char(',')) key = QLatin1Char('.');
  return key == QLatin1Char('.') || (key >= QLatin1Char('0') && key <= QLatin1Char('9'));
}

QString PhotoSizeEditor::MinimumMarginText() const {
  const double shown = ToDisplay(kThumbMinMargin, unit_);
  return PointDecimal(unit_ == SizeUnit::Inches ? std::round(shown * kInchDecimals) / kInchDecimals
                                                : shown);
}

bool PhotoSizeEditor::LeaveMargins() {
  const QString minimum = MinimumMarginText();
  if (!thumb_mode_ || Value(Field::kMargins) >= LeadingNumber(minimum)) return true;
  CurrentUi().MessageBox(QStringLiteral("In thumbnail mode, margins must be at least ") + minimum,
                         MsgButtons::Ok, MsgIcon::Information);
  SetText(Field::kMargins, minimum);
  return false;
}

bool PhotoSizeEditor::Confirm(const PhotoSizeFields& shown, PhotoSize& size, Field* focus) {
  fields_ = shown;
  for (Field field : {Field::kPhotoWidth, Field::kPhotoHeight, Field::kMargins}) {
    if (!IsDecimalNumber(Text(field))) return Refuse("Invalid number", field, focus);
  }
  double width = Value(Field::kPhotoWidth), height = Value(Field::kPhotoHeight);
  const double margins = Value(Field::kMargins);
  if (width <= 0) return Refuse("Invalid size!", Field::kPhotoWidth, focus);
  if (height <= 0) return Refuse("Invalid size!", Field::kPhotoHeight, focus);
  if (2 * margins >= width || 2 * margins >= height)
    return Refuse("Margins too large!", Field::kMargins, focus);
  const PhotoSize result{ToMm(std::max(width, height), unit_), ToMm(std::min(width, height), unit_),
                         ToMm(margins, unit_)};
  QString reason;
  if (!CheckPhotoSize(result, thumb_mode_, reason, unit_)) {
    CurrentUi().MessageBox(reason, MsgButtons::Ok, MsgIcon::Exclamation);
    if (focus) *focus = Field::kPhotoWidth;
    return false;
  }
  // Only an accepted size shows its sides exchanged: a refused one stays as typed.
  if (width < height) std::swap(fields_[Field::kPhotoWidth], fields_[Field::kPhotoHeight]);
  size = result;
  return true;
}

}  // namespace tessaly
