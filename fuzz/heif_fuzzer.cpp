// Fuzz target for the HEIF/AVIF and JPEG XL readers: every input is a whole file
// handed to the header check and the decode the image file reader uses (for both
// orientation rules), to the EXIF block finder and to the profile reader. Beyond
// memory safety it checks their contract: a refused header gives no size, a decode
// gives exactly the size its header query promised or nothing, and no block is
// larger than its bound. Pictures above a few megapixels are only size-checked, so
// that a run stays fast.
#include <QByteArray>
#include <QByteArrayView>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "colour/embedded_profile.h"
#include "surface/exif_block.h"
#include "surface/heif_jxl_reader.h"
#include "surface/metadata_limits.h"

namespace {

constexpr std::int64_t kLargestDecodedPixels = 4'000'000;

}  // namespace

// libdav1d keeps a few bytes of a picture it gave up on in some malformed AV1
// streams: a leak inside the library, not of this code.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libdav1d.so\n";
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using tessaly::ImageReadStatus;
  for (const bool upright : {true, false}) {
    int width = -1, height = -1;
    const ImageReadStatus header = tessaly::HeifOrJxlImageSize(data, size, upright, width, height);
    if (header != ImageReadStatus::kOk) {
      if (width != 0 || height != 0) __builtin_trap();
      continue;
    }
    if (!tessaly::SurfaceSizeAllowed(width, height)) __builtin_trap();
    if (std::int64_t{width} * height > kLargestDecodedPixels) continue;
    tessaly::SurfaceBuffer out;
    const ImageReadStatus decoded = tessaly::DecodeHeifOrJxl(data, size, upright, out);
    if (decoded == ImageReadStatus::kOk &&
        (out.View().width != width || out.View().height != height))
      __builtin_trap();
    if (decoded != ImageReadStatus::kOk && !out.empty()) __builtin_trap();
  }
  std::vector<std::uint8_t> tiff;
  if (tessaly::PhotoExifBlock({data, size}, tiff) && tiff.size() > tessaly::kMaxExifBlockBytes)
    __builtin_trap();
  QByteArray profile;
  const int code = tessaly::ExtractLibraryProfile(
      QByteArrayView(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)), profile);
  if ((code == tessaly::kProfileFound) == profile.isEmpty()) __builtin_trap();
  return 0;
}
