// The orientation a camera records in a photo's EXIF data (tag 274: 1 upright, 2
// mirrored, 3 half turn, 4 mirrored top to bottom, 5..8 the four that swap the
// sides), reading it from a JPEG's EXIF segment, and turning decoded pixels upright.
// Whether photos are read upright is one process-wide choice (on unless the user's
// preference turns it off), set once at start before any photo is read.
#pragma once

#include <cstddef>
#include <cstdint>

#include "surface/surface_buffer.h"

namespace tessaly {

inline constexpr int kUprightOrientation = 1;

// The process-wide choice: true (the default) reads every photo upright.
bool UprightPhotos();
void SetUprightPhotos(bool upright);

// The orientation value of a TIFF structure's first directory, 1 when it has none,
// the value is outside 1..8 or the structure is damaged (every offset is checked).
int TiffOrientation(const std::uint8_t* tiff, std::size_t size);
// The orientation of a JPEG stream from its EXIF segment; 1 without one.
int JpegOrientation(const std::uint8_t* data, std::size_t size);

// True for the orientations whose upright picture is as wide as the stored one is high.
constexpr bool OrientationSwapsSides(int orientation) {
  return orientation >= 5 && orientation <= 8;
}
// The quarter turn (0, 90, 180, −90; clockwise positive) that brings the stored
// pixels upright after the mirror, if any, that MirroredOrientation tells.
int OrientationTurn(int orientation);
// True for the orientations that store a mirror image (2, 4, 5, 7).
constexpr bool MirroredOrientation(int orientation) {
  return orientation == 2 || orientation == 4 || orientation == 5 || orientation == 7;
}

// Writes the upright picture of `stored` into `upright`, which must have the upright
// size; false (nothing written) for a wrong size or an orientation outside 1..8.
bool TurnUpright(const SurfaceView& stored, const SurfaceView& upright, int orientation);
// Writes the upright picture of a band of stored rows, the band's top row being row
// `top` (counted from the top) of a stored picture `stored_height` rows high, into
// its place in `upright`, the whole upright picture; no other bytes are touched.
// The band must fit the picture and `orientation` be in 1..8.
void TurnBandUpright(const SurfaceView& band, int top, int stored_height,
                     const SurfaceView& upright, int orientation);

}  // namespace tessaly
