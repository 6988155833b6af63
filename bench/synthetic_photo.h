// The benchmark's test photo: a 6000 × 4000 picture of smooth gradients with
// pixel noise on top (so the JPEG has realistic entropy), encoded at quality 92.
// Made once per run into the temporary folder; nothing is read from outside.
#pragma once

#include <string>

#include "surface/cdib.h"

namespace tessaly::bench {

inline constexpr int kPhotoWidth = 6000;
inline constexpr int kPhotoHeight = 4000;

// Path of the synthetic JPEG, writing it on first use.
const std::string& SyntheticJpegPath();
// The synthetic photo's pixels (not compressed) as a surface.
cDIB SyntheticSurface();

}  // namespace tessaly::bench
