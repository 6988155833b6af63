// SurfaceBuffer: aligned allocation with a huge-page hint, padding zeroed per row.
#include "surface/surface_buffer.h"

#include <sys/mman.h>

#include <cstring>
#include <utility>

namespace tessaly {
namespace {

// Transparent huge pages are 2 MiB on the machines we run on; buffers from one such
// page upwards are aligned to it so the kernel can back them with whole pages.
constexpr std::size_t kHugePageBytes = std::size_t{2} << 20;

}  // namespace

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
  const bool huge = bytes >= kHugePageBytes;
  const std::size_t rounded =
      huge ? (bytes + kHugePageBytes - 1) / kHugePageBytes * kHugePageBytes : bytes;
  auto* bits = static_cast<std::uint8_t*>(huge ? std::aligned_alloc(kHugePageBytes, rounded)
                                               : std::malloc(bytes));
  if (!bits) return false;
  // Only a hint: without huge-page support the buffer works the same, just slower.
  if (huge) madvise(bits, rounded, MADV_HUGEPAGE);
  bits_.reset(bits);
  view_ = {bits, width, height, stride};
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
