// Unsharp mask kernels. Each blurred pixel is computed from integer window
// statistics: per byte column the (2r+1)-row sums, minima and maxima of the source
// around the row, then their (2r+1)-pixel horizontal sums, minima and maxima. The
// rounding of the blur and the whole blend are lookup tables filled from the exact
// formulas, so the fast path gives the bytes of the plain per-pixel evaluation.
// The private copy holds each pixel's blended result rather than its blurred value:
// the source does not change during the blur pass, so blending at blur time and
// copying the result back in the blend pass gives the same bytes and leaves the
// blend pass a row copy.
#include "edits/unsharp_mask.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <new>
#include <utility>
#include <vector>

#include "surface/row_bands.h"

namespace tessaly {
namespace {

// Full resolution: a window whose mean lies within this many levels of the centre
// (in every channel) is a flat area and is not sharpened, so noise stays quiet.
constexpr int kFlatTolerance = 3;
// Rows per band between polls: about 5 ms of work on a 24-megapixel photo on two
// cores, short enough for the Cancel button to answer at once.
constexpr int kBandRows = 64;
constexpr int kLevels = 256;
// Byte columns per block in the column loops: one 16-byte vector register.
constexpr int kLanes = 16;

// Tables shared by both passes, filled once per call.
struct UnsharpTables {
  std::vector<std::uint8_t> blur;   // [sum + k·centre] → round half even of /divisor
  std::vector<std::uint8_t> blend;  // [source·256 + copy] → clamped blended byte
  std::uint8_t keep[kLevels] = {};  // [source] → blend of a pixel whose copy was not blurred
};

UnsharpTables MakeTables(const UnsharpKernel& kernel, int amount) {
  UnsharpTables t;
  const int divisor = kernel.divisor;
  t.blur.resize(static_cast<std::size_t>(255) * divisor + 1);
  for (int s = 0; s < static_cast<int>(t.blur.size()); ++s) {
    int q = s / divisor;
    const int twice_rest = 2 * (s % divisor);
    if (twice_rest > divisor || (twice_rest == divisor && (q & 1) != 0)) ++q;
    t.blur[s] = static_cast<std::uint8_t>(q);
  }
  // The two factors are single precision; products and difference are double.
  const float amplify = static_cast<float>(1.0 + amount / 100.0);
  const float subtract = static_cast<float>(amount / 100.0);
  t.blend.resize(kLevels * kLevels);
  for (int s = 0; s < kLevels; ++s) {
    for (int c = 0; c < kLevels; ++c) {
      const double v =
          std::nearbyint(s * static_cast<double>(amplify) - c * static_cast<double>(subtract));
      t.blend[s * kLevels + c] = static_cast<std::uint8_t>(std::clamp(v, 0.0, 255.0));
    }
    t.keep[s] = t.blend[s * kLevels + s];
  }
  return t;
}

struct UnsharpJob {
  SurfaceView src;
  std::uint8_t* copy;  // same layout and stride as src
  UnsharpKernel kernel;
  const UnsharpTables* tables;
  std::uint8_t* row_blurred;  // one flag per memory row, set when its copy row is written
};

void KeepRow(const std::uint8_t* keep, const std::uint8_t* s, std::uint8_t* out, int bytes) {
  for (int x = 0; x < bytes; ++x) out[x] = keep[s[x]];
}

// The column loops below run in blocks of kLanes columns with a fixed count and a
// straight-line body (window offsets are parameter packs, never loops), and their
// arrays are __restrict; with the body inlined the compiler then turns each block
// into vector instructions. The tails run scalar.

// Column statistics of one row: for every byte column the sum, minimum and
// maximum over the given rows.
template <bool kTests, class... Row>
void ColumnStats(int bytes, std::uint16_t* __restrict sum, std::uint8_t* __restrict lo,
                 std::uint8_t* __restrict hi, const Row* __restrict... rows) {
  auto column = [&](int x) __attribute__((always_inline)) {
    sum[x] = static_cast<std::uint16_t>((rows[x] + ...));
    if constexpr (kTests) {
      std::uint8_t l = 255, h = 0;
      ((l = rows[x] < l ? rows[x] : l), ...);
      ((h = rows[x] > h ? rows[x] : h), ...);
      lo[x] = l;
      hi[x] = h;
    }
  };
  int x = 0;
  for (; x + kLanes <= bytes; x += kLanes)
    for (int j = 0; j < kLanes; ++j) column(x + j);
  for (; x < bytes; ++x) column(x);
}

// ColumnStats over the memory rows first_row + D...
template <bool kTests, std::size_t... D>
void ColumnStatsOfRows(const SurfaceView& v, int first_row, std::uint16_t* sum, std::uint8_t* lo,
                       std::uint8_t* hi, std::index_sequence<D...>) {
  ColumnStats<kTests>(3 * v.width, sum, lo, hi, v.Row(first_row + static_cast<int>(D))...);
}

// Window statistics of the interior byte columns [begin, end): the window sum,
// and with kTests a flag byte per column: kNotFlat when the window mean is 3 or
// more levels from the centre, kInner when the centre lies strictly between the
// window's minimum and maximum. D... are the window's pixel offsets 0..2R. The
// flat test compares |sum − n·centre| with 3n, which is exactly |sum/n − centre|
// against 3 without a division.
constexpr std::uint8_t kNotFlat = 1;
constexpr std::uint8_t kInner = 2;

template <bool kTests, std::size_t... D>
void WindowStats(const std::uint8_t* __restrict centre, const std::uint16_t* __restrict col_sum,
                 const std::uint8_t* __restrict col_min, const std::uint8_t* __restrict col_max,
                 int begin, int end, std::uint16_t* __restrict win_sum,
                 std::uint8_t* __restrict flags, std::index_sequence<D...>) {
  constexpr int kSide = sizeof...(D);
  constexpr int kCount = kSide * kSide;
  constexpr int kHalf = kSide / 2;
  auto column = [&](int x) __attribute__((always_inline)) {
    const int first = x - 3 * kHalf;
    const std::uint16_t s = static_cast<std::uint16_t>((col_sum[first + 3 * D] + ...));
    win_sum[x] = s;
    if constexpr (kTests) {
      std::uint8_t l = 255, h = 0;
      ((l = col_min[first + 3 * D] < l ? col_min[first + 3 * D] : l), ...);
      ((h = col_max[first + 3 * D] > h ? col_max[first + 3 * D] : h), ...);
      const std::uint8_t c = centre[x];
      const std::int16_t off = static_cast<std::int16_t>(s - kCount * c);
      const bool not_flat = off >= kFlatTolerance * kCount || off <= -kFlatTolerance * kCount;
      flags[x] =
          static_cast<std::uint8_t>((not_flat ? kNotFlat : 0) | (l < c && c < h ? kInner : 0));
    }
  };
  int x = begin;
  for (; x + kLanes <= end; x += kLanes)
    for (int j = 0; j < kLanes; ++j) column(x + j);
  for (; x < end; ++x) column(x);
}

// Writes the blended result of memory rows [first, end) into the copy. R is the
// window half-width; kTests turns on the flat-area and local-extreme tests.
template <int R, bool kTests>
void BlurRows(const UnsharpJob& job, int first, int end) {
  constexpr int kSide = 2 * R + 1;
  constexpr auto kOffsets = std::make_index_sequence<kSide>();
  const SurfaceView& v = job.src;
  const int bytes = 3 * v.width;
  const int k = job.kernel.centre_extra;
  const std::uint8_t* blur = job.tables->blur.data();
  const std::uint8_t* blend = job.tables->blend.data();
  const std::uint8_t* keep = job.tables->keep;

  const int test_bytes = kTests ? bytes : 0;
  std::vector<std::uint16_t> col_sum(bytes), win_sum(bytes);
  std::vector<std::uint8_t> col_min(test_bytes), col_max(test_bytes), flags(test_bytes);

  for (int y = first; y < end; ++y) {
    const std::uint8_t* s = v.Row(y);
    std::uint8_t* out = job.copy + static_cast<std::ptrdiff_t>(y) * v.stride;
    job.row_blurred[y] = 1;
    if (y < R || y >= v.height - R || v.width <= 2 * R) {
      KeepRow(keep, s, out, bytes);
      continue;
    }

    ColumnStatsOfRows<kTests>(v, y - R, col_sum.data(), col_min.data(), col_max.data(), kOffsets);
    const int interior_begin = 3 * R, interior_end = 3 * (v.width - R);
    WindowStats<kTests>(s, col_sum.data(), col_min.data(), col_max.data(), interior_begin,
                        interior_end, win_sum.data(), flags.data(), kOffsets);

    KeepRow(keep, s, out, interior_begin);
    for (int x = interior_begin; x < interior_end; x += 3) {
      bool sharpen = true;
      if constexpr (kTests) {
        const std::uint8_t any = flags[x] | flags[x + 1] | flags[x + 2];
        const std::uint8_t all = flags[x] & flags[x + 1] & flags[x + 2];
        sharpen = (any & kNotFlat) != 0 && (all & kInner) != 0;
      }
      for (int ch = 0; ch < 3; ++ch) {
        const int c = s[x + ch];
        const int copy = sharpen ? blur[win_sum[x + ch] + k * c] : c;
        out[x + ch] = blend[c * kLevels + copy];
      }
    }
    KeepRow(keep, s + interior_end, out + interior_end, bytes - interior_end);
  }
}

template <bool kTests>
void BlurRowsFor(const UnsharpJob& job, int first, int end) {
  if (job.kernel.half_width == 1)
    BlurRows<1, kTests>(job, first, end);
  else
    BlurRows<2, kTests>(job, first, end);
}

// Both passes. The blur pass fills the copy band by band; the blend pass writes
// it back. Each pass stops at the first poll that answers true; rows whose copy
// was never written keep their own blend (the copy of an unblurred pixel is the
// pixel itself).
bool RunUnsharp(const SurfaceView& view, int radius_code, int amount, bool tests,
                const RowPoll& poll) {
  UnsharpKernel kernel;
  if (!UnsharpKernelFor(radius_code, kernel)) return false;
  if (view.empty()) return true;

  std::unique_ptr<std::uint8_t[]> copy(new (std::nothrow) std::uint8_t[view.ByteCount()]);
  std::unique_ptr<std::uint8_t[]> row_blurred(new (std::nothrow) std::uint8_t[view.height]());
  if (!copy || !row_blurred) return false;
  const UnsharpTables tables = MakeTables(kernel, amount);
  const UnsharpJob job{view, copy.get(), kernel, &tables, row_blurred.get()};

  auto blur_work = [&job, tests](int first, int end) {
    if (tests)
      BlurRowsFor<true>(job, first, end);
    else
      BlurRowsFor<false>(job, first, end);
  };
  auto blend_work = [&job](int first, int end) {
    const SurfaceView& v = job.src;
    const int bytes = 3 * v.width;
    for (int y = first; y < end; ++y) {
      std::uint8_t* row = v.Row(y);
      if (job.row_blurred[y])
        std::memcpy(row, job.copy + static_cast<std::ptrdiff_t>(y) * v.stride, bytes);
      else
        KeepRow(job.tables->keep, row, row, bytes);
    }
  };
  RunRowBands(view.height, kBandRows, blur_work, poll);
  RunRowBands(view.height, kBandRows, blend_work, poll);
  return true;
}

}  // namespace

bool IsSharpenValue(int value) {
  UnsharpKernel kernel;
  return value == 0 || (value > 0 && UnsharpKernelFor(SharpenRadiusCode(value), kernel));
}

bool UnsharpKernelFor(int radius_code, UnsharpKernel& kernel) {
  switch (radius_code) {
    case 10:
      kernel = {1, 0, 9};
      return true;
    case 15:
      kernel = {2, 11, 36};  // 25 − 1 + 12: the centre counts twelve times
      return true;
    case 20:
      kernel = {2, 0, 25};
      return true;
    default:
      return false;
  }
}

bool UnsharpMaskScreen(const SurfaceView& view, int radius_code, int amount) {
  return RunUnsharp(view, radius_code, amount, false, RowPoll());
}

bool UnsharpMaskFull(const SurfaceView& view, int radius_code, int amount, const RowPoll& poll) {
  return RunUnsharp(view, radius_code, amount, true, poll);
}

}  // namespace tessaly
