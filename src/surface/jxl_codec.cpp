// Size and decode of a JPEG XL image. The decode checks the basic information
// against the surface limits, makes the surface, and receives the pixels through the
// decoder's row callback, converting each run of pixels straight into its surface
// row: no full-size copy of the picture is made beside the surface.
#include "surface/jxl_codec.h"

#include "surface/interleaved_rows.h"
#include "surface/jxl_stream.h"

namespace tessaly {
namespace {

// The basic information's size and the sample layout the decode asks for.
ImageReadStatus ReadBasicInfo(JxlDecoder* decoder, int& width, int& height, JxlBasicInfo& info) {
  width = height = 0;
  if (JxlDecoderGetBasicInfo(decoder, &info) != JXL_DEC_SUCCESS) return ImageReadStatus::kDamaged;
  if (!SurfaceSizeAllowed(info.xsize, info.ysize)) return ImageReadStatus::kTooLarge;
  width = static_cast<int>(info.xsize);
  height = static_cast<int>(info.ysize);
  return ImageReadStatus::kOk;
}

// Where the callback writes: the surface and the layout of the runs it is given.
struct RowTarget {
  SurfaceView view;
  InterleavedLayout layout;
  std::size_t pixel_bytes = 0;
};

void WriteRun(void* opaque, std::size_t x, std::size_t y, std::size_t count, const void* pixels) {
  const RowTarget& target = *static_cast<const RowTarget*>(opaque);
  const auto width = static_cast<std::size_t>(target.view.width);
  const auto height = static_cast<std::size_t>(target.view.height);
  if (y >= height || x >= width || count > width - x) return;
  std::uint8_t* row = target.view.Row(static_cast<int>(height - 1 - y));
  WriteInterleavedRow(target.layout, static_cast<const std::uint8_t*>(pixels), row + 3 * x, count);
}

}  // namespace

ImageReadStatus JxlImageSize(const std::uint8_t* data, std::size_t size, bool upright, int& width,
                             int& height) {
  width = height = 0;
  if (!LooksLikeJxl(data, size)) return ImageReadStatus::kUnsupported;
  const JxlDecoderPtr decoder = StartJxlDecoder(data, size, JXL_DEC_BASIC_INFO, upright);
  if (!decoder) return ImageReadStatus::kOutOfMemory;
  if (JxlDecoderProcessInput(decoder.get()) != JXL_DEC_BASIC_INFO) return ImageReadStatus::kDamaged;
  JxlBasicInfo info;
  return ReadBasicInfo(decoder.get(), width, height, info);
}

ImageReadStatus DecodeJxl(const std::uint8_t* data, std::size_t size, bool upright,
                          SurfaceBuffer& out) {
  out.Release();
  if (!LooksLikeJxl(data, size)) return ImageReadStatus::kUnsupported;
  const JxlDecoderPtr decoder = StartJxlDecoder(
      data, size, JXL_DEC_BASIC_INFO | JXL_DEC_COLOR_ENCODING | JXL_DEC_FULL_IMAGE, upright);
  if (!decoder) return ImageReadStatus::kOutOfMemory;
  RowTarget target;
  JxlPixelFormat format{};
  for (;;) {
    switch (JxlDecoderProcessInput(decoder.get())) {
      case JXL_DEC_BASIC_INFO: {
        int width = 0, height = 0;
        JxlBasicInfo info;
        const ImageReadStatus status = ReadBasicInfo(decoder.get(), width, height, info);
        if (status != ImageReadStatus::kOk) return status;
        const bool alpha = info.alpha_bits > 0;
        const bool deep = info.bits_per_sample > 8 || info.alpha_bits > 8;
        format.num_channels = (info.num_color_channels == 1 ? 1 : 3) + (alpha ? 1 : 0);
        format.data_type = deep ? JXL_TYPE_UINT16 : JXL_TYPE_UINT8;
        format.endianness = JXL_NATIVE_ENDIAN;
        format.align = 0;
        target.layout.channels = static_cast<int>(format.num_channels);
        target.layout.sample_bytes = deep ? 2 : 1;
        target.layout.max = deep ? 0xFFFF : 0xFF;
        target.layout.premultiplied = alpha && info.alpha_premultiplied;
        if (!out.Allocate(width, height)) return ImageReadStatus::kOutOfMemory;
        target.view = out.View();
        break;
      }
      case JXL_DEC_COLOR_ENCODING:
        PreferSrgbOutput(decoder.get());
        break;
      case JXL_DEC_NEED_IMAGE_OUT_BUFFER:
        if (out.empty() || JxlDecoderSetImageOutCallback(decoder.get(), &format, WriteRun,
                                                         &target) != JXL_DEC_SUCCESS) {
          out.Release();
          return ImageReadStatus::kDamaged;
        }
        break;
      case JXL_DEC_FULL_IMAGE:
        // The first frame is the photo; any later frames are not decoded.
        if (out.empty()) return ImageReadStatus::kDamaged;
        return ImageReadStatus::kOk;
      default:
        // An error, a stream that ends early (its input is closed), or the end of
        // the stream before any picture.
        out.Release();
        return ImageReadStatus::kDamaged;
    }
  }
}

}  // namespace tessaly
