// The EXIF metadata of a photo file as the bytes of its TIFF structure (from the
// byte-order mark on), for reading camera texts and for copying EXIF into saved
// files. JPEG: the APP1 "Exif" segment when it is the first segment or follows a
// JFIF segment (where the program has always looked); HEIF/AVIF: the primary image's
// EXIF block; JPEG XL: the container's "Exif" box. A JPEG's block is at most 64 KiB
// by its segment length; the others are bounded by kMaxExifBlockBytes.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace tessaly {

// The TIFF structure of `file`'s EXIF into `tiff`. False (and `tiff` empty) when the
// file carries none, when it is a TIFF file (the whole file is the structure: the
// caller reads it in place), or when its block is malformed. `past_end` (when given)
// is set when the answer needs more of the file than `file` holds.
bool PhotoExifBlock(std::span<const std::uint8_t> file, std::vector<std::uint8_t>& tiff,
                    bool* past_end = nullptr);

}  // namespace tessaly
