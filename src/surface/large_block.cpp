// Large blocks: sizes in whole steps, released ones kept per use for reuse.
#include "surface/large_block.h"

#include <array>
#include <cstdlib>
#include <mutex>
#include <vector>

namespace tessaly {
namespace {

// Three pixel blocks cover the buffers of one photo in flight (decoded, cropped,
// turned); two file blocks the files read at once by the workers of a run.
constexpr std::size_t kMostKeptBlocks = 3;
constexpr std::array<std::size_t, 2> kKeptBlocks = {3, 2};
constexpr std::array<std::size_t, 2> kKeptBytes = {std::size_t{384} << 20, std::size_t{128} << 20};
// A kept block serves a request from its own size down to this fraction of it.
constexpr std::size_t kReuseFractionDenominator = 4;  // at least three quarters used

struct Block {
  std::uint8_t* bits = nullptr;
  std::size_t capacity = 0;
};

std::size_t Capacity(std::size_t bytes) {
  if (bytes < kLargeBlockStep) return bytes;
  return (bytes + kLargeBlockStep - 1) / kLargeBlockStep * kLargeBlockStep;
}

// The kept blocks of one use, oldest first.
class KeptBlocks {
 public:
  KeptBlocks(std::size_t count, std::size_t bytes) : most_count_(count), most_bytes_(bytes) {
    blocks_.reserve(kMostKeptBlocks + 1);
  }

  // The smallest kept block that fits `capacity` without wasting more than a
  // quarter of itself; null when there is none.
  Block Take(std::size_t capacity) {
    const std::lock_guard lock(mutex_);
    auto best = blocks_.end();
    for (auto it = blocks_.begin(); it != blocks_.end(); ++it) {
      const bool fits = it->capacity >= capacity &&
                        it->capacity - capacity <= it->capacity / kReuseFractionDenominator;
      if (fits && (best == blocks_.end() || it->capacity < best->capacity)) best = it;
    }
    if (best == blocks_.end()) return {};
    const Block block = *best;
    blocks_.erase(best);
    held_ -= block.capacity;
    return block;
  }

  // Keeps the block, dropping the oldest ones beyond the caps. Allocates nothing, as
  // it runs when a buffer is released.
  void Keep(Block block) {
    std::array<Block, kMostKeptBlocks + 1> dropped{};
    std::size_t count = 0;
    {
      const std::lock_guard lock(mutex_);
      blocks_.push_back(block);
      held_ += block.capacity;
      while (blocks_.size() > most_count_ || held_ > most_bytes_) {
        dropped[count++] = blocks_.front();
        held_ -= blocks_.front().capacity;
        blocks_.erase(blocks_.begin());
      }
    }
    for (std::size_t i = 0; i < count; ++i) std::free(dropped[i].bits);
  }

  void FreeAll() {
    const std::lock_guard lock(mutex_);
    for (const Block& kept : blocks_) std::free(kept.bits);
    blocks_.clear();
    held_ = 0;
  }

 private:
  const std::size_t most_count_;
  const std::size_t most_bytes_;
  std::mutex mutex_;
  // Room for one block over the cap, reserved so that Keep never allocates.
  std::vector<Block> blocks_;
  std::size_t held_ = 0;
};

// Never destroyed, so buffers released by other static objects at exit still find
// their pool.
KeptBlocks& Kept(BlockUse use) {
  static std::array<KeptBlocks, 2>* const kept = new std::array<KeptBlocks, 2>{
      KeptBlocks(kKeptBlocks[0], kKeptBytes[0]), KeptBlocks(kKeptBlocks[1], kKeptBytes[1])};
  return (*kept)[static_cast<std::size_t>(use)];
}

}  // namespace

void LargeBlockFree::operator()(std::uint8_t* p) const {
  if (capacity == 0)
    std::free(p);
  else
    Kept(use).Keep({p, capacity});
}

LargeBlock TakeLargeBlock(BlockUse use, std::size_t bytes) {
  const std::size_t capacity = Capacity(bytes);
  const bool large = capacity >= kLargeBlockStep;
  Block block = large ? Kept(use).Take(capacity) : Block{};
  if (!block.bits) {
    block = {static_cast<std::uint8_t*>(std::malloc(capacity)), large ? capacity : 0};
    // Memory short: the kept blocks go back first.
    if (!block.bits) {
      ReleaseKeptBlocks();
      block.bits = static_cast<std::uint8_t*>(std::malloc(capacity));
    }
  }
  return LargeBlock(block.bits, LargeBlockFree{use, block.bits ? block.capacity : 0});
}

void ReleaseKeptBlocks() {
  Kept(BlockUse::kPixels).FreeAll();
  Kept(BlockUse::kFileBytes).FreeAll();
}

}  // namespace tessaly
