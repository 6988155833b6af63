// Quarter turns: each source pixel (c, r) is moved to its turned place; rows are
// walked in memory order so that reads stay sequential.
#include "edits/quarter_turn.h"

#include <cstring>

namespace tessaly {

bool IsQuarterTurnAngle(int angle) {
  return angle == 90 || angle == -90 || angle == 180 || angle == -180;
}

void TurnedSize(int angle, int width, int height, int& out_width, int& out_height) {
  const bool swap = angle == 90 || angle == -90;
  out_width = swap ? height : width;
  out_height = swap ? width : height;
}

bool QuarterTurn(const SurfaceView& src, const SurfaceView& dst, int angle) {
  if (!IsQuarterTurnAngle(angle) || src.empty() || dst.empty()) return false;
  const int w = src.width, h = src.height;
  int tw = 0, th = 0;
  TurnedSize(angle, w, h, tw, th);
  if (dst.width != tw || dst.height != th) return false;

  for (int y = 0; y < th; ++y) std::memset(dst.Row(y) + 3 * tw, 0, dst.stride - 3 * tw);

  for (int r = 0; r < h; ++r) {
    const std::uint8_t* s = src.Row(r);
    for (int c = 0; c < w; ++c, s += 3) {
      std::uint8_t* d;
      if (angle == 90) {
        d = dst.Row(w - 1 - c) + 3 * r;  // clockwise: column r of memory row W−1−c
      } else if (angle == -90) {
        d = dst.Row(c) + 3 * (h - 1 - r);  // counter-clockwise: column H−1−r of row c
      } else {
        d = dst.Row(h - 1 - r) + 3 * (w - 1 - c);  // half turn
      }
      d[0] = s[0];
      d[1] = s[1];
      d[2] = s[2];
    }
  }
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
  if (angle < -180) return 90;
  if (angle > 180) return -90;
  return angle;
}

}  // namespace tessaly
