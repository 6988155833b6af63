// Every section, key and default of the settings file in one table, and the typed
// readers and writers the dialogs use on it. Values are text: numbers are read by
// their leading decimal text ("" or non-numeric text reads 0), Booleans are the words
// "True"/"False", check states "0"/"1". A key that is missing or empty reads as its
// default; defaults that depend on the locale (unit, built-in size catalogue) are computed
// when asked for.
#pragma once

#include <QLocale>
#include <QString>
#include <span>

#include "settings/settings_file.h"

namespace tessaly {

inline constexpr char kOptionsSection[] = "Options";
inline constexpr char kThumbOptionsSection[] = "ThumbOptions";
inline constexpr char kPrintOptionsSection[] = "PrintOptions";
inline constexpr char kSaveOptionsSection[] = "SaveOptions";
// The printer profile remembered for each printer (print/printer_profiles.h).
inline constexpr char kPrinterProfilesSection[] = "PrinterProfiles";

enum class SettingType { kInteger, kNumber, kText, kBoolean, kCheckState, kSizeCode };

struct SettingEntry {
  const char* section;
  const char* key;
  SettingType type;
  // The default as text; used when `computed_default` is null.
  const char* fixed_default;
  // Defaults that are known only at run time; gets the entry's section.
  QString (*computed_default)(const QString& section);
  // A stored value of 0 also reads as the default (JPEGQuality).
  bool zero_reads_default;
};

// All entries, grouped by section in the order Options, ThumbOptions, PrintOptions,
// SaveOptions.
std::span<const SettingEntry> SettingsTable();
// The entry of `key` in `section` (names without regard to letter case), or null.
const SettingEntry* FindSettingEntry(const QString& section, const QString& key);
// The entry's default as text; "" for keys that are not in the table.
QString SettingDefault(const QString& section, const QString& key);

// Display unit of a locale: 1 (inches) for the U.S. measurement system, else 0
// (centimetres). The default of Options/Units uses the system locale.
int UnitsForLocale(const QLocale& locale);

// The leading decimal number of a text: blanks, an optional sign, digits, an
// optional point and digits; 0 when the text does not begin with a number.
double LeadingNumber(const QString& text);
// True when the whole text (blanks around it aside) is such a number.
bool IsDecimalNumber(const QString& text);

// Typed readers: the stored value, or the default when the key is missing or empty.
QString ReadTextSetting(const QString& section, const QString& key,
                        const QString& file = SettingsFilePath());
double ReadNumberSetting(const QString& section, const QString& key,
                         const QString& file = SettingsFilePath());
// The number rounded to the nearest integer (halves to even) and kept in int range.
int ReadIntSetting(const QString& section, const QString& key,
                   const QString& file = SettingsFilePath());
// "True"/"False" in any letter case, else a number (non-zero is true); text that is
// neither reads as the default.
bool ReadBoolSetting(const QString& section, const QString& key,
                     const QString& file = SettingsFilePath());
// Checked when the number is non-zero.
bool ReadCheckSetting(const QString& section, const QString& key,
                      const QString& file = SettingsFilePath());

// Typed writers: the same text forms; false when the file could not be written.
bool WriteBoolSetting(const QString& section, const QString& key, bool value,
                      const QString& file = SettingsFilePath());
bool WriteCheckSetting(const QString& section, const QString& key, bool checked,
                       const QString& file = SettingsFilePath());
bool WriteIntSetting(const QString& section, const QString& key, int value,
                     const QString& file = SettingsFilePath());

}  // namespace tessaly
