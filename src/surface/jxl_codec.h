// JPEG XL photos through libjxl: the size from the basic information at the head of
// the codestream (nothing else is decoded), and the decode of the first frame into a
// surface (8-bit B,G,R, rows bottom-up). Samples deeper than 8 bits are decoded as
// 16-bit and rounded to 8 bits; alpha is composited onto white. `upright` true
// applies the file's orientation, false gives the pixels as stored. A picture outside
// the surface limits is refused before any pixel memory is allocated.
#pragma once

#include <cstddef>
#include <cstdint>

#include "surface/image_read_status.h"
#include "surface/surface_buffer.h"

namespace tessaly {

// The size the decode with the same `upright` gives. kOk, or why the file is refused
// (sizes 0 then).
ImageReadStatus JxlImageSize(const std::uint8_t* data, std::size_t size, bool upright, int& width,
                             int& height);

// Decodes the first frame into `out`. kOk, or why not (`out` released then).
ImageReadStatus DecodeJxl(const std::uint8_t* data, std::size_t size, bool upright,
                          SurfaceBuffer& out);

}  // namespace tessaly
