// What the program remembers for each printer — the printer profile file ("Use
// Profile:"), the paper, media type, print quality and paper source chosen for it —
// in its own section of the settings file so that the print options' keys stay as they are. At
// most kRememberedPrinters printers are kept, each in a numbered slot holding the
// printer's name (control characters dropped, at most kMaxPrinterNameChars) and its
// values; a slot taken over by another printer forgets every value of the old one. A
// remembered profile that is no longer a readable file reads as none.
#pragma once

#include <QString>

#include "settings/settings_file.h"

namespace tessaly {

// Slots of the section: enough for every printer of a home or an office, few enough
// that reading them all on every printer change costs nothing.
inline constexpr int kRememberedPrinters = 16;
// Printer names are compared on at most this many characters.
inline constexpr int kMaxPrinterNameChars = 255;

// The profile remembered for `printer`; "" when there is none or the file is gone.
QString RememberedPrinterProfile(const QString& printer, const QString& file = SettingsFilePath());

// Remembers `profile` for `printer` ("" forgets it): the printer's own slot, else the
// first free one, else the last slot. False when the settings file could not be
// written or the printer has no name.
bool RememberPrinterProfile(const QString& printer, const QString& profile,
                            const QString& file = SettingsFilePath());

// The other remembered values, by kind.
enum class PrinterValue { kPaper, kMediaType, kQuality, kMediaSource };
QString RememberedPrinterValue(const QString& printer, PrinterValue kind,
                               const QString& file = SettingsFilePath());
bool RememberPrinterValue(const QString& printer, PrinterValue kind, const QString& value,
                          const QString& file = SettingsFilePath());

}  // namespace tessaly
