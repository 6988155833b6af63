// Memory for photo-sized buffers (decoded pixels, a file's bytes). From 2 MiB
// upwards a block's size is rounded up to whole 2 MiB steps, so that a released
// block fits the next picture of about its size (see surface_buffer.cpp). Blocks
// take the system's ordinary pages: huge pages map faster only when memory was
// freed moments before; after a few idle seconds a virtual machine hands each
// fresh huge page back from its host at ten times the cost of small pages.
// Either kind is returned with std::free.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tessaly {

inline constexpr std::size_t kLargeBlockStep = std::size_t{2} << 20;

// The capacity a block of `bytes` is given: whole steps for a large one, else
// `bytes` itself.
std::size_t LargeBlockCapacity(std::size_t bytes);

// A block of LargeBlockCapacity(bytes) bytes, or null when memory is short.
std::uint8_t* AllocateLargeBlock(std::size_t bytes);

}  // namespace tessaly
