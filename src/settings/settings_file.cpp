// The settings file on disk: each read opens, reads and closes the file; each write
// reads the whole text, changes one value with SetIniValue and replaces the file
// with ReplaceFileContent, so the old file stays whole until the new one is complete.
#include "settings/settings_file.h"

#include <QFile>
#include <QStandardPaths>

#include "controls/utils.h"
#include "settings/ini_text.h"

namespace tessaly {
namespace {

QString& SettingsPathStorage() {
  static QString path = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                        QStringLiteral("/tessaly/Tesly.ini");
  return path;
}

}  // namespace

QString SettingsFilePath() {
  return SettingsPathStorage();
}

void SetSettingsFilePath(const QString& path) {
  SettingsPathStorage() = path;
}

QString ReadIniValue(const QString& section, const QString& key, const QString& file) {
  QFile in(file);
  if (!in.open(QIODevice::ReadOnly)) return QString();
  return FindIniValue(in.readAll(), section, key);
}

bool WriteIniValue(const QString& section, const QString& key, const QString& value,
                   const QString& file, QString* reason) {
  QByteArray text;
  QFile in(file);
  if (in.exists()) {
    // An existing file that cannot be read is left alone rather than replaced by
    // a file that holds only the one new value.
    if (!in.open(QIODevice::ReadOnly)) return false;
    text = in.readAll();
    if (in.error() != QFileDevice::NoError) return false;
    in.close();
  }
  return SetIniValue(text, section, key, value) && ReplaceFileContent(file, text, reason);
}

}  // namespace tessaly
