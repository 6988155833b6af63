// SurfaceBuffer: large blocks kept for reuse, padding zeroed per row.
#include "surface/surface_buffer.h"

#include <array>
#include <cstring>
#include <mutex>
#include <utility>
#include <vector>

#include "surface/large_block.h"

namespace tessaly {
namespace {

// Released large blocks kept for reuse. A print or save run allocates the same few
// photo-sized buffers photo after photo (decoded, cropped, turned), and memory the
// kernel maps anew is zeroed page by page before it is handed out: reusing a block
// saves that work. Three blocks cover the buffers of one photo in flight; the byte
// cap bounds what an idle program keeps.
constexpr std::size_t kKeptBlocks = 3;
constexpr std::size_t kKeptBytes = std::size_t{384} << 20;
// A kept block serves a request from its own size down to this fraction of it.
constexpr std::size_t kReuseFractionDenominator = 4;  // at least three quarters used

struct Block {
  std::uint8_t* bits = nullptr;
  std::size_t capacity = 0;
};

// The kept blocks, oldest first. Never destroyed, so buffers released by other
// static objects at exit still find it.
class KeptBlocks {
 public:
  // The smallest kept block that fits `bytes` without wasting more than a quarter
  // of itself; null when there is none.
  Block Take(std::size_t bytes) {
    const std::lock_guard lock(mutex_);
    auto best = blocks_.end();
    for (auto it = blocks_.begin(); it != blocks_.end(); ++it) {
      const bool fits =
          it->capacity >= bytes && it->capacity - bytes <= it->capacity / kReuseFractionDenominator;
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
    std::array<Block, kKeptBlocks + 1> dropped{};
    std::size_t count = 0;
    {
      const std::lock_guard lock(mutex_);
      blocks_.push_back(block);
      held_ += block.capacity;
      while (blocks_.size() > kKeptBlocks || held_ > kKeptBytes) {
        dropped[count++] = blocks_.front();
        held_ -= blocks_.front().capacity;
        blocks_.erase(blocks_.begin());
      }
    }
    for (std::size_t i = 0; i < count; ++i) std::free(dropped[i].bits);
  }

  // Frees every kept block: at the end of a run, or for an allocation that failed
  // with them held.
  void FreeAll() {
    const std::lock_guard lock(mutex_);
    for (const Block& kept : blocks_) std::free(kept.bits);
    blocks_.clear();
    held_ = 0;
  }

 private:
  std::mutex mutex_;
  // Room for one block over the cap, reserved so that Keep never allocates.
  std::vector<Block> blocks_ = [] {
    std::vector<Block> blocks;
    blocks.reserve(kKeptBlocks + 1);
    return blocks;
  }();
  std::size_t held_ = 0;
};

KeptBlocks& Kept() {
  static KeptBlocks* const kept = new KeptBlocks;
  return *kept;
}

}  // namespace

void ReleaseKeptSurfaceBuffers() {
  Kept().FreeAll();
}

void SurfaceBuffer::Free::operator()(std::uint8_t* p) const {
  if (capacity == 0) {
    std::free(p);
    return;
  }
  Kept().Keep({p, capacity});
}

SurfaceBuffer::SurfaceBuffer(SurfaceBuffer&& other) noexcept {
  *this = std::move(other);
}

SurfaceBuffer& SurfaceBuffer::operator=(SurfaceBuffer&& other) noexcept {
  if (this == &other) return *this;
  bits_ = std::move(other.bits_);
  view_ = std::exchange(other.view_, SurfaceView{});
  return *this;
}

bool SurfaceBuffer::Allocate(int width, int height) {
  Release();
  if (!SurfaceSizeAllowed(width, height)) return false;
  const int stride = StrideFor(width);
  const std::size_t bytes = static_cast<std::size_t>(stride) * static_cast<std::size_t>(height);
  const std::size_t capacity = LargeBlockCapacity(bytes);
  const bool large = capacity >= kLargeBlockStep;
  Block block = large ? Kept().Take(capacity) : Block{};
  if (!block.bits) {
    block = {AllocateLargeBlock(bytes), large ? capacity : 0};
    // Memory short: the kept blocks go back first.
    if (!block.bits) {
      Kept().FreeAll();
      block.bits = AllocateLargeBlock(bytes);
    }
    if (!block.bits) return false;
  }
  bits_ = std::unique_ptr<std::uint8_t, Free>(block.bits, Free{block.capacity});
  view_ = {block.bits, width, height, stride};
  const int padding = stride - 3 * width;
  if (padding > 0)
    for (int y = 0; y < height; ++y) std::memset(view_.Row(y) + 3 * width, 0, padding);
  return true;
}

void SurfaceBuffer::Release() {
  bits_.reset();
  view_ = SurfaceView{};
}

}  // namespace tessaly
