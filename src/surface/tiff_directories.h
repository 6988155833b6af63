// TIFF directories as EXIF data and TIFF files carry them: entries (tag, type,
// count, value bytes in the structure's byte order) read from a structure with every
// offset and count checked against its size, and laid out again from a given file
// offset — a first directory pointing to an EXIF and a GPS directory, entries sorted
// by tag, values longer than four bytes after each directory on even offsets.
#pragma once

#include <QByteArray>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace tessaly {

inline constexpr std::uint16_t kTiffByte = 1, kTiffAscii = 2, kTiffShort = 3, kTiffLong = 4,
                               kTiffRational = 5, kTiffUndefined = 7;
inline constexpr std::uint16_t kExifDirectoryTag = 34665, kGpsDirectoryTag = 34853;

struct TiffField {
  std::uint16_t tag = 0;
  std::uint16_t type = 0;
  std::uint32_t count = 0;
  QByteArray value;  // count × the type's size, in the structure's byte order
};

// The bytes of one value of a TIFF type (1..12); 0 for any other type.
int TiffTypeSize(std::uint16_t type);

// A TIFF structure's bytes with their byte order ("II" little, "MM" big).
class TiffBytes {
 public:
  TiffBytes(const std::uint8_t* data, std::size_t size);
  // True for a structure with a valid header; `first` is its first directory's offset.
  bool Valid(std::uint32_t& first) const;
  bool little_endian() const { return little_; }
  // The entries of the directory at `offset` (entries of an unknown type or whose
  // value lies outside the bytes are left out). False when the directory itself does
  // not lie inside; `past_end` is set when some look fell past the last byte.
  bool ReadDirectory(std::uint32_t offset, std::vector<TiffField>& fields, bool& past_end) const;
  // The first value of a LONG or SHORT field as a number.
  std::uint32_t Number(const TiffField& field) const;

 private:
  std::uint32_t U16(std::size_t at) const;
  std::uint32_t U32(std::size_t at) const;
  const std::uint8_t* data_;
  std::size_t size_;
  bool little_ = true;
};

// Fields of one value, encoded in the given byte order.
TiffField ShortField(std::uint16_t tag, std::uint16_t value, bool little);
TiffField LongField(std::uint16_t tag, std::uint32_t value, bool little);
TiffField RationalField(std::uint16_t tag, std::uint32_t numerator, std::uint32_t denominator,
                        bool little);

// The 8-byte header of a structure whose first directory is at `first`.
QByteArray TiffHeader(bool little, std::uint32_t first);

// The first directory with `main` and, when they are not empty, pointers to the EXIF
// directory with `exif` and the GPS directory with `gps`, all laid out to start at
// file offset `base` (even). Empty when the layout would pass 4 GiB.
QByteArray LayOutDirectories(bool little, std::uint32_t base, std::vector<TiffField> main,
                             std::vector<TiffField> exif, std::vector<TiffField> gps);

}  // namespace tessaly
