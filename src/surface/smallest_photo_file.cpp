// Per-format floors of a complete file's size. Pixel data only is counted (headers
// are ignored), and every ratio is the format's largest possible, so a floor never
// exceeds the size of a real file of that picture. Pictures outside the surface
// limits give 0: they are refused for their size before this counts.
#include "surface/smallest_photo_file.h"

#include <algorithm>
#include <cstring>

#include "surface/byte_order.h"
#include "surface/jpeg_markers.h"
#include "surface/surface_view.h"

namespace tessaly {
namespace {

// Deflate codes at most 258 bytes with one length and one distance code of at
// least one bit each: at best 1032 bytes of output per byte of input.
constexpr std::int64_t kDeflateMaxRatio = 1032;
// PackBits repeats at most 128 bytes with a 2-byte run.
constexpr std::int64_t kPackBitsMaxRatio = 64;
// TIFF LZW codes are at least 9 bits and stand for at most 4096 bytes.
constexpr std::int64_t kLzwMaxRatio = 4096;
// Samples and bits per sample above these are not real pictures; capping them only
// lowers the floor.
constexpr std::int64_t kMaxSamples = 16;
constexpr std::int64_t kMaxBitsPerSample = 64;

std::int64_t CeilDiv(std::int64_t a, std::int64_t b) {
  return (a + b - 1) / b;
}

std::int64_t Jpeg(const std::uint8_t* data, std::size_t size) {
  JpegFrame frame;
  if (!FindJpegFrame(data, size, frame) || frame.width <= 0 || frame.height <= 0) return 0;
  int h_max = 1, v_max = 1;
  for (const JpegComponent& c : frame.components) {
    if (c.h < 1 || c.h > 4 || c.v < 1 || c.v > 4) return 0;
    h_max = std::max(h_max, c.h);
    v_max = std::max(v_max, c.v);
  }
  // Huffman-coded data only: arithmetic coding can spend far less than a bit on a
  // decision, so it has no useful floor.
  std::int64_t bits = 0;
  for (const JpegComponent& c : frame.components) {
    const std::int64_t w = CeilDiv(static_cast<std::int64_t>(frame.width) * c.h, h_max);
    const std::int64_t h = CeilDiv(static_cast<std::int64_t>(frame.height) * c.v, v_max);
    const std::int64_t blocks = CeilDiv(w, 8) * CeilDiv(h, 8);
    switch (frame.coding) {
      // Every 8×8 block needs a DC code and an end-of-block code, each at least 1 bit.
      case JpegCoding::kSequentialHuffman:
        bits += 2 * blocks;
        break;
      // The first DC scan still codes every block with at least 1 bit.
      case JpegCoding::kProgressiveHuffman:
        bits += blocks;
        break;
      // Every sample's difference category is a code of at least 1 bit.
      case JpegCoding::kLosslessHuffman:
        bits += w * h;
        break;
      case JpegCoding::kOther:
        return 0;
    }
  }
  return CeilDiv(bits, 8);
}

std::int64_t Png(const std::uint8_t* data, std::size_t size) {
  static constexpr std::uint8_t kSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  // Signature, IHDR length and type, width, height, bit depth, colour type.
  if (size < 26 || std::memcmp(data, kSignature, sizeof kSignature) != 0 ||
      std::memcmp(data + 12, "IHDR", 4) != 0)
    return 0;
  const std::int64_t width = Be32(data + 16);
  const std::int64_t height = Be32(data + 20);
  const std::int64_t depth = data[24];
  std::int64_t channels = 0;
  switch (data[25]) {
    case 0:
    case 3:
      channels = 1;
      break;
    case 2:
      channels = 3;
      break;
    case 4:
      channels = 2;
      break;
    case 6:
      channels = 4;
      break;
    default:
      return 0;
  }
  if (!SurfaceSizeAllowed(width, height)) return 0;
  const std::int64_t raw =
      CeilDiv(width * height * channels * std::min(depth, kMaxBitsPerSample), 8);
  return raw / kDeflateMaxRatio;
}

std::int64_t Bmp(const std::uint8_t* data, std::size_t size) {
  if (size < 30 || data[0] != 'B' || data[1] != 'M') return 0;
  const std::uint32_t header = Le32(data + 14);
  std::int64_t width = 0, height = 0, bits = 0;
  std::uint32_t compression = 0;
  if (header == 12) {
    width = Le16(data + 18);
    height = Le16(data + 20);
    bits = Le16(data + 24);
  } else if (header >= 40 && size >= 34) {
    width = static_cast<std::int32_t>(Le32(data + 18));
    height = static_cast<std::int32_t>(Le32(data + 22));
    bits = Le16(data + 28);
    compression = Le32(data + 30);
  } else {
    return 0;
  }
  // Uncompressed rows (plain or bit fields) have an exact size; run-length coding can
  // skip whole areas, so it has no floor.
  constexpr std::uint32_t kRgb = 0, kBitFields = 3, kAlphaBitFields = 6;
  if (compression != kRgb && compression != kBitFields && compression != kAlphaBitFields) return 0;
  if (!SurfaceSizeAllowed(width, height < 0 ? -height : height) || bits <= 0) return 0;
  const std::int64_t stride = CeilDiv(width * std::min(bits, kMaxBitsPerSample), 32) * 4;
  return stride * (height < 0 ? -height : height);
}

std::int64_t Tiff(const std::uint8_t* data, std::size_t size) {
  if (size < 8) return 0;
  const bool little = data[0] == 'I' && data[1] == 'I';
  const bool big = data[0] == 'M' && data[1] == 'M';
  if (!little && !big) return 0;
  const auto u16 = [&](std::size_t at) { return little ? Le16(data + at) : Be16(data + at); };
  const auto u32 = [&](std::size_t at) { return little ? Le32(data + at) : Be32(data + at); };
  if (u16(2) != 42) return 0;
  const std::size_t ifd = u32(4);
  if (ifd + 2 > size) return 0;
  const std::size_t count = u16(ifd);
  constexpr std::uint32_t kShort = 3, kLong = 4;
  std::int64_t width = 0, height = 0, bits = 1, samples = 1, compression = 1;
  for (std::size_t e = 0; e < count; ++e) {
    const std::size_t at = ifd + 2 + 12 * e;
    if (at + 12 > size) return 0;
    const std::uint32_t tag = u16(at);
    const std::uint32_t type = u16(at + 2);
    const std::uint32_t n = u32(at + 4);
    // The entry's first value when it sits in the entry itself; else 0 (unknown).
    std::int64_t value = 0;
    if (type == kShort && n >= 1 && n <= 2) value = u16(at + 8);
    if (type == kLong && n == 1) value = u32(at + 8);
    switch (tag) {
      case 256:
        width = value;
        break;
      case 257:
        height = value;
        break;
      case 258:
        // Per-sample bit counts stored elsewhere count as 1 bit: a lower floor.
        bits = std::max<std::int64_t>(value, 1);
        break;
      case 259:
        compression = value;
        break;
      case 277:
        samples = std::max<std::int64_t>(value, 1);
        break;
      default:
        break;
    }
  }
  if (!SurfaceSizeAllowed(width, height)) return 0;
  const std::int64_t raw =
      CeilDiv(width * std::min(samples, kMaxSamples) * std::min(bits, kMaxBitsPerSample), 8) *
      height;
  switch (compression) {
    case 1:
      return raw;
    case 5:
      return raw / kLzwMaxRatio;
    case 8:
    case 32946:
      return raw / kDeflateMaxRatio;
    case 32773:
      return raw / kPackBitsMaxRatio;
    default:
      return 0;
  }
}

}  // namespace

std::int64_t SmallestPhotoFileBytes(const std::uint8_t* data, std::size_t size) {
  if (!data || size == 0) return 0;
  for (auto floor : {Jpeg, Png, Bmp, Tiff}) {
    if (const std::int64_t bytes = floor(data, size)) return bytes;
  }
  return 0;
}

}  // namespace tessaly
