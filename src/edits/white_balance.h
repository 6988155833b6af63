// White-balance pick: the red, green and blue adjustments that turn the average
// colour of a 5 × 5 spot of the shown photo grey. Each adjustment is the channel's
// distance from the spot's mean grey, in 128ths of that grey, with the sign that
// cancels it; a black spot gives 0, 0, 0. The results are not clamped: fitting
// them to the sliders' range is the caller's business.
#pragma once

#include <cstdint>
#include <functional>

namespace tessaly {

// Colour of the shown photo at (X, Y) in the view's coordinates, as 0xBBGGRR.
using ColourSampler = std::function<std::uint32_t(int X, int Y)>;

struct WhiteBalanceAdjust {
  int RedAdjust = 0;
  int GreenAdjust = 0;
  int BlueAdjust = 0;
};

// Samples X = round(x − 2)..round(x + 2) by Y = round(y − 2)..round(y + 2) (halves
// to even) and computes the three adjustments from the spot's mean colour.
WhiteBalanceAdjust WhiteBalanceAt(const ColourSampler& sample, double x, double y);

}  // namespace tessaly
