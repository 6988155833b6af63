// Quarter turns of 24-bit bottom-up pixel memory, and the rule that keeps a
// photo's rotation angle within −180..180.
// Angle 90 is clockwise on screen, −90 counter-clockwise, ±180 a half turn; the
// result of a quarter turn is H pixels wide and W high, rows padded to 4 bytes with
// zero padding. Any other angle is refused.
#pragma once

#include <cstdint>
#include <vector>

#include "surface/surface_view.h"

namespace tessaly {

inline constexpr int kQuarterTurn = 90;
inline constexpr int kHalfTurn = 180;

// True for the angles a quarter turn accepts: 90, −90, 180, −180.
bool IsQuarterTurnAngle(int angle);
// True for the angles a photo can be at: −180, −90, 0, 90, 180.
bool IsPhotoAngle(int angle);

// Size of the result of turning a width × height picture by `angle`.
void TurnedSize(int angle, int width, int height, int& out_width, int& out_height);

// Turns `src` into `dst`, which must already have the turned size (TurnedSize).
// Writes the pixel bytes of every row and zeroes the padding. False for an angle
// other than 90, −90, 180, −180 or a destination of the wrong size.
bool QuarterTurn(const SurfaceView& src, const SurfaceView& dst, int angle);
// The kernel of QuarterTurn on this thread: fills the pixel bytes of destination
// rows [first, end) and nothing else, so `dst` may be a part of a larger picture.
// The angle and sizes must already be valid.
void QuarterTurnRows(const SurfaceView& src, const SurfaceView& dst, int angle, int first, int end);

// Turns a byte array of `width` × `height` pixels in the surface layout; the array,
// width and height are replaced by the turned ones. False (nothing changed) for an
// angle other than 90, −90, 180, −180 or an array too short for the size.
bool QuarterTurnBytes(std::vector<std::uint8_t>& bits, int& width, int& height, int angle);

// Adds a rotation step (+90 or −90) to a photo's angle: a sum below −180 becomes
// 90 and a sum above 180 becomes −90, so angles stay in {−180, −90, 0, 90, 180}.
int WrapAngle(int angle);
inline int AddRotationStep(int angle, int step) {
  return WrapAngle(angle + step);
}

}  // namespace tessaly
