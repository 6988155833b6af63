// HEIF (HEIC) and AVIF photos through libheif: the primary image's size from the
// boxes alone, and its decode into a surface (8-bit B,G,R, rows bottom-up). 10- and
// 12-bit images are decoded at their depth and rounded to 8 bits; alpha is
// composited onto white. `upright` true applies the file's own rotation, mirroring
// and crop (as it will be shown); false gives the pixels as stored. A picture outside
// the surface limits is refused before any pixel memory is allocated.
#pragma once

#include <cstddef>
#include <cstdint>

#include "surface/image_read_status.h"
#include "surface/surface_buffer.h"

namespace tessaly {

// The size the decode with the same `upright` gives. kOk, or why the file is refused
// (sizes 0 then).
ImageReadStatus HeifImageSize(const std::uint8_t* data, std::size_t size, bool upright, int& width,
                              int& height);

// Decodes the primary image into `out`. kOk, or why not (`out` released then).
ImageReadStatus DecodeHeif(const std::uint8_t* data, std::size_t size, bool upright,
                           SurfaceBuffer& out);

}  // namespace tessaly
