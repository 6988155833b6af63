// Tone and colour edits. The formula is written once (ToneFormula); the pass over a
// surface reads its results from tables built with that same code:
//  - without saturation each channel's result depends on its own byte only, so one
//    256-entry table per channel gives the final value;
//  - with saturation the luminance is summed per pixel exactly as the formula does
//    (same operands, same order); the saturated value comes from a table of
//    shifts (see ToneTables::shift) and the steps after it from one table over the
//    values ordinary edits reach, with a direct evaluation for anything outside.
// Rows are split across cores in bands; the poll runs between bands.
#include "edits/tone_adjust.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <memory>
#include <mutex>

#include "surface/row_bands.h"

namespace tessaly {
namespace {

// Luminance weights of red, green and blue for the saturation step.
constexpr double kLumaRed = 0.3;
constexpr double kLumaGreen = 0.59;
constexpr double kLumaBlue = 0.11;
// Contrast stretches values away from the middle of the byte range.
constexpr double kContrastPivot = 128.0;
// Gamma works on values scaled to 0..1 by the top of the byte range.
constexpr double kFullScale = 255.0;
// Exponents this close to 1 would change almost nothing: the gamma step is skipped.
constexpr float kGammaLowEdge = 0.99f;
constexpr float kGammaHighEdge = 1.01f;
// Percent to factor for contrast and saturation.
constexpr double kPercent = 100.0;

// Table of the brightness/contrast/gamma steps over the values that the slider
// range (±51 on every value) can produce after colour and saturation, with room
// to spare; values outside it are evaluated directly.
constexpr int kCurveFirst = -512;
constexpr int kCurveLast = 1023;
constexpr int kCurveSize = kCurveLast - kCurveFirst + 1;
// The saturation tables rely on exact doubles (see ToneTables::shift), which
// holds while no colour adjustment or saturation exceeds this; larger ones run
// the direct formula.
constexpr int kTableEditLimit = 1'000'000;
// Range of x − L covered by the saturation shift table; the slider range needs
// about ±360.
constexpr int kShiftFirst = -1024;
constexpr int kShiftLast = 1023;
constexpr int kShiftSize = kShiftLast - kShiftFirst + 1;
// Pictures up to this many pixels (a screen copy on a dense screen) are edited on
// one thread.
constexpr long long kOneThreadPixels = 1 << 22;

int SaturateToInt32(long long value) {
  return value > INT_MAX ? INT_MAX : value < INT_MIN ? INT_MIN : static_cast<int>(value);
}

// The per-call constants of the formula and its steps.
class ToneFormula {
 public:
  explicit ToneFormula(const ToneEdits& edits)
      : edits_(edits),
        contrast_(static_cast<float>(edits.Contrast / kPercent)),
        saturation_(static_cast<float>(edits.Saturation / kPercent)),
        exponent_(GammaExponent(edits.gamma)),
        colour_(edits.RedAdjust != 0 || edits.GreenAdjust != 0 || edits.BlueAdjust != 0),
        saturate_(edits.Saturation != 0),
        gamma_(GammaActive(exponent_)) {}

  bool Saturates() const { return saturate_; }
  double SaturationFactor() const { return saturation_; }

  // Colour adjustment of one channel (0 = blue, 1 = green, 2 = red).
  int Adjusted(int channel, int value) const {
    if (!colour_) return value;
    const int adjust = channel == 0   ? edits_.BlueAdjust
                       : channel == 1 ? edits_.GreenAdjust
                                      : edits_.RedAdjust;
    return SaturateToInt32(static_cast<long long>(value) + adjust);
  }

  // Brightness, contrast and gamma of one channel value.
  int Curve(int x) const {
    const double bright = static_cast<double>(x) + edits_.Bright;
    x = RoundToInt32((bright - kContrastPivot) * static_cast<double>(contrast_) + bright);
    if (gamma_ && x > 0)
      x = RoundToInt32(std::pow(x / kFullScale, static_cast<double>(exponent_)) * kFullScale);
    return x;
  }

