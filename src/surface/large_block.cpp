// Large blocks: aligned allocation with a huge-page hint.
#include "surface/large_block.h"

#include <sys/mman.h>

#include <cstdlib>

namespace tessaly {

std::size_t LargeBlockCapacity(std::size_t bytes) {
  if (bytes < kHugePageBytes) return bytes;
  return (bytes + kHugePageBytes - 1) / kHugePageBytes * kHugePageBytes;
}

std::uint8_t* AllocateLargeBlock(std::size_t bytes) {
  const std::size_t capacity = LargeBlockCapacity(bytes);
  if (capacity < kHugePageBytes) return static_cast<std::uint8_t*>(std::malloc(bytes));
  auto* block = static_cast<std::uint8_t*>(std::aligned_alloc(kHugePageBytes, capacity));
  // Only a hint: without huge-page support the block works the same, just slower.
  if (block) madvise(block, capacity, MADV_HUGEPAGE);
  return block;
}

}  // namespace tessaly
