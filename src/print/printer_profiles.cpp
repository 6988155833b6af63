// The per-printer profile slots of the settings file.
#include "print/printer_profiles.h"

#include <QFileInfo>

#include "settings/settings_table.h"

namespace tessaly {
namespace {

// The name as a slot stores it: one line, trimmed, bounded.
QString SlotName(const QString& printer) {
  QString name;
  for (const QChar c : printer)
    if (!c.isNull() && c.category() != QChar::Other_Control) name += c;
  return name.trimmed().left(kMaxPrinterNameChars);
}

QString PrinterKey(int slot) {
  return QStringLiteral("Printer%1").arg(slot);
}
QString ProfileKey(int slot) {
  return QStringLiteral("Profile%1").arg(slot);
}

// The slot (1-based) that holds `name`, with `found` true; else the first free slot,
// or the last one when every slot is taken, with `found` false.
int SlotOf(const QString& name, const QString& file, bool& found) {
  const QString section = QLatin1String(kPrinterProfilesSection);
  for (int slot = 1; slot <= kRememberedPrinters; ++slot) {
    const QString stored = ReadIniValue(section, PrinterKey(slot), file);
    if (stored.isEmpty() || stored == name) {
      found = !stored.isEmpty();
      return slot;
    }
  }
  found = false;
  return kRememberedPrinters;
}

}  // namespace

QString RememberedPrinterProfile(const QString& printer, const QString& file) {
  const QString name = SlotName(printer);
  if (name.isEmpty()) return {};
  bool found = false;
  const int slot = SlotOf(name, file, found);
  if (!found) return {};
  const QString profile =
      ReadIniValue(QLatin1String(kPrinterProfilesSection), ProfileKey(slot), file);
  const QFileInfo info(profile);
  return !profile.isEmpty() && info.isFile() && info.isReadable() ? profile : QString();
}

bool RememberPrinterProfile(const QString& printer, const QString& profile, const QString& file) {
  const QString name = SlotName(printer);
  if (name.isEmpty()) return false;
  const QString section = QLatin1String(kPrinterProfilesSection);
  bool found = false;
  const int slot = SlotOf(name, file, found);
  if (!found) {
    if (profile.isEmpty()) return true;
    // A slot taken over loses its old profile before it gets the new name, so that a
    // failed write never leaves one printer's profile under another's name.
    if (!WriteIniValue(section, ProfileKey(slot), QString(), file) ||
        !WriteIniValue(section, PrinterKey(slot), name, file))
      return false;
  }
  return WriteIniValue(section, ProfileKey(slot), profile, file);
}

}  // namespace tessaly
