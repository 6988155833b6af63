// Memory for photo-sized buffers (decoded pixels, a file's bytes). From one 2 MiB
// page upwards a block is rounded up to whole pages, aligned to them and advised for
// transparent huge pages, so the kernel maps it in a few dozen faults instead of one
// per 4 KiB page (each fault is costly, the more so in a virtual machine). Smaller
// blocks come from malloc. Either kind is returned with std::free.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tessaly {

inline constexpr std::size_t kHugePageBytes = std::size_t{2} << 20;

// The capacity a block of `bytes` is given: whole huge pages for a large one, else
// `bytes` itself.
std::size_t LargeBlockCapacity(std::size_t bytes);

// A block of LargeBlockCapacity(bytes) bytes, or null when memory is short.
std::uint8_t* AllocateLargeBlock(std::size_t bytes);

}  // namespace tessaly
