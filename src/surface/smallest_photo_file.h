// The fewest bytes a complete file can have for the picture its header describes,
// from the format's best possible compression: a file smaller than that cannot hold
// the picture, however the pixels look, and is refused before its pixel memory is
// allocated. Every bound is a floor that real files are far above; a format or
// coding without a sound floor gives 0 (no check).
#pragma once

#include <cstddef>
#include <cstdint>

namespace tessaly {

// `data` holds the file's first `size` bytes (enough for its headers). JPEG, PNG,
// BMP and TIFF are recognised; anything else, or headers that cannot be read, give 0.
std::int64_t SmallestPhotoFileBytes(const std::uint8_t* data, std::size_t size);

}  // namespace tessaly
