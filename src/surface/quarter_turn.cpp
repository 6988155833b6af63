// Quarter turns: every destination pixel is fetched from its source place, the
// destination rows split across the cores and walked in cache-sized tiles.
#include "surface/quarter_turn.h"

#include <algorithm>
#include <cstring>

#include "surface/row_bands.h"

namespace tessaly {
namespace {

// Side of the square tiles a quarter turn copies at a time (pixels).
constexpr int kTurnTile = 64;
// Destination rows a quarter turn fills together.
constexpr int kRowGroup = 16;

}  // namespace

bool IsQuarterTurnAngle(int angle) {
  return angle == kQuarterTurn || angle == -kQuarterTurn || angle == kHalfTurn ||
         angle == -kHalfTurn;
}

bool IsPhotoAngle(int angle) {
  return angle == 0 || IsQuarterTurnAngle(angle);
}

void TurnedSize(int angle, int width, int height, int& out_width, int& out_height) {
  const bool swap = angle == 90 || angle == -90;
  out_width = swap ? height : width;
  out_height = swap ? width : height;
}

void QuarterTurnRows(const SurfaceView& src, const SurfaceView& dst, int angle, int first,
                     int end) {
  const int w = src.width, h = src.height;
  const int tw = dst.width;
  if (angle == 180 || angle == -180) {
    for (int y = first; y < end; ++y) {
      const std::uint8_t* s = src.Row(h - 1 - y) + 3 * (w - 1);
      std::uint8_t* d = dst.Row(y);
      for (int x = 0; x < tw; ++x, d += 3, s -= 3) {
        d[0] = s[0];
        d[1] = s[1];
        d[2] = s[2];
      }
    }
    return;
  }
  // A quarter turn reads the source down its columns, so it walks tiles small
  // enough for both sides to stay in cache.
  for (int y0 = first; y0 < end; y0 += kTurnTile) {
    const int y1 = std::min(end, y0 + kTurnTile);
    for (int x0 = 0; x0 < tw; x0 += kTurnTile) {
      const int x1 = std::min(tw, x0 + kTurnTile);
      int y = y0;
      // A group of destination rows at a time: their pixels sit side by side in
      // one source row, which is then read in one run instead of pixel by pixel.
      for (; y + kRowGroup <= y1; y += kRowGroup) {
        std::uint8_t* d[kRowGroup];
        for (int i = 0; i < kRowGroup; ++i) d[i] = dst.Row(y + i) + 3 * x0;
        for (int x = x0; x < x1; ++x) {
          std::uint8_t group[3 * kRowGroup];
          if (angle == 90) {
            // Clockwise: memory row y holds source column W−1−y, so the group's
            // columns run leftwards from W−1−y.
            const std::uint8_t* s = src.Row(x) + 3 * (w - kRowGroup - y);
            for (int i = 0; i < kRowGroup; ++i)
              std::memcpy(group + 3 * i, s + 3 * (kRowGroup - 1 - i), 3);
          } else {
            // Counter-clockwise: source column y, read from the last row upwards.
            std::memcpy(group, src.Row(h - 1 - x) + 3 * y, sizeof group);
          }
          for (int i = 0; i < kRowGroup; ++i) {
            std::memcpy(d[i], group + 3 * i, 3);
            d[i] += 3;
          }
        }
      }
      for (; y < y1; ++y) {
        std::uint8_t* d = dst.Row(y) + 3 * x0;
        for (int x = x0; x < x1; ++x, d += 3) {
          const std::uint8_t* s =
              angle == 90 ? src.Row(x) + 3 * (w - 1 - y) : src.Row(h - 1 - x) + 3 * y;
          std::memcpy(d, s, 3);
        }
      }
    }
  }
}

bool QuarterTurn(const SurfaceView& src, const SurfaceView& dst, int angle) {
  if (!IsQuarterTurnAngle(angle) || src.empty() || dst.empty()) return false;
  int tw = 0, th = 0;
  TurnedSize(angle, src.width, src.height, tw, th);
  if (dst.width != tw || dst.height != th) return false;
  // Each thread fills whole destination rows and their padding.
  RunRowBands(th, th, [&](int first, int end) {
    for (int y = first; y < end; ++y) std::memset(dst.Row(y) + 3 * tw, 0, dst.stride - 3 * tw);
    QuarterTurnRows(src, dst, angle, first, end);
  });
  return true;
}

bool QuarterTurnBytes(std::vector<std::uint8_t>& bits, int& width, int& height, int angle) {
  if (!IsQuarterTurnAngle(angle) || width <= 0 || height <= 0) return false;
  const SurfaceView src{bits.data(), width, height, StrideFor(width)};
  if (bits.size() < src.ByteCount()) return false;
  int tw = 0, th = 0;
  TurnedSize(angle, width, height, tw, th);
  std::vector<std::uint8_t> turned(static_cast<std::size_t>(StrideFor(tw)) * th);
  const SurfaceView dst{turned.data(), tw, th, StrideFor(tw)};
  QuarterTurn(src, dst, angle);
  bits.swap(turned);
  width = tw;
  height = th;
  return true;
}

int WrapAngle(int angle) {
  if (angle < -kHalfTurn) return kQuarterTurn;
  if (angle > kHalfTurn) return -kQuarterTurn;
  return angle;
}

}  // namespace tessaly
