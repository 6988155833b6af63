// EXIF reader: texts of the camera fixtures (values checked with an independent
// EXIF tool), and TIFF/JPEG files built byte by byte in both byte orders, with the
// segment placements that are and are not read and hostile offsets and counts.
#include "colour/exif.h"

#include <gtest/gtest.h>

#include <QDate>
#include <QDateTime>
#include <QFile>
#include <QTime>
#include <cstdint>
#include <string>
#include <vector>

#include "controls/formatting.h"
#include "support/fixtures.h"
#include "support/test_surfaces.h"

namespace tessaly {
namespace {

using Bytes = std::vector<std::uint8_t>;

// One directory entry. With `payload` the bytes go to the data area and the
// value field holds their offset; otherwise the value field is `value` (a short
// is written into the field's first two bytes).
struct Tag {
  std::uint16_t tag;
  std::uint16_t type;
  std::uint32_t count;
  std::uint32_t value = 0;
  Bytes payload = {};
};

class TiffWriter {
 public:
  explicit TiffWriter(bool big) : big_(big) {}
  void U16(Bytes& b, std::size_t at, std::uint16_t v) const {
    b[at + (big_ ? 0 : 1)] = static_cast<std::uint8_t>(v >> 8);
    b[at + (big_ ? 1 : 0)] = static_cast<std::uint8_t>(v);
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

Bytes Segment(std::uint8_t marker, const Bytes& body) {
  const std::size_t length = body.size() + 2;
  Bytes b = {0xFF, marker, static_cast<std::uint8_t>(length >> 8),
             static_cast<std::uint8_t>(length)};
  b.insert(b.end(), body.begin(), body.end());
  return b;
}
Bytes ExifSegment(const Bytes& tiff) {
  return Segment(0xE1, Concat({{'E', 'x', 'i', 'f', 0, 0}, tiff}));
}

// Reads from an exactly sized heap copy, so a read past the end is caught by the
// address sanitizer.
bool Read(const Bytes& bytes, ExifTexts& t) {
  const Bytes copy(bytes);
  return ReadExifBytes(copy, t);
}

QString Short(const Bytes& tiff, QString ExifTexts::*field) {
  ExifTexts t;
  EXPECT_TRUE(Read(tiff, t));
  return t.*field;
}

TEST(Exif, ValuesAreFormattedByTheirRules) {
  const TiffWriter w(false);
  struct Case {
    std::vector<Tag> exif;
    QString ExifTexts::*field;
    QString expected;
  };
  const std::vector<Case> cases = {
      {{{33434, 5, 1, 0, w.Rational(1, 250)}}, &ExifTexts::ShutterSpeed, "1/250 sec"},
      {{{33434, 5, 1, 0, w.Rational(10, 600)}}, &ExifTexts::ShutterSpeed, "1/60 sec"},
      {{{37377, 10, 1, 0, w.Rational(797, 100)}}, &ExifTexts::ShutterSpeed, "1/251 sec"},
      // The fallback is used only when ExposureTime gave nothing, in either order.
      {{{37377, 10, 1, 0, w.Rational(5, 1)}, {33434, 5, 1, 0, w.Rational(1, 250)}},
       &ExifTexts::ShutterSpeed,
       "1/250 sec"},
      {{{33434, 5, 1, 0, w.Rational(1, 0)}, {37377, 10, 1, 0, w.Rational(5, 1)}},
       &ExifTexts::ShutterSpeed,
       "1/32 sec"},
      {{{33437, 5, 1, 0, w.Rational(28, 10)}}, &ExifTexts::Aperture, "F 2.8"},
      {{{33437, 5, 1, 0, w.Rational(8, 1)}}, &ExifTexts::Aperture, "F 8"},
      {{{33437, 10, 1, 0, w.Rational(56, 10)}}, &ExifTexts::Aperture, "F 5.6"},
      {{{37378, 5, 1, 0, w.Rational(6, 1)}}, &ExifTexts::Aperture, "F 8"},
      {{{37378, 5, 1, 0, w.Rational(3, 1)}}, &ExifTexts::Aperture, "F 2.8"},
      {{{33437, 5, 1, 0, w.Rational(4, 1)}, {37378, 5, 1, 0, w.Rational(6, 1)}},
       &ExifTexts::Aperture,
       "F 4"},
      {{{33437, 5, 1, 0, w.Rational(28, 0)}}, &ExifTexts::Aperture, ""},
      {{{33437, 5, 2, 0, w.Rational(28, 10)}}, &ExifTexts::Aperture, ""},
      {{{33437, 3, 1, 28}}, &ExifTexts::Aperture, ""},
      {{{37386, 5, 1, 0, w.Rational(50, 1)}}, &ExifTexts::FocalLength, "50 mm"},
      {{{37386, 5, 1, 0, w.Rational(55, 10)}}, &ExifTexts::FocalLength, "5.5 mm"},
      {{{37386, 5, 1, 0, w.Rational(1234, 1)}}, &ExifTexts::FocalLength, "1234 mm"},
      {{{37385, 3, 1, 0}}, &ExifTexts::Flash, "No Flash"},
      {{{37385, 3, 1, 1}}, &ExifTexts::Flash, "Flash"},
      {{{37385, 3, 1, 16}}, &ExifTexts::Flash, ""},
      {{{37385, 3, 1, 25}}, &ExifTexts::Flash, "Flash"},
      {{{37385, 4, 1, 1}}, &ExifTexts::Flash, ""},
      {{{34855, 3, 1, 100}}, &ExifTexts::IsoSpeed, "ISO 100"},
      {{{34855, 3, 1, 65535}}, &ExifTexts::IsoSpeed, "ISO 65535"},
      {{{34855, 3, 2, 100}}, &ExifTexts::IsoSpeed, ""},
      {{{40961, 3, 1, 1}}, &ExifTexts::ColorSpace, "sRGB"},
      {{{40961, 3, 1, 65535}}, &ExifTexts::ColorSpace, "Uncalibrated"},
      {{{40961, 3, 1, 2}}, &ExifTexts::ColorSpace, "Uncalibrated"},
  };
  for (std::size_t i = 0; i < cases.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(Short(w.Build({}, cases[i].exif), cases[i].field), cases[i].expected);
  }
}

// The same file in both byte orders gives the same nine texts; shorts sit in the
// first two bytes of the value field, which differ between the orders.
TEST(Exif, BothByteOrdersGiveTheSameTexts) {
  const QDateTime taken(QDate(2021, 11, 3), QTime(7, 8, 9));
  for (bool big : {false, true}) {
    SCOPED_TRACE(big);
    const TiffWriter w(big);
    const Bytes tiff = w.Build({{271, 2, 6, 0, Text("Maker")}, {272, 2, 8, 0, Text("Model 7")}},
                               {{36867, 2, 20, 0, Text("2021:11:03 07:08:09")},
                                {33434, 5, 1, 0, w.Rational(1, 125)},
                                {33437, 5, 1, 0, w.Rational(71, 10)},
                                {37385, 3, 1, 9},
                                {37386, 5, 1, 0, w.Rational(135, 1)},
                                {34855, 3, 1, 400},
                                {40961, 3, 1, 1}});
    ExifTexts t;
    ASSERT_TRUE(Read(tiff, t));
    EXPECT_EQ(t.Maker, "Maker");
    EXPECT_EQ(t.Model, "Model 7");
    EXPECT_EQ(t.DateTaken, FormatDate(taken, "Short Date") + " " + FormatDate(taken, "Long Time"));
    EXPECT_EQ(t.ShutterSpeed, "1/125 sec");
    EXPECT_EQ(t.Aperture, "F 7.1");
    EXPECT_EQ(t.Flash, "Flash");
    EXPECT_EQ(t.FocalLength, "135 mm");
    EXPECT_EQ(t.IsoSpeed, "ISO 400");
    EXPECT_EQ(t.ColorSpace, "sRGB");
  }
}

TEST(Exif, TextsDropControlBytesAndStayInsideTheFile) {
  const TiffWriter w(true);
  // Control bytes and the terminating zero are dropped; blanks stay.
  EXPECT_EQ(Short(w.Build({{271, 2, 9, 0, Bytes{'C', 'a', '\t', 'n', 'o', 'n', ' ', 1, 0}}}, {}),
                  &ExifTexts::Maker),
            "Canon ");
  // A text whose last byte is the file's last byte is read; one byte more is not.
  Bytes at_end = w.Build({{272, 2, 3, 0, Bytes{'A', 'B', 'C'}}}, {});
  EXPECT_EQ(Short(at_end, &ExifTexts::Model), "ABC");
  Bytes past_end = w.Build({{272, 2, 4, 0, Bytes{'A', 'B', 'C'}}}, {});
  EXPECT_EQ(Short(past_end, &ExifTexts::Model), "");
  // Only type 2 is a text; the camera tags are taken from the first directory only.
  EXPECT_EQ(Short(w.Build({{271, 7, 4, 0, Text("Can")}}, {}), &ExifTexts::Maker), "");
  EXPECT_EQ(Short(w.Build({}, {{271, 2, 4, 0, Text("Can")}, {34855, 3, 1, 50}}), &ExifTexts::Maker),
            "");
  EXPECT_EQ(Short(w.Build({{34855, 3, 1, 50}}, {{40961, 3, 1, 1}}), &ExifTexts::IsoSpeed), "");
}

TEST(Exif, DateIsReformattedOnlyWhenValid) {
  const TiffWriter w(false);
  const QDateTime may30(QDate(2008, 5, 30), QTime(15, 56, 1));
  const QDateTime jan2(QDate(1999, 1, 2), QTime(3, 4, 5));
  const QString may30_text = FormatDate(may30, "Short Date") + " " + FormatDate(may30, "Long Time");
  struct Case {
    std::string stored;
    QString expected;
  };
  const std::vector<Case> cases = {
      {"2008:05:30 15:56:01", may30_text},
      {"  2008:05:30 15:56:01  ", may30_text},
      {"1999:01:02 03:04:05", FormatDate(jan2, "Short Date") + " " + FormatDate(jan2, "Long Time")},
      {"0000:00:00 00:00:00", "0000:00:00 00:00:00"},
      {"2008:02:30 10:00:00", "2008:02:30 10:00:00"},
      {"2008:05:30 24:00:00", "2008:05:30 24:00:00"},
      {"2008:05:30 15:56:61", "2008:05:30 15:56:61"},
      {" unknown ", "unknown"},
      {"", ""},
  };
  EXPECT_NE(cases[0].expected, cases[2].expected);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.stored);
    const Bytes tiff = w.Build(
        {}, {{36867, 2, static_cast<std::uint32_t>(c.stored.size() + 1), 0, Text(c.stored)}});
    EXPECT_EQ(Short(tiff, &ExifTexts::DateTaken), c.expected);
  }
}

// Where the TIFF structure is looked for: at a JPEG's first segment, at its second
// after a JFIF segment, or at the start of a non-JPEG file.
TEST(Exif, LocatesTheHeaderOnlyWhereExpected) {
  const TiffWriter w(true);
  const Bytes tiff = w.Build({{271, 2, 7, 0, Text("Camera")}}, {{34855, 3, 1, 200}});
  Bytes bad_name = ExifSegment(tiff);
  bad_name[8] = 'x';
  Bytes no_zero = ExifSegment(tiff);
  no_zero[8] = 1;
  Bytes xx_order = tiff;
  xx_order[0] = xx_order[1] = 'X';
  Bytes mixed_order = tiff;
  mixed_order[1] = 'I';
  Bytes not_42 = tiff;
  not_42[3] = 43;
  struct Case {
    const char* name;
    Bytes file;
    bool found;
  };
  const std::vector<Case> cases = {
      {"tiff", tiff, true},
      {"exif first", Concat({kSoi, ExifSegment(tiff), kEoi}), true},
      {"jfif then exif", Concat({kSoi, kJfif, ExifSegment(tiff), kEoi}), true},
      {"exif third", Concat({kSoi, kJfif, kApp2, ExifSegment(tiff), kEoi}), false},
      {"exif after another segment", Concat({kSoi, kApp2, ExifSegment(tiff), kEoi}), false},
      {"not Exif", Concat({kSoi, bad_name, kEoi}), false},
      {"no zero after Exif", Concat({kSoi, no_zero, kEoi}), false},
      {"byte order XX", xx_order, false},
      {"byte order MI", mixed_order, false},
      {"not 42", not_42, false},
      {"shorter than a probe", Bytes{'M', 'M', 0, 42, 0, 0, 0, 8, 0}, false},
      {"empty", Bytes{}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ExifTexts t;
    EXPECT_EQ(Read(c.file, t), c.found);
    EXPECT_EQ(t.Maker, c.found ? "Camera" : "");
    EXPECT_EQ(t.IsoSpeed, c.found ? "ISO 200" : "");
  }
}

TEST(Exif, HostileOffsetsAndCountsFailCleanly) {
  const TiffWriter w(false);
  const Bytes good = w.Build({{271, 2, 7, 0, Text("Camera")}}, {{34855, 3, 1, 200}});
  const std::size_t exif_pointer = 8 + 2 + 12 + 8;  // value field of the added 34665 entry

  Bytes ifd0_past_end = good;
  w.U32(ifd0_past_end, 4, 0xFFFFFFF0);
  Bytes huge_count = good;
  w.U16(huge_count, 8, 0xFFFF);
  Bytes exif_past_end = good;
  w.U32(exif_past_end, exif_pointer, static_cast<std::uint32_t>(good.size()) - 1);
  Bytes exif_loop = good;  // the EXIF directory is the first directory again
  w.U32(exif_loop, exif_pointer, 8);
  Bytes exif_at_header = good;  // "II" read as an entry count of 18761
  w.U32(exif_at_header, exif_pointer, 0);

  ExifTexts t;
  EXPECT_FALSE(Read(ifd0_past_end, t));
  EXPECT_FALSE(Read(huge_count, t));
  EXPECT_EQ(t.Maker, "");
  // The first directory's texts are kept when the EXIF directory cannot be read.
  EXPECT_FALSE(Read(exif_past_end, t));
  EXPECT_EQ(t.Maker, "Camera");
  EXPECT_EQ(t.IsoSpeed, "");
  EXPECT_TRUE(Read(exif_loop, t));
  EXPECT_EQ(t.Maker, "Camera");
  EXPECT_FALSE(Read(exif_at_header, t));

  // Offsets that wrap around in 32 bits, and counts far beyond the file.
  const std::vector<Tag> wrapping = {
      {271, 2, 0x20, 0xFFFFFFF0}, {272, 2, 0xFFFFFFFF, 8}, {34665, 3, 1, 8}};
  EXPECT_TRUE(Read(w.Build(wrapping, {}), t));
  EXPECT_EQ(t.Maker, "");
  EXPECT_EQ(t.Model, "");
  const std::vector<Tag> rationals = {
      {33434, 5, 1, 0xFFFFFFFC}, {33437, 5, 1, 0xFFFFFFFF}, {37386, 10, 1, 0x7FFFFFFF}};
  EXPECT_TRUE(Read(w.Build({}, rationals), t));
  EXPECT_EQ(t.ShutterSpeed, "");
  EXPECT_EQ(t.Aperture, "");
  EXPECT_EQ(t.FocalLength, "");
  // Extreme but readable values stay unshown rather than overflowing.
  const std::vector<Tag> extreme = {{37377, 10, 1, 0, w.Rational(0x7FFFFFFF, 1)},
                                    {37378, 10, 1, 0, w.Rational(-0x7FFFFFFF, 1)},
                                    {37386, 5, 1, 0, w.Rational(0x7FFFFFFF, 1)}};
  EXPECT_TRUE(Read(w.Build({}, extreme), t));
  EXPECT_EQ(t.ShutterSpeed, "");
  EXPECT_EQ(t.FocalLength, "");
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
    if (n < header + 8) {
      EXPECT_FALSE(found);
    }
    EXPECT_EQ(t.Aperture, "");
  }
  EXPECT_TRUE(Read(file, t));
  EXPECT_EQ(t.Aperture, "F 4");
}

TEST(Exif, ReadsFilesFromDisk) {
  const TiffWriter w(true);
  const QString path = QString::fromStdString(test::TempDir()) + "/jfif_then_exif.jpg";
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  const Bytes file =
      Concat({kSoi, kJfif, ExifSegment(w.Build({{272, 2, 5, 0, Text("E-M5")}}, {})), kEoi});
  f.write(reinterpret_cast<const char*>(file.data()), static_cast<qint64>(file.size()));
  f.close();
  ExifTexts t;
  EXPECT_TRUE(ReadExif(path, t));
  EXPECT_EQ(t.Model, "E-M5");
  EXPECT_FALSE(ReadExif(path + ".missing", t));
  EXPECT_EQ(t.Model, "");
}

// The camera photos; expected values were read with an independent EXIF tool.
TEST(Exif, CameraFixtures) {
  TESSALY_SKIP_WITHOUT_FIXTURES();
  struct Case {
    const char* file;
    bool found;
    ExifTexts texts;  // date taken checked separately
    QDateTime taken;
  };
  const auto at = [](int y, int mo, int d, int h, int mi, int s) {
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s));
  };
  const std::vector<Case> cases = {
      {"Canon_40D.jpg",
       true,
       {"Canon", "Canon EOS 40D", "", "1/160 sec", "F 7.1", "Flash", "135 mm", "ISO 100", "sRGB"},
       at(2008, 5, 30, 15, 56, 1)},
      {"Canon_PowerShot_S40.jpg",
       true,
       {"Canon", "Canon PowerShot S40", "", "1/500 sec", "F 4.9", "", "21.3 mm", "", "sRGB"},
       at(2003, 12, 14, 12, 1, 44)},
      {"Fujifilm_FinePix6900ZOOM.jpg",
       true,
       {"FUJIFILM", "FinePix6900ZOOM", "", "1/362 sec", "F 4", "No Flash", "21.8 mm", "ISO 100",
        "sRGB"},
       at(2001, 2, 19, 6, 40, 5)},
      {"Nikon_D70.jpg",
       true,
       {"NIKON CORPORATION", "NIKON D70", "", "1/200 sec", "F 9", "No Flash", "100 mm", "ISO 200",
        "sRGB"},
       at(2008, 3, 15, 9, 52, 1)},
      {"Olympus_C8080WZ.jpg",
       true,
       {"OLYMPUS CORPORATION", "C8080WZ", "", "1/160 sec", "F 2.8", "Flash", "15.8 mm", "ISO 50",
        "Uncalibrated"},
       at(2006, 10, 22, 15, 44, 29)},
      {"Pentax_K10D.jpg",
       true,
       {"PENTAX Corporation", "PENTAX K10D", "", "1/180 sec", "F 11", "", "90 mm", "ISO 200",
        "sRGB"},
       at(2008, 5, 4, 16, 47, 24)},
      {"Samsung_Digimax_i50_MP3.jpg",
       true,
       {"Samsung Techwin", "<Digimax i50 MP3, Samsung #1 MP3>", "", "1/6 sec", "F 3.5", "",
        "6.6 mm", "ISO 150", "sRGB"},
       at(2006, 8, 15, 17, 50, 57)},
      {"Sony_HDR-HC3.jpg",
       true,
       {"SONY", "HDR-HC3", "", "1/60 sec", "F 4", "Flash", "5.1 mm", "", "sRGB"},
       at(2007, 6, 15, 4, 42, 32)},
      {"exif-org_canon-ixus.jpg",
       true,
       {"Canon", "Canon DIGITAL IXUS", "", "1/350 sec", "F 4", "No Flash", "10.8 mm", "", "sRGB"},
       at(2001, 6, 9, 15, 17, 32)},
      {"exif-org_fujifilm-dx10.jpg",
       true,
       {"FUJIFILM", "DX-10", "", "1/97 sec", "F 4.2", "Flash", "5.8 mm", "ISO 150", "sRGB"},
       at(2001, 4, 12, 20, 33, 14)},
      {"exif-org_kodak-dc240.jpg",
       true,
       {"EASTMAN KODAK COMPANY", "KODAK DC240 ZOOM DIGITAL CAMERA", "", "1/30 sec", "F 4", "Flash",
        "14 mm", "", "sRGB"},
       at(1999, 5, 25, 21, 0, 9)},
      {"exif-org_nikon-e950.jpg",
       true,
       {"NIKON", "E950", "", "1/77 sec", "F 5.5", "No Flash", "12.8 mm", "ISO 80", "sRGB"},
       at(2001, 4, 6, 11, 51, 40)},
      {"exif-org_olympus-c960.jpg",
       true,
       {"OLYMPUS OPTICAL CO.,LTD", "C960Z,D460Z", "", "1/345 sec", "F 8", "No Flash", "5.6 mm",
        "ISO 125", "sRGB"},
       at(2000, 11, 7, 10, 41, 43)},
      {"exif-org_sony-d700.jpg",
       true,
       {"SONY", "DSC-D700", "", "1/32 sec", "F 2.4", "No Flash", "", "ISO 200", "sRGB"},
       at(1998, 12, 1, 14, 22, 36)},
      // EXIF as the third segment (after JFIF and an ICC or XMP segment): not found.
      {"orientation_landscape_6.jpg", false, {}, {}},
      {"xmp_no_exif.jpg", false, {}, {}},
      // The second segment is XMP, not EXIF.
      {"invalid_image01551.jpg", false, {}, {}},
      // Big-endian TIFF files without camera tags.
      {"tiff_Arbitro.tiff", true, {}, {}},
      {"tiff_Rudless.tiff", true, {}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    ExifTexts t;
    EXPECT_EQ(ReadExif(test::FixturePath(c.file), t), c.found);
    EXPECT_EQ(t.Maker.trimmed(), c.texts.Maker);
    EXPECT_EQ(t.Model.trimmed(), c.texts.Model);
    EXPECT_EQ(t.ShutterSpeed, c.texts.ShutterSpeed);
    EXPECT_EQ(t.Aperture, c.texts.Aperture);
    EXPECT_EQ(t.Flash, c.texts.Flash);
    EXPECT_EQ(t.FocalLength, c.texts.FocalLength);
    EXPECT_EQ(t.IsoSpeed, c.texts.IsoSpeed);
    EXPECT_EQ(t.ColorSpace, c.texts.ColorSpace);
    const QString date = c.taken.isValid() ? FormatDate(c.taken, "Short Date") + " " +
                                                 FormatDate(c.taken, "Long Time")
                                           : QString();
    EXPECT_EQ(t.DateTaken, date);
  }
}

}  // namespace
}  // namespace tessaly
