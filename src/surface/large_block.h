// Memory for photo-sized buffers (decoded pixels, a file's bytes). From 2 MiB
// upwards a block's size is rounded up to whole 2 MiB steps, and a released block
// is kept for the next buffer of its kind and about its size: a print or save run
// allocates the same few buffers photo after photo, and memory the kernel maps anew
// is zeroed page by page before it is handed out. Each kind keeps a few blocks up
// to a byte cap, so an idle program holds little. Blocks take ordinary pages.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

namespace tessaly {

inline constexpr std::size_t kLargeBlockStep = std::size_t{2} << 20;

// What a block holds; each kind has its own kept blocks.
enum class BlockUse { kPixels, kFileBytes };

// Gives a block back for reuse (large) or frees it (capacity 0: small).
struct LargeBlockFree {
  BlockUse use = BlockUse::kPixels;
  std::size_t capacity = 0;
  void operator()(std::uint8_t* p) const;
};
using LargeBlock = std::unique_ptr<std::uint8_t, LargeBlockFree>;

// A block of at least `bytes` bytes, a kept one when one fits; null when memory is
// short even after every kept block was freed.
LargeBlock TakeLargeBlock(BlockUse use, std::size_t bytes);

// Frees every kept block. A print or save run calls it when it ends, so that an
// idle window program holds no photo-sized memory.
void ReleaseKeptBlocks();

}  // namespace tessaly
