// In-place colour transforms with Little CMS 2. The library converts a row
// correctly when input and output are the same buffer because both formats
// are 3 bytes a pixel, so each row is handed over as its own source and target.
#include "colour/colour_transform.h"

#include <lcms2.h>

#include "colour/display_profile.h"
#include "colour/embedded_profile.h"
#include "surface/cdib.h"
#include "surface/row_bands.h"

namespace tessaly {

bool TransformSurface(const SurfaceView& view, ProfileHandle input, ProfileHandle output) {
  if (view.empty() || input == nullptr || output == nullptr) return false;
  IgnoreColourErrors();
  // Without the one-pixel cache a transform keeps no state between calls, so the
  // rows can be converted on every core at once; the pixels come out the same.
  cmsHTRANSFORM transform = cmsCreateTransform(input, TYPE_BGR_8, output, TYPE_BGR_8,
                                               INTENT_PERCEPTUAL, cmsFLAGS_NOCACHE);
  if (transform == nullptr) return false;
  const auto pixels = static_cast<cmsUInt32Number>(view.width);
  RunRowBands(view.height, view.height, [&](int first, int end) {
    for (int y = first; y < end; ++y) {
      std::uint8_t* row = view.Row(y);
      cmsDoTransform(transform, row, row, pixels);
    }
  });
  cmsDeleteTransform(transform);
  return true;
}

bool cDIB::ColorTransform(void* input_profile, void* output_profile) {
  if (!IsCreated()) return false;
  return TransformSurface(View(), input_profile, output_profile);
}

void PreviewColourManagement(const QString& file_name, cDIB& preview) {
  QByteArray embedded;
  ProfileHandle input = nullptr;
  if (ExtractProfiles(file_name, embedded) == kProfileFound) {
    input = OpenProfileFromMemory(embedded);
    preview.HaveEmbededProfile = true;
    preview.EmbededProfileDescription = ProfileDescription(input);
  } else {
    input = CreateSrgbProfile();
    preview.HaveEmbededProfile = false;
    preview.EmbededProfileDescription.clear();
  }
  const bool converted = preview.ColorTransform(input, DisplayProfile());
  if (!converted) preview.EmbededProfileDescription.clear();
  CloseProfile(input);
}

}  // namespace tessaly
