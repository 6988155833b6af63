// Reading and laying out TIFF directories. A directory is a 2-byte entry count,
// 12-byte entries (tag, type, count, value or offset) and a 4-byte offset of the next
// directory (0 here: no further image directories are written).
#include "surface/tiff_directories.h"

#include <algorithm>

#include "surface/byte_order.h"

namespace tessaly {
namespace {

constexpr std::size_t kEntrySize = 12;
// More entries than any camera writes in one directory; a count above it is damage.
constexpr std::uint32_t kMaxEntries = 1000;

void Put16(QByteArray& out, std::uint32_t v, bool little) {
  const char a = static_cast<char>(v & 0xFF), b = static_cast<char>((v >> 8) & 0xFF);
  out.append(little ? a : b);
  out.append(little ? b : a);
}

void Put32(QByteArray& out, std::uint32_t v, bool little) {
  Put16(out, little ? v & 0xFFFF : v >> 16, little);
  Put16(out, little ? v >> 16 : v & 0xFFFF, little);
}

// A directory's size with the values it holds out of line.
std::uint64_t DirectorySize(const std::vector<TiffField>& fields) {
  std::uint64_t size = 2 + kEntrySize * fields.size() + 4;
  for (const TiffField& f : fields)
    if (f.value.size() > 4) size += (static_cast<std::uint64_t>(f.value.size()) + 1) & ~1ull;
  return size;
}

// Appends the directory at file offset `at` (its out-of-line values follow it).
void PutDirectory(QByteArray& out, std::uint32_t at, std::vector<TiffField>& fields, bool little) {
  std::stable_sort(fields.begin(), fields.end(),
                   [](const TiffField& a, const TiffField& b) { return a.tag < b.tag; });
  std::uint32_t value_at = at + 2 + static_cast<std::uint32_t>(kEntrySize * fields.size()) + 4;
  QByteArray values;
  Put16(out, static_cast<std::uint32_t>(fields.size()), little);
  for (const TiffField& f : fields) {
    Put16(out, f.tag, little);
    Put16(out, f.type, little);
    Put32(out, f.count, little);
    if (f.value.size() <= 4) {
      out.append(f.value);
      out.append(4 - f.value.size(), '\0');
      continue;
    }
    Put32(out, value_at, little);
    values.append(f.value);
    if (f.value.size() % 2) values.append('\0');
    value_at += static_cast<std::uint32_t>((f.value.size() + 1) & ~1);
  }
  Put32(out, 0, little);
  out.append(values);
}

}  // namespace

int TiffTypeSize(std::uint16_t type) {
  static constexpr int kSizes[] = {0, 1, 1, 2, 4, 8, 1, 1, 2, 4, 8, 4, 8};
  return type < std::size(kSizes) ? kSizes[type] : 0;
}

TiffBytes::TiffBytes(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {
  little_ = size >= 2 && data[0] == 'I' && data[1] == 'I';
}

std::uint32_t TiffBytes::U16(std::size_t at) const {
  return little_ ? Le16(data_ + at) : Be16(data_ + at);
}

std::uint32_t TiffBytes::U32(std::size_t at) const {
  return little_ ? Le32(data_ + at) : Be32(data_ + at);
}

bool TiffBytes::Valid(std::uint32_t& first) const {
  if (size_ < 8) return false;
  const bool big = data_[0] == 'M' && data_[1] == 'M';
  if (!little_ && !big) return false;
  if (U16(2) != 42) return false;
  first = U32(4);
  return true;
}

bool TiffBytes::ReadDirectory(std::uint32_t offset, std::vector<TiffField>& fields,
                              bool& past_end) const {
  fields.clear();
  if (offset > size_ || size_ - offset < 2) {
    past_end = true;
    return false;
  }
  const std::uint32_t count = U16(offset);
  if (count > kMaxEntries) return false;
  if (count > (size_ - offset - 2) / kEntrySize) {
    past_end = true;
    return false;
  }
  for (std::uint32_t i = 0; i < count; ++i) {
    const std::size_t entry = offset + 2 + kEntrySize * i;
    TiffField f;
    f.tag = static_cast<std::uint16_t>(U16(entry));
    f.type = static_cast<std::uint16_t>(U16(entry + 2));
    f.count = U32(entry + 4);
    const int unit = TiffTypeSize(f.type);
    if (unit == 0) continue;
    const std::uint64_t bytes = static_cast<std::uint64_t>(f.count) * unit;
    std::uint64_t at = entry + 8;
    if (bytes > 4) {
      at = U32(entry + 8);
      if (at > size_ || bytes > size_ - at) {
        past_end = true;
        continue;
      }
    }
    f.value = QByteArray(reinterpret_cast<const char*>(data_ + at), static_cast<qsizetype>(bytes));
    fields.push_back(std::move(f));
  }
  return true;
}

std::uint32_t TiffBytes::Number(const TiffField& field) const {
  const auto* p = reinterpret_cast<const std::uint8_t*>(field.value.constData());
  if (field.type == kTiffLong && field.value.size() >= 4) return little_ ? Le32(p) : Be32(p);
  if (field.type == kTiffShort && field.value.size() >= 2) return little_ ? Le16(p) : Be16(p);
  return 0;
}

TiffField ShortField(std::uint16_t tag, std::uint16_t value, bool little) {
  TiffField f{tag, kTiffShort, 1, {}};
  Put16(f.value, value, little);
  return f;
}

TiffField LongField(std::uint16_t tag, std::uint32_t value, bool little) {
  TiffField f{tag, kTiffLong, 1, {}};
  Put32(f.value, value, little);
  return f;
}

TiffField RationalField(std::uint16_t tag, std::uint32_t numerator, std::uint32_t denominator,
                        bool little) {
  TiffField f{tag, kTiffRational, 1, {}};
  Put32(f.value, numerator, little);
  Put32(f.value, denominator, little);
  return f;
}

QByteArray TiffHeader(bool little, std::uint32_t first) {
  QByteArray out(little ? "II" : "MM");
  Put16(out, 42, little);
  Put32(out, first, little);
  return out;
}

QByteArray LayOutDirectories(bool little, std::uint32_t base, std::vector<TiffField> main,
                             std::vector<TiffField> exif, std::vector<TiffField> gps) {
  // Pointers are counted in the first directory's size before their values are known.
  const std::size_t pointers = (exif.empty() ? 0 : 1) + (gps.empty() ? 0 : 1);
  for (std::size_t i = 0; i < pointers; ++i) main.push_back(LongField(0, 0, little));
  const std::uint64_t main_size = DirectorySize(main);
  const std::uint64_t exif_at = base + main_size;
  const std::uint64_t gps_at = exif_at + (exif.empty() ? 0 : DirectorySize(exif));
  if (gps_at + (gps.empty() ? 0 : DirectorySize(gps)) > 0xFFFFFFFFull) return {};
  main.resize(main.size() - pointers);
  if (!exif.empty())
    main.push_back(LongField(kExifDirectoryTag, static_cast<std::uint32_t>(exif_at), little));
  if (!gps.empty())
    main.push_back(LongField(kGpsDirectoryTag, static_cast<std::uint32_t>(gps_at), little));
  QByteArray out;
  PutDirectory(out, base, main, little);
  if (!exif.empty()) PutDirectory(out, static_cast<std::uint32_t>(exif_at), exif, little);
  if (!gps.empty()) PutDirectory(out, static_cast<std::uint32_t>(gps_at), gps, little);
  return out;
}

}  // namespace tessaly
