// High-quality bicubic resampling of a rectangle of one surface onto the whole of
// another: separable Keys kernel (a = −0.5), pixel centres at +0.5, support widened
// by the scale factor when shrinking (area-correct), source pixels beyond the
// picture's edge clamped to the edge. The source rectangle may differ in size from
// the destination by any amount; a 1:1 copy from a whole-pixel origin gives back
// the source bytes exactly. Output bytes stay within ±1 of a double-precision
// evaluation of the same filter.
#pragma once

#include "surface/surface_view.h"

namespace tessaly {

// Resamples the source rectangle (x, y, width, height), in picture coordinates of
// `src` (origin top-left, y down), onto every pixel of `dst`. Rows of both views
// are bottom-up as usual. Pixels of `src` just outside the rectangle are real
// neighbours for the filter; only the picture's own edge is clamped. Polls after
// each band of destination memory rows (from row 0 up); a stop returns false and
// leaves the rows not yet written as they were. False, with `dst` untouched, for an
// empty view, a rectangle of zero or negative size, or one not inside `src`.
bool ResampleBicubic(const SurfaceView& src, int x, int y, int width, int height,
                     const SurfaceView& dst, const RowPoll& poll = {});

// ResampleBicubic of a rectangle whose edges may fall between pixels (a crop mapped
// onto a reduced decode); whole-number edges give the same bytes as ResampleBicubic.
// Edges a rounding error outside the picture count as on its edge.
bool ResampleBicubicSubpixel(const SurfaceView& src, double x, double y, double width,
                             double height, const SurfaceView& dst, const RowPoll& poll = {});

}  // namespace tessaly
