#include "surface/large_block.h"

#include <gtest/gtest.h>

#include <array>
#include <set>

namespace tessaly {
namespace {

constexpr std::size_t kSize = 10 << 20;

TEST(LargeBlock, ReleasedBlocksServeTheirOwnUseAndSizeOnly) {
  ReleaseKeptBlocks();
  LargeBlock pixels = TakeLargeBlock(BlockUse::kPixels, kSize);
  ASSERT_TRUE(pixels);
  EXPECT_EQ(pixels.get_deleter().capacity, kSize);
  const std::uint8_t* kept = pixels.get();
  pixels.reset();
  // A file's bytes never take a pixel block, nor does a request under three
  // quarters of the block; one of about its size does.
  const LargeBlock file = TakeLargeBlock(BlockUse::kFileBytes, kSize);
  EXPECT_NE(file.get(), kept);
  const LargeBlock small = TakeLargeBlock(BlockUse::kPixels, kSize / 2);
  EXPECT_NE(small.get(), kept);
  const LargeBlock again = TakeLargeBlock(BlockUse::kPixels, kSize - 100);
  EXPECT_EQ(again.get(), kept);
  // Blocks under one step are plain allocations, never kept.
  EXPECT_EQ(TakeLargeBlock(BlockUse::kPixels, 1000).get_deleter().capacity, 0u);
}

TEST(LargeBlock, OnlyTheNewestThreePixelBlocksAreKept) {
  ReleaseKeptBlocks();
  std::array<LargeBlock, 4> blocks;
  for (LargeBlock& block : blocks) block = TakeLargeBlock(BlockUse::kPixels, kSize);
  const std::uint8_t* oldest = blocks[0].get();
  std::set<const std::uint8_t*> newest;
  for (std::size_t i = 1; i < blocks.size(); ++i) newest.insert(blocks[i].get());
  for (LargeBlock& block : blocks) block.reset();
  std::set<const std::uint8_t*> taken;
  for (std::size_t i = 0; i < 3; ++i) {
    blocks[i] = TakeLargeBlock(BlockUse::kPixels, kSize);
    taken.insert(blocks[i].get());
  }
  EXPECT_EQ(taken, newest);
  EXPECT_EQ(newest.count(oldest), 0u);
  ReleaseKeptBlocks();
}

}  // namespace
}  // namespace tessaly
