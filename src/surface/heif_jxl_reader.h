// The photo formats decoded through libheif (HEIC/HEIF, AVIF) and libjxl (JPEG XL),
// recognised by their content, behind one entry for the image file reader and the
// fuzzer: the header size and the whole decode, each for the same `upright` rule
// (true: the file's own rotation and mirroring applied).
#pragma once

#include <cstddef>
#include <cstdint>

#include "surface/image_read_status.h"
#include "surface/surface_buffer.h"

namespace tessaly {

// True when the bytes start like a HEIF/AVIF or a JPEG XL file.
bool LooksLikeHeifOrJxl(const std::uint8_t* data, std::size_t size);

// The picture's size from its header, refused (kTooLarge) outside the surface
// limits. kUnsupported for bytes of neither format.
ImageReadStatus HeifOrJxlImageSize(const std::uint8_t* data, std::size_t size, bool upright,
                                   int& width, int& height);

// Decodes the whole picture into `out` (released on failure).
ImageReadStatus DecodeHeifOrJxl(const std::uint8_t* data, std::size_t size, bool upright,
                                SurfaceBuffer& out);

}  // namespace tessaly
