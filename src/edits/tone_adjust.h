// Tone and colour edits of 24-bit pixels: colour adjustment (added to red, green,
// blue), saturation s = Saturation/100, brightness and contrast c = Contrast/100,
// gamma exponent |2 − gamma|. All zero with gamma 1.00 is the identity. Values flow
// unclamped from step to step and are clamped to 0..255 only when written back;
// every rounding is half to even. Any values are accepted, not only the sliders'.
#pragma once

#include <cstdint>

#include "edits/histogram.h"
#include "surface/surface_view.h"

namespace tessaly {

// The seven tone and colour values of a photo's edit record.
struct ToneEdits {
  int Bright = 0;
  int Contrast = 0;
  double gamma = 1.0;
  int RedAdjust = 0;
  int GreenAdjust = 0;
  int BlueAdjust = 0;
  int Saturation = 0;

  // True when the edits change no pixel: every integer 0 and gamma inactive.
  bool IsNeutral() const;
};

// Gamma exponent g = |2 − gamma| held as a single, with 0 replaced by 1.
float GammaExponent(double gamma);
// The gamma step runs only when g ≤ 0.99 or g ≥ 1.01 (compared as singles).
bool GammaActive(float exponent);

// Rounds half to even to a 32-bit integer. Values beyond the 32-bit range
// saturate at its ends and NaN gives 0, so absurd edit values stay defined.
int RoundToInt32(double value);
inline std::uint8_t ClampToByte(int value) {
  return static_cast<std::uint8_t>(value < 0 ? 0 : value > 255 ? 255 : value);
}

// The formula evaluated directly for one pixel: the channel values on entry are
// the pixel's bytes; on return they are the edited values BEFORE clamping (what
// the histogram counts).
void ToneAdjustPixel(const ToneEdits& edits, int& blue, int& green, int& red);

// Rows per band of the whole-surface pass: the poll runs after each band.
inline constexpr int kToneBandRows = 32;

// Applies the edits to every pixel of `view` in place, with the same bytes as
// ToneAdjustPixel followed by clamping. When `histogram` is set it is cleared and
// every pixel's values before clamping are counted in it. `poll` runs on the
// calling thread after every band of kToneBandRows rows; when it returns true the
// pass stops there (finished bands stay edited) and false is returned.
bool ApplyToneEdits(const SurfaceView& view, const ToneEdits& edits, HistogramArray* histogram,
                    const RowPoll& poll = {});

}  // namespace tessaly
