// Unsharp mask: a box blur of the photo subtracted from an amplified copy of it.
// Radius codes 10, 15, 20 (radius × 10) select the box (3×3; 5×5 with centre
// weight 12; 5×5); the amount is a percentage (100 = the blur's difference added
// once). Border pixels (the outer r rows and columns) never change. Every blurred
// value comes from unsharpened pixels.
#pragma once

#include "surface/surface_view.h"

namespace tessaly {

struct UnsharpKernel {
  int half_width = 0;    // r: the window is (2r+1) × (2r+1)
  int centre_extra = 0;  // k: extra weight of the centre pixel
  int divisor = 0;       // window size + k
};

// The kernel for a radius code; false for codes other than 10, 15, 20.
bool UnsharpKernelFor(int radius_code, UnsharpKernel& kernel);

// A photo's sharpening value packs both parameters in one number: radius code ×
// kSharpenRadiusUnit + amount (0..kSharpenMaxAmount); 0 means off.
inline constexpr int kSharpenRadiusUnit = 1000;
inline constexpr int kSharpenMaxAmount = kSharpenRadiusUnit - 1;
inline int SharpenRadiusCode(int value) {
  return value / kSharpenRadiusUnit;
}
inline int SharpenAmount(int value) {
  return value % kSharpenRadiusUnit;
}
// True for 0 and for every positive value whose radius code has a kernel.
bool IsSharpenValue(int value);

// Screen path: blurs every interior pixel, then blends. False (pixels unchanged)
// for an invalid radius code. Does not poll.
bool UnsharpMaskScreen(const SurfaceView& view, int radius_code, int amount);

// Full-resolution path: leaves flat areas and local extremes unblurred, polls
// after every row (or row band) of the blur pass and of the blend pass and stops
// that pass when `poll` returns true. False for an invalid radius code.
bool UnsharpMaskFull(const SurfaceView& view, int radius_code, int amount, const RowPoll& poll);

}  // namespace tessaly
