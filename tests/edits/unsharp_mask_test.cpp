#include "edits/unsharp_mask.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <tuple>

#include "controls/scripted_ui.h"
#include "support/test_surfaces.h"

namespace tessaly {
namespace {

using test::AllBytes;
using test::At;
using test::PixelBytes;

// How often each branch of the reference ran.
struct ReferenceCounts {
  int blurred = 0, flat = 0, extreme = 0;
  int ties = 0;  // blurred values exactly halfway between two integers
};

// The unsharp mask written straight from its formulas, one pixel at a time.
ReferenceCounts ReferenceUnsharp(const SurfaceView& v, int radius_code, int amount, bool full) {
  // Window half-width r, extra centre weight k and divisor of each radius code.
  const auto [r, k, divisor] = radius_code == 10   ? std::tuple(1, 0, 9)
                               : radius_code == 15 ? std::tuple(2, 11, 36)
                                                   : std::tuple(2, 0, 25);
  const int n = (2 * r + 1) * (2 * r + 1);
  std::vector<std::uint8_t> copy = AllBytes(v);
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
        if (flat || !inner) {
          ++(flat ? counts.flat : counts.extreme);
          continue;
        }
      }
      ++counts.blurred;
      for (int ch = 0; ch < 3; ++ch) {
        const double q = (sum[ch] + k * centre[ch]) / static_cast<double>(divisor);
        if (q - std::floor(q) == 0.5) ++counts.ties;
        copy[static_cast<std::size_t>(y) * v.stride + 3 * x + ch] =
            static_cast<std::uint8_t>(std::nearbyint(q));
      }
    }
  }
  const double f1 = static_cast<float>(1 + amount / 100.0), f2 = static_cast<float>(amount / 100.0);
  for (int y = 0; y < v.height; ++y)
    for (int x = 0; x < 3 * v.width; ++x) {
      const double value =
          std::nearbyint(v.Row(y)[x] * f1 - copy[static_cast<std::size_t>(y) * v.stride + x] * f2);
      v.Row(y)[x] = static_cast<std::uint8_t>(std::clamp(value, 0.0, 255.0));
    }
  return counts;
}

enum class Texture { Noise, NarrowRange, Smooth, TwoLevels, MixedChannels, Uniform };

// Pixel bytes of the chosen texture; the row padding holds a marker so that a
// kernel writing it is caught.
cDIB TexturedSurface(int width, int height, Texture texture, std::uint32_t seed) {
  cDIB dib = test::MarkedRandomSurface(width, height, seed);
  const SurfaceView v = dib.View();
  std::mt19937 rng(seed);
  std::uniform_int_distribution<int> narrow(120, 124), wobble(-2, 2), coin(0, 3);
  for (int y = 0; y < v.height; ++y) {
    std::uint8_t* row = v.Row(y);
    for (int x = 0; x < 3 * v.width; ++x) {
      if (texture == Texture::NarrowRange)  // many flat areas, extremes and ties
        row[x] = static_cast<std::uint8_t>(narrow(rng));
      else if (texture == Texture::Smooth)
        row[x] = static_cast<std::uint8_t>(40 + x / 3 + y / 2 + 20 * (x % 3) + wobble(rng));
      else if (texture == Texture::TwoLevels)
        row[x] = coin(rng) == 0 ? 250 : 5;
      else if (texture == Texture::Uniform)
        row[x] = static_cast<std::uint8_t>(0x1E + 0x50 * (x % 3));
      else if (texture == Texture::MixedChannels && x % 3 != 1)  // blue often flat, green never
        row[x] = static_cast<std::uint8_t>(x % 3 == 0 ? narrow(rng) : 120 + 4 * wobble(rng));
    }
  }
  return dib;
}

