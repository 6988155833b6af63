// Large blocks: sizes rounded up to whole steps.
#include "surface/large_block.h"

#include <cstdlib>

namespace tessaly {

std::size_t LargeBlockCapacity(std::size_t bytes) {
  if (bytes < kLargeBlockStep) return bytes;
  return (bytes + kLargeBlockStep - 1) / kLargeBlockStep * kLargeBlockStep;
}

std::uint8_t* AllocateLargeBlock(std::size_t bytes) {
  return static_cast<std::uint8_t*>(std::malloc(LargeBlockCapacity(bytes)));
}

}  // namespace tessaly
