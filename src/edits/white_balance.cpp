// White balance from a spot: the channel means (blue's rounded to a whole number,
// red's and green's kept fractional, as the pick has always measured them), their
// grey average, and each channel's relative distance from it scaled by 128.
#include "edits/white_balance.h"

#include <cmath>

#include "edits/tone_adjust.h"

namespace tessaly {
namespace {

// Half-width of the sampled spot in view units; the spot is 5 × 5 samples.
constexpr double kSpotHalfWidth = 2.0;
// The sums are divided by the nominal sample count of the spot.
constexpr double kSpotSamples = 25.0;
// Scale of an adjustment: a channel at twice the grey gets −128.
constexpr double kAdjustScale = 128.0;

}  // namespace

WhiteBalanceAdjust WhiteBalanceAt(const ColourSampler& sample, double x, double y) {
  const int x0 = RoundToInt32(x - kSpotHalfWidth), x1 = RoundToInt32(x + kSpotHalfWidth);
  const int y0 = RoundToInt32(y - kSpotHalfWidth), y1 = RoundToInt32(y + kSpotHalfWidth);
  long long red_sum = 0, green_sum = 0, blue_sum = 0;
  for (long long X = x0; X <= x1; ++X)
    for (long long Y = y0; Y <= y1; ++Y) {
      const std::uint32_t colour = sample(static_cast<int>(X), static_cast<int>(Y));
      red_sum += colour & 0xFF;
      green_sum += (colour >> 8) & 0xFF;
      blue_sum += (colour >> 16) & 0xFF;
    }

  const double red = static_cast<double>(red_sum) / kSpotSamples;
  const double green = static_cast<double>(green_sum) / kSpotSamples;
  const double blue = RoundToInt32(static_cast<double>(blue_sum) / kSpotSamples);
  const double avg = (red + green + blue) / 3.0;

  WhiteBalanceAdjust adjust;
  if (avg > 0) {
    adjust.RedAdjust = RoundToInt32((avg - red) * kAdjustScale / avg);
    adjust.GreenAdjust = RoundToInt32((avg - green) * kAdjustScale / avg);
    adjust.BlueAdjust = RoundToInt32((avg - blue) * kAdjustScale / avg);
  }
  return adjust;
}

}  // namespace tessaly
