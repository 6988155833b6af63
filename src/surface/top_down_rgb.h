// The picture of a surface as a top-down R,G,B image: rows in picture order, first
// row at the top, each pixel's bytes swapped from the surface's B,G,R. This is the
// form Qt's image writers and painters take; padding bytes are never read.
#pragma once

#include <QImage>

#include "surface/surface_view.h"

namespace tessaly {

// A null image for an empty view or when the image memory cannot be had.
QImage TopDownRgb(const SurfaceView& view);

}  // namespace tessaly
