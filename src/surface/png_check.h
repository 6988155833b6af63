// A silent libpng pass over a PNG file's bytes before Qt's reader sees them. Qt's
// PNG reader leaves libpng's default error handler in place, which prints
// "libpng error: …" on standard error for every damaged file; this pass reads the
// same stream with handlers that say nothing, so a damaged file is refused with a
// reason of our own and Qt only ever reads streams libpng accepts.
#pragma once

#include <cstddef>
#include <cstdint>

#include "surface/image_read_status.h"

namespace tessaly {

// True when `data` starts with the PNG signature.
bool LooksLikePng(const std::uint8_t* data, std::size_t size);

enum class PngCheckDepth {
  kHeader,  // the chunks up to the first image data (what a size query reads)
  kWhole,   // every row and the chunks after them (what a decode reads)
};

// kOk when libpng reads `data` to `depth` without an error; kDamaged for any error
// (bytes ending early, a bad CRC, bad compressed data, bad header values).
ImageReadStatus CheckPngStream(const std::uint8_t* data, std::size_t size, PngCheckDepth depth);

}  // namespace tessaly
