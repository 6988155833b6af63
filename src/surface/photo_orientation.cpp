// Orientation: the tag read from the first directory of the EXIF TIFF structure
// (8-byte header "II*\0" or "MM\0*" with the directory's offset, 2-byte entry
// count, 12-byte entries), and the upright picture as a quarter turn of the stored
// pixels followed, for the mirrored orientations, by a left-right mirror.
#include "surface/photo_orientation.h"

#include <algorithm>
#include <atomic>

#include "surface/byte_order.h"
#include "surface/jpeg_markers.h"
#include "surface/quarter_turn.h"

namespace tessaly {
namespace {

std::atomic<bool> upright_photos{true};

constexpr std::uint32_t kOrientationTag = 274;
constexpr std::uint32_t kShortType = 3;
constexpr std::size_t kTiffHeaderSize = 8;
constexpr std::size_t kEntrySize = 12;

void MirrorRows(const SurfaceView& view) {
  for (int y = 0; y < view.height; ++y) {
    std::uint8_t* left = view.Row(y);
    std::uint8_t* right = left + 3 * (view.width - 1);
    for (; left < right; left += 3, right -= 3) std::swap_ranges(left, left + 3, right);
  }
}

}  // namespace

bool UprightPhotos() {
  return upright_photos.load(std::memory_order_relaxed);
}

void SetUprightPhotos(bool upright) {
  upright_photos.store(upright, std::memory_order_relaxed);
}

int TiffOrientation(const std::uint8_t* tiff, std::size_t size) {
  if (size < kTiffHeaderSize) return kUprightOrientation;
  const bool little = tiff[0] == 'I' && tiff[1] == 'I';
  if (!little && !(tiff[0] == 'M' && tiff[1] == 'M')) return kUprightOrientation;
  const auto u16 = [&](std::size_t at) { return little ? Le16(tiff + at) : Be16(tiff + at); };
  const auto u32 = [&](std::size_t at) { return little ? Le32(tiff + at) : Be32(tiff + at); };
  if (u16(2) != 42) return kUprightOrientation;
  const std::size_t directory = u32(4);
  if (directory > size || size - directory < 2) return kUprightOrientation;
  const std::size_t count = u16(directory);
  if (count > (size - directory - 2) / kEntrySize) return kUprightOrientation;
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t entry = directory + 2 + kEntrySize * i;
    if (u16(entry) != kOrientationTag) continue;
    if (u16(entry + 2) != kShortType || u32(entry + 4) != 1) return kUprightOrientation;
    const int value = static_cast<int>(u16(entry + 8));
    return value >= 1 && value <= 8 ? value : kUprightOrientation;
  }
  return kUprightOrientation;
}

int JpegOrientation(const std::uint8_t* data, std::size_t size) {
  const std::uint8_t* tiff = nullptr;
  std::size_t tiff_size = 0;
  if (!FindJpegExif(data, size, tiff, tiff_size)) return kUprightOrientation;
  return TiffOrientation(tiff, tiff_size);
}

int OrientationTurn(int orientation) {
  switch (orientation) {
    case 3:
    case 4:
      return kHalfTurn;
    case 5:
    case 6:
      return kQuarterTurn;
    case 7:
    case 8:
      return -kQuarterTurn;
    default:
      return 0;
  }
}

bool TurnUpright(const SurfaceView& stored, const SurfaceView& upright, int orientation) {
  if (orientation < 1 || orientation > 8 || stored.empty() || upright.empty()) return false;
  int width = 0, height = 0;
  const int turn = OrientationTurn(orientation);
  TurnedSize(turn, stored.width, stored.height, width, height);
  if (upright.width != width || upright.height != height) return false;
  if (turn != 0) {
    QuarterTurn(stored, upright, turn);
  } else {
    for (int y = 0; y < height; ++y)
      std::copy_n(stored.Row(y), 3 * static_cast<std::size_t>(width), upright.Row(y));
  }
  if (MirroredOrientation(orientation)) MirrorRows(upright);
  return true;
}

void TurnBandUpright(const SurfaceView& band, int top, int stored_height,
                     const SurfaceView& upright, int orientation) {
  // The band lands as a stripe of the upright picture: rows for the orientations
  // that keep the sides, columns for the others, counted from the far edge when
  // the stored top ends up at the bottom or on the right.
  const int end = top + band.height;
  const bool from_far_edge =
      orientation == 3 || orientation == 4 || orientation == 6 || orientation == 7;
  const int first = from_far_edge ? stored_height - end : top;
  SurfaceView stripe = upright;
  if (OrientationSwapsSides(orientation)) {
    stripe.bits += 3 * static_cast<std::ptrdiff_t>(first);
    stripe.width = band.height;
  } else {
    stripe.bits +=
        static_cast<std::ptrdiff_t>(upright.height - first - band.height) * upright.stride;
    stripe.height = band.height;
  }
  const int turn = OrientationTurn(orientation);
  if (turn != 0) {
    QuarterTurnRows(band, stripe, turn, 0, stripe.height);
  } else {
    for (int y = 0; y < stripe.height; ++y)
      std::copy_n(band.Row(y), 3 * static_cast<std::size_t>(stripe.width), stripe.Row(y));
  }
  if (MirroredOrientation(orientation)) MirrorRows(stripe);
}

}  // namespace tessaly