  void Pixel(int& blue, int& green, int& red) const {
    blue = Adjusted(0, blue);
    green = Adjusted(1, green);
    red = Adjusted(2, red);
    if (saturate_) {
      const int luma = RoundToInt32(kLumaRed * red + kLumaGreen * green + kLumaBlue * blue);
      const double s = saturation_;
      blue = RoundToInt32((static_cast<double>(blue) - luma) * s + blue);
      green = RoundToInt32((static_cast<double>(green) - luma) * s + green);
      red = RoundToInt32((static_cast<double>(red) - luma) * s + red);
    }
    blue = Curve(blue);
    green = Curve(green);
    red = Curve(red);
  }

 private:
  ToneEdits edits_;
  float contrast_;
  float saturation_;
  float exponent_;
  bool colour_;
  bool saturate_;
  bool gamma_;
};

// A value's histogram bin counted from the first bin, as the tables keep it.
std::uint8_t BinIndex(int value) {
  return static_cast<std::uint8_t>(HistogramBin(value) - kHistogramFirstBin);
}

// One band's histogram counters by channel (0 = blue, 1 = green, 2 = red) and bin
// index, counted in place and handed to the histogram once the band is done.
struct BandCounts {
  std::uint32_t bins[3][kHistogramBinCount] = {};

  void AddTo(HistogramArray& histogram) const {
    constexpr int kChannel[3] = {kHistogramBlue, kHistogramGreen, kHistogramRed};
    for (int ch = 0; ch < 3; ++ch)
      for (int i = 0; i < kHistogramBinCount; ++i)
        histogram.AddToBin(kChannel[ch], kHistogramFirstBin + i, bins[ch][i]);
  }
};

bool TablesApply(const ToneEdits& e) {
  for (int v : {e.RedAdjust, e.GreenAdjust, e.BlueAdjust, e.Saturation})
    if (v > kTableEditLimit || v < -kTableEditLimit) return false;
  return true;
}

struct ToneTables {
  explicit ToneTables(const ToneFormula& formula) : f(formula) {
    for (int ch = 0; ch < 3; ++ch)
      for (int byte = 0; byte < 256; ++byte) {
        const int adjusted = f.Adjusted(ch, byte);
        if (f.Saturates()) {
          constexpr double kWeights[3] = {kLumaBlue, kLumaGreen, kLumaRed};
          this->adjusted[ch][byte] = adjusted;
          luma[ch][byte] = kWeights[ch] * adjusted;
        } else {
          channel_value[ch][byte] = f.Curve(adjusted);
          channel_byte[ch][byte] = ClampToByte(channel_value[ch][byte]);
          channel_bin[ch][byte] = BinIndex(channel_value[ch][byte]);
        }
      }
    if (f.Saturates()) {
      for (int i = 0; i < kCurveSize; ++i) {
        curve_value[i] = f.Curve(kCurveFirst + i);
        curve_byte[i] = ClampToByte(curve_value[i]);
        curve_bin[i] = BinIndex(curve_value[i]);
      }
      const double s = f.SaturationFactor();
      for (int parity = 0; parity < 2; ++parity)
        for (int i = 0; i < kShiftSize; ++i)
          shift[parity * kShiftSize + i] = RoundToInt32(parity + (kShiftFirst + i) * s) - parity;
      saturation_in_tables = SaturationStaysInTables();
      for (int ch = 0; ch < 3; ++ch)
        for (int byte = 0; byte < 256; ++byte) {
          const int x = adjusted[ch][byte];
          curve_start[ch][byte] = x - kCurveFirst;
          shift_start[ch][byte] = (x & 1) * kShiftSize + x - kShiftFirst;
        }
    }
  }

