// libjxl's colour encoding and container boxes: the profile query stops at the
// colour encoding event; the box walk collects the first EXIF box, growing its
// buffer (in doubling steps up to the bound) while the decoder asks for more room.
#include "surface/jxl_metadata.h"

#include <algorithm>
#include <cstring>

#include "surface/jxl_stream.h"
#include "surface/metadata_limits.h"

namespace tessaly {
namespace {

// The first buffer offered for an EXIF box; grown while the decoder needs more.
constexpr std::size_t kFirstBoxBuffer = std::size_t{64} << 10;

bool IsSrgb(const JxlColorEncoding& c) {
  return (c.color_space == JXL_COLOR_SPACE_RGB || c.color_space == JXL_COLOR_SPACE_GRAY) &&
         c.white_point == JXL_WHITE_POINT_D65 &&
         (c.color_space == JXL_COLOR_SPACE_GRAY || c.primaries == JXL_PRIMARIES_SRGB) &&
         c.transfer_function == JXL_TRANSFER_FUNCTION_SRGB;
}

}  // namespace

ImageReadStatus ReadJxlProfile(const std::uint8_t* data, std::size_t size,
                               std::vector<std::uint8_t>& icc) {
  icc.clear();
  if (!LooksLikeJxl(data, size)) return ImageReadStatus::kUnsupported;
  const JxlDecoderPtr decoder = StartJxlDecoder(data, size, JXL_DEC_COLOR_ENCODING, true);
  if (!decoder) return ImageReadStatus::kOutOfMemory;
  if (JxlDecoderProcessInput(decoder.get()) != JXL_DEC_COLOR_ENCODING)
    return ImageReadStatus::kDamaged;
  PreferSrgbOutput(decoder.get());
  JxlColorEncoding encoding;
  if (JxlDecoderGetColorAsEncodedProfile(decoder.get(), nullptr, JXL_COLOR_PROFILE_TARGET_DATA,
                                         &encoding) == JXL_DEC_SUCCESS &&
      IsSrgb(encoding))
    return ImageReadStatus::kOk;
  std::size_t icc_size = 0;
  if (JxlDecoderGetICCProfileSize(decoder.get(), nullptr, JXL_COLOR_PROFILE_TARGET_DATA,
                                  &icc_size) != JXL_DEC_SUCCESS ||
      icc_size == 0 || icc_size > kMaxEmbeddedProfileBytes)
    return ImageReadStatus::kUnsupported;
  icc.resize(icc_size);
  if (JxlDecoderGetColorAsICCProfile(decoder.get(), nullptr, JXL_COLOR_PROFILE_TARGET_DATA,
                                     icc.data(), icc.size()) != JXL_DEC_SUCCESS) {
    icc.clear();
    return ImageReadStatus::kUnsupported;
  }
  return ImageReadStatus::kOk;
}

bool JxlExifBlock(const std::uint8_t* data, std::size_t size, std::vector<std::uint8_t>& block,
                  bool* complete) {
  block.clear();
  if (complete != nullptr) *complete = true;
  // A bare codestream has no boxes, so no EXIF.
  if (!LooksLikeJxl(data, size) || data[0] == 0xFF) return false;
  const JxlDecoderPtr decoder = StartJxlDecoder(data, size, JXL_DEC_BOX, true);
  if (!decoder) return false;
  // Without Brotli in the library, compressed boxes stay compressed and are skipped.
  static_cast<void>(JxlDecoderSetDecompressBoxes(decoder.get(), JXL_TRUE));
  bool collecting = false;
  std::size_t filled = 0;  // bytes of `block` the decoder has written
  for (;;) {
    const JxlDecoderStatus status = JxlDecoderProcessInput(decoder.get());
    if (collecting && (status == JXL_DEC_BOX || status == JXL_DEC_SUCCESS)) {
      block.resize(block.size() - JxlDecoderReleaseBoxBuffer(decoder.get()));
      return true;
    }
    if (status == JXL_DEC_BOX) {
      JxlBoxType type;
      if (JxlDecoderGetBoxType(decoder.get(), type, JXL_TRUE) != JXL_DEC_SUCCESS) return false;
      if (std::memcmp(type, "Exif", 4) != 0) continue;
      collecting = true;
      block.resize(kFirstBoxBuffer);
      if (JxlDecoderSetBoxBuffer(decoder.get(), block.data(), block.size()) != JXL_DEC_SUCCESS)
        break;
    } else if (status == JXL_DEC_BOX_NEED_MORE_OUTPUT && collecting) {
      filled = block.size() - JxlDecoderReleaseBoxBuffer(decoder.get());
      if (block.size() >= kMaxExifBlockBytes) break;
      block.resize(std::min(block.size() * 2, kMaxExifBlockBytes));
      if (JxlDecoderSetBoxBuffer(decoder.get(), block.data() + filled, block.size() - filled) !=
          JXL_DEC_SUCCESS)
        break;
    } else {
      // The end of the boxes without an EXIF box, an error, or bytes that ran out.
      if (status == JXL_DEC_NEED_MORE_INPUT && complete != nullptr) *complete = false;
      break;
    }
  }
  block.clear();
  return false;
}

}  // namespace tessaly
