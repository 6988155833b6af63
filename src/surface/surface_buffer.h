// Owned pixel memory of one picture in the surface layout (B,G,R, rows bottom-up,
// stride padded to 4 bytes), for decoders that write every pixel byte themselves:
// unlike cDIB it is not filled on creation, only its row padding is zeroed. Large
// buffers are large blocks (see large_block.h): a few released ones are kept for
// the next buffer of about their size.
#pragma once

#include <cstdint>

#include "surface/large_block.h"
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
  LargeBlock bits_;
  SurfaceView view_;
};

}  // namespace tessaly
