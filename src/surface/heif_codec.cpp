// Size and decode of a HEIF/AVIF primary image. The decode asks libheif for
// interleaved RGB(A) at the image's own depth (8 bits, or 16-bit little-endian words
// holding 9..16 bits), checks that the decoded image has the size the header query
// gave, then converts it row by row into the surface.
#include "surface/heif_codec.h"

#include <libheif/heif.h>

#include <algorithm>
#include <memory>

#include "surface/heif_primary.h"
#include "surface/interleaved_rows.h"

namespace tessaly {
namespace {

// How far a decoded image's side may exceed the stored picture's: coded pictures
// are padded to whole coding blocks (64 pixels at most), and a grid's tiles may
// reach past its edge by less than a tile.
constexpr int kDecodedSideSlack = 4096;

struct ImageFree {
  void operator()(heif_image* image) const { heif_image_release(image); }
};
struct OptionsFree {
  void operator()(heif_decoding_options* options) const { heif_decoding_options_free(options); }
};

ImageReadStatus SizeOf(const heif_image_handle* handle, bool upright, int& width, int& height) {
  // The handle's own size has rotation and crop applied; the item's spatial extent
  // is the size as stored.
  width = upright ? heif_image_handle_get_width(handle) : heif_image_handle_get_ispe_width(handle);
  height =
      upright ? heif_image_handle_get_height(handle) : heif_image_handle_get_ispe_height(handle);
  if (width <= 0 || height <= 0) {
    width = height = 0;
    return ImageReadStatus::kDamaged;
  }
  if (!SurfaceSizeAllowed(width, height)) {
    width = height = 0;
    return ImageReadStatus::kTooLarge;
  }
  return ImageReadStatus::kOk;
}

}  // namespace

ImageReadStatus HeifImageSize(const std::uint8_t* data, std::size_t size, bool upright, int& width,
                              int& height) {
  width = height = 0;
  HeifPrimary primary;
  const ImageReadStatus opened = primary.Open(data, size);
  if (opened != ImageReadStatus::kOk) return opened;
  return SizeOf(primary.handle(), upright, width, height);
}

ImageReadStatus DecodeHeif(const std::uint8_t* data, std::size_t size, bool upright,
                           SurfaceBuffer& out) {
  out.Release();
  HeifPrimary primary;
  ImageReadStatus status = primary.Open(data, size);
  if (status != ImageReadStatus::kOk) return status;
  const heif_image_handle* handle = primary.handle();
  int width = 0, height = 0;
  status = SizeOf(handle, upright, width, height);
  if (status != ImageReadStatus::kOk) return status;

  // The images decoded are at most the stored picture's size, give or take the
  // coding's block alignment and a grid's last tiles.
  const int stored_side =
      std::max(heif_image_handle_get_ispe_width(handle), heif_image_handle_get_ispe_height(handle));
  primary.LimitDecodedSide(stored_side + kDecodedSideSlack);

  const bool alpha = heif_image_handle_has_alpha_channel(handle) != 0;
  const bool deep = heif_image_handle_get_luma_bits_per_pixel(handle) > 8;
  const heif_chroma chroma =
      deep ? (alpha ? heif_chroma_interleaved_RRGGBBAA_LE : heif_chroma_interleaved_RRGGBB_LE)
           : (alpha ? heif_chroma_interleaved_RGBA : heif_chroma_interleaved_RGB);
  const std::unique_ptr<heif_decoding_options, OptionsFree> options(heif_decoding_options_alloc());
  if (!options) return ImageReadStatus::kOutOfMemory;
  options->ignore_transformations = upright ? 0 : 1;
  heif_image* decoded = nullptr;
  const heif_error error =
      heif_decode_image(handle, &decoded, heif_colorspace_RGB, chroma, options.get());
  const std::unique_ptr<heif_image, ImageFree> image(decoded);
  // The size was accepted from the boxes: a coded picture beyond the side limit
  // contradicts them, which is damage rather than a picture too large.
  if (error.subcode == heif_suberror_Security_limit_exceeded) return ImageReadStatus::kDamaged;
  if (error.code != heif_error_Ok) return HeifErrorStatus(error);
  if (!image) return ImageReadStatus::kDamaged;

  // The decoded plane must be the size promised and hold whole rows of its layout.
  InterleavedLayout layout;
  layout.channels = alpha ? 4 : 3;
  layout.sample_bytes = deep ? 2 : 1;
  const int bits = heif_image_get_bits_per_pixel_range(image.get(), heif_channel_interleaved);
  if (bits < 1 || bits > 8 * layout.sample_bytes) return ImageReadStatus::kUnsupported;
  layout.max = (std::uint32_t{1} << bits) - 1;
  layout.premultiplied = alpha && heif_image_is_premultiplied_alpha(image.get()) != 0;
  int stride = 0;
  const std::uint8_t* plane =
      heif_image_get_plane_readonly(image.get(), heif_channel_interleaved, &stride);
  const std::int64_t row_bytes = std::int64_t{width} * layout.channels * layout.sample_bytes;
  if (plane == nullptr || !InterleavedLayoutValid(layout) ||
      heif_image_get_width(image.get(), heif_channel_interleaved) != width ||
      heif_image_get_height(image.get(), heif_channel_interleaved) != height || stride < row_bytes)
    return ImageReadStatus::kDamaged;

  if (!out.Allocate(width, height)) return ImageReadStatus::kOutOfMemory;
  const SurfaceView& view = out.View();
  // Picture row y is memory row height − 1 − y.
  for (int y = 0; y < height; ++y)
    WriteInterleavedRow(layout, plane + static_cast<std::ptrdiff_t>(y) * stride,
                        view.Row(height - 1 - y), static_cast<std::size_t>(width));
  return ImageReadStatus::kOk;
}

}  // namespace tessaly
