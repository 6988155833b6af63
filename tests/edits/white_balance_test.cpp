#include "edits/white_balance.h"

#include <gtest/gtest.h>

#include <set>
#include <tuple>
#include <utility>

#include "support/test_surfaces.h"

namespace tessaly {
namespace {

using test::Rgb;

TEST(WhiteBalance, SpotsGiveEachChannelsDistanceFromGrey) {
  // {spot colour, colour of its sample (5, 9), red, green and blue adjustments}
  const std::tuple<std::uint32_t, std::uint32_t, int, int, int> cases[] = {
      {Rgb(0, 0, 0), Rgb(0, 0, 0), 0, 0, 0},              // black: nothing to divide by
      {Rgb(128, 128, 128), Rgb(128, 128, 128), 0, 0, 0},  // already grey
      // avg 116.67: (116.67 − 200)·128/116.67 = −91.43, 18.29, 73.14.
      {Rgb(200, 100, 50), Rgb(200, 100, 50), -91, 18, 73},
      // Only blue: avg 30; red and green +128, blue (30 − 90)·128/30 = −256.
      {Rgb(0, 0, 90), Rgb(0, 0, 90), 128, 128, -256},
      // One sample of the 25 differs: red (24·100 + 90)/25 = 99.6, green 100.16, blue
      // (24·100 + 166)/25 = 102.64, rounded to 103; avg = 100.92. Red 1.674 → 2, green
      // 0.964 → 1, blue −2.638 → −3. A fractional blue mean would give blue −2, a
      // truncated one red 1, rounded red and green red 1.
      {Rgb(100, 100, 100), Rgb(90, 104, 166), 2, 1, -3},
  };
  for (const auto& [colour, sample, red, green, blue] : cases) {
    const WhiteBalanceAdjust a =
        WhiteBalanceAt([&](int X, int Y) { return X == 5 && Y == 9 ? sample : colour; }, 5.0, 9.0);
    EXPECT_EQ(std::tuple(a.RedAdjust, a.GreenAdjust, a.BlueAdjust), std::tuple(red, green, blue))
        << std::hex << colour << " " << sample;
  }
}

TEST(WhiteBalance, SamplesFiveByFiveFromHalfEvenRoundedCorners) {
  // {spot centre x, y, first sampled column, row}
  const std::tuple<double, double, int, int> cases[] = {
      {10.5, 7.5, 8, 6},   // round(8.5) = 8, round(5.5) = 6
      {11.5, 6.5, 10, 4},  // round(9.5) = 10, round(4.5) = 4
      {2.0, 2.0, 0, 0},
  };
  for (const auto& [x, y, x0, y0] : cases) {
    std::multiset<std::pair<int, int>> seen;
    WhiteBalanceAt(
        [&](int X, int Y) {
          seen.insert({X, Y});
          return Rgb(1, 2, 3);
        },
        x, y);
    std::multiset<std::pair<int, int>> expected;
    for (int X = x0; X < x0 + 5; ++X)
      for (int Y = y0; Y < y0 + 5; ++Y) expected.insert({X, Y});
    EXPECT_EQ(seen, expected) << x << "," << y;
  }
}

}  // namespace
}  // namespace tessaly
