// INI text in memory: the lookup and the one-value update behind the settings file,
// kept apart from file access so that they can be tested and fuzzed on bytes.
// Lines: "[name]" opens a section (the name ends at the first ']', or at the line's
// end when there is none); "name=value" is a key; a line whose first non-blank
// character is ';' or '#', a line without '=', a key line with an empty name and
// every line before the first section are never matched and always kept as they are.
// Names and values are trimmed of blanks and tabs; names match without regard to
// letter case; when a section or a key occurs twice, the first one counts.
#pragma once

#include <QByteArray>
#include <QString>

namespace tessaly {

// Longest value that comes back from a read, in UTF-16 code units: the profile
// functions read into a 1000-character buffer that keeps a terminating zero.
inline constexpr int kIniValueMaxChars = 999;

// The value of `key` in `section` of the INI text, cut to kIniValueMaxChars; ""
// when the section or the key is missing. The text is taken as UTF-8.
QString FindIniValue(const QByteArray& text, const QString& section, const QString& key);

// Sets `key` in `section` to `value`: the first matching key line gets the new
// value (its name as spelled in the text and its line ending are kept); a missing
// key is added after the last non-blank line of the section; a missing section is
// added at the end. Every other byte of the text stays as it was. False, with the
// text untouched, when a name or the value cannot be stored on one line (line
// breaks, a section name with ']', a key name that is empty, holds '=' or begins
// with '[', ';' or '#').
bool SetIniValue(QByteArray& text, const QString& section, const QString& key,
                 const QString& value);

}  // namespace tessaly
