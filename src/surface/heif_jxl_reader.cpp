// Dispatch by content to the HEIF and JPEG XL codecs.
#include "surface/heif_jxl_reader.h"

#include "surface/heif_codec.h"
#include "surface/heif_primary.h"
#include "surface/jxl_codec.h"
#include "surface/jxl_stream.h"

namespace tessaly {

bool LooksLikeHeifOrJxl(const std::uint8_t* data, std::size_t size) {
  return LooksLikeHeif(data, size) || LooksLikeJxl(data, size);
}

ImageReadStatus HeifOrJxlImageSize(const std::uint8_t* data, std::size_t size, bool upright,
                                   int& width, int& height) {
  if (LooksLikeHeif(data, size)) return HeifImageSize(data, size, upright, width, height);
  return JxlImageSize(data, size, upright, width, height);
}

ImageReadStatus DecodeHeifOrJxl(const std::uint8_t* data, std::size_t size, bool upright,
                                SurfaceBuffer& out) {
  if (LooksLikeHeif(data, size)) return DecodeHeif(data, size, upright, out);
  return DecodeJxl(data, size, upright, out);
}

}  // namespace tessaly
