// Bottom-up B,G,R surface rows copied into a top-down RGB888 image.
#include "surface/top_down_rgb.h"

namespace tessaly {

QImage TopDownRgb(const SurfaceView& view) {
  if (view.empty()) return QImage();
  QImage image(view.width, view.height, QImage::Format_RGB888);
  if (image.isNull()) return image;
  for (int y = 0; y < view.height; ++y) {
    const std::uint8_t* src = view.Row(view.height - 1 - y);
    std::uint8_t* dst = image.scanLine(y);
    for (int c = 0; c < view.width; ++c, src += 3, dst += 3) {
      dst[0] = src[2];
      dst[1] = src[1];
      dst[2] = src[0];
    }
  }
  return image;
}

}  // namespace tessaly
