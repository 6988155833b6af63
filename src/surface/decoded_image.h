// Turns a picture decoded by Qt's image readers (any QImage format) into a pixel
// surface: 8-bit B,G,R, rows bottom-up. Alpha is composited onto white exactly,
// as drawing onto a white surface does: straight alpha c' = round((c·a + M·(M−a))/M),
// premultiplied c' = c_p + M − a, with M the channel maximum (255, or 65535 for
// 16-bit and deeper pictures, which are then rounded to 8 bits: round(v / 257)).
// Grey and indexed pictures become grey or palette colours in all three channels.
#pragma once

#include <QImage>

#include "surface/surface_buffer.h"

namespace tessaly {

// Makes `out` the picture's size and fills it. False (and `out` released) for a
// null picture, one outside the surface limits, or memory short. Conversion runs in
// bands of rows, so the only full-size buffers are the picture and the surface.
bool SurfaceFromDecodedImage(const QImage& image, SurfaceBuffer& out);

}  // namespace tessaly
