// The table of settings and the typed access to it. The photo-layout keys exist
// twice, once in "Options" for the ordinary layout and once in "ThumbOptions" for
// contact sheets, with the same defaults.
#include "settings/settings_table.h"

#include "settings/photo_sizes.h"

#include <QFont>
#include <QStandardPaths>
#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "controls/units.h"

namespace tessaly {
namespace {

QString DefaultUnits(const QString&) {
  return QString::number(UnitsForLocale(QLocale::system()));
}

// A new font object carries the application's default point size.
QString DefaultFontSize(const QString&) {
  return QString::number(QFont().pointSizeF());
}

// The built-in catalogue of the section's mode in the locale's unit.
QString DefaultUserSizes(const QString& section) {
  const bool thumb_mode =
      section.compare(QLatin1String(kThumbOptionsSection), Qt::CaseInsensitive) == 0;
  const SizeUnit unit =
      UnitsForLocale(QLocale::system()) == kUnitsInches ? SizeUnit::Inches : SizeUnit::Centimetres;
  return DefaultSizeCode(thumb_mode, unit);
}

// The built-in "Print to PDF" printer writes into the user's pictures folder.
QString DefaultPdfFolderSetting(const QString&) {
  return QStandardPaths::writableLocation(QStandardPaths::PicturesLocation) +
         QStringLiteral("/Tessaly");
}

using T = SettingType;

// The photo-layout keys of one section.
// clang-format off
#define TESSALY_LAYOUT_KEYS(section)                                     \
  {section, "PhotoPrintDate", T::kCheckState, "0", nullptr, false},      \
  {section, "PhotoPrintFileName", T::kCheckState, "0", nullptr, false},  \
  {section, "PhotoDrawFrame", T::kCheckState, "0", nullptr, false},      \
  {section, "DrawCropMarks", T::kCheckState, "0", nullptr, false},       \
  {section, "FontName", T::kText, "Arial", nullptr, false},              \
  {section, "FontSize", T::kNumber, "", DefaultFontSize, false},         \
  {section, "FontUnderline", T::kBoolean, "False", nullptr, false},      \
  {section, "FontItalic", T::kBoolean, "False", nullptr, false},         \
  {section, "FontBold", T::kBoolean, "False", nullptr, false},           \
  {section, "FontColor", T::kInteger, "0", nullptr, false},              \
  {section, "Center", T::kCheckState, "0", nullptr, false},              \
  {section, "LayoutMode", T::kInteger, "0", nullptr, false},             \
  {section, "UserSizes", T::kSizeCode, "", DefaultUserSizes, false},     \
  {section, "UserSize", T::kInteger, "0", nullptr, false}
// clang-format on

constexpr auto kTable = std::to_array<SettingEntry>({
    {kOptionsSection, "Units", T::kInteger, "", DefaultUnits, false},
    {kOptionsSection, "DateMask", T::kText, "", nullptr, false},
    {kOptionsSection, "ScreenPhotoSize", T::kInteger, "400", nullptr, false},
    {kOptionsSection, "ThumbMode", T::kBoolean, "False", nullptr, false},
    {kOptionsSection, "InitPath", T::kText, "", nullptr, false},
    {kOptionsSection, "PdfPrinter", T::kCheckState, "1", nullptr, false},
    {kOptionsSection, "PdfFolder", T::kText, "", DefaultPdfFolderSetting, false},
    {kOptionsSection, "LastJobKept", T::kBoolean, "True", nullptr, false},
    {kOptionsSection, "UprightPhotos", T::kBoolean, "True", nullptr, false},
    {kOptionsSection, "SaveGpsPosition", T::kBoolean, "False", nullptr, false},
    TESSALY_LAYOUT_KEYS(kOptionsSection),
    TESSALY_LAYOUT_KEYS(kThumbOptionsSection),
    {kPrintOptionsSection, "ICM", T::kInteger, "0", nullptr, false},
    {kPrintOptionsSection, "Interpolate1", T::kCheckState, "0", nullptr, false},
    {kPrintOptionsSection, "Interpolate2", T::kCheckState, "0", nullptr, false},
    {kPrintOptionsSection, "InterpolVal1", T::kNumber, "", nullptr, false},
    {kPrintOptionsSection, "InterpolVal2", T::kNumber, "", nullptr, false},
    {kPrintOptionsSection, "Sharpen", T::kCheckState, "0", nullptr, false},
    {kPrintOptionsSection, "SpoolWait", T::kNumber, "0", nullptr, false},
    {kSaveOptionsSection, "SaveInFolder", T::kText, "", nullptr, false},
    {kSaveOptionsSection, "JPEGQuality", T::kInteger, "90", nullptr, true},
    {kSaveOptionsSection, "SaveAsType", T::kInteger, "0", nullptr, false},
    {kSaveOptionsSection, "RenameAs", T::kText, "", nullptr, false},
    {kSaveOptionsSection, "Interpolate1", T::kCheckState, "0", nullptr, false},
    {kSaveOptionsSection, "Interpolate2", T::kCheckState, "0", nullptr, false},
    {kSaveOptionsSection, "InterpolVal1", T::kNumber, "", nullptr, false},
    {kSaveOptionsSection, "InterpolVal2", T::kNumber, "", nullptr, false},
    {kSaveOptionsSection, "Sharpen", T::kCheckState, "0", nullptr, false},
});

#undef TESSALY_LAYOUT_KEYS

// The stored text, or the default when it is missing or blank.
QString StoredOrDefault(const QString& section, const QString& key, const QString& file) {
  const QString stored = ReadIniValue(section, key, file);
  return stored.trimmed().isEmpty() ? SettingDefault(section, key) : stored;
}

}  // namespace

std::span<const SettingEntry> SettingsTable() {
  return kTable;
}

const SettingEntry* FindSettingEntry(const QString& section, const QString& key) {
  for (const SettingEntry& entry : kTable) {
    if (QString::compare(QLatin1String(entry.section), section, Qt::CaseInsensitive) == 0 &&
        QString::compare(QLatin1String(entry.key), key, Qt::CaseInsensitive) == 0) {
      return &entry;
    }
  }
  return nullptr;
}

QString SettingDefault(const QString& section, const QString& key) {
  const SettingEntry* entry = FindSettingEntry(section, key);
  if (entry == nullptr) return QString();
  if (entry->computed_default != nullptr) {
    return entry->computed_default(QLatin1String(entry->section));
  }
  return QLatin1String(entry->fixed_default);
}

int UnitsForLocale(const QLocale& locale) {
  return locale.measurementSystem() == QLocale::ImperialUSSystem ? kUnitsInches : 0;
}

namespace {

// True, with the number and where it ends, when the text begins with a decimal
// number.
bool ParseLeadingNumber(const QString& text, double& number, qsizetype& end) {
  number = 0.0;
  qsizetype i = 0;
  const qsizetype n = text.size();
  while (i < n && (text[i] == QLatin1Char(' ') || text[i] == QLatin1Char('\t'))) ++i;
  const qsizetype start = i;
  if (i < n && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+'))) ++i;
  bool digits = false;
  while (i < n && text[i].isDigit() && text[i].unicode() < 0x80) {
    ++i;
    digits = true;
  }
  if (i < n && text[i] == QLatin1Char('.')) {
    ++i;
    while (i < n && text[i].isDigit() && text[i].unicode() < 0x80) {
      ++i;
      digits = true;
    }
  }
  if (!digits) return false;
  bool ok = false;
  const double value = text.mid(start, i - start).toDouble(&ok);
  if (ok && std::isfinite(value)) number = value;
  end = i;
  return true;
}

}  // namespace

double LeadingNumber(const QString& text) {
  double number = 0.0;
  qsizetype end = 0;
  ParseLeadingNumber(text, number, end);
  return number;
}

bool IsDecimalNumber(const QString& text) {
  double number = 0.0;
  qsizetype end = 0;
  return ParseLeadingNumber(text, number, end) && text.mid(end).trimmed().isEmpty();
}

QString ReadTextSetting(const QString& section, const QString& key, const QString& file) {
  return StoredOrDefault(section, key, file);
}

double ReadNumberSetting(const QString& section, const QString& key, const QString& file) {
  const double value = LeadingNumber(StoredOrDefault(section, key, file));
  const SettingEntry* entry = FindSettingEntry(section, key);
  if (value == 0.0 && entry != nullptr && entry->zero_reads_default) {
    return LeadingNumber(SettingDefault(section, key));
  }
  return value;
}

// The stored value becomes a whole number before the zero test, so "0.4" reads as
// the default of a key whose zero means the default, as a stored 0 does.
int ReadIntSetting(const QString& section, const QString& key, const QString& file) {
  constexpr double kLow = std::numeric_limits<int>::min();
  constexpr double kHigh = std::numeric_limits<int>::max();
  const double value = std::nearbyint(ReadNumberSetting(section, key, file));
  const SettingEntry* entry = FindSettingEntry(section, key);
  if (value == 0.0 && entry != nullptr && entry->zero_reads_default) {
    return static_cast<int>(std::nearbyint(LeadingNumber(SettingDefault(section, key))));
  }
  return static_cast<int>(std::clamp(value, kLow, kHigh));
}

bool ReadBoolSetting(const QString& section, const QString& key, const QString& file) {
  const QString text = StoredOrDefault(section, key, file).trimmed();
  if (text.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0) return true;
  if (text.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0) return false;
  double number = 0.0;
  qsizetype end = 0;
  if (ParseLeadingNumber(text, number, end)) return number != 0.0;
  const QString fallback = SettingDefault(section, key);
  return fallback.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0;
}

bool ReadCheckSetting(const QString& section, const QString& key, const QString& file) {
  return ReadNumberSetting(section, key, file) != 0.0;
}

bool WriteBoolSetting(const QString& section, const QString& key, bool value, const QString& file) {
  return WriteIniValue(section, key, value ? QStringLiteral("True") : QStringLiteral("False"),
                       file);
}

bool WriteCheckSetting(const QString& section, const QString& key, bool checked,
                       const QString& file) {
  return WriteIniValue(section, key, checked ? QStringLiteral("1") : QStringLiteral("0"), file);
}

bool WriteIntSetting(const QString& section, const QString& key, int value, const QString& file) {
  return WriteIniValue(section, key, QString::number(value), file);
}

}  // namespace tessaly
