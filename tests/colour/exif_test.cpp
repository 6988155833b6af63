// EXIF reader: texts of the camera fixtures (values checked with an independent
// EXIF tool), and TIFF/JPEG files built byte by byte in both byte orders, with the
// segment placements that are and are not read and hostile offsets and counts.
#include "colour/exif.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QStringList>
#include <cstdint>
#include <string>
#include <tuple>
#include <vector>

#include "controls/formatting.h"
#include "support/fixtures.h"
#include "support/scoped_state.h"
#include "support/test_surfaces.h"

namespace tessaly {
namespace {

using Bytes = std::vector<std::uint8_t>;

// One directory entry. With `payload` the bytes go to the data area and the
// value field holds their offset; otherwise the value field is `value` (a short
// is written into the field's first two bytes).
struct Tag {
  std::uint16_t tag, type;
  std::uint32_t count, value = 0;
  Bytes payload = {};
};

class TiffWriter {
 public:
  explicit TiffWriter(bool big) : big_(big) {}
  void U16(Bytes& b, std::size_t at, std::uint16_t v) const {
    b.at(at + (big_ ? 0 : 1)) = static_cast<std::uint8_t>(v >> 8);
    b.at(at + (big_ ? 1 : 0)) = static_cast<std::uint8_t>(v);
  }
  void U32(Bytes& b, std::size_t at, std::uint32_t v) const {
    U16(b, at + (big_ ? 0 : 2), static_cast<std::uint16_t>(v >> 16));
    U16(b, at + (big_ ? 2 : 0), static_cast<std::uint16_t>(v));
  }
  Bytes Rational(std::int32_t num, std::int32_t den) const {
    Bytes b(8);
    U32(b, 0, static_cast<std::uint32_t>(num));
    U32(b, 4, static_cast<std::uint32_t>(den));
    return b;
  }

  // Header, first directory at 8, the EXIF directory (pointed to by an added
  // 34665 entry when `exif` is not empty), then the data area.
  Bytes Build(std::vector<Tag> ifd0, const std::vector<Tag>& exif) const {
    const std::size_t ifd0_size = 2 + 12 * (ifd0.size() + (exif.empty() ? 0 : 1)) + 4;
    const std::size_t exif_at = 8 + ifd0_size;
    if (!exif.empty()) ifd0.push_back({34665, 4, 1, static_cast<std::uint32_t>(exif_at)});
    const std::size_t exif_size = exif.empty() ? 0 : 2 + 12 * exif.size() + 4;
    Bytes b(exif_at + exif_size, 0);
    b[0] = b[1] = big_ ? 'M' : 'I';
    U16(b, 2, 42);
    U32(b, 4, 8);
    WriteDirectory(b, 8, ifd0);
    if (!exif.empty()) WriteDirectory(b, exif_at, exif);
    return b;
  }

