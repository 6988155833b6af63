// JPEG through TurboJPEG: header reading, decoding straight into a pixel surface
// (B,G,R, bottom-up rows, padded stride), optionally with DCT scaling by one of the
// decoder's factors num/den (1/8 … 1), and encoding a surface at a quality 0..100.
// Sizes are pixels; a picture above the surface limits is refused from its header,
// before any pixel memory is allocated.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "surface/surface_buffer.h"

namespace tessaly {

// True when the bytes start like a JPEG stream (SOI marker followed by a marker).
bool LooksLikeJpeg(const std::uint8_t* data, std::size_t size);

struct JpegHeader {
  int width = 0;
  int height = 0;
  // The decoder's colour space of the stream (TJCS_*).
  int colourspace = 0;
};

// Reads the frame header. False when the stream has no readable frame header.
bool ReadJpegHeader(const std::uint8_t* data, std::size_t size, JpegHeader& header);

// True when the stream's colour space cannot be converted to B,G,R by the decoder
// (CMYK and YCCK); such pictures are handed to another reader.
bool JpegNeedsOtherReader(const JpegHeader& header);

// A DCT scaling factor num/den of the decoder.
struct JpegScale {
  int num = 1;
  int den = 1;
};

// Size of a `size`-pixel side decoded at `scale` (rounded up, as the decoder does).
int JpegScaledSide(int size, JpegScale scale);

// The smallest decoder scale not above 1 whose scaled width and height are both at
// least min_width × min_height; 1/1 when no smaller factor covers them.
JpegScale JpegScaleCovering(int width, int height, int min_width, int min_height);

enum class JpegDecodeResult {
  Decoded,      // `out` holds the picture (possibly partly grey when the data ran short)
  OtherReader,  // a colour space this decoder cannot turn into B,G,R
  Failed        // unreadable, too large or out of memory; `out` is released
};

// The checks every decode makes before it allocates: a readable frame header, a
// colour space the decoder converts, the full size within the surface limits and
// a scale not above 1. Decoded (with `header` read) when the stream may be decoded,
// else the refusal.
JpegDecodeResult CheckJpegDecode(const std::uint8_t* data, std::size_t size, JpegScale scale,
                                 JpegHeader& header);

// Decodes the stream at `scale` into `out`, made at the scaled size. A damaged or
// truncated stream decodes as far as its data goes; progressive streams with an
// unreasonable number of scans are refused.
JpegDecodeResult DecodeJpeg(const std::uint8_t* data, std::size_t size, JpegScale scale,
                            SurfaceBuffer& out);

struct JpegBufferFree {
  void operator()(unsigned char* p) const;
};
using JpegBytes = std::unique_ptr<unsigned char, JpegBufferFree>;

enum class JpegEncodeResult { Encoded, BadArgument, OutOfMemory, Failed };

// Encodes `view` at `quality` (0..100, the quantisation scaling of the IJG tables;
// 0 gives the tables of 1). `bytes`/`size` receive the JPEG stream.
JpegEncodeResult EncodeJpeg(const SurfaceView& view, int quality, JpegBytes& bytes,
                            std::size_t& size);

}  // namespace tessaly
