// libheif's colour boxes and metadata items of the primary image, with sizes
// checked before anything is copied out.
#include "surface/heif_metadata.h"

#include <libheif/heif.h>

#include "surface/heif_primary.h"
#include "surface/metadata_limits.h"

namespace tessaly {

ImageReadStatus ReadHeifColour(const std::uint8_t* data, std::size_t size, HeifColour& colour) {
  colour = HeifColour{};
  HeifPrimary primary;
  const ImageReadStatus opened = primary.Open(data, size);
  if (opened != ImageReadStatus::kOk) return opened;
  const heif_image_handle* handle = primary.handle();

  const std::size_t icc_size = heif_image_handle_get_raw_color_profile_size(handle);
  if (icc_size > 0 && icc_size <= kMaxEmbeddedProfileBytes) {
    colour.icc.resize(icc_size);
    if (heif_image_handle_get_raw_color_profile(handle, colour.icc.data()).code == heif_error_Ok)
      return ImageReadStatus::kOk;
    colour.icc.clear();
  }
  heif_color_profile_nclx* nclx = nullptr;
  if (heif_image_handle_get_nclx_color_profile(handle, &nclx).code == heif_error_Ok &&
      nclx != nullptr) {
    colour.nclx = true;
    colour.primaries = nclx->color_primaries;
    colour.transfer = nclx->transfer_characteristics;
  }
  heif_nclx_color_profile_free(nclx);
  return ImageReadStatus::kOk;
}

bool HeifExifBlock(const std::uint8_t* data, std::size_t size, std::vector<std::uint8_t>& block,
                   bool* complete) {
  block.clear();
  if (complete != nullptr) *complete = false;
  HeifPrimary primary;
  if (primary.Open(data, size) != ImageReadStatus::kOk) return false;
  heif_item_id id = 0;
  const bool listed =
      heif_image_handle_get_list_of_metadata_block_IDs(primary.handle(), "Exif", &id, 1) == 1;
  const std::size_t block_size =
      listed ? heif_image_handle_get_metadata_size(primary.handle(), id) : 0;
  if (block_size == 0 || block_size > kMaxExifBlockBytes) {
    if (complete != nullptr) *complete = true;
    return false;
  }
  block.resize(block_size);
  // The block's data may lie past the bytes given (at the end of a file whose head
  // was read): then it is incomplete, not absent.
  if (heif_image_handle_get_metadata(primary.handle(), id, block.data()).code != heif_error_Ok) {
    block.clear();
    return false;
  }
  if (complete != nullptr) *complete = true;
  return true;
}

}  // namespace tessaly