 private:
  void WriteDirectory(Bytes& b, std::size_t at, const std::vector<Tag>& tags) const {
    U16(b, at, static_cast<std::uint16_t>(tags.size()));
    for (std::size_t i = 0; i < tags.size(); ++i) {
      const Tag& t = tags[i];
      const std::size_t e = at + 2 + 12 * i;
      U16(b, e, t.tag);
      U16(b, e + 2, t.type);
      U32(b, e + 4, t.count);
      if (!t.payload.empty()) {
        U32(b, e + 8, static_cast<std::uint32_t>(b.size()));
        b.insert(b.end(), t.payload.begin(), t.payload.end());
      } else if (t.type == 3) {
        U16(b, e + 8, static_cast<std::uint16_t>(t.value));
      } else {
        U32(b, e + 8, t.value);
      }
    }
  }
  bool big_;
};

Bytes Text(const std::string& s) {
  Bytes b(s.begin(), s.end());
  b.push_back(0);
  return b;
}

Bytes Concat(std::initializer_list<Bytes> parts) {
  Bytes out;
  for (const Bytes& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

const Bytes kSoi = {0xFF, 0xD8};
const Bytes kEoi = {0xFF, 0xD9};
const Bytes kJfif = {0xFF, 0xE0, 0x00, 0x10, 'J', 'F', 'I', 'F', 0, 1, 1, 0, 0, 1, 0, 1, 0, 0};
const Bytes kApp2 = {0xFF, 0xE2, 0x00, 0x06, 'a', 'b', 'c', 'd'};

Bytes ExifSegment(const Bytes& tiff) {
  const std::size_t length = tiff.size() + 8;
  return Concat({{0xFF, 0xE1, static_cast<std::uint8_t>(length >> 8),
                  static_cast<std::uint8_t>(length), 'E', 'x', 'i', 'f', 0, 0},
                 tiff});
}

// Reads from an exactly sized heap copy, so a read past the end is caught by the
// address sanitizer.
bool Read(const Bytes& bytes, ExifTexts& t) {
  const Bytes copy(bytes);
  return ReadExifBytes(copy, t);
}

// All texts but the date, joined by "|"; maker and model trimmed.
QString Joined(const ExifTexts& t) {
  return QStringList{t.Maker.trimmed(), t.Model.trimmed(), t.ShutterSpeed, t.Aperture,
                     t.Flash,           t.FocalLength,     t.IsoSpeed,     t.ColorSpace}
      .join('|');
}

// The date as the program shows it, from "YYYY:MM:DD HH:MM:SS".
QString Shown(const char* stored) {
  const QDateTime when = QDateTime::fromString(stored, "yyyy:MM:dd HH:mm:ss");
  return FormatDate(when, "Short Date") + " " + FormatDate(when, "Long Time");
}

// Each case builds a file with the given first-directory and EXIF-directory entries
// and checks one text, in both byte orders: shorts sit in the first two bytes of the
// value field, which differ between the orders.
TEST(Exif, TextsFollowTheirRules) {
  for (bool big : {false, true}) {
    SCOPED_TRACE(big);
    const TiffWriter w(big);
    const auto r = [&w](std::uint16_t tag, int num, int den, std::uint16_t type = 5) {
      return Tag{tag, type, 1, 0, w.Rational(num, den)};
    };
    const auto text = [](std::uint16_t tag, const std::string& s) {
      return Tag{tag, 2, static_cast<std::uint32_t>(s.size() + 1), 0, Text(s)};
    };
    const QString taken = Shown("2008:05:30 15:56:01");
    // {first-directory entries, EXIF-directory entries, the text, its value}
    using Case = std::tuple<std::vector<Tag>, std::vector<Tag>, QString ExifTexts::*, QString>;
    const std::vector<Case> cases = {
        {{}, {r(33434, 1, 250)}, &ExifTexts::ShutterSpeed, "1/250 sec"},
        {{}, {r(37377, 797, 100, 10)}, &ExifTexts::ShutterSpeed, "1/251 sec"},
        // The fallbacks count only when the direct value gave nothing, in either order.
        {{}, {r(37377, 5, 1, 10), r(33434, 1, 250)}, &ExifTexts::ShutterSpeed, "1/250 sec"},
        {{}, {r(33434, 1, 0), r(37377, 5, 1, 10)}, &ExifTexts::ShutterSpeed, "1/32 sec"},
        {{}, {r(33437, 28, 10)}, &ExifTexts::Aperture, "F 2.8"},
        {{}, {r(33437, 56, 10, 10)}, &ExifTexts::Aperture, "F 5.6"},
        {{}, {r(37378, 6, 1)}, &ExifTexts::Aperture, "F 8"},
        {{}, {r(33437, 4, 1), r(37378, 6, 1)}, &ExifTexts::Aperture, "F 4"},
        {{}, {r(33437, 28, 0)}, &ExifTexts::Aperture, ""},
        {{}, {{33437, 5, 2, 0, w.Rational(28, 10)}}, &ExifTexts::Aperture, ""},
        {{}, {{33437, 3, 1, 0, w.Rational(28, 10)}}, &ExifTexts::Aperture, ""},
        // One decimal rounds a tie away from zero; values of any size follow the formulas.
        {{}, {r(37386, 425, 100)}, &ExifTexts::FocalLength, "4.3 mm"},
        {{}, {r(37386, 2000000000, 1)}, &ExifTexts::FocalLength, "2000000000 mm"},
        // Extreme but readable values: 2^(2^31 − 1) overflows and stays unshown,
        // 2^(−(2^31 − 1) / 2) is 0, cut to "F 0".
        {{}, {r(37377, 0x7FFFFFFF, 1, 10)}, &ExifTexts::ShutterSpeed, ""},
        {{}, {r(37378, -0x7FFFFFFF, 1, 10)}, &ExifTexts::Aperture, "F 0"},
        {{}, {r(37386, 0x7FFFFFFF, 1)}, &ExifTexts::FocalLength, "2147483647 mm"},
        {{}, {{37385, 3, 1, 0}}, &ExifTexts::Flash, "No Flash"},
        {{}, {{37385, 3, 1, 9}}, &ExifTexts::Flash, "Flash"},
        {{}, {{37385, 3, 1, 16}}, &ExifTexts::Flash, ""},
        {{}, {{37385, 4, 1, 1}}, &ExifTexts::Flash, ""},
        {{}, {{34855, 3, 1, 65535}}, &ExifTexts::IsoSpeed, "ISO 65535"},
        {{}, {{34855, 3, 2, 100}}, &ExifTexts::IsoSpeed, ""},
        {{}, {{40961, 3, 1, 1}}, &ExifTexts::ColorSpace, "sRGB"},
        // Dates are reformatted only when valid; other texts stay as stored, trimmed.
        {{}, {text(36867, "  2008:05:30 15:56:01  ")}, &ExifTexts::DateTaken, taken},
        {{}, {text(36867, "0000:00:00 00:00:00")}, &ExifTexts::DateTaken, "0000:00:00 00:00:00"},
        {{}, {text(36867, "2008:05:30 24:00:00")}, &ExifTexts::DateTaken, "2008:05:30 24:00:00"},
        {{}, {text(36867, " unknown ")}, &ExifTexts::DateTaken, "unknown"},
        // Control bytes and the terminating zero are dropped from texts; blanks stay.
        {{text(271, "Ca\tnon \1")}, {}, &ExifTexts::Maker, "Canon "},
        // A text ending at the file's last byte is read; one byte more is not.
        {{{272, 2, 3, 0, {'A', 'B', 'C'}}}, {}, &ExifTexts::Model, "ABC"},
        {{{272, 2, 4, 0, {'A', 'B', 'C'}}}, {}, &ExifTexts::Model, ""},
        // Only type 2 is a text; camera tags count only in the first directory.
        {{{271, 7, 4, 0, Text("Can")}}, {}, &ExifTexts::Maker, ""},
        {{}, {text(271, "Can"), {34855, 3, 1, 50}}, &ExifTexts::Maker, ""},
        {{{34855, 3, 1, 50}}, {{40961, 3, 1, 1}}, &ExifTexts::IsoSpeed, ""},
    };
    for (std::size_t i = 0; i < cases.size(); ++i) {
      const auto& [ifd0, exif, field, expected] = cases[i];
      ExifTexts t;
      EXPECT_TRUE(Read(w.Build(ifd0, exif), t)) << i;
      EXPECT_EQ(t.*field, expected) << i;
    }
  }
}

// Where the TIFF structure is looked for: at a JPEG's first segment, at its second
// after a JFIF segment, or at the start of a non-JPEG file. Hostile offsets and
// counts fail cleanly; the first directory's texts are kept when the EXIF directory
// cannot be read.
TEST(Exif, LocatesTheHeaderOnlyWhereExpectedAndFailsCleanly) {
  const TiffWriter be(true), le(false);
  const Bytes tiff = be.Build({{271, 2, 7, 0, Text("Camera")}}, {{34855, 3, 1, 200}});
  const Bytes good = le.Build({{271, 2, 7, 0, Text("Camera")}}, {{34855, 3, 1, 200}});
  const std::size_t exif_pointer = 8 + 2 + 12 + 8;  // value field of the added 34665 entry
  // A copy of `b` with byte `at` replaced; the little-endian file with the 32-bit field
  // at `at` set to `v`.
  const auto with = [](Bytes b, std::size_t at, std::uint8_t v) {
    b[at] = v;
    return b;
  };
  const auto patched = [&](std::size_t at, std::uint32_t v) {
    Bytes b = good;
    le.U32(b, at, v);
    return b;
  };
  Bytes huge_count = good;
  le.U16(huge_count, 8, 0xFFFF);
  // Offsets that wrap around in 32 bits, and counts far beyond the file.
  const std::vector<Tag> wrapping = {
      {271, 2, 0x20, 0xFFFFFFF0}, {272, 2, 0xFFFFFFFF, 8}, {34665, 3, 1, 8}};
  const std::vector<Tag> rationals = {
      {33434, 5, 1, 0xFFFFFFFC}, {33437, 5, 1, 0xFFFFFFFF}, {37386, 10, 1, 0x7FFFFFFF}};
  const QString none = "|||||||", camera = "Camera|||||||";
  const std::vector<std::tuple<const char*, Bytes, bool, QString>> cases = {
      {"tiff", tiff, true, "Camera||||||ISO 200|"},
      {"exif first", Concat({kSoi, ExifSegment(tiff), kEoi}), true, "Camera||||||ISO 200|"},
      {"jfif then exif", Concat({kSoi, kJfif, ExifSegment(tiff), kEoi}), true,
       "Camera||||||ISO 200|"},
      {"exif third", Concat({kSoi, kJfif, kApp2, ExifSegment(tiff), kEoi}), false, none},
      {"not Exif", Concat({kSoi, with(ExifSegment(tiff), 8, 'x'), kEoi}), false, none},
      {"no zero after Exif", Concat({kSoi, with(ExifSegment(tiff), 8, 1), kEoi}), false, none},
      {"byte order MI", with(tiff, 1, 'I'), false, none},
      {"not 42", with(tiff, 3, 43), false, none},
      {"shorter than a probe", Bytes{'M', 'M', 0, 42, 0, 0, 0, 8, 0}, false, none},
      {"empty", Bytes{}, false, none},
      {"first directory past the end", patched(4, 0xFFFFFFF0), false, none},
      {"huge entry count", huge_count, false, none},
      {"EXIF directory past the end", patched(exif_pointer, std::uint32_t(good.size() - 1)), false,
       camera},
      {"EXIF directory is the first", patched(exif_pointer, 8), true, camera},
      {"\"II\" read as an entry count of 18761", patched(exif_pointer, 0), false, camera},
      {"wrapping offsets", le.Build(wrapping, {}), true, none},
      {"rationals out of the file", le.Build({}, rationals), true, none}};
  for (const auto& [name, file, found, texts] : cases) {
    SCOPED_TRACE(name);
    ExifTexts t;
    EXPECT_EQ(Read(file, t), found);
    EXPECT_EQ(Joined(t), texts);
  }
}

// Every cut-off copy of a JFIF-then-EXIF file is read without touching bytes
// past its end; the TIFF structure is complete only in the whole file.
TEST(Exif, TruncatedFilesAreNeverReadPastTheirEnd) {
  const TiffWriter w(true);
  const Bytes tiff = w.Build({{271, 2, 7, 0, Text("Camera")}},
                             {{34855, 3, 1, 200}, {33437, 5, 1, 0, w.Rational(4, 1)}});
  const Bytes file = Concat({kSoi, kJfif, ExifSegment(tiff)});
  const std::size_t header = kSoi.size() + kJfif.size() + 10;
  ExifTexts t;
  for (std::size_t n = 0; n < file.size(); ++n) {
    SCOPED_TRACE(n);
    const bool found = Read(Bytes(file.begin(), file.begin() + n), t);
    EXPECT_FALSE(found && n < header + 8);  // nothing before the TIFF header is whole
    EXPECT_EQ(t.Aperture, "");
  }
  EXPECT_TRUE(Read(file, t));
  EXPECT_EQ(t.Aperture, "F 4");
}

// A text that lies past the first bytes read comes from the whole file.
TEST(Exif, ATextPastTheFirstBytesReadComesFromTheWholeFile) {
  Bytes tiff = TiffWriter(false).Build({{271, 2, 7, 320 << 10}}, {});
  tiff.resize(320 << 10);
  const Bytes text = Text("Camera");
  tiff.insert(tiff.end(), text.begin(), text.end());
  const QString path = QString::fromStdString(test::TempDir()) + "/far.tif";
  test::PutFile(path, QByteArray(reinterpret_cast<const char*>(tiff.data()),
                                 static_cast<qsizetype>(tiff.size())));
  ExifTexts t;
  EXPECT_TRUE(ReadExif(path, t));
  EXPECT_EQ(t.Maker, "Camera");
}

// The camera photos; expected values were read with an independent EXIF tool.
// Texts: maker|model|shutter|aperture|flash|focal length|ISO|colour space.
TEST(Exif, CameraFixtures) {
  TESSALY_SKIP_WITHOUT_FIXTURES();
  const std::tuple<const char*, bool, const char*, const char*> cases[] = {
      {"Canon_40D.jpg", true, "Canon|Canon EOS 40D|1/160 sec|F 7.1|Flash|135 mm|ISO 100|sRGB",
       "2008:05:30 15:56:01"},
      {"Olympus_C8080WZ.jpg", true,
       "OLYMPUS CORPORATION|C8080WZ|1/160 sec|F 2.8|Flash|15.8 mm|ISO 50|Uncalibrated",
       "2006:10:22 15:44:29"},
      // EXIF as the third segment (after JFIF and an ICC or XMP segment): not found.
      {"orientation_landscape_6.jpg", false, "|||||||", ""},
      // Big-endian TIFF files without camera tags.
      {"tiff_Arbitro.tiff", true, "|||||||", ""}};
  for (const auto& [file, found, texts, taken] : cases) {
    SCOPED_TRACE(file);
    ExifTexts t;
    EXPECT_EQ(ReadExif(test::FixturePath(file), t), found);
    EXPECT_EQ(Joined(t), texts);
    EXPECT_EQ(t.DateTaken, *taken ? Shown(taken) : QString());
  }
}

}  // namespace
}  // namespace tessaly
