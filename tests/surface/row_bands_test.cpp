#include "surface/row_bands.h"

#include <gtest/gtest.h>

#include <atomic>
#include <vector>

namespace tessaly {
namespace {

TEST(RowBands, EveryRowRunsExactlyOnceForAnyThreadCountAndBand) {
  for (int threads : {1, 2, 3, 8})
    for (int band : {1, 7, 64, 1000}) {
      std::vector<std::atomic<int>> hits(101);
      EXPECT_TRUE(RunRowBands(
          101, band,
          [&](int first, int end) {
            for (int y = first; y < end; ++y) hits[y]++;
          },
          {}, threads));
      for (int y = 0; y < 101; ++y)
        ASSERT_EQ(hits[y].load(), 1) << threads << " " << band << " " << y;
    }
}

TEST(RowBands, AStopLandsBetweenBandsAndLeavesLaterRowsAlone) {
  for (int threads : {1, 2}) {
    std::vector<std::atomic<int>> hits(100);
    int polls = 0;
    const bool completed = RunRowBands(
        100, 10,
        [&](int first, int end) {
          for (int y = first; y < end; ++y) hits[y]++;
        },
        [&] { return ++polls == 3; }, threads);
    EXPECT_FALSE(completed);
    EXPECT_EQ(polls, 3);
    for (int y = 0; y < 100; ++y) EXPECT_EQ(hits[y].load(), y < 30 ? 1 : 0) << y;
  }
  EXPECT_TRUE(RunRowBands(0, 10, [](int, int) { FAIL(); }));
}

}  // namespace
}  // namespace tessaly
