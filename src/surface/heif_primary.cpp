// Recognising HEIF/AVIF by its file-type box and opening its primary image with
// libheif's limits set.
#include "surface/heif_primary.h"

#include <libheif/heif.h>

#include <algorithm>
#include <array>
#include <cstring>

#include "surface/byte_order.h"
#include "surface/surface_view.h"

namespace tessaly {
namespace {

// The 'ftyp' box: size (4), type (4), major brand (4), minor version (4), then
// compatible brands of 4 bytes each up to the box's size. Brands past this many
// bytes are not looked at: real files list a handful.
constexpr std::size_t kFtypBrandsFrom = 16;
constexpr std::size_t kMajorBrandAt = 8;
constexpr std::size_t kLargestFtypLooked = 256;
constexpr std::array<const char*, 9> kHeifBrands = {"heic", "heix", "hevc", "heim", "heis",
                                                    "mif1", "msf1", "avif", "avis"};

bool HeifBrand(const std::uint8_t* brand) {
  for (const char* known : kHeifBrands)
    if (std::memcmp(brand, known, 4) == 0) return true;
  return false;
}

// True when the file's top-level boxes follow one another to exactly its last byte
// and none of them is a 'meta' box: a whole file without a still image. Each box
// starts with its 32-bit size (1: a 64-bit size follows the type; 0: the box runs to
// the end of the file) and its type.
bool WholeWithoutMeta(const std::uint8_t* data, std::size_t size) {
  constexpr std::uint64_t kHeader = 8, kLargeHeader = 16;
  std::uint64_t at = 0;
  while (at < size) {
    if (size - at < kHeader || std::memcmp(data + at + 4, "meta", 4) == 0) return false;
    std::uint64_t box = Be32(data + at);
    if (box == 0) return true;
    if (box == 1) {
      if (size - at < kLargeHeader) return false;
      box = std::uint64_t{Be32(data + at + 8)} << 32 | Be32(data + at + 12);
      if (box < kLargeHeader) return false;
    } else if (box < kHeader) {
      return false;
    }
    if (box > size - at) return false;
    at += box;
  }
  return true;
}

}  // namespace

bool LooksLikeHeif(const std::uint8_t* data, std::size_t size) {
  if (data == nullptr || size < kFtypBrandsFrom || std::memcmp(data + 4, "ftyp", 4) != 0)
    return false;
  const std::size_t box = Be32(data);
  if (box < kFtypBrandsFrom) return false;
  const std::size_t end = std::min({box, size, kLargestFtypLooked});
  if (HeifBrand(data + kMajorBrandAt)) return true;
  for (std::size_t at = kFtypBrandsFrom; at + 4 <= end; at += 4)
    if (HeifBrand(data + at)) return true;
  return false;
}

ImageReadStatus HeifErrorStatus(const heif_error& error) {
  if (error.code == heif_error_Ok) return ImageReadStatus::kOk;
  if (error.subcode == heif_suberror_Security_limit_exceeded) return ImageReadStatus::kTooLarge;
  // No still image in the file (an image sequence has tracks instead): a variant of
  // the format that is not read here, not damage.
  if (error.subcode == heif_suberror_No_meta_box) return ImageReadStatus::kUnsupported;
  switch (error.code) {
    case heif_error_Memory_allocation_error:
      return ImageReadStatus::kOutOfMemory;
    case heif_error_Unsupported_filetype:
    case heif_error_Unsupported_feature:
      return ImageReadStatus::kUnsupported;
    default:
      return ImageReadStatus::kDamaged;
  }
}

HeifPrimary::~HeifPrimary() {
  if (handle_ != nullptr) heif_image_handle_release(handle_);
  if (context_ != nullptr) heif_context_free(context_);
}

void HeifPrimary::LimitDecodedSide(int side) {
  if (context_ != nullptr) heif_context_set_maximum_image_size_limit(context_, side);
}

ImageReadStatus HeifPrimary::Open(const std::uint8_t* data, std::size_t size) {
  if (context_ != nullptr || !LooksLikeHeif(data, size)) return ImageReadStatus::kUnsupported;
  context_ = heif_context_alloc();
  if (context_ == nullptr) return ImageReadStatus::kOutOfMemory;
  // libheif refuses an image item with a side at or above this limit.
  heif_context_set_maximum_image_size_limit(context_, kMaxSurfaceSide + 1);
  const heif_error read = heif_context_read_from_memory_without_copy(context_, data, size, nullptr);
  if (read.code != heif_error_Ok) {
    // libheif tells a 'meta' box that is cut short or damaged as a missing one:
    // only a whole file without one truly has no still image.
    if (read.subcode == heif_suberror_No_meta_box && !WholeWithoutMeta(data, size))
      return ImageReadStatus::kDamaged;
    return HeifErrorStatus(read);
  }
  return HeifErrorStatus(heif_context_get_primary_image_handle(context_, &handle_));
}

}  // namespace tessaly
