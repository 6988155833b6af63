// Reads the few EXIF tags the program shows. The file's bytes are indexed only
// through checked reads: a position and length are compared with the size in
// 64-bit arithmetic before any byte is touched, so hostile offsets and counts end
// the reading (or leave one text empty) instead of reading outside the buffer. A
// file's head is read first (ParsePhotoFileHead), the whole file only when needed.
#include "colour/exif.h"

#include <QDate>
#include <QDateTime>
#include <QTime>
#include <cmath>
#include <vector>

#include "controls/formatting.h"
#include "surface/exif_block.h"
#include "surface/photo_file_bytes.h"

namespace tessaly {
namespace {

// Tag numbers of the values shown, and of the pointer to the EXIF sub-directory.
constexpr std::uint16_t kTagMake = 271;
constexpr std::uint16_t kTagModel = 272;
constexpr std::uint16_t kTagExifDirectory = 34665;
constexpr std::uint16_t kTagExposureTime = 33434;
constexpr std::uint16_t kTagFNumber = 33437;
constexpr std::uint16_t kTagIsoSpeed = 34855;
constexpr std::uint16_t kTagDateTimeOriginal = 36867;
constexpr std::uint16_t kTagShutterSpeedValue = 37377;
constexpr std::uint16_t kTagApertureValue = 37378;
constexpr std::uint16_t kTagFlash = 37385;
constexpr std::uint16_t kTagFocalLength = 37386;
constexpr std::uint16_t kTagColorSpace = 40961;

// Entry types used: ASCII text, 16-bit, 32-bit, unsigned and signed rational.
constexpr std::uint16_t kTypeAscii = 2;
constexpr std::uint16_t kTypeShort = 3;
constexpr std::uint16_t kTypeLong = 4;
constexpr std::uint16_t kTypeRational = 5;
constexpr std::uint16_t kTypeSignedRational = 10;

// A directory entry: tag, type, count, value or offset.
constexpr std::uint64_t kEntrySize = 12;
// Files shorter than this hold no EXIF the program reads.
constexpr std::uint64_t kProbeSize = 10;
// The TIFF header: byte order (2), the number 42 (2), first directory offset (4).
constexpr std::uint64_t kTiffHeaderSize = 8;
constexpr std::uint16_t kTiffMagic = 42;
// ColorSpace value of sRGB; every other value shows as uncalibrated.
constexpr std::uint16_t kColorSpaceSrgb = 1;
// Bytes below this (controls, the terminating zero) are dropped from texts.
constexpr std::uint8_t kFirstPrintable = 32;

// Checked access to a TIFF structure held in `bytes` from its header on: positions
// and the offsets read from it count from the header's first byte.
class TiffBytes {
 public:
  explicit TiffBytes(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  // A look that does not fit is noted (see ReachedEnd).
  bool Has(std::uint64_t pos, std::uint64_t length) const {
    const bool fits = pos <= bytes_.size() && length <= bytes_.size() - pos;
    reached_end_ = reached_end_ || !fits;
    return fits;
  }
  // True when some look reached past the bytes: on a file's first bytes only, the
  // whole file may answer differently.
  bool ReachedEnd() const { return reached_end_; }
  const std::uint8_t* At(std::uint64_t pos) const { return bytes_.data() + pos; }

  void SetBigEndian(bool big) { big_endian_ = big; }

  // 16- and 32-bit numbers in the file's byte order; false when outside the file.
  bool U16(std::uint64_t pos, std::uint16_t& value) const {
    if (!Has(pos, 2)) return false;
    value = Word(At(pos));
    return true;
  }
  bool U32(std::uint64_t pos, std::uint32_t& value) const {
    if (!Has(pos, 4)) return false;
    const std::uint8_t* p = At(pos);
    const std::uint32_t first = Word(p);
    const std::uint32_t second = Word(p + 2);
    value = big_endian_ ? (first << 16) | second : (second << 16) | first;
    return true;
  }

 private:
  std::uint16_t Word(const std::uint8_t* p) const {
    return big_endian_ ? static_cast<std::uint16_t>(p[0] << 8 | p[1])
                       : static_cast<std::uint16_t>(p[1] << 8 | p[0]);
  }

  std::span<const std::uint8_t> bytes_;
  bool big_endian_ = false;
  mutable bool reached_end_ = false;
};

struct Entry {
  std::uint16_t tag = 0;
  std::uint16_t type = 0;
  std::uint32_t count = 0;
  std::uint32_t value = 0;  // the value field as a 32-bit number (an offset for most tags)
  std::uint64_t field = 0;  // absolute position of the value field
};

// The text of a type-2 entry, read at its offset when the bytes lie within the
// file; false (text untouched) otherwise.
bool ReadText(const TiffBytes& in, const Entry& e, QString& text) {
  if (e.type != kTypeAscii) return false;
  const std::uint64_t pos = std::uint64_t{e.value};
  if (!in.Has(pos, e.count)) return false;
  QString out;
  const std::uint8_t* p = in.At(pos);
  for (std::uint32_t i = 0; i < e.count; ++i) {
    if (p[i] >= kFirstPrintable) out += QChar(p[i]);
  }
  text = out;
  return true;
}

// The 16-bit value of a single-short entry, stored in the first two bytes of
// its value field.
bool ReadShort(const TiffBytes& in, const Entry& e, std::uint16_t& value) {
  if (e.type != kTypeShort || e.count != 1) return false;
  return in.U16(e.field, value);
}

// The value of a single (signed or unsigned) rational entry; numerator and
// denominator are both taken as signed. False for a zero denominator.
bool ReadRational(const TiffBytes& in, const Entry& e, double& value) {
  if ((e.type != kTypeRational && e.type != kTypeSignedRational) || e.count != 1) return false;
  const std::uint64_t pos = std::uint64_t{e.value};
  std::uint32_t num = 0;
  std::uint32_t den = 0;
  if (!in.U32(pos, num) || !in.U32(pos + 4, den)) return false;
  if (den == 0) return false;
  value = static_cast<double>(static_cast<std::int32_t>(num)) /
          static_cast<double>(static_cast<std::int32_t>(den));
  return true;
}

// Every finite value is shown as the formulas give it, however far from a camera
// setting; only an overflow to infinity has no text.
bool Showable(double value) {
  return std::isfinite(value);
}

// "1/" + the reciprocal of the exposure time as a whole number + " sec".
QString ShutterText(double reciprocal) {
  if (!Showable(reciprocal)) return {};
  return "1/" + FormatNumber(reciprocal, "####") + " sec";
}

// One decimal, with a final ".0" cut ("2.8" stays, "8.0" becomes "8").
QString OneDecimal(double value, const QString& pattern) {
  QString text = FormatNumber(value, pattern);
  if (text.endsWith('0')) text.chop(2);
  return text;
}

QString ApertureText(double f) {
  if (!Showable(f)) return {};
  return "F " + OneDecimal(f, "#0.0");
}

// "YYYY:MM:DD HH:MM:SS" as the user's short date and long time; any other text
// stays as stored (trimmed).
QString DateText(const QString& stored) {
  const QString s = stored.trimmed();
  bool ok[6] = {};
  const int year = s.mid(0, 4).toInt(&ok[0]);
  const int month = s.mid(5, 2).toInt(&ok[1]);
  const int day = s.mid(8, 2).toInt(&ok[2]);
  const int hour = s.mid(11, 2).toInt(&ok[3]);
  const int minute = s.mid(14, 2).toInt(&ok[4]);
  const int second = s.right(2).toInt(&ok[5]);
  for (bool b : ok) {
    if (!b) return s;
  }
  const QDate date(year, month, day);
  const QTime time(hour, minute, second);
  if (!date.isValid() || !time.isValid()) return s;
  const QDateTime when(date, time);
  return FormatDate(when, "Short Date") + " " + FormatDate(when, "Long Time");
}

// Reads the entry count and entries of the directory at `pos` (absolute);
// false when the directory does not lie within the file.
bool ReadDirectory(const TiffBytes& in, std::uint64_t pos, std::vector<Entry>& entries) {
  std::uint16_t n = 0;
  if (!in.U16(pos, n)) return false;
  const std::uint64_t first = pos + 2;
  if (!in.Has(first, n * kEntrySize)) return false;
  entries.clear();
  entries.reserve(n);
  for (std::uint64_t i = 0; i < n; ++i) {
    Entry e;
    e.field = first + i * kEntrySize + 8;
    in.U16(first + i * kEntrySize, e.tag);
    in.U16(first + i * kEntrySize + 2, e.type);
    in.U32(first + i * kEntrySize + 4, e.count);
    in.U32(e.field, e.value);
    entries.push_back(e);
  }
  return true;
}

void ReadExifDirectory(const TiffBytes& in, const std::vector<Entry>& entries, ExifTexts& t) {
  QString shutter_fallback;
  QString aperture_fallback;
  for (const Entry& e : entries) {
    double r = 0;
    std::uint16_t v = 0;
    switch (e.tag) {
      case kTagDateTimeOriginal: {
        QString stored;
        if (ReadText(in, e, stored)) t.DateTaken = DateText(stored);
        break;
      }
      case kTagExposureTime:
        if (ReadRational(in, e, r) && r != 0) t.ShutterSpeed = ShutterText(1.0 / r);
        break;
      case kTagShutterSpeedValue:
        if (ReadRational(in, e, r)) shutter_fallback = ShutterText(std::pow(2.0, r));
        break;
      case kTagFNumber:
        if (ReadRational(in, e, r)) t.Aperture = ApertureText(r);
        break;
      case kTagApertureValue:
        if (ReadRational(in, e, r)) aperture_fallback = ApertureText(std::pow(2.0, r / 2));
        break;
      case kTagFocalLength:
        if (ReadRational(in, e, r) && Showable(r)) t.FocalLength = OneDecimal(r, "###0.0") + " mm";
        break;
      case kTagFlash:
        if (ReadShort(in, e, v)) t.Flash = v == 0 ? "No Flash" : (v % 2 == 1 ? "Flash" : "");
        break;
      case kTagIsoSpeed:
        if (ReadShort(in, e, v)) t.IsoSpeed = "ISO " + QString::number(v);
        break;
      case kTagColorSpace:
        if (ReadShort(in, e, v)) t.ColorSpace = v == kColorSpaceSrgb ? "sRGB" : "Uncalibrated";
        break;
      default:
        break;
    }
  }
  if (t.ShutterSpeed.isEmpty()) t.ShutterSpeed = shutter_fallback;
  if (t.Aperture.isEmpty()) t.Aperture = aperture_fallback;
}

// The texts of the TIFF structure that starts at the first byte of `in`.
bool ReadTexts(TiffBytes& in, ExifTexts& texts) {
  texts = ExifTexts{};
  if (!in.Has(0, kTiffHeaderSize)) return false;
  const std::uint8_t* h = in.At(0);
  if (h[0] == 'I' && h[1] == 'I') {
    in.SetBigEndian(false);
  } else if (h[0] == 'M' && h[1] == 'M') {
    in.SetBigEndian(true);
  } else {
    return false;
  }
  std::uint16_t magic = 0;
  std::uint32_t first_offset = 0;
  in.U16(2, magic);
  in.U32(4, first_offset);
  if (magic != kTiffMagic) return false;

  std::vector<Entry> entries;
  if (!ReadDirectory(in, first_offset, entries)) return false;
  bool has_exif_directory = false;
  std::uint32_t exif_offset = 0;
  for (const Entry& e : entries) {
    if (e.tag == kTagMake) ReadText(in, e, texts.Maker);
    if (e.tag == kTagModel) ReadText(in, e, texts.Model);
    if (e.tag == kTagExifDirectory && e.type == kTypeLong && e.count == 1) {
      has_exif_directory = true;
      exif_offset = e.value;
    }
  }
  if (!has_exif_directory) return true;
  if (!ReadDirectory(in, exif_offset, entries)) return false;
  ReadExifDirectory(in, entries, texts);
  return true;
}

// The texts of a file's EXIF block, or of the file itself when it is a TIFF.
// `past_end` is set when the whole file may answer differently from `file`.
bool ReadFileTexts(std::span<const std::uint8_t> file, ExifTexts& texts, bool& past_end) {
  texts = ExifTexts{};
  past_end = false;
  if (file.size() < kProbeSize) return false;
  std::vector<std::uint8_t> block;
  if (PhotoExifBlock(file, block, &past_end)) {
    TiffBytes in(block);
    return ReadTexts(in, texts);
  }
  if (past_end) return false;
  TiffBytes in(file);
  const bool found = ReadTexts(in, texts);
  past_end = in.ReachedEnd();
  return found;
}

}  // namespace

bool ReadExifBytes(std::span<const std::uint8_t> bytes, ExifTexts& texts) {
  bool past_end = false;
  return ReadFileTexts(bytes, texts, past_end);
}

bool ReadExif(const QString& file, ExifTexts& texts) {
  texts = ExifTexts{};
  // Plain bounded reads of a regular file: a file that shrinks meanwhile cannot
  // fault the process, and a FIFO never blocks it.
  bool found = false;
  const ImageReadStatus read = ParsePhotoFileHead(file, [&](const PhotoFileBytes& bytes) {
    bool past_end = false;
    found = ReadFileTexts({bytes.data(), bytes.size()}, texts, past_end);
    return past_end;
  });
  if (read == ImageReadStatus::kOk) return found;
  texts = ExifTexts{};
  return false;
}

}  // namespace tessaly
