#include "edits/histogram.h"

#include <gtest/gtest.h>

namespace tessaly {
namespace {

TEST(Histogram, BinIsAThirdTruncatedTowardZeroWithinTheBinRange) {
  struct Case {
    int value, bin;
  } cases[] = {
      {0, 0},           {2, 0},     {3, 1},     {254, 84},    {255, 85},
      {257, 85},        {258, 86},  {299, 99},  {300, 100},   {397, 100},
      {INT32_MAX, 100}, {-1, 0},    {-2, 0},    {-3, -1},     {-41, -13},
      {-45, -15},       {-47, -15}, {-48, -15}, {-1000, -15}, {INT32_MIN, -15},
  };
  for (const Case& c : cases) EXPECT_EQ(HistogramBin(c.value), c.bin) << c.value;
}

TEST(Histogram, CountsLandOnTheirChannelAndBinOnly) {
  HistogramArray h;
  h.CountValue(kHistogramRed, 255);
  h.CountValue(kHistogramRed, 254);
  h.CountValue(kHistogramGreen, -41);
  h.CountValue(kHistogramBlue, 397);
  EXPECT_EQ(h.Count(kHistogramRed, 85), 1u);
  EXPECT_EQ(h.Count(kHistogramRed, 84), 1u);
  EXPECT_EQ(h.Count(kHistogramGreen, -13), 1u);
  EXPECT_EQ(h.Count(kHistogramBlue, 100), 1u);
  EXPECT_EQ(h.Total(kHistogramRed), 2u);
  EXPECT_EQ(h.Total(kHistogramGreen), 1u);
  EXPECT_EQ(h.Total(kHistogramBlue), 1u);
  // Neighbouring counters and other channels stay zero.
  EXPECT_EQ(h.Count(kHistogramGreen, 85), 0u);
  EXPECT_EQ(h.Count(kHistogramBlue, 85), 0u);
  EXPECT_EQ(h.Count(kHistogramRed, 86), 0u);
  EXPECT_EQ(h.Count(kHistogramGreen, -14), 0u);
  // Indexes outside the array read as zero.
  EXPECT_EQ(h.Count(0, 85), 0u);
  EXPECT_EQ(h.Count(4, 85), 0u);
  EXPECT_EQ(h.Count(kHistogramRed, 101), 0u);
  EXPECT_EQ(h.Count(kHistogramRed, -16), 0u);
}

}  // namespace
}  // namespace tessaly