  // True when every pixel's x − L and saturated value fall inside the shift and
  // curve tables, so the hot loop can skip the range checks. L is a rounded
  // weighted mean of the pixel's three values (the weights sum to 1), so it lies
  // between their smallest less one and their largest plus one.
  bool SaturationStaysInTables() const {
    int low = INT_MAX, high = INT_MIN;
    for (int ch = 0; ch < 3; ++ch) {
      low = std::min(low, adjusted[ch][0]);
      high = std::max(high, adjusted[ch][255]);
    }
    const long long d_low = static_cast<long long>(low) - high - 1;
    const long long d_high = static_cast<long long>(high) - low + 1;
    if (d_low < kShiftFirst || d_high > kShiftLast) return false;
    int shift_low = INT_MAX, shift_high = INT_MIN;
    for (int parity = 0; parity < 2; ++parity)
      for (long long d = d_low; d <= d_high; ++d) {
        shift_low = std::min(shift_low, shift[parity * kShiftSize + d - kShiftFirst]);
        shift_high = std::max(shift_high, shift[parity * kShiftSize + d - kShiftFirst]);
      }
    return static_cast<long long>(low) + shift_low >= kCurveFirst &&
           static_cast<long long>(high) + shift_high <= kCurveLast;
  }

  // The saturation step of one colour-adjusted channel value x, given the pixel's
  // luminance: round((x − L)·s + x).
  int Saturated(int x, int luma) const {
    // 64-bit index: with absurd edit values x − luma can leave the int range.
    const long long i = static_cast<long long>(x) - luma - kShiftFirst;
    if (i >= 0 && i < kShiftSize) return x + shift[(x & 1) * kShiftSize + i];
    return SaturateToInt32(std::lrint((static_cast<double>(x) - luma) * f.SaturationFactor() + x));
  }
  // Saturation and the curve; the final value before clamping, or the byte.
  int SaturatedValue(int x, int luma) const {
    const int v = Saturated(x, luma);
    const long long i = static_cast<long long>(v) - kCurveFirst;
    return i >= 0 && i < kCurveSize ? curve_value[i] : f.Curve(v);
  }
  std::uint8_t SaturatedByte(int x, int luma) const {
    const int v = Saturated(x, luma);
    const long long i = static_cast<long long>(v) - kCurveFirst;
    return i >= 0 && i < kCurveSize ? curve_byte[i] : ClampToByte(f.Curve(v));
  }
  // The same without range checks, only while saturation_in_tables holds: the
  // byte of channel `ch` whose pixel byte is `byte`.
  std::uint8_t SaturatedByteInTables(int ch, std::uint8_t byte, int luma) const {
    return curve_byte[CurveIndexInTables(ch, byte, luma)];
  }
  // Where the saturated value of that byte sits in the curve tables.
  int CurveIndexInTables(int ch, std::uint8_t byte, int luma) const {
    return curve_start[ch][byte] + shift[shift_start[ch][byte] - luma];
  }
  // The luminance of a pixel from its bytes, summed in the formula's order.
  int Luma(const std::uint8_t* p) const {
    return static_cast<int>(std::lrint(luma[2][p[2]] + luma[1][p[1]] + luma[0][p[0]]));
  }

