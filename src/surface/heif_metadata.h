// The colour description and the EXIF block of a HEIF/AVIF file's primary image,
// read through libheif from the boxes (no pixels decoded). An ICC profile is given
// as its bytes, an nclx description as its code points; an EXIF block as stored. Every size is
// bounded (see metadata_limits.h) before it is allocated.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "surface/image_read_status.h"

namespace tessaly {

struct HeifColour {
  std::vector<std::uint8_t> icc;  // the embedded ICC profile; empty when none
  bool nclx = false;              // true when code points describe the colour
  int primaries = 0;              // colour primaries code (2: unspecified)
  int transfer = 0;               // transfer characteristics code (2: unspecified)
};

// The primary image's colour description (an ICC profile wins over code points when
// both are present). kOk, or why the file could not be opened.
ImageReadStatus ReadHeifColour(const std::uint8_t* data, std::size_t size, HeifColour& colour);

// The primary image's first EXIF block as stored (a 4-byte offset to the TIFF
// header, then the header's bytes). False when the file does not open, has no such
// block, or it is larger than kMaxExifBlockBytes. `complete` (when given) is false
// when the file or its block could not be read from these bytes: more of the file
// may answer.
bool HeifExifBlock(const std::uint8_t* data, std::size_t size, std::vector<std::uint8_t>& block,
                   bool* complete = nullptr);

}  // namespace tessaly
