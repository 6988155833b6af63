// Owned pixel memory of one picture in the surface layout (B,G,R, rows bottom-up,
// stride padded to 4 bytes), for decoders that write every pixel byte themselves:
// unlike cDIB it is not filled on creation, only its row padding is zeroed. Large
// buffers are large blocks (see large_block.h), and a few released ones are kept
// for the next buffer of about their size (see surface_buffer.cpp).
#pragma once

#include <cstdint>
#include <cstdlib>
#include <memory>

#include "surface/surface_view.h"

namespace tessaly {

class SurfaceBuffer {
 public:
  SurfaceBuffer() = default;
  SurfaceBuffer(SurfaceBuffer&& other) noexcept;
  SurfaceBuffer& operator=(SurfaceBuffer&& other) noexcept;
  SurfaceBuffer(const SurfaceBuffer&) = delete;
  SurfaceBuffer& operator=(const SurfaceBuffer&) = delete;

  // Releases any memory and makes a width × height buffer; pixel bytes are left
  // undefined. False (and released) outside the surface limits or when memory is
  // short.
  bool Allocate(int width, int height);
  void Release();
  const SurfaceView& View() const { return view_; }
  bool empty() const { return view_.empty(); }

 private:
  // Frees or keeps the memory; `capacity` is the size of a large aligned block, 0
  // for a small one from malloc.
  struct Free {
    std::size_t capacity;
    void operator()(std::uint8_t* p) const;
  };
  std::unique_ptr<std::uint8_t, Free> bits_;
  SurfaceView view_;
};

// Frees the released buffers kept for reuse. A print or save run calls it when it
// ends, so that an idle window program holds no photo-sized memory.
void ReleaseKeptSurfaceBuffers();

}  // namespace tessaly
