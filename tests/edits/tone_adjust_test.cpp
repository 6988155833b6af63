#include "edits/tone_adjust.h"

#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <cmath>
#include <random>
#include <tuple>
#include <vector>

#include "controls/scripted_ui.h"
#include "support/test_surfaces.h"
#include "surface/cdib.h"

namespace tessaly {
namespace {

using test::AllBytes;

// The plain evaluation the whole-surface pass must match: the formula pixel by
// pixel, clamped, with the values before clamping counted.
void ReferenceEdit(const SurfaceView& v, const ToneEdits& e, HistogramArray* histogram,
                   int end_row = -1) {
  for (int y = 0; y < (end_row < 0 ? v.height : end_row); ++y)
    for (int x = 0; x < v.width; ++x) {
      std::uint8_t* p = v.Row(y) + 3 * x;
      int b = p[0], g = p[1], r = p[2];
      ToneAdjustPixel(e, b, g, r);
      if (histogram) {
        histogram->CountValue(kHistogramRed, r);
        histogram->CountValue(kHistogramGreen, g);
        histogram->CountValue(kHistogramBlue, b);
      }
      p[0] = ClampToByte(b), p[1] = ClampToByte(g), p[2] = ClampToByte(r);
    }
}

TEST(ToneAdjust, HandComputedPixelsPinEveryStepAndItsRounding) {
  // {what, edits, blue, green and red in, the same out before clamping}
  std::tuple<const char*, ToneEdits, std::array<int, 3>, std::array<int, 3>> cases[] = {
      // (255 + 51 − 128)·0.51 + 306 = 396.78 → 397, far above the byte range.
      {"bright and contrast 51", {51, 51, 1.0, 0, 0, 0, 0}, {255, 255, 255}, {397, 397, 397}},
      // −41 after the colour step; gamma skips values ≤ 0.
      {"red adjust below zero", {0, 0, 0.5, -51, 0, 0, 0}, {0, 0, 10}, {0, 0, -41}},
      // Contrast 0.5 puts 127, 129, 131 on .5: 126.5 → 126, 129.5 → 130, 132.5 → 132.
      {"contrast tie below the pivot", {0, 50, 1.0, 0, 0, 0, 0}, {127, 127, 127}, {126, 126, 126}},
      {"contrast tie to even", {0, 50, 1.0, 0, 0, 0, 0}, {131, 131, 131}, {132, 132, 132}},
      // L = round(101.1) = 101; blue 114.5 → 114, green and red 99.5 → 100.
      {"saturation ties", {0, 0, 1.0, 0, 0, 0, 50}, {110, 100, 100}, {114, 100, 100}},
      // L = round(0.59) = 1 (not truncated): green stays 1, blue and red −0.5 → 0.
      {"luminance rounds, not truncates", {0, 0, 1.0, 0, 0, 0, 50}, {0, 1, 0}, {0, 1, 0}},
      // L = 124.5 exactly → 124; saturation −100 makes every channel that grey.
      {"saturation -100 is grey", {0, 0, 1.0, 0, 0, 0, -100}, {50, 100, 200}, {124, 124, 124}},
      // gamma 0.5: exponent 1.5; (128/255)^1.5·255 = 90.69 → 91.
      {"gamma", {0, 0, 0.5, 0, 0, 0, 0}, {128, 128, 128}, {91, 91, 91}},
      // 250 + 51 = 301 is not clamped before gamma: (301/255)^1.5·255 = 327.02.
      {"gamma above the byte range", {51, 0, 0.5, 0, 0, 0, 0}, {250, 250, 250}, {327, 327, 327}},
      // Exponent 1.009 would give (100/255)^1.009·255 = 99.16: inside the dead zone
      // it must not be applied.
      {"gamma 0.991 is not active", {0, 0, 0.991, 0, 0, 0, 0}, {100, 100, 100}, {100, 100, 100}},
      // Each adjustment lands on its own channel only.
      {"channel adjustments", {0, 0, 1.0, 5, -4, 3, 0}, {10, 20, 30}, {13, 16, 35}},
      {"every value at once", {10, 15, 0.9, 5, -4, 3, 20}, {50, 100, 200}, {31, 87, 245}},
  };
  for (auto& [what, edits, in, out] : cases) {
    ToneAdjustPixel(edits, in[0], in[1], in[2]);
    EXPECT_EQ(in, out) << what;
  }
}

TEST(ToneAdjust, GammaDeadZoneNeutralValuesAndHalfToEvenRounding) {
  const std::tuple<double, float, bool> cases[] = {
      {2.00, 1.0f, false},    {0.50, 1.5f, true},    {0.991, 1.009f, false}, {0.989, 1.011f, true},
      {1.009, 0.991f, false}, {1.011, 0.989f, true}, {3.00, 1.0f, false},    {2.5, 0.5f, true},
  };
  for (const auto& [gamma, exponent, active] : cases) {
    EXPECT_FLOAT_EQ(GammaExponent(gamma), exponent) << gamma;
    EXPECT_EQ(GammaActive(GammaExponent(gamma)), active) << gamma;
  }
  // Neutral: every integer zero and gamma inactive.
  EXPECT_TRUE((ToneEdits{0, 0, 0.995, 0, 0, 0, 0}.IsNeutral()));
  for (const ToneEdits& e : {ToneEdits{1, 0, 1.0, 0, 0, 0, 0}, ToneEdits{0, -1, 1.0, 0, 0, 0, 0},
                             ToneEdits{0, 0, 1.0, 1, 0, 0, 0}, ToneEdits{0, 0, 1.0, 0, 1, 0, 0},
                             ToneEdits{0, 0, 1.0, 0, 0, 1, 0}, ToneEdits{0, 0, 1.0, 0, 0, 0, 1},
                             ToneEdits{0, 0, 0.98, 0, 0, 0, 0}})
    EXPECT_FALSE(e.IsNeutral());
  // Half to even, saturating outside 32 bits, NaN 0.
  const std::pair<double, int> rounding[] = {{2.5, 2},          {3.5, 4},         {-2.5, -2},
                                             {-0.5, 0},         {2.4999, 2},      {1e300, INT_MAX},
                                             {-1e300, INT_MIN}, {std::nan(""), 0}};
  for (auto [value, rounded] : rounding) EXPECT_EQ(RoundToInt32(value), rounded) << value;
  EXPECT_EQ(std::tuple(ClampToByte(-41), ClampToByte(397), ClampToByte(128)),
            std::tuple(0, 255, 128));
}

// Random edit values: mostly the sliders' range, often well beyond it (the
// table's edges and the direct fallback), gamma near the dead zone's edges.
ToneEdits RandomEdits(std::mt19937& rng) {
  auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  // Zero, ±400, ±20000, around ±10^6 (the tables' limit), any int, or ±51.
  auto value = [&] {
    const int kind = pick(0, 9), sign = pick(0, 1) ? 1 : -1;
    return kind == 0   ? 0
           : kind <= 2 ? pick(-400, 400)
           : kind == 3 ? pick(-20000, 20000)
           : kind == 4 ? sign * pick(999'990, 1'000'010)
           : kind == 5 ? pick(INT_MIN, INT_MAX)
                       : pick(-51, 51);
  };
  // 1.00, 2.00, near 0.99 or 1.01 by thousandths or by 1e-9, anything, or 0.50..1.50.
  auto gamma = [&] {
    const int kind = pick(0, 7);
    const double edge = pick(0, 1) ? 0.99 : 1.01;
    return kind == 0   ? 1.0
           : kind == 1 ? 2.0
           : kind == 2 ? edge + pick(-3, 3) * 0.001
           : kind == 3 ? edge + pick(-4, 4) * 1e-9
           : kind == 4 ? std::uniform_real_distribution<double>(-3.0, 5.0)(rng)
                       : pick(50, 150) / 100.0;
  };
  ToneEdits e{value(), value(), gamma()};
  // Colour and saturation off now and then, so every kernel variant runs.
  if (pick(0, 2) > 0) e.RedAdjust = value(), e.GreenAdjust = value(), e.BlueAdjust = value();
  if (pick(0, 2) > 0) e.Saturation = value();
  return e;
}

// Runs the surface pass on a copy of `original` (with and without counting) and
// compares bytes, padding included, and counts with the plain evaluation.
void ExpectPassMatchesFormula(const cDIB& original, const ToneEdits& e) {
  const std::vector<std::uint8_t> bytes(
      original.DIBitsPtr(), original.DIBitsPtr() + original.Stride() * original.Height());
  std::vector<std::uint8_t> expected = bytes, got = bytes;
  const SurfaceView want{expected.data(), original.Width(), original.Height(), original.Stride()};
  const SurfaceView view{got.data(), want.width, want.height, want.stride};
  HistogramArray expected_counts, counts;
  ReferenceEdit(want, e, &expected_counts);
  for (bool counted : {false, true}) {
    got = bytes;
    EXPECT_TRUE(ApplyToneEdits(view, e, counted ? &counts : nullptr));
    ASSERT_EQ(got, expected) << want.width << "x" << want.height << " counted " << counted
                             << " bright " << e.Bright << " contrast " << e.Contrast << " gamma "
                             << e.gamma << " rgb " << e.RedAdjust << "," << e.GreenAdjust << ","
                             << e.BlueAdjust << " sat " << e.Saturation;
  }
  ASSERT_TRUE(counts == expected_counts);
  ASSERT_EQ(counts.Total(kHistogramBlue), std::uint64_t(want.width) * want.height);
}

TEST(ToneAdjust, SurfacePassMatchesTheFormulaByteForByteAndCountForCount) {
  std::mt19937 rng(20240611);
  for (int trial = 0; trial < 400; ++trial) {
    SCOPED_TRACE(trial);
    const ToneEdits e = RandomEdits(rng);
    const int width = std::uniform_int_distribution<int>(1, 41)(rng);
    const int height = std::uniform_int_distribution<int>(1, 75)(rng);
    ASSERT_NO_FATAL_FAILURE(
        ExpectPassMatchesFormula(test::MarkedRandomSurface(width, height, 1000 + trial), e));
  }
}

TEST(ToneAdjust, TableEdgesAndExactHalvesMatchTheFormula) {
  // Every byte value in every channel position, and the corners of the colour
  // cube, where the saturation step reaches its widest spread.
  cDIB dib;
  ASSERT_TRUE(dib.Create(256, 4, 0));
  const SurfaceView v = dib.View();
  for (int x = 0; x < 256; ++x) {
    for (int y = 0; y < 3; ++y) {
      v.Row(y)[3 * x] = static_cast<std::uint8_t>(x);
      v.Row(y)[3 * x + 1] = static_cast<std::uint8_t>((x * 7 + 85 * y) & 0xFF);
      v.Row(y)[3 * x + 2] = static_cast<std::uint8_t>((255 - x + 40 * y) & 0xFF);
    }
    for (int ch = 0; ch < 3; ++ch) v.Row(3)[3 * x + ch] = (x >> ch) & 1 ? 255 : (x % 8 == 0);
  }
  const ToneEdits cases[] = {
      // Slider extremes.
      {51, 51, 0.5, 51, -51, 51, 51},
      {-51, -51, 1.5, -51, 51, -51, -51},
      // Saturation factors 0.5, −0.5, 0.25, 1.5 put (x − L)·s on exact halves,
      // where rounding to even depends on x itself.
      {0, 0, 1.0, 0, 0, 0, 50},
      {0, 0, 1.0, 0, 0, 0, -50},
      {3, 0, 1.0, 1, 0, -1, 25},
      {0, 0, 1.0, 0, 0, 0, 150},
      // Colour spreads whose x − L just fits, or just misses, the saturation
      // tables; brightness and contrast bring the results back into the byte
      // range so that a wrong table entry would show.
      {-600, -50, 1.0, -366, -366, 700, 1},
      {-600, -50, 1.0, -367, -367, 700, 1},
      {-600, -50, 1.0, 700, -366, -366, 1},
      // Values just inside and just outside both ends of the curve table.
      {-900, 0, 0.7, 765, 765, 765, 1},
      {-900, 0, 0.7, 766, 766, 766, 1},
      {600, 0, 0.7, -509, -509, -509, 1},
      {600, 0, 0.7, -510, -510, -510, 1},
      // Far outside the tables on either side.
      {-1000, 0, 0.7, 1000, 1000, 1000, 1},
      {-1000, -60, 0.7, -1000, 1400, -1000, 1},
  };
  for (const ToneEdits& e : cases) ExpectPassMatchesFormula(dib, e);
}

TEST(CdibApplyEdits, NeutralValuesReturnAtOnceOthersEditEveryRowAndCancelStopsAfterABand) {
  ScriptedUi ui;
  const ScopedUi scoped(ui);
  cDIB dib = test::MarkedRandomSurface(61, 77, 11);
  std::vector<std::uint8_t> expected = AllBytes(dib.View());
  for (double gamma : {1.0, 0.995, 2.0}) dib.ApplyEdits(0, 0, gamma, 0, 0, 0, 0);
  EXPECT_EQ(AllBytes(dib.View()), expected);
  EXPECT_EQ(ui.Polls(), 0);  // not even a look at the rows

  ReferenceEdit({expected.data(), 61, 77, dib.Stride()}, {0, 0, 0.98, 0, 0, 0, 0}, nullptr);
  ReferenceEdit({expected.data(), 61, 77, dib.Stride()}, {10, 15, 0.9, 5, -4, 3, 20}, nullptr);
  dib.ApplyEdits(0, 0, 0.98, 0, 0, 0, 0);
  dib.ApplyEdits(10, 15, 0.9, 5, -4, 3, 20);
  EXPECT_EQ(AllBytes(dib.View()), expected);
  const int polls = 2 * ((77 + kToneBandRows - 1) / kToneBandRows);
  EXPECT_EQ(ui.Polls(), polls);

  cDIB empty;
  empty.ApplyEdits(10, 10, 0.5, 1, 1, 1, 1);
  EXPECT_FALSE(empty.IsCreated());

  // Cancelled on its second poll, an edit stops after that band: exactly the first two
  // bands of a taller picture are edited, every later row is as it was.
  const int height = 3 * kToneBandRows + 5;
  cDIB tall = test::MarkedRandomSurface(9, height, 12);
  const std::vector<std::uint8_t> before = AllBytes(tall.View());
  std::vector<std::uint8_t> cut = before;
  ReferenceEdit({cut.data(), 9, height, tall.Stride()}, {-20, 30, 1.2, 0, 0, 0, 0}, nullptr,
                2 * kToneBandRows);
  ui.CancelAfterPolls(2);
  tall.ApplyEdits(-20, 30, 1.2, 0, 0, 0, 0);
  EXPECT_EQ(ui.Polls(), polls + 2);
  EXPECT_EQ(AllBytes(tall.View()), cut);
  EXPECT_NE(cut, before);
}

}  // namespace
}  // namespace tessaly
