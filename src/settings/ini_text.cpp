// INI lookup and update on the bytes of a settings file; see ini_text.h for the
// line rules. Lines are handled as byte ranges so that an update rewrites only the
// bytes of the one line it changes (or inserts) and copies everything else.
#include "settings/ini_text.h"

#include <QByteArrayView>
#include <algorithm>
#include <vector>

namespace tessaly {
namespace {

// A UTF-8 byte-order mark at the start of the text is not part of the first line.
constexpr QByteArrayView kUtf8Bom("\xEF\xBB\xBF");

enum class LineKind { kOther, kSection, kKey };

struct IniLine {
  qsizetype begin = 0;        // first byte of the line
  qsizetype content_end = 0;  // end of the line without its CR LF or LF
  qsizetype end = 0;          // first byte after the line ending
  LineKind kind = LineKind::kOther;
  QString name;               // section or key name, trimmed
  qsizetype value_begin = 0;  // first byte after '=' (key lines)
};

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

QByteArrayView TrimBlanks(QByteArrayView bytes) {
  while (!bytes.isEmpty() && IsBlank(bytes.front())) bytes = bytes.sliced(1);
  while (!bytes.isEmpty() && IsBlank(bytes.back())) bytes.chop(1);
  return bytes;
}

QString Decode(QByteArrayView bytes) {
  return QString::fromUtf8(bytes);
}

// Splits the text into lines and classifies each one.
std::vector<IniLine> ScanLines(const QByteArray& text) {
  std::vector<IniLine> lines;
  qsizetype pos = 0;
  while (pos < text.size()) {
    IniLine line;
    line.begin = pos;
    const qsizetype newline = text.indexOf('\n', pos);
    line.end = newline < 0 ? text.size() : newline + 1;
    line.content_end = newline < 0 ? text.size() : newline;
    if (line.content_end > line.begin && text[line.content_end - 1] == '\r') --line.content_end;
    pos = line.end;

    qsizetype start = line.begin;
    if (start == 0 && QByteArrayView(text).startsWith(kUtf8Bom)) {
      start = std::min(line.content_end, kUtf8Bom.size());
    }
    const QByteArrayView raw(text.constData() + start, line.content_end - start);
    const QByteArrayView content = TrimBlanks(raw);
    if (content.isEmpty() || content.front() == ';' || content.front() == '#') {
      lines.push_back(line);
      continue;
    }
    if (content.front() == '[') {
      QByteArrayView name = content.sliced(1);
      const qsizetype close = name.indexOf(']');
      if (close >= 0) name = name.first(close);
      line.kind = LineKind::kSection;
      line.name = Decode(TrimBlanks(name));
    } else if (const qsizetype equals = raw.indexOf('='); equals >= 0) {
      const QByteArrayView name = TrimBlanks(raw.first(equals));
      if (!name.isEmpty()) {
        line.kind = LineKind::kKey;
        line.name = Decode(name);
        line.value_begin = start + equals + 1;
      }
    }
    lines.push_back(line);
  }
  return lines;
}

bool SameName(const QString& a, const QString& b) {
  return QString::compare(a, b, Qt::CaseInsensitive) == 0;
}

// The first section named `section`: its header line and the end [header + 1,
// last) of its body, which runs up to the next header.
struct SectionRange {
  std::size_t header = 0;
  std::size_t last = 0;
  bool found = false;
};

SectionRange FindSection(const std::vector<IniLine>& lines, const QString& section) {
  SectionRange range;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].kind != LineKind::kSection || !SameName(lines[i].name, section)) continue;
    range.header = i;
    range.found = true;
    range.last = i + 1;
    while (range.last < lines.size() && lines[range.last].kind != LineKind::kSection) ++range.last;
    break;
  }
  return range;
}

