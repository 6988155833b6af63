// Decoding a JPEG straight into its upright picture: the library's scanline decoder
// fills a band of stored rows at a time, and each finished band is turned into its
// place in the upright surface on a second thread while the next band decodes, so
// the picture is written once and the turn costs no pass of its own. The decoder
// runs with TurboJPEG's settings (B,G,R, accurate DCT, smooth upsampling, the same
// cap on progressive scans), so the pixels equal DecodeJpeg's turned upright.
#pragma once

#include <cstddef>
#include <cstdint>

#include "surface/jpeg_codec.h"
#include "surface/surface_buffer.h"

namespace tessaly {

// As DecodeJpeg, with `out` made at the upright size of the scaled picture for
// `orientation` (1..8, see photo_orientation.h; 1 decodes as DecodeJpeg does).
JpegDecodeResult DecodeJpegUpright(const std::uint8_t* data, std::size_t size, JpegScale scale,
                                   int orientation, SurfaceBuffer& out);

}  // namespace tessaly
