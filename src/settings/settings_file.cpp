// The settings file on disk: each read opens, reads and closes the file; each write
// reads the whole text, changes one value with SetIniValue and replaces the file
// with ReplaceFileContent, so the old file stays whole until the new one is complete.
// Only a regular file of at most kMaxSettingsBytes is read.
#include "settings/settings_file.h"

#include <QStandardPaths>

#include "controls/bounded_file.h"
#include "controls/utils.h"
#include "settings/ini_text.h"

namespace tessaly {
namespace {

// The file holds a few hundred short lines; a file of this size is not a settings file.
constexpr qint64 kMaxSettingsBytes = 1024 * 1024;

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

FileRead CheckSettingsFile(const QString& file, QString* reason) {
  QByteArray text;
  return ReadBoundedFile(file, kMaxSettingsBytes, text, reason);
}

QString ReadIniValue(const QString& section, const QString& key, const QString& file) {
  QByteArray text;
  if (ReadBoundedFile(file, kMaxSettingsBytes, text) != FileRead::kRead) return QString();
  return FindIniValue(text, section, key);
}

bool WriteIniValue(const QString& section, const QString& key, const QString& value,
                   const QString& file, QString* reason) {
  // An existing file that cannot be read is left alone rather than replaced by a file
  // that holds only the one new value.
  QByteArray text;
  const FileRead read = ReadBoundedFile(file, kMaxSettingsBytes, text, reason);
  if (read != FileRead::kRead && read != FileRead::kMissing) return false;
  return SetIniValue(text, section, key, value) && ReplaceFileContent(file, text, reason);
}

}  // namespace tessaly
