// SurfaceBuffer: pixel blocks taken from the kept ones, padding zeroed per row.
#include "surface/surface_buffer.h"

#include <cstring>
#include <utility>

#include "surface/large_block.h"

namespace tessaly {

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
  bits_ = TakeLargeBlock(BlockUse::kPixels, bytes);
  if (!bits_) return false;
  view_ = {bits_.get(), width, height, stride};
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