// Index of the first key line named `key` inside the range, or lines.size().
std::size_t FindKey(const std::vector<IniLine>& lines, const SectionRange& range,
                    const QString& key) {
  for (std::size_t i = range.header + 1; i < range.last; ++i) {
    if (lines[i].kind == LineKind::kKey && SameName(lines[i].name, key)) return i;
  }
  return lines.size();
}

bool HasLineBreak(const QString& text) {
  return text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r'));
}

// The line ending the text already uses (that of its first line); LF for a text
// without any.
QByteArray LineEnding(const QByteArray& text) {
  const qsizetype newline = text.indexOf('\n');
  return newline > 0 && text[newline - 1] == '\r' ? QByteArray("\r\n") : QByteArray("\n");
}

// What ends the text's last line when something is added after it: nothing after a
// final LF, the missing LF after a final CR (which is already that line's ending),
// else the text's own line ending.
QByteArray LineBreakToEnd(const QByteArray& text, const QByteArray& eol) {
  if (text.isEmpty() || text.endsWith('\n')) return QByteArray();
  if (text.endsWith('\r')) return QByteArray("\n");
  return eol;
}

}  // namespace

QString FindIniValue(const QByteArray& text, const QString& section, const QString& key) {
  const std::vector<IniLine> lines = ScanLines(text);
  const SectionRange range = FindSection(lines, section.trimmed());
  if (!range.found) return QString();
  const std::size_t index = FindKey(lines, range, key.trimmed());
  if (index == lines.size()) return QString();
  const IniLine& line = lines[index];
  QString value = Decode(TrimBlanks(
      QByteArrayView(text.constData() + line.value_begin, line.content_end - line.value_begin)));
  if (value.size() > kIniValueMaxChars) {
    int keep = kIniValueMaxChars;
    // Never leave half of a surrogate pair at the cut.
    if (value.at(keep - 1).isHighSurrogate()) --keep;
    value.truncate(keep);
  }
  return value;
}

bool SetIniValue(QByteArray& text, const QString& section, const QString& key,
                 const QString& value) {
  const QString section_name = section.trimmed();
  const QString key_name = key.trimmed();
  if (section_name.isEmpty() || HasLineBreak(section_name) ||
      section_name.contains(QLatin1Char(']'))) {
    return false;
  }
  if (key_name.isEmpty() || HasLineBreak(key_name) || key_name.contains(QLatin1Char('=')) ||
      key_name.startsWith(QLatin1Char('[')) || key_name.startsWith(QLatin1Char(';')) ||
      key_name.startsWith(QLatin1Char('#'))) {
    return false;
  }
  if (HasLineBreak(value)) return false;

  const QByteArray eol = LineEnding(text);
  const QByteArray value_bytes = value.toUtf8();
  const QByteArray entry = key_name.toUtf8() + '=' + value_bytes;
  const std::vector<IniLine> lines = ScanLines(text);
  const SectionRange range = FindSection(lines, section_name);

  if (!range.found) {
    text += LineBreakToEnd(text, eol) + '[' + section_name.toUtf8() + ']' + eol + entry + eol;
    return true;
  }

  const std::size_t index = FindKey(lines, range, key_name);
  if (index != lines.size()) {
    const IniLine& line = lines[index];
    text.replace(line.value_begin, line.content_end - line.value_begin, value_bytes);
    return true;
  }

  // A new key goes after the section's last non-blank line, so that blank lines
  // that separate it from the next section stay where they are.
  std::size_t after = range.header;
  for (std::size_t i = range.header + 1; i < range.last; ++i) {
    const IniLine& line = lines[i];
    const QByteArrayView content(text.constData() + line.begin, line.content_end - line.begin);
    if (!TrimBlanks(content).isEmpty()) after = i;
  }
  const IniLine& anchor = lines[after];
  if (text[anchor.end - 1] != '\n') {  // the last line of a text without final newline
    text.insert(anchor.end, LineBreakToEnd(text, eol) + entry);
  } else {
    text.insert(anchor.end, entry + eol);
  }
  return true;
}

}  // namespace tessaly
