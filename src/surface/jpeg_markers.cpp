// JPEG marker walk: segments are [FF m][length, 2 bytes big-endian][payload]; SOI,
// EOI, RST0..7 and TEM stand alone; any number of 0xFF fill bytes may precede a
// marker; stray bytes between segments are skipped to the next 0xFF, as decoders do.
#include "surface/jpeg_markers.h"

#include <cstring>

#include "surface/byte_order.h"

namespace tessaly {
namespace {

constexpr std::uint8_t kMarkerPrefix = 0xFF;
constexpr std::uint8_t kStart = 0xD8;
constexpr std::uint8_t kEnd = 0xD9;
constexpr std::uint8_t kStartOfScan = 0xDA;
constexpr std::uint8_t kFirstRestart = 0xD0;
constexpr std::uint8_t kLastRestart = 0xD7;
constexpr std::uint8_t kTemporary = 0x01;
constexpr std::uint8_t kStuffing = 0x00;
constexpr std::uint8_t kApp1 = 0xE1;
constexpr char kExifHeader[] = "Exif\0";  // with its own terminating zero: six bytes
constexpr std::size_t kExifHeaderSize = sizeof kExifHeader;

bool StandsAlone(std::uint8_t m) {
  return m == kStart || m == kEnd || m == kTemporary || (m >= kFirstRestart && m <= kLastRestart);
}

// SOF0..SOF15 without DHT (C4), JPG (C8) and DAC (CC).
bool IsFrameMarker(std::uint8_t m) {
  return m >= 0xC0 && m <= 0xCF && m != 0xC4 && m != 0xC8 && m != 0xCC;
}

JpegCoding CodingOf(std::uint8_t m) {
  switch (m) {
    case 0xC0:
    case 0xC1:
      return JpegCoding::kSequentialHuffman;
    case 0xC2:
      return JpegCoding::kProgressiveHuffman;
    case 0xC3:
      return JpegCoding::kLosslessHuffman;
    default:
      return JpegCoding::kOther;  // hierarchical or arithmetic-coded
  }
}

// Visits the markers in order. `visit(marker, payload, payload_size)` returns false
// to stop. Returns true when the walk reached the end marker.
template <typename Visit>
bool WalkMarkers(const std::uint8_t* data, std::size_t size, Visit visit) {
  if (size < 2 || data[0] != kMarkerPrefix || data[1] != kStart) return false;
  std::size_t i = 2;
  while (i < size) {
    if (data[i] != kMarkerPrefix) {
      const void* next = std::memchr(data + i, kMarkerPrefix, size - i);
      if (!next) return false;
      i = static_cast<std::size_t>(static_cast<const std::uint8_t*>(next) - data);
    }
    while (i < size && data[i] == kMarkerPrefix) ++i;  // fill bytes
    if (i >= size) return false;
    const std::uint8_t marker = data[i++];
    if (marker == kEnd) return true;
    if (marker == kStuffing || StandsAlone(marker)) continue;
    if (i + 2 > size) return false;
    const std::size_t length = static_cast<std::size_t>(Be16(data + i));
    if (length < 2 || i + length > size) return false;
    if (!visit(marker, data + i + 2, length - 2)) return false;
    i += length;
    if (marker != kStartOfScan) continue;
    // Entropy-coded data runs to the first 0xFF that is neither stuffing nor a restart.
    for (;;) {
      const void* next = std::memchr(data + i, kMarkerPrefix, size - i);
      if (!next) return false;
      i = static_cast<std::size_t>(static_cast<const std::uint8_t*>(next) - data);
      if (i + 1 >= size) return false;
      const std::uint8_t after = data[i + 1];
      if (after != kStuffing && !(after >= kFirstRestart && after <= kLastRestart)) break;
      i += 2;
    }
  }
  return false;
}

}  // namespace

bool FindJpegFrame(const std::uint8_t* data, std::size_t size, JpegFrame& frame) {
  frame = JpegFrame{};
  bool found = false;
  WalkMarkers(data, size, [&](std::uint8_t marker, const std::uint8_t* p, std::size_t n) {
    if (!IsFrameMarker(marker)) return true;
    // Precision, height, width, component count, then three bytes per component.
    if (n < 6) return false;
    const std::size_t count = p[5];
    if (count == 0 || n < 6 + 3 * count) return false;
    frame.coding = CodingOf(marker);
    frame.height = static_cast<int>(Be16(p + 1));
    frame.width = static_cast<int>(Be16(p + 3));
    for (std::size_t c = 0; c < count; ++c) {
      const std::uint8_t sampling = p[6 + 3 * c + 1];
      frame.components.push_back({sampling >> 4, sampling & 0x0F});
    }
    found = true;
    return false;
  });
  return found;
}

bool JpegEndsEarly(const std::uint8_t* data, std::size_t size) {
  return !WalkMarkers(data, size,
                      [](std::uint8_t, const std::uint8_t*, std::size_t) { return true; });
}

bool FindJpegExif(const std::uint8_t* data, std::size_t size, const std::uint8_t*& tiff,
                  std::size_t& tiff_size) {
  tiff = nullptr;
  tiff_size = 0;
  WalkMarkers(data, size, [&](std::uint8_t marker, const std::uint8_t* p, std::size_t n) {
    if (marker == kStartOfScan) return false;
    if (marker != kApp1 || n < kExifHeaderSize || std::memcmp(p, kExifHeader, kExifHeaderSize) != 0)
      return true;
    tiff = p + kExifHeaderSize;
    tiff_size = n - kExifHeaderSize;
    return false;
  });
  return tiff != nullptr;
}

}  // namespace tessaly
