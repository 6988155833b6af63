// The two rules a printed page and a saved file share for the photo's final pixels:
// the resolution factor that brings a photo within the minimum and maximum
// resolution, and the sharpening (the photo's own unsharp value, else the default
// sharpening, whose radius widens for a strong enlargement and whose amount drops
// for a reduction).
#pragma once

namespace tessaly {

// 1 within the limits; minimum ÷ r below the minimum (0 = off); otherwise
// maximum ÷ r above a maximum that is above 0.
double ResolutionFactor(double r, int minimum, int maximum);

// The unsharp parameters used for `unsharp` (radius code × 1000 + amount; below 1 =
// none), the default sharpening switch and the resolution factor. False when no
// sharpening applies.
bool SharpenParameters(int unsharp, bool default_sharpen, double factor, int& radius, int& amount);

}  // namespace tessaly
