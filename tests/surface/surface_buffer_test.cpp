#include "surface/surface_buffer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <utility>

namespace tessaly {
namespace {

TEST(SurfaceBuffer, RefusesSizesOutsideTheLimitsAndZeroesPadding) {
  SurfaceBuffer buffer;
  for (auto [w, h] : {std::pair{0, 5}, {5, -1}, {65536, 1}, {20000, 10001}}) {
    EXPECT_FALSE(buffer.Allocate(w, h)) << w << "x" << h;
    EXPECT_TRUE(buffer.empty());
  }
  // Odd widths have 1 to 3 padding bytes a row; a 1000-row buffer of width 701 is
  // above 2 MiB and takes the aligned path.
  for (auto [w, h] : {std::pair{1, 3}, {2, 4}, {3, 5}, {5, 7}, {701, 1000}}) {
    ASSERT_TRUE(buffer.Allocate(w, h));
    const SurfaceView& v = buffer.View();
    EXPECT_EQ(v.stride, StrideFor(w));
    int nonzero = 0;
    for (int y = 0; y < h; ++y)
      for (int x = 3 * w; x < v.stride; ++x) nonzero += v.Row(y)[x] != 0;
    EXPECT_EQ(nonzero, 0) << w;
  }
  // A released large buffer is kept and handed out again with whatever it held: the
  // padding of the next buffer of about its size must still come out zero.
  std::memset(buffer.View().bits, 0xFF, buffer.View().ByteCount());
  buffer.Release();
  ASSERT_TRUE(buffer.Allocate(702, 999));
  const SurfaceView& reused = buffer.View();
  int dirty = 0;
  for (int y = 0; y < reused.height; ++y)
    for (int x = 3 * reused.width; x < reused.stride; ++x) dirty += reused.Row(y)[x] != 0;
  EXPECT_EQ(dirty, 0);
  ASSERT_TRUE(buffer.Allocate(701, 1000));
  SurfaceBuffer moved(std::move(buffer));
  EXPECT_TRUE(buffer.empty());
  EXPECT_EQ(moved.View().width, 701);
  moved.Release();
  EXPECT_TRUE(moved.empty());
}

}  // namespace
}  // namespace tessaly
