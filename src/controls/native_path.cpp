// Byte-exact file names in QStrings: stray bytes as lone surrogates U+DC80..U+DCFF.
#include "controls/native_path.h"

#include <dirent.h>
#include <sys/stat.h>

#include <QDir>
#include <memory>

namespace tessaly {
namespace {

constexpr char16_t kEscapeBase = 0xDC00;
constexpr char16_t kReplacement = 0xFFFD;

// Length of the valid UTF-8 sequence at bytes[i] and its code point; 0 when the byte
// there starts none (stray continuation, overlong form, surrogate, above U+10FFFF, cut
// short).
int Utf8Sequence(QByteArrayView bytes, qsizetype i, char32_t& code) {
  const auto byte = [&](qsizetype k) { return static_cast<unsigned char>(bytes[k]); };
  const unsigned char lead = byte(i);
  int length = 0;
  char32_t min = 0;
  if (lead < 0x80) {
    code = lead;
    return 1;
  }
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, code = lead & 0x1F, min = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, code = lead & 0x0F, min = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, code = lead & 0x07, min = 0x10000;
  } else {
    return 0;
  }
  if (i + length > bytes.size()) return 0;
  for (int k = 1; k < length; ++k) {
    const unsigned char next = byte(i + k);
    if ((next & 0xC0) != 0x80) return 0;
    code = (code << 6) | (next & 0x3F);
  }
  if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
  return length;
}

bool IsEscape(QStringView text, qsizetype i) {
  const char16_t unit = text[i].unicode();
  if (unit < kEscapeBase + 0x80 || unit > kEscapeBase + 0xFF) return false;
  return i == 0 || !text[i - 1].isHighSurrogate();
}

}  // namespace

QString PathFromNative(QByteArrayView bytes) {
  QString text;
  text.reserve(bytes.size());
  for (qsizetype i = 0; i < bytes.size();) {
    char32_t code = 0;
    const int length = Utf8Sequence(bytes, i, code);
    if (length == 0) {
      text += QChar(static_cast<char16_t>(kEscapeBase + static_cast<unsigned char>(bytes[i])));
      ++i;
      continue;
    }
    if (QChar::requiresSurrogates(code)) {
      text += QChar(QChar::highSurrogate(code));
      text += QChar(QChar::lowSurrogate(code));
    } else {
      text += QChar(static_cast<char16_t>(code));
    }
    i += length;
  }
  return text;
}

QByteArray NativePath(const QString& path) {
  QByteArray bytes;
  bytes.reserve(path.size());
  qsizetype run = 0;  // start of the text not yet converted
  for (qsizetype i = 0; i < path.size(); ++i) {
    if (!IsEscape(path, i)) continue;
    bytes += QStringView(path).sliced(run, i - run).toUtf8();
    bytes += static_cast<char>(path[i].unicode() - kEscapeBase);
    run = i + 1;
  }
  bytes += QStringView(path).sliced(run).toUtf8();
  return bytes;
}

QStringList NativeArguments(int argc, const char* const* argv) {
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments << PathFromNative(argv[i]);
  return arguments;
}

QString AbsolutePath(const QString& path) {
  if (path.isEmpty()) return path;
  return QDir::cleanPath(QDir::isAbsolutePath(path) ? path : QDir::currentPath() + u'/' + path);
}

bool NativeStat(const QString& path, struct stat& info) {
  const QByteArray name = NativePath(path);
  return !name.isEmpty() && ::stat(name.constData(), &info) == 0;
}

bool IsRegularFile(const QString& path) {
  struct stat info {};
  return NativeStat(path, info) && S_ISREG(info.st_mode);
}

QString LocalFileOf(const QUrl& url) {
  // QUrl keeps a percent-encoded byte that is not UTF-8 encoded; toLocalFile() would
  // replace it.
  return PathFromNative(QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1()));
}

QString ExistingNativePath(const QString& path) {
  struct stat info {};
  if (!path.contains(QChar(kReplacement)) || NativeStat(path, info)) return path;
  const QStringList parts = AbsolutePath(path).split(u'/');
  QString found;
  for (const QString& part : parts) {
    if (!found.isEmpty() || !part.isEmpty()) found += u'/';
    if (!part.contains(QChar(kReplacement))) {
      found += part;
      continue;
    }
    const std::unique_ptr<DIR, int (*)(DIR*)> folder(::opendir(NativePath(found).constData()),
                                                     ::closedir);
    if (!folder) return path;
    QString match;
    int matches = 0;
    while (const dirent* entry = ::readdir(folder.get())) {
      if (QString::fromUtf8(entry->d_name) != part) continue;
      match = PathFromNative(entry->d_name);
      if (++matches > 1) return path;
    }
    if (matches != 1) return path;
    found += match;
  }
  return found;
}

}  // namespace tessaly
