// Colour conversion of pixel surfaces between two ICC profiles, in place, with
// the one set of transform parameters the program uses: 8-bit B,G,R in and out
// (the surface byte order), perceptual intent, no flags. Only the 3·W pixel
// bytes of each row are converted; row padding is never touched. Converting
// between two identical profiles leaves the bytes unchanged within the
// library's rounding.
#pragma once

#include <QString>

#include "colour/colour_profiles.h"
#include "surface/surface_view.h"

namespace tessaly {

class cDIB;

// Converts every row of `view` from `input` to `output`. False, with the pixels
// unchanged, when the view is empty, a handle is null or the library cannot
// build the transform (for example a profile of another colour space). The
// transform is deleted before returning; the profiles are left open.
bool TransformSurface(const SurfaceView& view, ProfileHandle input, ProfileHandle output);

// Colour management of a previewed photo: the file's embedded profile (else
// sRGB) to the display profile. Sets the surface's HaveEmbededProfile and
// EmbededProfileDescription (empty when there is no embedded profile or no
// conversion was done). The input profile is closed afterwards.
void PreviewColourManagement(const QString& file_name, cDIB& preview);

}  // namespace tessaly
