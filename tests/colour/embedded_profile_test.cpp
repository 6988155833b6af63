// Embedded profile extraction from JPEG and TIFF files built byte by byte:
// single and split APP2 chunks with every way a chunk sequence can break, the
// segment walk's stopping rules, the first-directory TIFF rule in both byte
// orders, dispatch by extension, and JPEG profiles beyond the first bytes read.
#include "colour/embedded_profile.h"

#include <gtest/gtest.h>

#include <QDir>
#include <array>
#include <cstdint>
#include <tuple>
#include <vector>

#include "colour/icc_test_profiles.h"
#include "support/scoped_state.h"
#include "support/test_surfaces.h"

namespace tessaly::test {
namespace {

// `v` as a field of `bytes` bytes, big-endian unless `le`.
QByteArray Field(std::uint32_t v, int bytes, bool le = false) {
  QByteArray out;
  for (int i = 0; i < bytes; ++i) out.append(static_cast<char>(v >> 8 * (le ? i : bytes - 1 - i)));
  return out;
}

const QByteArray kSoi("\xFF\xD8", 2);
const QByteArray kApp0 =
    QByteArray("\xFF\xE0", 2) + Field(16, 2) + QByteArray("JFIF\0\1\1\0\0\1\0\1\0\0", 14);
const QByteArray kApp1 =
    QByteArray("\xFF\xE1", 2) + Field(12, 2) + QByteArray("Exif\0\0MM\0\x2A", 10);
const QByteArray kDqt = QByteArray("\xFF\xDB", 2) + Field(4, 2) + QByteArray(2, '\0');
const QByteArray kEoi("\xFF\xD9", 2);
constexpr auto Chunk = IccChunk;

// Profile data whose bytes differ from chunk to chunk, so a lost or repeated
// chunk shows in the result.
QByteArray Part(char tag, int size) {
  QByteArray part(size, tag);
  for (int i = 0; i < size; ++i) part[i] = static_cast<char>(tag + i % 7);
  return part;
}

// {name, file, code, profile}
using Case = std::tuple<const char*, QByteArray, int, QByteArray>;

TEST(EmbeddedProfileTest, JpegChunkSequences) {
  const QByteArray a = Part('a', 40), b = Part('k', 255), c = Part('v', 3);
  const std::vector<Case> cases = {
      {"one chunk after APP0 and APP1", kSoi + kApp0 + kApp1 + Chunk(1, 1, a) + kDqt + kEoi, 1, a},
      {"three chunks in order",
       kSoi + kApp0 + Chunk(1, 3, a) + Chunk(2, 3, b) + Chunk(3, 3, c) + kDqt, 1, a + b + c},
      {"first number not checked", kSoi + Chunk(4, 2, a) + Chunk(5, 2, b) + kDqt, 1, a + b},
      {"count 0 reads one chunk", kSoi + Chunk(1, 0, a) + Chunk(2, 0, b) + kDqt, 1, a},
      {"empty chunk data", kSoi + Chunk(1, 1, QByteArray()) + kDqt, 1, QByteArray()},
      {"second chunk numbered 3", kSoi + Chunk(1, 3, a) + Chunk(3, 3, b) + Chunk(2, 3, c) + kDqt,
       -3, ""},
      {"chunk missing at the end", kSoi + Chunk(1, 3, a) + Chunk(2, 3, b) + kDqt, -3, ""},
      {"total changes", kSoi + Chunk(1, 2, a) + Chunk(2, 3, b) + Chunk(3, 3, c) + kDqt, -3, ""},
      {"chunk duplicated", kSoi + Chunk(1, 3, a) + Chunk(1, 3, a) + Chunk(2, 3, b) + kDqt, -3, ""},
      {"segment between chunks", kSoi + Chunk(1, 2, a) + kApp0 + Chunk(2, 2, b) + kDqt, -3, ""},
      {"quantization table first", kSoi + kDqt + Chunk(1, 1, a) + kEoi, 0, ""},
      {"DB without the FF marker is no table",
       kSoi + kApp0 + QByteArray("\xFE\xDB", 2) + Field(4, 2) + QByteArray(2, '\0') +
           Chunk(1, 1, a) + kDqt,
       1, a},
      {"profile after the quantization table", kSoi + kApp0 + kDqt + Chunk(1, 1, a), 0, ""},
      {"other APP2 segment",
       kSoi + QByteArray("\xFF\xE2", 2) + Field(18, 2) + "ICC_PROFILX" + QByteArray(5, '\1') + kDqt,
       0, ""},
      {"chunk data cut by the file end", (kSoi + Chunk(1, 1, a)).chopped(5), 0, ""},
      {"chunk length below its header",
       kSoi + QByteArray("\xFF\xE2", 2) + Field(10, 2) + QByteArray("ICC_PROFILE\0\1\1", 14) + kDqt,
       0, ""},
      {"segment length past the end", kSoi + QByteArray("\xFF\xE0\xFF\xF0", 4), 0, ""},
      {"no start marker", QByteArray("\xFF\xD9\xFF\xE0", 4) + Chunk(1, 1, a), -1, ""},
      {"too short", QByteArray("\xFF\xD8\xFF", 3), -1, ""}};
  for (const auto& [name, file, code, expected] : cases) {
    SCOPED_TRACE(name);
    QByteArray profile("left over");
    EXPECT_EQ(ExtractJpegProfile(file, profile), code);
    EXPECT_EQ(profile, expected);
  }
}

// A TIFF directory entry: tag, type, count, value.
using Entry = std::array<std::uint32_t, 4>;

// A TIFF directory in the byte order `le` says, pointing to the directory at `next`.
QByteArray TiffDirectory(bool le, const std::vector<Entry>& entries, std::uint32_t next) {
  QByteArray out = Field(static_cast<std::uint32_t>(entries.size()), 2, le);
  for (const auto& [tag, type, count, value] : entries)
    out += Field(tag, 2, le) + Field(type, 2, le) + Field(count, 4, le) + Field(value, 4, le);
  return out + Field(next, 4, le);
}

// A TIFF header pointing to the first directory.
QByteArray TiffHeader(bool le, std::uint32_t first_directory) {
  return QByteArray(le ? "II" : "MM") + Field(42, 2, le) + Field(first_directory, 4, le);
}

TEST(EmbeddedProfileTest, TiffFirstDirectoryOnly) {
  const QByteArray icc = Part('p', 29);
  for (const bool le : {true, false}) {
    SCOPED_TRACE(le ? "II" : "MM");
    // Layout: header (8), profile bytes at 8, first directory after them.
    const std::uint32_t dir = 8 + static_cast<std::uint32_t>(icc.size());
    const auto file_with = [&](const std::vector<Entry>& entries) {
      return TiffHeader(le, dir) + icc + TiffDirectory(le, entries, 0);
    };
    const std::uint32_t n = static_cast<std::uint32_t>(icc.size());
    const std::uint32_t second = dir + 2 + 12 + 4;
    // A file without the profile, and a copy with byte `at` replaced.
    const QByteArray good = file_with({});
    const auto with = [](QByteArray b, int at, char v) {
      b[at] = v;
      return b;
    };
    const std::vector<Case> cases = {
        {"tag after other entries",
         file_with({{256, 3, 1, 640}, {257, 4, 1, 480}, {34675, 7, n, 8}}), 1, icc},
        {"part of the bytes", file_with({{34675, 7, 5, 10}}), 1, icc.mid(2, 5)},
        {"other type ignored", file_with({{34675, 1, n, 8}}), 0, ""},
        {"first of type 7 taken", file_with({{34675, 2, 3, 8}, {34675, 7, 4, 9}}), 1,
         icc.mid(1, 4)},
        {"zero count", file_with({{34675, 7, 0, 8}}), 0, ""},
        {"bytes past the end", file_with({{34675, 7, 5000, 8}}), 0, ""},
        {"huge count", file_with({{34675, 7, 0xFFFFFFF0u, 8}}), 0, ""},
        {"only in the second directory",
         TiffHeader(le, dir) + icc + TiffDirectory(le, {{256, 3, 1, 7}}, second) +
             TiffDirectory(le, {{34675, 7, n, 8}}, 0),
         0, ""},
        {"directory past the end", TiffHeader(le, 5000) + icc, 0, ""},
        {"directory cut short", file_with({{256, 3, 1, 7}, {34675, 7, n, 8}}).chopped(20), 0, ""},
        {"directory cut short after the profile entry",
         file_with({{34675, 7, n, 8}, {256, 3, 1, 7}, {257, 4, 1, 480}}).chopped(10), 0, ""},
        {"no profile", good, 0, ""},
        {"byte order IM or MI", with(good, 1, le ? 'M' : 'I'), -1, ""},
        {"42 in the other byte order", with(with(good, 2, good[3]), 3, good[2]), -1, ""},
        {"header cut short", good.left(7), -1, ""},
    };
    for (const auto& [name, file, code, expected] : cases) {
      SCOPED_TRACE(name);
      QByteArray profile("left over");
      EXPECT_EQ(ExtractTiffProfile(file, profile), code);
      EXPECT_EQ(profile, expected);
    }
  }
}

TEST(EmbeddedProfileTest, FilesDispatchByExtension) {
  const QString dir = QString::fromStdString(TempDir());
  const QByteArray icc = Part('q', 50);
  const QByteArray jpeg = kSoi + kApp0 + Chunk(1, 1, icc) + kDqt + kEoi;
  const QByteArray tiff =
      TiffHeader(false, 8) + TiffDirectory(false, {{34675, 7, 50, 26}}, 0) + icc;
  // {name, bytes (null: the file is not written), code}
  const QByteArray none;
  const std::tuple<const char*, QByteArray, int> cases[] = {
      {"photo.jpg", jpeg, 1},    {"photo.JPEG", jpeg, 1},  {"photo.tif", tiff, 1},
      {"scan.tiff", tiff, 1},    {"photo.png", jpeg, -1},  {"photo.jpg.bak", jpeg, -1},
      {"tiff.jpg", tiff, -1},    {"jpeg.tif", jpeg, -1},   {"empty.jpg", "", -1},
      {"missing.jpg", none, -2}, {"missing.bmp", none, -1}};
  for (const auto& [name, bytes, code] : cases) {
    SCOPED_TRACE(name);
    const QString path = dir + "/" + name;
    if (!bytes.isNull()) PutFile(path, bytes);
    QByteArray profile("left over");
    EXPECT_EQ(ExtractProfiles(path, profile), code);
    EXPECT_EQ(profile, code == 1 ? icc : QByteArray());
  }
  ASSERT_TRUE(QDir().mkpath(dir + "/folder.jpg"));
  QByteArray profile;
  EXPECT_EQ(ExtractProfiles(dir + "/folder.jpg", profile), -2);

  // Profiles beyond the file's first 256 KiB, which are read first: after large
  // segments, in chunks that run past them, and behind a TIFF directory at the end.
  const QByteArray segment = QByteArray("\xFF\xE1", 2) + Field(65535, 2) + QByteArray(65533, 'x');
  const QByteArray big = Part('b', 65000);
  const std::uint32_t far_icc = 300 << 10;
  const std::tuple<const char*, QByteArray, QByteArray> far[] = {
      {"far.jpg", kSoi + segment.repeated(5) + Chunk(1, 1, icc) + kDqt, icc},
      {"far.jpg",
       kSoi + segment.repeated(3) + Chunk(1, 3, big) + Chunk(2, 3, big) + Chunk(3, 3, icc) + kDqt,
       big + big + icc},
      {"far.tif",
       TiffHeader(false, far_icc + 50) + QByteArray(far_icc - 8, 'x') + icc +
           TiffDirectory(false, {{34675, 7, 50, far_icc}}, 0),
       icc}};
  for (const auto& [name, bytes, expected] : far) {
    PutFile(dir + "/" + name, bytes);
    EXPECT_EQ(ExtractProfiles(dir + "/" + name, profile), 1);
    EXPECT_EQ(profile, expected);
  }
}

}  // namespace
}  // namespace tessaly::test
