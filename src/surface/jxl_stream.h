// JPEG XL recognition and the libjxl decoder set-up its codec and metadata readers
// share: the whole file is the input (closed, so a file cut short ends in an error
// rather than a wait for more), the events asked for, and the orientation rule.
// When the decoder may choose the colour of its output (lossy images carrying an
// ICC profile), it is asked for sRGB, so that pixels and profile always agree.
#pragma once

#include <jxl/decode.h>

#include <cstddef>
#include <cstdint>
#include <memory>

namespace tessaly {

// True for a bare codestream (FF 0A) or the container's signature box.
bool LooksLikeJxl(const std::uint8_t* data, std::size_t size);

struct JxlDecoderFree {
  void operator()(JxlDecoder* decoder) const { JxlDecoderDestroy(decoder); }
};
using JxlDecoderPtr = std::unique_ptr<JxlDecoder, JxlDecoderFree>;

// A decoder over `data`, subscribed to `events`; `upright` false keeps the pixels
// as stored instead of applying the file's orientation. Null when libjxl refuses.
JxlDecoderPtr StartJxlDecoder(const std::uint8_t* data, std::size_t size, int events, bool upright);

// Called at the JXL_DEC_COLOR_ENCODING event: prefers sRGB output where the decoder
// has the choice (it has none for images kept in their original colour).
void PreferSrgbOutput(JxlDecoder* decoder);

}  // namespace tessaly
