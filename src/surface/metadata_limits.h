// The largest metadata blocks taken from a photo file: bounds that hold every real
// profile and EXIF block, checked before a size read from the file allocates memory.
#pragma once

#include <cstddef>

namespace tessaly {

// An embedded ICC profile: big lookup-table profiles run to a few hundred KiB.
inline constexpr std::size_t kMaxEmbeddedProfileBytes = std::size_t{4} << 20;
// An EXIF block of a HEIF or JPEG XL file (a JPEG's is at most 64 KiB by its
// segment length): camera makers' notes and a thumbnail stay far below it.
inline constexpr std::size_t kMaxExifBlockBytes = std::size_t{1} << 20;

}  // namespace tessaly
