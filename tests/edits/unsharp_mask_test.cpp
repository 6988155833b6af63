#include "edits/unsharp_mask.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "controls/scripted_ui.h"
#include "support/test_surfaces.h"

namespace tessaly {
namespace {

using test::At;
using test::PixelBytes;

struct Box {
  int r;
  int k;
  int divisor;
};

Box BoxFor(int radius_code) {
  return radius_code == 10 ? Box{1, 0, 9} : radius_code == 15 ? Box{2, 11, 36} : Box{2, 0, 25};
}

struct ReferenceCounts {
  int blurred = 0;
  int flat = 0;     // left alone by the flat-area test
  int extreme = 0;  // left alone by the local-extreme test
  int ties = 0;     // blurred values exactly halfway between two integers
};

// The unsharp mask written straight from its formulas, one pixel at a time.
ReferenceCounts ReferenceUnsharp(const SurfaceView& v, int radius_code, int amount, bool full) {
  const Box box = BoxFor(radius_code);
  const int r = box.r;
  const int n = (2 * r + 1) * (2 * r + 1);
  std::vector<std::uint8_t> copy(v.bits, v.bits + v.ByteCount());
  ReferenceCounts counts;
  for (int y = r; y <= v.height - 1 - r; ++y) {
    for (int x = r; x <= v.width - 1 - r; ++x) {
      int sum[3] = {0, 0, 0}, lo[3] = {255, 255, 255}, hi[3] = {0, 0, 0}, centre[3];
      for (int ch = 0; ch < 3; ++ch) {
        centre[ch] = At(v, x, y, ch);
        for (int dy = -r; dy <= r; ++dy)
          for (int dx = -r; dx <= r; ++dx) {
            const int value = At(v, x + dx, y + dy, ch);
            sum[ch] += value;
            lo[ch] = std::min(lo[ch], value);
            hi[ch] = std::max(hi[ch], value);
          }
      }
      if (full) {
        bool flat = true, inner = true;
        for (int ch = 0; ch < 3; ++ch) {
          flat = flat && std::abs(sum[ch] / static_cast<double>(n) - centre[ch]) < 3;
          inner = inner && lo[ch] < centre[ch] && centre[ch] < hi[ch];
        }
        if (flat) {
          ++counts.flat;
          continue;
        }
        if (!inner) {
          ++counts.extreme;
          continue;
        }
      }
      ++counts.blurred;
      for (int ch = 0; ch < 3; ++ch) {
        const double q = (sum[ch] + box.k * centre[ch]) / static_cast<double>(box.divisor);
        if (q - std::floor(q) == 0.5) ++counts.ties;
        copy[static_cast<std::size_t>(y) * v.stride + 3 * x + ch] =
            static_cast<std::uint8_t>(std::nearbyint(q));
      }
    }
  }
  const float f1 = static_cast<float>(1 + amount / 100.0);
  const float f2 = static_cast<float>(amount / 100.0);
  for (int y = 0; y < v.height; ++y)
    for (int x = 0; x < 3 * v.width; ++x) {
      const double value = std::nearbyint(v.Row(y)[x] * static_cast<double>(f1) -
                                          copy[static_cast<std::size_t>(y) * v.stride + x] *
                                              static_cast<double>(f2));
      v.Row(y)[x] = static_cast<std::uint8_t>(std::clamp(value, 0.0, 255.0));
    }
  return counts;
}

enum class Texture { Noise, NarrowRange, Smooth, TwoLevels, MixedChannels };

// Pixel bytes of the chosen texture; the row padding is set to 0xA5 so that a
// kernel writing it is caught.
cDIB TexturedSurface(int width, int height, Texture texture, std::uint32_t seed) {
  cDIB dib = test::RandomSurface(width, height, seed);
  const SurfaceView v = dib.View();
  std::mt19937 rng(seed);
  std::uniform_int_distribution<int> narrow(120, 124), wobble(-2, 2), coin(0, 3);
  for (int y = 0; y < v.height; ++y) {
    std::uint8_t* row = v.Row(y);
    for (int x = 0; x < 3 * v.width; ++x) {
      switch (texture) {
        case Texture::Noise:
          break;
        case Texture::NarrowRange:  // levels 120..124: many flat areas, extremes and ties
          row[x] = static_cast<std::uint8_t>(narrow(rng));
          break;
        case Texture::Smooth:
          row[x] = static_cast<std::uint8_t>(40 + x / 3 + y / 2 + 20 * (x % 3) + wobble(rng));
          break;
        case Texture::TwoLevels:
          row[x] = coin(rng) == 0 ? 250 : 5;
          break;
        case Texture::MixedChannels:  // blue often flat, green never, red in between
          if (x % 3 == 0) row[x] = static_cast<std::uint8_t>(narrow(rng));
          if (x % 3 == 2) row[x] = static_cast<std::uint8_t>(120 + 4 * wobble(rng));
          break;
      }
    }
    std::memset(row + 3 * v.width, 0xA5, v.stride - 3 * v.width);
  }
  return dib;
}

std::vector<std::uint8_t> AllBytes(const SurfaceView& v) {
  return std::vector<std::uint8_t>(v.bits, v.bits + v.ByteCount());
}

// A width × height surface of one colour (blue, green, red) with one pixel
// (column c, memory row r) of another.
cDIB Spot(int width, int height, const int (&background)[3], int c, int r, const int (&spot)[3]) {
  cDIB dib;
  dib.Create(width, height, 0);
  const SurfaceView v = dib.View();
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      for (int ch = 0; ch < 3; ++ch)
        v.Row(y)[3 * x + ch] =
            static_cast<std::uint8_t>(x == c && y == r ? spot[ch] : background[ch]);
  return dib;
}

TEST(UnsharpMask, RadiusCodesSelectTheirBoxAndSharpeningValuesSplit) {
  for (int code : {10, 15, 20}) {
    UnsharpKernel kernel;
    ASSERT_TRUE(UnsharpKernelFor(code, kernel)) << code;
    const Box box = BoxFor(code);
    EXPECT_EQ(kernel.half_width, box.r) << code;
    EXPECT_EQ(kernel.centre_extra, box.k) << code;
    EXPECT_EQ(kernel.divisor, box.divisor) << code;
  }
  for (int code : {0, 1, 12, 25, -10, 150, 1015}) {
    UnsharpKernel kernel;
    EXPECT_FALSE(UnsharpKernelFor(code, kernel)) << code;
  }
  const int splits[][3] = {{15100, 15, 100}, {10025, 10, 25}, {20150, 20, 150}, {15000, 15, 0}};
  for (const auto& s : splits) {
    EXPECT_EQ(SharpenRadiusCode(s[0]), s[1]) << s[0];
    EXPECT_EQ(SharpenAmount(s[0]), s[2]) << s[0];
  }
}

TEST(UnsharpMask, UniformPhotoIsUnchangedOnBothPaths) {
  for (int code : {10, 15, 20})
    for (int amount : {0, 25, 100, 150, 999}) {
      cDIB screen, full;
      ASSERT_TRUE(screen.Create(13, 9, 0x1E80FA));
      ASSERT_TRUE(full.Create(13, 9, 0x1E80FA));
      const std::vector<std::uint8_t> before = AllBytes(screen.View());
      ASSERT_TRUE(UnsharpMaskScreen(screen.View(), code, amount));
      full.UnsharpMask(code, amount);
      EXPECT_EQ(AllBytes(screen.View()), before) << code << " " << amount;
      EXPECT_EQ(AllBytes(full.View()), before) << code << " " << amount;
    }
}

TEST(UnsharpMask, BorderPixelsNeverChangeWhileTheInteriorDoes) {
  for (int code : {10, 15, 20})
    for (bool full : {false, true}) {
      cDIB dib = test::RandomSurface(17, 11, 7 + code);
      cDIB original = test::RandomSurface(17, 11, 7 + code);
      const SurfaceView v = dib.View(), o = original.View();
      if (full)
        dib.UnsharpMask(code, 150);
      else
        ASSERT_TRUE(UnsharpMaskScreen(v, code, 150));
      const int r = BoxFor(code).r;
      int interior_changes = 0;
      for (int y = 0; y < v.height; ++y)
        for (int x = 0; x < v.width; ++x)
          for (int ch = 0; ch < 3; ++ch) {
            const bool border = y < r || y >= v.height - r || x < r || x >= v.width - r;
            if (border)
              EXPECT_EQ(At(v, x, y, ch), At(o, x, y, ch)) << code << full << " " << x << "," << y;
            else
              interior_changes += At(v, x, y, ch) != At(o, x, y, ch);
          }
      EXPECT_GT(interior_changes, 0) << code << full;
    }
}

TEST(UnsharpMask, BrightSpotOnScreenPathMatchesHandComputedValues) {
  // Spot at column 5, memory row 2 of a 9 × 6 picture. Blue: 200 on 100 gives
  // 2·200 − round(1000/9) = 289 → 255 and 2·100 − 111 = 89 beside it. Green: 150
  // on 60 gives 300 − round(630/9) = 230 and 120 − 70 = 50. Red stays uniform.
  cDIB dib = Spot(9, 6, {100, 60, 20}, 5, 2, {200, 150, 20});
  ASSERT_TRUE(UnsharpMaskScreen(dib.View(), 10, 100));
  const SurfaceView v = dib.View();
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 9; ++x) {
      const bool spot = x == 5 && y == 2;
      const bool beside = !spot && std::abs(x - 5) <= 1 && std::abs(y - 2) <= 1;
      EXPECT_EQ(At(v, x, y, 0), spot ? 255 : beside ? 89 : 100) << x << "," << y;
      EXPECT_EQ(At(v, x, y, 1), spot ? 230 : beside ? 50 : 60) << x << "," << y;
      EXPECT_EQ(At(v, x, y, 2), 20) << x << "," << y;
    }
}

TEST(UnsharpMask, BrightSpotOnFullPathIsLeftAlone) {
  // The spot is the maximum of its window, each neighbour the minimum of its own.
  cDIB dib = Spot(9, 6, {100, 100, 100}, 5, 2, {200, 200, 200});
  const std::vector<std::uint8_t> before = AllBytes(dib.View());
  ScriptedUi ui;
  ScopedUi scope(ui);
  dib.UnsharpMask(10, 100);
  EXPECT_EQ(AllBytes(dib.View()), before);
  EXPECT_TRUE(ui.Messages().empty());
}

TEST(UnsharpMask, HalfwayBlurValuesRoundToEven) {
  // One 5 × 5 window around the centre 30 (weight 12 with radius code 15), all
  // other pixels 0 except the ones listed per channel. Amount 100 blends to
  // 60 − blurred. First picture, screen path:
  //   blue  18     → (18 + 360)/36 = 10.5 → 10, giving 50
  //   green 54     → (54 + 360)/36 = 11.5 → 12, giving 48
  //   red   40, 14 → 11.5 → 12 as well, giving 48
  // On the full path the same picture stays unblurred: blue and green have no
  // larger neighbour, so the centre is their maximum. The third picture gives
  // every channel a larger neighbour:
  //   blue  50, 40 → (90 + 360)/36 = 12.5 → 12, giving 48
  //   green 40, 14 → 11.5 → 12, giving 48
  //   red   31, 5  → (36 + 360)/36 = 11, giving 49
  struct Case {
    bool full;
    int extra[3][2];  // per channel: up to two other values (0 = none)
    int expected[3];
  };
  const Case cases[] = {
      {false, {{18, 0}, {54, 0}, {40, 14}}, {50, 48, 48}},
      {true, {{18, 0}, {54, 0}, {40, 14}}, {30, 30, 30}},
      {true, {{50, 40}, {40, 14}, {31, 5}}, {48, 48, 49}},
  };
  for (const Case& c : cases) {
    cDIB dib = Spot(5, 5, {0, 0, 0}, 2, 2, {30, 30, 30});
    const SurfaceView v = dib.View();
    for (int ch = 0; ch < 3; ++ch) {
      v.Row(0)[3 * 1 + ch] = static_cast<std::uint8_t>(c.extra[ch][0]);
      v.Row(4)[3 * 3 + ch] = static_cast<std::uint8_t>(c.extra[ch][1]);
    }
    if (c.full)
      dib.UnsharpMask(15, 100);
    else
      ASSERT_TRUE(UnsharpMaskScreen(v, 15, 100));
    for (int ch = 0; ch < 3; ++ch) EXPECT_EQ(At(v, 2, 2, ch), c.expected[ch]) << c.full << ch;
  }
}

TEST(UnsharpMask, InvalidRadiusShowsMessageAndChangesNothing) {
  ScriptedUi ui;
  ScopedUi scope(ui);
  cDIB dib = test::RandomSurface(11, 7, 3);
  const std::vector<std::uint8_t> before = AllBytes(dib.View());
  dib.UnsharpMask(12, 100);
  EXPECT_EQ(AllBytes(dib.View()), before);
  ASSERT_EQ(ui.Messages().size(), 1u);
  EXPECT_EQ(ui.Messages()[0].text, QString("Invalid radius"));
  EXPECT_EQ(ui.Messages()[0].buttons, MsgButtons::Ok);
  EXPECT_EQ(ui.Messages()[0].icon, MsgIcon::Exclamation);
  EXPECT_EQ(ui.Polls(), 0);

  for (int code : {0, 12, 25}) {
    EXPECT_FALSE(UnsharpMaskScreen(dib.View(), code, 100)) << code;
    EXPECT_FALSE(UnsharpMaskFull(dib.View(), code, 100, RowPoll())) << code;
  }
  EXPECT_EQ(AllBytes(dib.View()), before);

  // A surface that is not created ignores the call, message included.
  cDIB empty;
  empty.UnsharpMask(12, 100);
  empty.UnsharpMask(15, 100);
  EXPECT_EQ(ui.Messages().size(), 1u);
  EXPECT_EQ(ui.Polls(), 0);
}

TEST(UnsharpMask, FastPathMatchesPlainEvaluationByteForByte) {
  const std::pair<int, int> sizes[] = {{1, 1}, {2, 7}, {3, 3},   {4, 5},   {5, 5},
                                       {6, 4}, {7, 2}, {37, 23}, {41, 150}};
  const Texture textures[] = {Texture::Noise, Texture::NarrowRange, Texture::Smooth,
                              Texture::TwoLevels, Texture::MixedChannels};
  ReferenceCounts totals[2];
  std::uint32_t seed = 100;
  for (auto [width, height] : sizes)
    for (Texture texture : textures)
      for (int code : {10, 15, 20})
        for (int amount : {25, 100, 150, 0, 10, 999})
          for (bool full : {false, true}) {
            cDIB fast = TexturedSurface(width, height, texture, ++seed);
            cDIB expected = TexturedSurface(width, height, texture, seed);
            const ReferenceCounts counts = ReferenceUnsharp(expected.View(), code, amount, full);
            if (full) {
              fast.UnsharpMask(code, amount);
            } else {
              ASSERT_TRUE(UnsharpMaskScreen(fast.View(), code, amount));
            }
            ASSERT_EQ(AllBytes(fast.View()), AllBytes(expected.View()))
                << width << "x" << height << " texture " << static_cast<int>(texture) << " code "
                << code << " amount " << amount << " full " << full;
            ReferenceCounts& t = totals[full];
            t.blurred += counts.blurred;
            t.flat += counts.flat;
            t.extreme += counts.extreme;
            t.ties += counts.ties;
          }
  // The pictures exercised every branch: both tests fired and halfway values
  // occurred on both paths.
  EXPECT_GT(totals[1].flat, 1000);
  EXPECT_GT(totals[1].extreme, 1000);
  EXPECT_GT(totals[1].blurred, 1000);
  EXPECT_GT(totals[1].ties, 100);
  EXPECT_GT(totals[0].ties, 100);
}

// Runs cDIB::UnsharpMask(15, 100) on a copy of `original` under a ScriptedUi that
// cancels on poll `cancel_at` (0: never); returns the polls made and keeps the
// pixels seen at every poll when `seen` is given.
int SharpenWithPolls(const cDIB& original, cDIB& result, int cancel_at,
                     std::vector<std::vector<std::uint8_t>>* seen = nullptr) {
  result.Create(original.Width(), original.Height(), 0);
  std::memcpy(result.DIBitsPtr(), original.DIBitsPtr(), result.View().ByteCount());
  ScriptedUi ui;
  ScopedUi scope(ui);
  if (cancel_at > 0) ui.CancelAfterPolls(cancel_at);
  if (seen) ui.OnPoll([&](int) { seen->push_back(PixelBytes(result.View())); });
  result.UnsharpMask(15, 100);
  return ui.Polls();
}

TEST(UnsharpMask, CancelLeavesEarlierRowsSharpenedAndLaterRowsUntouched) {
  const int width = 29, height = 517;
  cDIB original = test::RandomSurface(width, height, 99);
  const std::vector<std::uint8_t> before = PixelBytes(original.View());
  const std::size_t row_bytes = 3 * width;

  cDIB sharpened;
  std::vector<std::vector<std::uint8_t>> seen;
  const int polls = SharpenWithPolls(original, sharpened, 0, &seen);
  const std::vector<std::uint8_t> after = PixelBytes(sharpened.View());
  ASSERT_EQ(polls % 2, 0) << "both passes poll once per band";
  const int bands = polls / 2;
  ASSERT_GE(bands, 3) << "the picture must span several bands";

  // The blur pass never touches the photo; each blend poll shows a longer run of
  // finished rows from the bottom, the rest as they were.
  int previous_split = 0;
  for (int p = 0; p < polls; ++p) {
    const std::vector<std::uint8_t>& now = seen[p];
    int split = 0;  // one past the last changed row
    for (int y = 0; y < height; ++y)
      if (std::memcmp(&now[y * row_bytes], &before[y * row_bytes], row_bytes) != 0) split = y + 1;
    if (p < bands) {
      EXPECT_EQ(split, 0) << "poll " << p;
      continue;
    }
    EXPECT_GT(split, previous_split) << "poll " << p;
    EXPECT_EQ(std::memcmp(now.data(), after.data(), split * row_bytes), 0) << "poll " << p;
    previous_split = split;
  }
  EXPECT_EQ(seen.back(), after);

  // Cancel on a poll of the blend pass: the photo as it was at that poll. Cancel
  // during the blur pass: the flag stays set, so the blend pass stops at its first
  // poll having blended one band.
  struct Case {
    int cancel_at;
    int polls;
    int snapshot;  // index into `seen`
  };
  const Case cases[] = {
      {1, 2, bands},
      {bands - 1, bands, bands},
      {bands, bands + 1, bands},
      {bands + 1, bands + 1, bands},
      {bands + 2, bands + 2, bands + 1},
  };
  for (const Case& c : cases) {
    cDIB cancelled;
    EXPECT_EQ(SharpenWithPolls(original, cancelled, c.cancel_at), c.polls) << c.cancel_at;
    const std::vector<std::uint8_t> got = PixelBytes(cancelled.View());
    EXPECT_EQ(got, seen[c.snapshot]) << c.cancel_at;
    EXPECT_NE(got, before) << c.cancel_at;
    EXPECT_NE(got, after) << c.cancel_at;
  }

  // A poll that stops only the blur pass: the blend pass then runs to the end, and
  // rows the blur never reached keep their value.
  cDIB partly;
  partly.Create(width, height, 0);
  std::memcpy(partly.DIBitsPtr(), original.DIBitsPtr(), partly.View().ByteCount());
  int calls = 0;
  ASSERT_TRUE(UnsharpMaskFull(partly.View(), 15, 100, [&calls] { return ++calls == 1; }));
  EXPECT_EQ(calls, 1 + bands);
  EXPECT_EQ(PixelBytes(partly.View()), seen[bands]);
}

}  // namespace
}  // namespace tessaly
