// The colour profile and the EXIF box of a JPEG XL file, read through libjxl from
// the codestream header and the container's boxes (no pixels decoded). The profile
// is that of the pixels the decoder gives; an image whose colour is plain sRGB has
// none. Every size is bounded (see metadata_limits.h) before it is allocated.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "surface/image_read_status.h"

namespace tessaly {

// The ICC profile of the decoded pixels into `icc` (empty for sRGB). kOk, kDamaged
// when the header cannot be read (cut short: more of the file may answer), or
// kUnsupported when the colour has no ICC form or an oversized one.
ImageReadStatus ReadJxlProfile(const std::uint8_t* data, std::size_t size,
                               std::vector<std::uint8_t>& icc);

// The first "Exif" box's contents as stored (a 4-byte offset to the TIFF header,
// then the header's bytes), Brotli-compressed boxes decompressed. False when the
// file has no such box, it is larger than kMaxExifBlockBytes, or it cannot be read;
// `complete` (when given) is false when the bytes ended before the boxes did.
bool JxlExifBlock(const std::uint8_t* data, std::size_t size, std::vector<std::uint8_t>& block,
                  bool* complete = nullptr);

}  // namespace tessaly
