// Finding the EXIF block in each format and cutting the TIFF structure out of it.
// Every length read from the file is checked against the bytes there before use.
#include "surface/exif_block.h"

#include <cstring>

#include "surface/byte_order.h"
#include "surface/heif_metadata.h"
#include "surface/heif_primary.h"
#include "surface/jxl_metadata.h"
#include "surface/jxl_stream.h"

namespace tessaly {
namespace {

// JPEG: start marker, then segments of marker (2), length (2, counting itself),
// data. The EXIF segment's data starts with "Exif\0" and one more byte.
constexpr std::size_t kSegmentHeader = 4;
constexpr std::size_t kExifMarkerBytes = 6;
constexpr std::uint8_t kExifSignature[] = {'E', 'x', 'i', 'f', 0};
// A TIFF header: byte order (2), the number 42 (2), first directory offset (4).
constexpr std::size_t kTiffHeaderBytes = 8;
// HEIF and JPEG XL blocks start with a 4-byte big-endian offset to the TIFF header.
constexpr std::size_t kOffsetBytes = 4;

bool TiffHeaderAt(std::span<const std::uint8_t> bytes, std::size_t at) {
  if (at > bytes.size() || bytes.size() - at < kTiffHeaderBytes) return false;
  const std::uint8_t* p = bytes.data() + at;
  return (p[0] == 'I' && p[1] == 'I' && p[2] == 42 && p[3] == 0) ||
         (p[0] == 'M' && p[1] == 'M' && p[2] == 0 && p[3] == 42);
}

bool JpegExif(std::span<const std::uint8_t> file, std::vector<std::uint8_t>& tiff, bool& past_end) {
  std::size_t at = 2;
  // A JFIF segment first: the EXIF segment is looked for right after it.
  if (file.size() >= at + kSegmentHeader && file[2] == 0xFF && file[3] == 0xE0)
    at += kSegmentHeader - 2 + Be16(file.data() + 4);
  if (at > file.size() || file.size() - at < kSegmentHeader + kExifMarkerBytes) {
    past_end = true;
    return false;
  }
  const std::uint8_t* s = file.data() + at;
  if (s[0] != 0xFF || s[1] != 0xE1 ||
      std::memcmp(s + kSegmentHeader, kExifSignature, sizeof kExifSignature) != 0)
    return false;
  // The segment's length counts its own two bytes; the TIFF structure is the rest
  // of the segment after the marker.
  const std::size_t length = Be16(s + 2);
  if (length < 2 + kExifMarkerBytes) return false;
  const std::size_t end = at + 2 + length;
  if (end > file.size()) {
    past_end = true;
    return false;
  }
  const std::size_t from = at + kSegmentHeader + kExifMarkerBytes;
  tiff.assign(file.begin() + static_cast<std::ptrdiff_t>(from),
              file.begin() + static_cast<std::ptrdiff_t>(end));
  return true;
}

// The TIFF structure inside a HEIF or JPEG XL EXIF block: where its offset points,
// or, failing that, just past an "Exif\0\0" marker at its start (writers disagree on
// whether the offset counts the marker).
bool TiffOfBlock(const std::vector<std::uint8_t>& block, std::vector<std::uint8_t>& tiff) {
  if (block.size() < kOffsetBytes) return false;
  const std::span<const std::uint8_t> bytes(block);
  std::size_t at = kOffsetBytes + std::size_t{Be32(block.data())};
  if (!TiffHeaderAt(bytes, at)) {
    at = kOffsetBytes;
    if (block.size() - at >= kExifMarkerBytes &&
        std::memcmp(block.data() + at, kExifSignature, sizeof kExifSignature) == 0)
      at += kExifMarkerBytes;
    if (!TiffHeaderAt(bytes, at)) return false;
  }
  tiff.assign(block.begin() + static_cast<std::ptrdiff_t>(at), block.end());
  return true;
}

}  // namespace

bool PhotoExifBlock(std::span<const std::uint8_t> file, std::vector<std::uint8_t>& tiff,
                    bool* past_end) {
  tiff.clear();
  bool more = false;
  bool found = false;
  std::vector<std::uint8_t> block;
  if (file.size() >= 2 && file[0] == 0xFF && file[1] == 0xD8) {
    found = JpegExif(file, tiff, more);
  } else if (LooksLikeHeif(file.data(), file.size())) {
    bool complete = true;
    found = HeifExifBlock(file.data(), file.size(), block, &complete) && TiffOfBlock(block, tiff);
    more = !complete;
  } else if (LooksLikeJxl(file.data(), file.size())) {
    bool complete = true;
    found = JxlExifBlock(file.data(), file.size(), block, &complete) && TiffOfBlock(block, tiff);
    more = !complete;
  }
  if (past_end != nullptr) *past_end = more;
  if (!found) tiff.clear();
  return found;
}

}  // namespace tessaly
