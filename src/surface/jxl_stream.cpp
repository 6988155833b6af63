// The JPEG XL signatures and the shared decoder set-up.
#include "surface/jxl_stream.h"

#include <jxl/encode.h>

#include <cstring>

namespace tessaly {
namespace {

constexpr std::uint8_t kCodestream[] = {0xFF, 0x0A};
constexpr std::uint8_t kContainer[] = {0x00, 0x00, 0x00, 0x0C, 0x4A, 0x58,
                                       0x4C, 0x20, 0x0D, 0x0A, 0x87, 0x0A};

}  // namespace

bool LooksLikeJxl(const std::uint8_t* data, std::size_t size) {
  if (data == nullptr) return false;
  if (size >= sizeof kCodestream && std::memcmp(data, kCodestream, sizeof kCodestream) == 0)
    return true;
  return size >= sizeof kContainer && std::memcmp(data, kContainer, sizeof kContainer) == 0;
}

JxlDecoderPtr StartJxlDecoder(const std::uint8_t* data, std::size_t size, int events,
                              bool upright) {
  JxlDecoderPtr decoder(JxlDecoderCreate(nullptr));
  if (!decoder || JxlDecoderSubscribeEvents(decoder.get(), events) != JXL_DEC_SUCCESS ||
      JxlDecoderSetKeepOrientation(decoder.get(), upright ? JXL_FALSE : JXL_TRUE) !=
          JXL_DEC_SUCCESS ||
      JxlDecoderSetInput(decoder.get(), data, size) != JXL_DEC_SUCCESS)
    return nullptr;
  JxlDecoderCloseInput(decoder.get());
  return decoder;
}

void PreferSrgbOutput(JxlDecoder* decoder) {
  JxlBasicInfo info;
  if (JxlDecoderGetBasicInfo(decoder, &info) != JXL_DEC_SUCCESS) return;
  JxlColorEncoding srgb;
  JxlColorEncodingSetToSRGB(&srgb, info.num_color_channels == 1 ? JXL_TRUE : JXL_FALSE);
  // Refused only where the decoder has no choice; its output colour then stays the
  // image's own, which the profile query reports the same way.
  static_cast<void>(JxlDecoderSetPreferredColorProfile(decoder, &srgb));
}

}  // namespace tessaly