  const ToneFormula& f;
  // Without saturation: the final value and byte of every byte of each channel.
  std::int32_t channel_value[3][256];
  std::uint8_t channel_byte[3][256];
  std::uint8_t channel_bin[3][256];
  // With saturation: colour-adjusted values and their luminance terms by byte,
  // and the curve over kCurveFirst..kCurveLast.
  std::int32_t adjusted[3][256];
  double luma[3][256];
  std::int32_t curve_value[kCurveSize];
  std::uint8_t curve_byte[kCurveSize];
  std::uint8_t curve_bin[kCurveSize];
  // Row p (0 even, 1 odd) of the shift table holds at d − kShiftFirst the value
  // round(p + d·s) − p. While the table path applies, s is a single with |s| ≥ 0.01 (24 significant
  // bits, the lowest at 2^−30 or above), |d| ≤ 1024 and |x| < 2^20, so d·s and x + d·s are exact in
  // a double (at most 51 significant bits). Rounding x + d·s then equals x plus the rounded shift,
  // except at exact halves, where rounding to even depends on the parity of x: hence one row per
  // parity (x − p is even and moves no half).
  std::int32_t shift[2 * kShiftSize];
  bool saturation_in_tables = false;
  // For the unchecked loop, by channel and byte: where the adjusted value x
  // starts in the curve table, and where x − L starts in the shift table row of
  // x's parity before L is taken away.
  std::int32_t curve_start[3][256];
  std::int32_t shift_start[3][256];
};

// The whole surface without a histogram: the hot path of the full-resolution edits.
template <bool kSaturate, bool kChecked>
void EditRows(const SurfaceView& view, int first, int end, const ToneTables& t) {
  for (int y = first; y < end; ++y) {
    std::uint8_t* p = view.Row(y);
    std::uint8_t* const row_end = p + 3 * view.width;
    for (; p != row_end; p += 3) {
      if constexpr (kSaturate && !kChecked) {
        const int luma = t.Luma(p);
        const std::uint8_t b = p[0], g = p[1], r = p[2];
        p[0] = t.SaturatedByteInTables(0, b, luma);
        p[1] = t.SaturatedByteInTables(1, g, luma);
        p[2] = t.SaturatedByteInTables(2, r, luma);
      } else if constexpr (kSaturate) {
        const int luma = t.Luma(p);
        const int b = t.adjusted[0][p[0]], g = t.adjusted[1][p[1]], r = t.adjusted[2][p[2]];
        p[0] = t.SaturatedByte(b, luma);
        p[1] = t.SaturatedByte(g, luma);
        p[2] = t.SaturatedByte(r, luma);
      } else {
        p[0] = t.channel_byte[0][p[0]];
        p[1] = t.channel_byte[1][p[1]];
        p[2] = t.channel_byte[2][p[2]];
      }
    }
  }
}

void WritePixel(std::uint8_t* p, int b, int g, int r, HistogramArray* histogram) {
  if (histogram) {
    histogram->CountValue(kHistogramRed, r);
    histogram->CountValue(kHistogramGreen, g);
    histogram->CountValue(kHistogramBlue, b);
  }
  p[0] = ClampToByte(b);
  p[1] = ClampToByte(g);
  p[2] = ClampToByte(r);
}

// Rows with the histogram: every value's byte and bin come from the same table
// entry, so the values before clamping never need to be formed.
template <bool kSaturate, bool kChecked>
void EditAndCountRows(const SurfaceView& view, int first, int end, const ToneTables& t,
                      BandCounts& counts) {
  for (int y = first; y < end; ++y) {
    std::uint8_t* p = view.Row(y);
    std::uint8_t* const row_end = p + 3 * view.width;
    for (; p != row_end; p += 3) {
      if constexpr (kSaturate && !kChecked) {
        const int luma = t.Luma(p);
        const int b = t.CurveIndexInTables(0, p[0], luma);
        const int g = t.CurveIndexInTables(1, p[1], luma);
        const int r = t.CurveIndexInTables(2, p[2], luma);
        p[0] = t.curve_byte[b];
        p[1] = t.curve_byte[g];
        p[2] = t.curve_byte[r];
        ++counts.bins[0][t.curve_bin[b]];
        ++counts.bins[1][t.curve_bin[g]];
        ++counts.bins[2][t.curve_bin[r]];
      } else if constexpr (kSaturate) {
        const int luma = t.Luma(p);
        for (int ch = 0; ch < 3; ++ch) {
          const int value = t.SaturatedValue(t.adjusted[ch][p[ch]], luma);
          ++counts.bins[ch][BinIndex(value)];
          p[ch] = ClampToByte(value);
        }
      } else {
        for (int ch = 0; ch < 3; ++ch) {
          ++counts.bins[ch][t.channel_bin[ch][p[ch]]];
          p[ch] = t.channel_byte[ch][p[ch]];
        }
      }
    }
  }
}

// Edit values too large for the tables: the formula pixel by pixel.
void DirectRows(const SurfaceView& view, int first, int end, const ToneFormula& f,
                HistogramArray* histogram) {
  for (int y = first; y < end; ++y) {
    std::uint8_t* p = view.Row(y);
    for (int x = 0; x < view.width; ++x, p += 3) {
      int b = p[0], g = p[1], r = p[2];
      f.Pixel(b, g, r);
      WritePixel(p, b, g, r, histogram);
    }
  }
}

}  // namespace

bool ToneEdits::IsNeutral() const {
  return Bright == 0 && Contrast == 0 && Saturation == 0 && RedAdjust == 0 && GreenAdjust == 0 &&
         BlueAdjust == 0 && !GammaActive(GammaExponent(gamma));
}

float GammaExponent(double gamma) {
  const float g = static_cast<float>(std::abs(2.0 - gamma));
  return g == 0.0f ? 1.0f : g;
}

bool GammaActive(float exponent) {
  return exponent <= kGammaLowEdge || exponent >= kGammaHighEdge;
}

int RoundToInt32(double value) {
  if (std::isnan(value)) return 0;
  const double rounded = std::nearbyint(value);
  if (rounded >= static_cast<double>(INT_MAX)) return INT_MAX;
  if (rounded <= static_cast<double>(INT_MIN)) return INT_MIN;
  return static_cast<int>(rounded);
}

void ToneAdjustPixel(const ToneEdits& edits, int& blue, int& green, int& red) {
  ToneFormula(edits).Pixel(blue, green, red);
}

bool ApplyToneEdits(const SurfaceView& view, const ToneEdits& edits, HistogramArray* histogram,
                    const RowPoll& poll) {
  if (histogram) histogram->Clear();
  if (view.empty()) return true;

  const ToneFormula formula(edits);
  const bool saturate = formula.Saturates();
  const std::unique_ptr<const ToneTables> tables =
      TablesApply(edits) ? std::make_unique<const ToneTables>(formula) : nullptr;
  std::mutex histogram_lock;

  const auto work = [&](int first, int end) {
    if (!histogram) {
      if (!tables)
        DirectRows(view, first, end, formula, nullptr);
      else if (!saturate)
        EditRows<false, false>(view, first, end, *tables);
      else if (tables->saturation_in_tables)
        EditRows<true, false>(view, first, end, *tables);
      else
        EditRows<true, true>(view, first, end, *tables);
      return;
    }
    // Each band counts on its own and adds its counts once it is done.
    if (!tables) {
      HistogramArray local;
      DirectRows(view, first, end, formula, &local);
      const std::lock_guard lock(histogram_lock);
      histogram->Add(local);
      return;
    }
    BandCounts counts;
    if (!saturate)
      EditAndCountRows<false, false>(view, first, end, *tables, counts);
    else if (tables->saturation_in_tables)
      EditAndCountRows<true, false>(view, first, end, *tables, counts);
    else
      EditAndCountRows<true, true>(view, first, end, *tables, counts);
    const std::lock_guard lock(histogram_lock);
    counts.AddTo(*histogram);
  };
  // Bands only exist to let the poll run; without one a single band spares the
  // threads a meeting per band, which costs most when the machine is busy. A
  // picture of screen size is done sooner than a helper thread gets the processor
  // on a busy machine, so it runs on the calling thread alone.
  const bool small = static_cast<long long>(view.width) * view.height <= kOneThreadPixels;
  return RunRowBands(view.height, poll ? kToneBandRows : view.height, work, poll, small ? 1 : 0);
}

}  // namespace tessaly
