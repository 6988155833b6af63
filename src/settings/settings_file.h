// The settings file "Tesly.ini" ($XDG_CONFIG_HOME/tessaly/Tesly.ini): classic INI
// text read and written with the profile-file rules. Section and key names match
// without regard to letter case; a missing file, section or key reads as ""; at most
// 999 characters of a value come back; writing creates the file, the section and the
// key as needed, replaces an existing value and keeps every other line as it was,
// and replaces the file in one step so a crash or a full disk never leaves a
// half-written file.
#pragma once

#include <QString>

#include "controls/bounded_file.h"

namespace tessaly {

// Path of the settings file, fixed once per run (tests and the batch command may
// point it elsewhere with SetSettingsFilePath).
QString SettingsFilePath();
void SetSettingsFilePath(const QString& path);

// Whether `file` can be read as the settings file: kRead for a regular file of at
// most 1 MB, otherwise ReadBoundedFile's code and `reason` ("is a folder").
FileRead CheckSettingsFile(const QString& file, QString* reason);

// The stored value, or "" when the key or the file is missing or the file is not a
// regular file of at most 1 MB.
QString ReadIniValue(const QString& section, const QString& key,
                     const QString& file = SettingsFilePath());
// Writes one value; false when the names cannot be stored or the file could not be
// read or written. For a file that could not be read or written, `reason` (when
// given) says why, to follow the file's name: what the file is ("is a folder", see
// ReadBoundedFile) or the system's text of the failed write ("No space left on device").
bool WriteIniValue(const QString& section, const QString& key, const QString& value,
                   const QString& file = SettingsFilePath(), QString* reason = nullptr);

}  // namespace tessaly
