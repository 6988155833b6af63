// Lists, opening values, date example and the Ok step of the preferences.
#include "job/preferences.h"

#include "controls/formatting.h"
#include "controls/ui_service.h"
#include "settings/settings_table.h"

namespace tessaly {
namespace {

// The first date-mask entry shows its example in this form.
constexpr char kGeneralDate[] = "General Date";
// Digits of a screen size typed into the list: more cannot be a screen size.
constexpr int kMaxScreenSizeDigits = 5;

}  // namespace

const QStringList& UnitTexts() {
  static const QStringList texts = {QStringLiteral("Metric"), QStringLiteral("U.S. (Inches)")};
  return texts;
}

const QStringList& DateMaskTexts() {
  static const QStringList texts = {
      QStringLiteral("Short Date"),  QStringLiteral("Medium Date"),
      QStringLiteral("Long Date"),   QStringLiteral("General Date"),
      QStringLiteral("dd-mm-yyyy "), QStringLiteral("dd-mm-yyyy h:N"),
      QStringLiteral("mm-dd-yyyy"),  QStringLiteral("mm-dd-yyyy h:N")};
  return texts;
}

const QStringList& ScreenPhotoSizeTexts() {
  static const QStringList texts = {
      QStringLiteral("400"), QStringLiteral("440"), QStringLiteral("480"), QStringLiteral("500"),
      QStringLiteral("520"), QStringLiteral("540"), QStringLiteral("560"), QStringLiteral("600"),
      QStringLiteral("650"), QStringLiteral("700")};
  return texts;
}

PreferencesFields OpenPreferences(const JobSettings& settings, const QString& file) {
  PreferencesFields fields;
  fields.unit_index = settings.Units == 1 ? 1 : 0;
  fields.date_mask = settings.DateMask.isEmpty() ? DateMaskTexts().first() : settings.DateMask;
  fields.screen_size = settings.ScreenPhotoSize == 0 ? ScreenPhotoSizeTexts().first()
                                                     : QString::number(settings.ScreenPhotoSize);
  fields.upright = ReadBoolSetting(QLatin1String(kOptionsSection), "UprightPhotos", file);
  fields.save_gps = settings.SaveGpsPosition;
  return fields;
}

QString DateExample(const QString& date_mask, const QDateTime& now) {
  const QString mask =
      date_mask == DateMaskTexts().first() ? QString::fromLatin1(kGeneralDate) : date_mask;
  return QStringLiteral(" Ex: ") + FormatDate(now, mask.left(kMaxDateMaskLength));
}

void ApplyPreferences(const PreferencesFields& fields, JobSettings& settings, const QString& file) {
  const QString options = QLatin1String(kOptionsSection);
  const QString mask = fields.date_mask.left(kMaxDateMaskLength);
  if (mask != settings.DateMask) {
    settings.DateMask = mask;
    WriteIniValue(options, QStringLiteral("DateMask"), mask, file);
  }
  const QString size = fields.screen_size.trimmed().left(kMaxScreenSizeDigits);
  if (static_cast<int>(LeadingNumber(size)) != settings.ScreenPhotoSize) {
    CurrentUi().MessageBox(QString::fromLatin1(kScreenSizeNextTimeMessage), MsgButtons::Ok,
                           MsgIcon::Information);
    WriteIniValue(options, QStringLiteral("ScreenPhotoSize"), size, file);
  }
  if (fields.upright != ReadBoolSetting(options, "UprightPhotos", file)) {
    CurrentUi().MessageBox(QString::fromLatin1(kUprightNextTimeMessage), MsgButtons::Ok,
                           MsgIcon::Information);
    WriteBoolSetting(options, "UprightPhotos", fields.upright, file);
  }
  if (fields.save_gps != settings.SaveGpsPosition) {
    settings.SaveGpsPosition = fields.save_gps;
    WriteBoolSetting(options, "SaveGpsPosition", fields.save_gps, file);
  }
  const int unit = fields.unit_index == 1 ? 1 : 0;
  if (unit != settings.Units) {
    settings.Units = unit;
    WriteIntSetting(options, QStringLiteral("Units"), unit, file);
  }
}

}  // namespace tessaly
