// The primary image of a HEIF or AVIF file held in memory, opened through libheif:
// the boxes are parsed, no pixels are decoded. The bytes are read in place and must
// outlive the object. libheif's own size limit is set to the surface limit, so an
// image item larger than a surface side is refused while the boxes are parsed.
// libheif's errors become read statuses (see HeifErrorStatus).
#pragma once

#include <cstddef>
#include <cstdint>

#include "surface/image_read_status.h"

struct heif_context;
struct heif_image_handle;
struct heif_error;

namespace tessaly {

// True when the bytes begin with an ISO base media 'ftyp' box whose major or
// compatible brands name a HEIF or AVIF still image (heic, heix, hevc, heim, heis,
// mif1, msf1, avif, avis).
bool LooksLikeHeif(const std::uint8_t* data, std::size_t size);

// A libheif error as a read status: a security limit kTooLarge, memory
// kOutOfMemory, an unsupported file type, feature or codec and a file without a
// still image (no 'meta' box) kUnsupported, anything else (data cut short,
// malformed boxes, a failed decode) kDamaged. Open tells a 'meta' box that is there
// but broken from a missing one.
ImageReadStatus HeifErrorStatus(const heif_error& error);

class HeifPrimary {
 public:
  HeifPrimary() = default;
  ~HeifPrimary();
  HeifPrimary(const HeifPrimary&) = delete;
  HeifPrimary& operator=(const HeifPrimary&) = delete;

  // Parses `data` and takes the primary image. kOk, or why not.
  ImageReadStatus Open(const std::uint8_t* data, std::size_t size);
  // The primary image; null until Open succeeds.
  const heif_image_handle* handle() const { return handle_; }
  // Before a decode: refuses every image the decode makes (coded picture, grid
  // tile, alpha plane) with a side at or above `side`. A coded stream may state a
  // far larger picture than the file's boxes do; libheif checks its limit before it
  // makes the picture's planes.
  void LimitDecodedSide(int side);

 private:
  heif_context* context_ = nullptr;
  heif_image_handle* handle_ = nullptr;
};

}  // namespace tessaly
