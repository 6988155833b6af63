// Rows of interleaved samples from a library decoder (grey, grey+alpha, RGB or RGBA;
// 8-bit, or 16-bit in native byte order holding values 0..max) written as surface
// rows: 8-bit B,G,R. Deeper values are scaled with rounding, v8 = (v·255 + max/2) / max
// (max is odd, so no value lies halfway). Alpha is composited onto white at the
// source depth and rounded once: straight c' = (c·a + max·(max − a)) / max,
// premultiplied c' = min(max, c + max − a). max 255 and opaque pixels copy exactly.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tessaly {

struct InterleavedLayout {
  int channels = 3;            // 1 grey, 2 grey+alpha, 3 RGB, 4 RGBA
  int sample_bytes = 1;        // 1 or 2
  std::uint32_t max = 255;     // the largest sample value: 2^bits − 1, bits 1..16
  bool premultiplied = false;  // colour already multiplied by alpha
};

// True when the layout is one WriteInterleavedRow handles.
bool InterleavedLayoutValid(const InterleavedLayout& layout);

// Writes `width` pixels from `src` (width · channels · sample_bytes bytes) to `dst`
// (3 · width bytes). Samples above max are taken as max.
void WriteInterleavedRow(const InterleavedLayout& layout, const std::uint8_t* src,
                         std::uint8_t* dst, std::size_t width);

}  // namespace tessaly