TEST(UnsharpMask, InvalidRadiusShowsMessageAndChangesNothing) {
  ScriptedUi ui;
  ScopedUi scope(ui);
  cDIB dib = test::RandomSurface(11, 7, 3);
  const std::vector<std::uint8_t> before = AllBytes(dib.View());
  dib.UnsharpMask(12, 100);
  EXPECT_TRUE(test::OnlyMessages(ui, "Invalid radius", MsgIcon::Exclamation));
  for (int code : {0, 12, 25, 1015}) {
    UnsharpKernel kernel;
    EXPECT_FALSE(UnsharpKernelFor(code, kernel)) << code;
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
  // The photo's sharpening value is radius code × 1000 + amount.
  EXPECT_EQ(std::tuple(SharpenRadiusCode(15100), SharpenAmount(15100), SharpenRadiusCode(20150),
                       SharpenAmount(20150)),
            std::tuple(15, 100, 20, 150));
}

TEST(UnsharpMask, FastPathMatchesPlainEvaluationByteForByte) {
  const std::pair<int, int> sizes[] = {{1, 1}, {3, 3}, {4, 5}, {5, 5}, {7, 2}, {37, 23}, {41, 150}};
  ReferenceCounts totals[2];
  std::uint32_t seed = 100;
  for (auto [width, height] : sizes)
    for (int texture = 0; texture <= static_cast<int>(Texture::Uniform); ++texture)
      for (int code : {10, 15, 20})
        for (int amount : {25, 100, 150, 0, 10, 999})
          for (bool full : {false, true}) {
            cDIB fast = TexturedSurface(width, height, Texture(texture), ++seed);
            cDIB expected = TexturedSurface(width, height, Texture(texture), seed);
            const ReferenceCounts counts = ReferenceUnsharp(expected.View(), code, amount, full);
            if (full)
              fast.UnsharpMask(code, amount);
            else
              ASSERT_TRUE(UnsharpMaskScreen(fast.View(), code, amount));
            ASSERT_EQ(AllBytes(fast.View()), AllBytes(expected.View()))
                << width << "x" << height << " texture " << texture << " code " << code
                << " amount " << amount << " full " << full;
            ReferenceCounts& t = totals[full];
            t.blurred += counts.blurred, t.flat += counts.flat, t.extreme += counts.extreme;
            t.ties += counts.ties;
          }
  // The pictures exercised every branch: both tests fired and halfway values
  // occurred on both paths.
  EXPECT_GT(std::min({totals[1].flat, totals[1].extreme, totals[1].blurred}), 1000);
  EXPECT_GT(std::min(totals[1].ties, totals[0].ties), 100);
}

// The picture of the cancel test: several bands of rows.
cDIB TallPicture() {
  return test::RandomSurface(29, 517, 99);
}

// Runs cDIB::UnsharpMask(15, 100) on `result` (made the tall picture) under a
// ScriptedUi that cancels on poll `cancel_at` (0: never); returns the polls made
// and keeps the pixels seen at every poll when `seen` is given.
int SharpenWithPolls(cDIB& result, int cancel_at,
                     std::vector<std::vector<std::uint8_t>>* seen = nullptr) {
  result = TallPicture();
  ScriptedUi ui;
  ScopedUi scope(ui);
  if (cancel_at > 0) ui.CancelAfterPolls(cancel_at);
  if (seen) ui.OnPoll([&](int) { seen->push_back(PixelBytes(result.View())); });
  result.UnsharpMask(15, 100);
  return ui.Polls();
}

TEST(UnsharpMask, CancelLeavesEarlierRowsSharpenedAndLaterRowsUntouched) {
  const int height = 517;
  const std::size_t row_bytes = 3 * 29;
  const std::vector<std::uint8_t> before = PixelBytes(TallPicture().View());
  cDIB sharpened;
  std::vector<std::vector<std::uint8_t>> seen;
  const int polls = SharpenWithPolls(sharpened, 0, &seen);
  const std::vector<std::uint8_t> after = PixelBytes(sharpened.View());
  ASSERT_EQ(polls % 2, 0) << "both passes poll once per band";
  const int bands = polls / 2;
  ASSERT_GE(bands, 3) << "the picture must span several bands";

  // The blur pass never touches the photo; each blend poll shows a longer run of
  // finished rows from the bottom, the rest as they were.
  int previous_split = 0;
  for (int p = 0; p < polls; ++p) {
    int split = 0;  // one past the last changed row
    for (int y = 0; y < height; ++y)
      if (std::memcmp(&seen[p][y * row_bytes], &before[y * row_bytes], row_bytes) != 0)
        split = y + 1;
    if (p < bands) {
      EXPECT_EQ(split, 0) << "poll " << p;
      continue;
    }
    EXPECT_GT(split, previous_split) << "poll " << p;
    EXPECT_EQ(std::memcmp(seen[p].data(), after.data(), split * row_bytes), 0) << "poll " << p;
    previous_split = split;
  }
  EXPECT_EQ(seen.back(), after);

  // Cancel on a poll of the blend pass: the photo as it was at that poll. Cancel
  // during the blur pass: the flag stays set, so the blend pass stops at its first
  // poll having blended one band. {cancel_at, polls made, index into `seen`}:
  const int cases[][3] = {
      {1, 2, bands}, {bands, bands + 1, bands}, {bands + 2, bands + 2, bands + 1}};
  for (const auto& c : cases) {
    cDIB cancelled;
    EXPECT_EQ(SharpenWithPolls(cancelled, c[0]), c[1]) << c[0];
    const std::vector<std::uint8_t> got = PixelBytes(cancelled.View());
    EXPECT_EQ(got, seen[c[2]]) << c[0];
    EXPECT_NE(got, before) << c[0];
    EXPECT_NE(got, after) << c[0];
  }

  // A poll that stops only the blur pass: the blend pass then runs to the end, and
  // rows the blur never reached keep their value.
  cDIB partly = TallPicture();
  int calls = 0;
  ASSERT_TRUE(UnsharpMaskFull(partly.View(), 15, 100, [&calls] { return ++calls == 1; }));
  EXPECT_EQ(calls, 1 + bands);
  EXPECT_EQ(PixelBytes(partly.View()), seen[bands]);
}

}  // namespace
}  // namespace tessaly
