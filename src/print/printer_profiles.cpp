// The per-printer slots of the settings file: Printer<N> names the printer, Profile<N>,
// Paper<N>, MediaType<N>, Quality<N> and MediaSource<N> hold its values.
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

// The key prefixes of a slot's values, the profile first.
constexpr const char* kValueKeys[] = {"Profile", "Paper", "MediaType", "Quality", "MediaSource"};

QString PrinterKey(int slot) {
  return QStringLiteral("Printer%1").arg(slot);
}
QString ValueKey(const char* kind, int slot) {
  return QLatin1String(kind) + QString::number(slot);
}
const char* KindKey(PrinterValue kind) {
  return kValueKeys[1 + static_cast<int>(kind)];
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

// The value under `kind` remembered for `printer`; "" when none.
QString Remembered(const QString& printer, const char* kind, const QString& file) {
  const QString name = SlotName(printer);
  if (name.isEmpty()) return {};
  bool found = false;
  const int slot = SlotOf(name, file, found);
  if (!found) return {};
  return ReadIniValue(QLatin1String(kPrinterProfilesSection), ValueKey(kind, slot), file);
}

bool Remember(const QString& printer, const char* kind, const QString& value, const QString& file) {
  const QString name = SlotName(printer);
  if (name.isEmpty()) return false;
  const QString section = QLatin1String(kPrinterProfilesSection);
  bool found = false;
  const int slot = SlotOf(name, file, found);
  if (!found) {
    if (value.isEmpty()) return true;
    // A slot taken over loses its old values before it gets the new name, so that a
    // failed write never leaves one printer's values under another's name.
    for (const char* key : kValueKeys) {
      if (!WriteIniValue(section, ValueKey(key, slot), QString(), file)) return false;
    }
    if (!WriteIniValue(section, PrinterKey(slot), name, file)) return false;
  }
  return WriteIniValue(section, ValueKey(kind, slot), value, file);
}

}  // namespace

QString RememberedPrinterProfile(const QString& printer, const QString& file) {
  const QString profile = Remembered(printer, kValueKeys[0], file);
  const QFileInfo info(profile);
  return !profile.isEmpty() && info.isFile() && info.isReadable() ? profile : QString();
}

bool RememberPrinterProfile(const QString& printer, const QString& profile, const QString& file) {
  return Remember(printer, kValueKeys[0], profile, file);
}

QString RememberedPrinterValue(const QString& printer, PrinterValue kind, const QString& file) {
  return Remembered(printer, KindKey(kind), file);
}

bool RememberPrinterValue(const QString& printer, PrinterValue kind, const QString& value,
                          const QString& file) {
  return Remember(printer, KindKey(kind), value, file);
}

}  // namespace tessaly
