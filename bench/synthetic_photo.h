// The benchmark's test photo: a 6000 × 4000 picture of smooth gradients with
// pixel noise on top (so the JPEG has realistic entropy), encoded at quality 92.
// Made once per run into the temporary folder; nothing is read from outside.
#pragma once

#include <benchmark/benchmark.h>

#include <string>

#include "surface/cdib.h"

namespace tessaly::bench {

inline constexpr int kPhotoWidth = 6000;
inline constexpr int kPhotoHeight = 4000;

// Path of the synthetic JPEG, writing it on first use.
const std::string& SyntheticJpegPath();
// Path of the photo's top-left 4000 × 3000 as a HEIC (heif-enc, quality 85), made
// on first use; empty when a tool is missing or fails.
const std::string& HeicPhotoPath();
// The synthetic photo's pixels (not compressed) as a surface.
cDIB SyntheticSurface();
// Times the width × height screen copy of the photo file at `path`.
void TimeScreenCopy(benchmark::State& state, const std::string& path, int width, int height);

// Edit values of the whole-photo benchmarks, each away from its neutral one.
inline constexpr int kBright = 10;
inline constexpr int kContrast = 8;
inline constexpr double kGamma = 1.1;
inline constexpr int kSaturation = 12;
inline constexpr int kRed = 3;
inline constexpr int kGreen = -2;
inline constexpr int kBlue = 4;

}  // namespace tessaly::bench
