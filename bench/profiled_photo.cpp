// Profiled synthetic photo: the plain synthetic JPEG's bytes with the profile
// segments spliced in; the compressed image data is not touched.
#include "profiled_photo.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <algorithm>
#include <cstdio>

#include "colour/colour_profiles.h"
#include "synthetic_photo.h"

namespace tessaly::bench {
namespace {

// JPEG markers: start of image and the two application segments involved.
constexpr unsigned char kMarkerPrefix = 0xFF;
constexpr unsigned char kStartOfImage = 0xD8;
constexpr unsigned char kApp0 = 0xE0;
constexpr unsigned char kApp2 = 0xE2;
// Identifier that opens every ICC segment, its terminating NUL included.
constexpr char kIccIdentifier[] = "ICC_PROFILE";
constexpr int kIccIdentifierBytes = sizeof kIccIdentifier;
// A segment's length field counts itself (2 bytes) and tops out at 65,535; with the
// identifier and the chunk number and count bytes that leaves 65,519 for the profile.
constexpr int kMaxSegmentLength = 65535;
constexpr int kIccChunkOverhead = 2 + kIccIdentifierBytes + 2;
constexpr int kMaxIccChunk = kMaxSegmentLength - kIccChunkOverhead;
static_assert(kMaxIccChunk == 65519);
// The chunk count is one byte.
constexpr int kMaxIccChunks = 255;

int SegmentLengthAt(const QByteArray& jpeg, qsizetype at) {
  return (static_cast<unsigned char>(jpeg[at]) << 8) | static_cast<unsigned char>(jpeg[at + 1]);
}

}  // namespace

QString AdobeCompatibleProfilePath() {
  return QDir(ColourDirectory()).filePath(QStringLiteral("compatibleWithAdobeRGB1998.icc"));
}

QString SrgbProfilePath() {
  return QDir(ColourDirectory()).filePath(QStringLiteral("sRGB.icc"));
}

QByteArray EmbedIccProfile(const QByteArray& jpeg, const QByteArray& profile) {
  if (jpeg.size() < 2 || static_cast<unsigned char>(jpeg[0]) != kMarkerPrefix ||
      static_cast<unsigned char>(jpeg[1]) != kStartOfImage)
    return {};
  const qsizetype chunks =
      std::max<qsizetype>(1, (profile.size() + kMaxIccChunk - 1) / kMaxIccChunk);
  if (chunks > kMaxIccChunks) return {};

  // A JFIF header must stay right after the start of image, so the profile follows it.
  qsizetype insert_at = 2;
  if (jpeg.size() >= 6 && static_cast<unsigned char>(jpeg[2]) == kMarkerPrefix &&
      static_cast<unsigned char>(jpeg[3]) == kApp0) {
    const qsizetype after = 4 + SegmentLengthAt(jpeg, 4);
    if (after <= jpeg.size()) insert_at = after;
  }

  QByteArray out;
  out.reserve(jpeg.size() + profile.size() + chunks * (kIccChunkOverhead + 2));
  out.append(jpeg.constData(), insert_at);
  for (qsizetype i = 0; i < chunks; ++i) {
    const qsizetype begin = i * kMaxIccChunk;
    const qsizetype bytes = std::min<qsizetype>(kMaxIccChunk, profile.size() - begin);
    const qsizetype length = kIccChunkOverhead + bytes;
    out.append(static_cast<char>(kMarkerPrefix));
    out.append(static_cast<char>(kApp2));
    out.append(static_cast<char>(length >> 8));
    out.append(static_cast<char>(length & 0xFF));
    out.append(kIccIdentifier, kIccIdentifierBytes);
    out.append(static_cast<char>(i + 1));
    out.append(static_cast<char>(chunks));
    out.append(profile.constData() + begin, bytes);
  }
  out.append(jpeg.constData() + insert_at, jpeg.size() - insert_at);
  return out;
}

const std::string& ProfiledJpegPath() {
  static const std::string path = []() -> std::string {
    const QString file = QDir::temp().filePath("tessaly-bench-6000x4000-q92-adobergb.jpg");
    if (QFile::exists(file)) return file.toStdString();
    QFile profile_file(AdobeCompatibleProfilePath());
    QFile plain_file(QString::fromStdString(SyntheticJpegPath()));
    if (!profile_file.open(QIODevice::ReadOnly) || !plain_file.open(QIODevice::ReadOnly)) {
      std::fprintf(stderr, "profiled JPEG: cannot read %s or the synthetic photo\n",
                   qPrintable(profile_file.fileName()));
      return {};
    }
    const QByteArray profiled = EmbedIccProfile(plain_file.readAll(), profile_file.readAll());
    QSaveFile out(file);
    if (profiled.isEmpty() || !out.open(QIODevice::WriteOnly) ||
        out.write(profiled) != profiled.size() || !out.commit()) {
      std::fprintf(stderr, "profiled JPEG: cannot write %s\n", qPrintable(file));
      return {};
    }
    return file.toStdString();
  }();
  return path;
}

}  // namespace tessaly::bench
