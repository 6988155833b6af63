#include "edits/histogram.h"

#include <gtest/gtest.h>

#include <tuple>
#include <utility>

namespace tessaly {
namespace {

TEST(Histogram, ValuesLandInTheirChannelAndInBinsOfThreeTruncatedTowardZero) {
  // {value, bin}
  const std::pair<int, int> cases[] = {{2, 0},     {3, 1},     {257, 85},  {258, 86},
                                       {299, 99},  {300, 100}, {-2, 0},    {-3, -1},
                                       {-41, -13}, {-45, -15}, {-48, -15}, {INT32_MIN, -15}};
  for (const auto& [value, bin] : cases) EXPECT_EQ(HistogramBin(value), bin) << value;

  HistogramArray h;
  h.CountValue(kHistogramRed, 255);
  h.CountValue(kHistogramRed, 254);
  h.CountValue(kHistogramGreen, -41);
  h.CountValue(kHistogramBlue, 397);
  // {channel, bin, count}: the counted bins; neighbouring counters and other
  // channels stay zero; indexes outside the array read as zero.
  const int counts[][3] = {{kHistogramRed, 85, 1},
                           {kHistogramRed, 84, 1},
                           {kHistogramGreen, -13, 1},
                           {kHistogramBlue, 100, 1},
                           {kHistogramGreen, 85, 0},
                           {kHistogramBlue, 85, 0},
                           {kHistogramRed, 86, 0},
                           {kHistogramGreen, -14, 0},
                           {0, 85, 0},
                           {4, 85, 0},
                           {kHistogramRed, 101, 0},
                           {kHistogramRed, -16, 0}};
  for (const auto& c : counts)
    EXPECT_EQ(h.Count(c[0], c[1]), std::uint32_t(c[2])) << c[0] << " " << c[1];
  EXPECT_EQ(std::tuple(h.Total(kHistogramRed), h.Total(kHistogramGreen), h.Total(kHistogramBlue)),
            std::tuple(2u, 1u, 1u));
}

}  // namespace
}  // namespace tessaly
