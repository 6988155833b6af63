#include "edits/tone_adjust.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

#include "controls/scripted_ui.h"
#include "support/test_surfaces.h"
#include "surface/cdib.h"

namespace tessaly {
namespace {

struct Pixel {
  int blue, green, red;
  bool operator==(const Pixel&) const = default;
};

void PrintTo(const Pixel& p, std::ostream* os) {
  *os << "(B " << p.blue << ", G " << p.green << ", R " << p.red << ")";
}

Pixel Adjust(const ToneEdits& e, Pixel p) {
  ToneAdjustPixel(e, p.blue, p.green, p.red);
  return p;
}

// The plain evaluation the whole-surface pass must match: the formula pixel by
// pixel, clamped, with the values before clamping counted.
void ReferenceEdit(const SurfaceView& v, const ToneEdits& e, HistogramArray* histogram,
                   int first_row = 0, int end_row = -1) {
  if (end_row < 0) end_row = v.height;
  for (int y = first_row; y < end_row; ++y)
    for (int x = 0; x < v.width; ++x) {
      std::uint8_t* p = v.Row(y) + 3 * x;
      int b = p[0], g = p[1], r = p[2];
      ToneAdjustPixel(e, b, g, r);
      if (histogram) {
        histogram->CountValue(kHistogramRed, r);
        histogram->CountValue(kHistogramGreen, g);
        histogram->CountValue(kHistogramBlue, b);
      }
      p[0] = ClampToByte(b);
      p[1] = ClampToByte(g);
      p[2] = ClampToByte(r);
    }
}

// A surface whose row padding holds a marker, so that writes into it show.
cDIB MarkedRandomSurface(int width, int height, std::uint32_t seed) {
  cDIB dib = test::RandomSurface(width, height, seed);
  const SurfaceView v = dib.View();
  for (int y = 0; y < v.height; ++y)
    std::memset(v.Row(y) + 3 * v.width, 0xA5, v.stride - 3 * v.width);
  return dib;
}

std::vector<std::uint8_t> AllBytes(const SurfaceView& v) {
  return std::vector<std::uint8_t>(v.bits, v.bits + v.ByteCount());
}

TEST(ToneAdjust, HandComputedPixelsPinEveryStepAndItsRounding) {
  struct Case {
    const char* what;
    ToneEdits edits;
    Pixel in, out;  // out: values before clamping
  } cases[] = {
      // (255 + 51 − 128)·0.51 + 306 = 396.78 → 397, far above the byte range.
      {"bright and contrast 51", {51, 51, 1.0, 0, 0, 0, 0}, {255, 255, 255}, {397, 397, 397}},
      // −41 after the colour step; gamma skips values ≤ 0.
      {"red adjust below zero", {0, 0, 0.5, -51, 0, 0, 0}, {0, 0, 10}, {0, 0, -41}},
      // Contrast 0.5 puts 127, 129, 131 on .5: 126.5 → 126, 129.5 → 130, 132.5 → 132.
      {"contrast tie below the pivot", {0, 50, 1.0, 0, 0, 0, 0}, {127, 127, 127}, {126, 126, 126}},
      {"contrast tie just above", {0, 50, 1.0, 0, 0, 0, 0}, {129, 129, 129}, {130, 130, 130}},
      {"contrast tie to even", {0, 50, 1.0, 0, 0, 0, 0}, {131, 131, 131}, {132, 132, 132}},
      // L = round(101.1) = 101; blue 114.5 → 114, green and red 99.5 → 100.
      {"saturation ties", {0, 0, 1.0, 0, 0, 0, 50}, {110, 100, 100}, {114, 100, 100}},
      // L = round(0.59) = 1 (not truncated): green stays 1, blue and red −0.5 → 0.
      {"luminance rounds, not truncates", {0, 0, 1.0, 0, 0, 0, 50}, {0, 1, 0}, {0, 1, 0}},
      // L = 124.5 exactly → 124; saturation −100 makes every channel that grey.
      {"saturation -100 is grey", {0, 0, 1.0, 0, 0, 0, -100}, {50, 100, 200}, {124, 124, 124}},
      {"saturation -51 goes halfway", {0, 0, 1.0, 0, 0, 0, -51}, {50, 100, 200}, {88, 112, 161}},
      // gamma 0.5: exponent 1.5; (128/255)^1.5·255 = 90.69 → 91.
      {"gamma", {0, 0, 0.5, 0, 0, 0, 0}, {128, 128, 128}, {91, 91, 91}},
      // 250 + 51 = 301 is not clamped before gamma: (301/255)^1.5·255 = 327.02.
      {"gamma above the byte range", {51, 0, 0.5, 0, 0, 0, 0}, {250, 250, 250}, {327, 327, 327}},
      {"gamma 0.98 is active", {0, 0, 0.98, 0, 0, 0, 0}, {100, 100, 100}, {98, 98, 98}},
      {"gamma 0.995 is not", {0, 0, 0.995, 0, 0, 0, 0}, {100, 100, 100}, {100, 100, 100}},
      {"gamma 2.00 means exponent 1", {0, 0, 2.0, 0, 0, 0, 0}, {100, 100, 100}, {100, 100, 100}},
      {"gamma 0.99 sits on the edge", {0, 0, 0.99, 0, 0, 0, 0}, {100, 100, 100}, {99, 99, 99}},
      {"gamma 1.01 sits on the edge", {0, 0, 1.01, 0, 0, 0, 0}, {100, 100, 100}, {101, 101, 101}},
      // Each adjustment lands on its own channel only.
      {"channel adjustments", {0, 0, 1.0, 5, -4, 3, 0}, {10, 20, 30}, {13, 16, 35}},
      {"every value at once", {10, 15, 0.9, 5, -4, 3, 20}, {50, 100, 200}, {31, 87, 245}},
  };
  for (const Case& c : cases) EXPECT_EQ(Adjust(c.edits, c.in), c.out) << c.what;
}

TEST(ToneAdjust, GammaExponentAndItsDeadZone) {
  struct Case {
    double gamma;
    float exponent;
    bool active;
  } cases[] = {
      {1.00, 1.0f, false},    {2.00, 1.0f, false},   {0.995, 1.005f, false}, {0.98, 1.02f, true},
      {0.50, 1.5f, true},     {1.50, 0.5f, true},    {0.991, 1.009f, false}, {0.989, 1.011f, true},
      {1.009, 0.991f, false}, {1.011, 0.989f, true}, {3.00, 1.0f, false},    {2.5, 0.5f, true},
  };
  for (const Case& c : cases) {
    EXPECT_FLOAT_EQ(GammaExponent(c.gamma), c.exponent) << c.gamma;
    EXPECT_EQ(GammaActive(GammaExponent(c.gamma)), c.active) << c.gamma;
  }
}

TEST(ToneAdjust, NeutralMeansEveryIntegerZeroAndGammaInactive) {
  EXPECT_TRUE((ToneEdits{0, 0, 0.995, 0, 0, 0, 0}.IsNeutral()));
  const ToneEdits one_off[] = {{1, 0, 1.0, 0, 0, 0, 0}, {0, -1, 1.0, 0, 0, 0, 0},
                               {0, 0, 1.0, 1, 0, 0, 0}, {0, 0, 1.0, 0, 1, 0, 0},
                               {0, 0, 1.0, 0, 0, 1, 0}, {0, 0, 1.0, 0, 0, 0, 1},
                               {0, 0, 0.98, 0, 0, 0, 0}};
  for (const ToneEdits& e : one_off) EXPECT_FALSE(e.IsNeutral());
}

TEST(ToneAdjust, RoundingIsHalfToEvenAndSaturatesOutsideThirtyTwoBits) {
  EXPECT_EQ(RoundToInt32(2.5), 2);
  EXPECT_EQ(RoundToInt32(3.5), 4);
  EXPECT_EQ(RoundToInt32(-2.5), -2);
  EXPECT_EQ(RoundToInt32(-0.5), 0);
  EXPECT_EQ(RoundToInt32(2.4999), 2);
  EXPECT_EQ(RoundToInt32(1e300), INT_MAX);
  EXPECT_EQ(RoundToInt32(-1e300), INT_MIN);
  EXPECT_EQ(RoundToInt32(std::numeric_limits<double>::quiet_NaN()), 0);
  EXPECT_EQ(ClampToByte(-41), 0);
  EXPECT_EQ(ClampToByte(397), 255);
  EXPECT_EQ(ClampToByte(128), 128);
}

// Random edit values: mostly the sliders' range, often well beyond it (the
// table's edges and the direct fallback), gamma near the dead zone's edges.
ToneEdits RandomEdits(std::mt19937& rng) {
  auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  auto value = [&] {
    switch (pick(0, 9)) {
      case 0:
        return 0;
      case 1:
      case 2:
        return pick(-400, 400);
      case 3:
        return pick(-20000, 20000);
      case 4:
        return pick(0, 1) ? pick(999'990, 1'000'010) : -pick(999'990, 1'000'010);
      case 5:
        return pick(INT_MIN, INT_MAX);
      default:
        return pick(-51, 51);
    }
  };
  auto gamma = [&] {
    switch (pick(0, 7)) {
      case 0:
        return 1.0;
      case 1:
        return 2.0;
      case 2:
        return (pick(0, 1) ? 0.99 : 1.01) + pick(-3, 3) * 0.001;
      case 3:
        return (pick(0, 1) ? 0.99 : 1.01) + pick(-4, 4) * 1e-9;
      case 4:
        return std::uniform_real_distribution<double>(-3.0, 5.0)(rng);
      default:
        return pick(50, 150) / 100.0;
    }
  };
  ToneEdits e;
  e.Bright = value();
  e.Contrast = value();
  e.gamma = gamma();
  // Colour and saturation off now and then, so every kernel variant runs.
  const bool colour = pick(0, 2) > 0;
  e.RedAdjust = colour ? value() : 0;
  e.GreenAdjust = colour ? value() : 0;
  e.BlueAdjust = colour ? value() : 0;
  e.Saturation = pick(0, 2) > 0 ? value() : 0;
  return e;
}

TEST(ToneAdjust, SurfacePassMatchesTheFormulaByteForByteAndCountForCount) {
  std::mt19937 rng(20240611);
  for (int trial = 0; trial < 400; ++trial) {
    const ToneEdits e = RandomEdits(rng);
    const int width = std::uniform_int_distribution<int>(1, 41)(rng);
    const int height = std::uniform_int_distribution<int>(1, 75)(rng);
    cDIB fast = MarkedRandomSurface(width, height, 1000 + trial);
    cDIB slow = MarkedRandomSurface(width, height, 1000 + trial);
    const bool counted = trial % 2 == 0;
    HistogramArray fast_counts, slow_counts;
    ReferenceEdit(slow.View(), e, counted ? &slow_counts : nullptr);
    EXPECT_TRUE(ApplyToneEdits(fast.View(), e, counted ? &fast_counts : nullptr));
    ASSERT_EQ(AllBytes(fast.View()), AllBytes(slow.View()))
        << "trial " << trial << " " << width << "x" << height << " bright " << e.Bright
        << " contrast " << e.Contrast << " gamma " << e.gamma << " rgb " << e.RedAdjust << ","
        << e.GreenAdjust << "," << e.BlueAdjust << " sat " << e.Saturation;
    ASSERT_TRUE(fast_counts == slow_counts) << "trial " << trial;
    const std::uint64_t pixels = counted ? std::uint64_t(width) * height : 0;
    ASSERT_EQ(fast_counts.Total(kHistogramBlue), pixels);
  }
}

TEST(ToneAdjust, TableEdgesAndExactHalvesMatchTheFormula) {
  // Every byte value in every channel position, and the corners of the colour
  // cube, where the saturation step reaches its widest spread.
  cDIB dib;
  ASSERT_TRUE(dib.Create(256, 4, 0));
  const SurfaceView v = dib.View();
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 256; ++x) {
      v.Row(y)[3 * x] = static_cast<std::uint8_t>(x);
      v.Row(y)[3 * x + 1] = static_cast<std::uint8_t>((x * 7 + 85 * y) & 0xFF);
      v.Row(y)[3 * x + 2] = static_cast<std::uint8_t>((255 - x + 40 * y) & 0xFF);
    }
  for (int x = 0; x < 256; ++x)
    for (int ch = 0; ch < 3; ++ch)
      v.Row(3)[3 * x + ch] = (x >> ch) & 1 ? 255 : (x % 8 == 0 ? 1 : 0);
  const std::vector<std::uint8_t> original = AllBytes(v);
  const ToneEdits cases[] = {
      // Slider extremes.
      {51, 51, 0.5, 51, -51, 51, 51},
      {-51, -51, 1.5, -51, 51, -51, -51},
      {51, -51, 0.98, 0, 0, 0, 51},
      {-51, 51, 1.02, 51, 51, 51, 0},
      {0, 0, 1.0, 0, 0, 0, -51},
      {0, 0, 1.0, 0, 0, 0, 0},
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
  for (const ToneEdits& e : cases) {
    std::memcpy(v.bits, original.data(), original.size());
    std::vector<std::uint8_t> expected = original;
    HistogramArray expected_counts, counts;
    ReferenceEdit({expected.data(), v.width, v.height, v.stride}, e, &expected_counts);
    ApplyToneEdits(v, e, nullptr);
    EXPECT_EQ(AllBytes(v), expected) << e.Bright << " " << e.RedAdjust << " " << e.Saturation;
    std::memcpy(v.bits, original.data(), original.size());
    ApplyToneEdits(v, e, &counts);
    EXPECT_EQ(AllBytes(v), expected) << e.Bright << " " << e.RedAdjust << " " << e.Saturation;
    EXPECT_TRUE(counts == expected_counts);
  }
}

TEST(ToneAdjust, HistogramCountsValuesBeforeClamping) {
  cDIB dib;
  ASSERT_TRUE(dib.Create(3, 2, 0xFFFFFF));  // white
  HistogramArray counts;
  ApplyToneEdits(dib.View(), {51, 51, 1.0, 0, 0, 0, 0}, &counts);
  // 397 / 3 = 132 lands in the last bin; the bytes are clamped to 255.
  for (int channel = 1; channel <= 3; ++channel) EXPECT_EQ(counts.Count(channel, 100), 6u);
  EXPECT_EQ(dib.PixelAt(2, 1), 0xFFFFFFu);

  ASSERT_TRUE(dib.Create(3, 2, 0x0A0A0A));  // red, green, blue all 10
  ApplyToneEdits(dib.View(), {0, 0, 0.5, -51, 0, 0, 0}, &counts);
  EXPECT_EQ(counts.Count(kHistogramRed, -13), 6u);  // −41 / 3 = −13
  EXPECT_EQ(counts.Count(kHistogramRed, 0), 0u);
  // Green and blue went through gamma 0.5 (exponent 1.5): 10 → 1.98 → 2, bin 0.
  EXPECT_EQ(counts.Count(kHistogramGreen, 0), 6u);
  EXPECT_EQ(counts.Count(kHistogramBlue, 0), 6u);
  EXPECT_EQ(dib.PixelAt(0, 0), 0x020200u);
}

TEST(ToneAdjust, ChannelOrderIsBlueGreenRedInMemory) {
  cDIB dib;
  ASSERT_TRUE(dib.Create(1, 1, 0));
  std::uint8_t* p = dib.View().Row(0);
  p[0] = 10;  // blue
  p[1] = 20;  // green
  p[2] = 30;  // red
  ApplyToneEdits(dib.View(), {0, 0, 1.0, 100, 50, 1, 0}, nullptr);
  EXPECT_EQ(p[0], 11);
  EXPECT_EQ(p[1], 70);
  EXPECT_EQ(p[2], 130);
  EXPECT_EQ(dib.PixelAt(0, 0), 130u | (70u << 8) | (11u << 16));
}

TEST(CdibApplyEdits, NeutralValuesReturnAtOnceAndLeaveEveryByte) {
  ScriptedUi ui;
  const ScopedUi scoped(ui);
  cDIB dib = MarkedRandomSurface(37, 23, 7);
  const std::vector<std::uint8_t> before = AllBytes(dib.View());
  dib.ApplyEdits(0, 0, 1.0, 0, 0, 0, 0);
  dib.ApplyEdits(0, 0, 0.995, 0, 0, 0, 0);
  dib.ApplyEdits(0, 0, 2.0, 0, 0, 0, 0);
  EXPECT_EQ(AllBytes(dib.View()), before);
  EXPECT_EQ(ui.Polls(), 0);  // not even a look at the rows

  dib.ApplyEdits(0, 0, 0.98, 0, 0, 0, 0);
  EXPECT_NE(AllBytes(dib.View()), before);
  EXPECT_GT(ui.Polls(), 0);

  cDIB empty;
  empty.ApplyEdits(10, 10, 0.5, 1, 1, 1, 1);
  EXPECT_FALSE(empty.IsCreated());
}

TEST(CdibApplyEdits, EditsEveryRowLikeTheFormula) {
  ScriptedUi ui;
  const ScopedUi scoped(ui);
  cDIB dib = MarkedRandomSurface(61, 77, 11);
  std::vector<std::uint8_t> expected = AllBytes(dib.View());
  const ToneEdits e{10, 15, 0.9, 5, -4, 3, 20};
  ReferenceEdit({expected.data(), 61, 77, dib.Stride()}, e, nullptr);
  dib.ApplyEdits(10, 15, 0.9, 5, -4, 3, 20);
  EXPECT_EQ(AllBytes(dib.View()), expected);
  EXPECT_EQ(ui.Polls(), (77 + kToneBandRows - 1) / kToneBandRows);
}

TEST(CdibApplyEdits, CancelStopsAfterTheCurrentBandAndLeavesLaterRowsUntouched) {
  ScriptedUi ui;
  const ScopedUi scoped(ui);
  const int height = 3 * kToneBandRows + 5;
  cDIB dib = MarkedRandomSurface(9, height, 12);
  const std::vector<std::uint8_t> before = AllBytes(dib.View());
  std::vector<std::uint8_t> expected = before;
  const ToneEdits e{-20, 30, 1.2, 0, 0, 0, 0};
  ReferenceEdit({expected.data(), 9, height, dib.Stride()}, e, nullptr, 0, 2 * kToneBandRows);
  ui.CancelAfterPolls(2);
  dib.ApplyEdits(e.Bright, e.Contrast, e.gamma, 0, 0, 0, 0);
  EXPECT_EQ(ui.Polls(), 2);
  EXPECT_EQ(AllBytes(dib.View()), expected);
  // The rows after the stop are the original ones, the rows before are edited.
  const int stride = dib.Stride();
  EXPECT_NE(std::memcmp(dib.View().Row(2 * kToneBandRows - 1),
                        before.data() + (2 * kToneBandRows - 1) * stride, 27),
            0);
  EXPECT_EQ(std::memcmp(dib.View().Row(2 * kToneBandRows),
                        before.data() + 2 * kToneBandRows * stride, 27),
            0);
}

}  // namespace
}  // namespace tessaly
