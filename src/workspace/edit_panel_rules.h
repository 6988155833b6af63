// The edit panel's rules: the sliders' range, the gamma slider's mapping to the
// photo's gamma and its label text, the sharpening controls' mapping to the photo's
// sharpening value, the copies box's accepted keys and value, and the label length
// check with its warn-once state. Every mapping is a pure function of its inputs.
#pragma once

namespace tessaly {

// Every edit slider runs −51..51 with 0 neutral.
inline constexpr int kEditSliderMin = -51;
inline constexpr int kEditSliderMax = 51;

}  // namespace tessaly
