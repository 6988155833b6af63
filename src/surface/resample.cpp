// Separable bicubic resampling (Keys kernel, a = −0.5) of a source rectangle onto a
// whole destination surface. Destination pixel i samples source coordinate
// u = origin + (i + 0.5)·scale, scale = source length / destination length; when
// shrinking the kernel is stretched by the scale so each output averages the area it
// covers. Weights are fixed-point integers summing to exactly 1, so a constant picture
// stays constant and a 1:1 copy (weights 0, 1, 0) gives back the source bytes. Ratios
// beyond 256:1 get finer weights and 64-bit sums, so any ratio stays area-correct.
#include "surface/resample.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

#include "surface/row_bands.h"

// The row kernels get an AVX2 version chosen when the program loads. Under
// ThreadSanitizer that choice would run before the sanitizer starts and crash, so
// its builds keep the default version only.
#if defined(__SANITIZE_THREAD__)
#define TESSALY_AVX2_CLONES
#else
#define TESSALY_AVX2_CLONES __attribute__((target_clones("avx2", "default")))
#endif

namespace tessaly {
namespace {

// Keys' cubic convolution parameter: −0.5 makes the kernel reproduce quadratics.
constexpr double kKeysA = -0.5;
// The kernel is zero from 2 onwards (in units of the source pixel spacing, widened by the scale).
constexpr double kKernelRadius = 2.0;
// Real rectangle edges computed from whole ones may miss the picture's edge by a
// rounding error; within this many pixels they count as on it.
constexpr double kEdgeSlack = 1e-6;
// Weight precision: 14 fraction bits is the most that keeps a weight of 1.0 inside int16,
// which the 32-bit sums of the vector passes rely on.
constexpr int kWeightBits = 14;
// Shrinking by more than this leaves the largest 14-bit weight below 64 and rounds the
// kernel's tails to nothing, drifting towards the nearest pixel. Such an axis gets one
// more fraction bit per doubling of the ratio, keeping its largest weight from 64 to 128,
// and is summed in 64 bits; at most kMaxExtraBits more, so the weights fit in int32.
constexpr double kFineWeightsScale = 256.0;
constexpr int kMaxExtraBits = 16;
// Fraction bits of the vertically filtered row: with 6, the horizontal sums (values up to
// about 1.3 × 255 · 2^6, weights summing in magnitude to about 1.3 · 2^14) stay in int32.
constexpr int kRowFractionBits = 6;
constexpr int kVerticalShift = kWeightBits - kRowFractionBits;
constexpr int kHorizontalShift = kWeightBits + kRowFractionBits;
// Destination rows per band between two polls: a few milliseconds of work on a photo.
constexpr int kBandRows = 64;
// Bytes filtered at a time by the vertical pass, so its accumulators stay in L1 cache;
// the remainder goes in short blocks of one 32-byte vector.
constexpr int kColumnChunk = 512;
constexpr int kColumnTail = 32;

double Keys(double t) {
  t = std::fabs(t);
  if (t < 1.0) return ((kKeysA + 2.0) * t - (kKeysA + 3.0)) * t * t + 1.0;
  if (t < kKernelRadius) return ((kKeysA * t - 5.0 * kKeysA) * t + 8.0 * kKeysA) * t - 4.0 * kKeysA;
  return 0.0;
}

// Filter taps of one axis: destination index i reads the `size` source indices from
// first[i], with weights weights[i·size + k] summing to 1 << bits. Source indices
// beyond the picture are folded onto the edge pixel, so every tap lies in the picture.
struct Taps {
  int size = 0;
  int bits = kWeightBits;
  std::vector<int> first;
  std::vector<std::int32_t> weights;
};

Taps BuildTaps(double origin, double length, int dst_length, int src_length) {
  const double scale = static_cast<double>(length) / dst_length;
  const double widen = std::max(1.0, scale);
  const double reach = kKernelRadius * widen;
  Taps taps;
  while (taps.bits < kWeightBits + kMaxExtraBits &&
         widen > kFineWeightsScale * static_cast<double>(1 << (taps.bits - kWeightBits))) {
    ++taps.bits;
  }
  const double one = static_cast<double>(std::int64_t{1} << taps.bits);

  // Kernel window of destination i: the source indices j with |j + 0.5 − u| < reach.
  auto window = [&](int i, double& u, int& lo, int& hi) {
    u = origin + (i + 0.5) * scale;
    lo = static_cast<int>(std::floor(u - reach - 0.5)) + 1;
    hi = static_cast<int>(std::ceil(u + reach - 0.5)) - 1;
  };

  for (int i = 0; i < dst_length; ++i) {
    double u = 0;
    int lo = 0, hi = 0;
    window(i, u, lo, hi);
    const int span = std::min(hi, src_length - 1) - std::max(lo, 0) + 1;
    taps.size = std::max(taps.size, span);
  }
  taps.first.resize(dst_length);
  taps.weights.resize(static_cast<std::size_t>(dst_length) * taps.size);

  std::vector<double> w(taps.size);
  for (int i = 0; i < dst_length; ++i) {
    double u = 0;
    int lo = 0, hi = 0;
    window(i, u, lo, hi);
    const int first = std::min(std::max(lo, 0), src_length - taps.size);
    std::fill(w.begin(), w.end(), 0.0);
    double sum = 0.0;
    for (int j = lo; j <= hi; ++j) {
      const double k = Keys((j + 0.5 - u) / widen);
      w[std::clamp(j, 0, src_length - 1) - first] += k;
      sum += k;
    }
    // Quantise, then give the rounding remainder to the largest weight so the sum is exact.
    std::int32_t* q = &taps.weights[static_cast<std::size_t>(i) * taps.size];
    std::int64_t total = 0;
    int largest = 0;
    for (int k = 0; k < taps.size; ++k) {
      q[k] = static_cast<std::int32_t>(std::lrint(w[k] / sum * one));
      total += q[k];
      if (q[k] > q[largest]) largest = k;
    }
    q[largest] = static_cast<std::int32_t>(q[largest] + ((std::int64_t{1} << taps.bits) - total));
    taps.first[i] = first;
  }
  return taps;
}

// Vertical pass over N bytes from column byte c0: out[c] = Σk weights[k]·rows[k][c],
// kept with kRowFractionBits fraction bits. N is a compile-time length so that the
// compiler vectorises these loops even at -O2, with no runtime length checks.
template <int N>
[[gnu::always_inline]] inline void FilterColumnBlock(const std::uint8_t* const* rows,
                                                     const std::int32_t* weights, int taps, int c0,
                                                     std::int32_t* out) {
  std::int32_t acc[N];
  for (int c = 0; c < N; ++c) acc[c] = 1 << (kVerticalShift - 1);
  for (int k = 0; k < taps; ++k) {
    const std::int32_t w = weights[k];
    const std::uint8_t* row = rows[k] + c0;
    for (int c = 0; c < N; ++c) acc[c] += w * row[c];
  }
  for (int c = 0; c < N; ++c) out[c0 + c] = acc[c] >> kVerticalShift;
}

// Vertical pass for one destination row over `count` bytes of the source rows.
TESSALY_AVX2_CLONES void FilterColumns(const std::uint8_t* const* rows, const std::int32_t* weights,
                                       int taps, int count, std::int32_t* out) {
  int c = 0;
  for (; c + kColumnChunk <= count; c += kColumnChunk)
    FilterColumnBlock<kColumnChunk>(rows, weights, taps, c, out);
  for (; c + kColumnTail <= count; c += kColumnTail)
    FilterColumnBlock<kColumnTail>(rows, weights, taps, c, out);
  for (; c < count; ++c) FilterColumnBlock<1>(rows, weights, taps, c, out);
}

// The vertical pass of an axis with finer weights: 64-bit sums, kept with
// kRowFractionBits fraction bits. `acc` holds `count` sums.
void FilterColumnsFine(const std::uint8_t* const* rows, const std::int32_t* weights, int taps,
                       int bits, int count, std::int64_t* acc, std::int32_t* out) {
  const int shift = bits - kRowFractionBits;
  std::fill_n(acc, count, std::int64_t{1} << (shift - 1));
  for (int k = 0; k < taps; ++k) {
    const std::int64_t w = weights[k];
    const std::uint8_t* row = rows[k];
    for (int c = 0; c < count; ++c) acc[c] += w * row[c];
  }
  for (int c = 0; c < count; ++c) out[c] = static_cast<std::int32_t>(acc[c] >> shift);
}

std::uint8_t ToByte(std::int32_t acc) {
  return static_cast<std::uint8_t>(std::clamp(acc >> kHorizontalShift, 0, 255));
}

// The horizontal pass of an axis with finer weights, in 64-bit sums.
void FilterRowFine(const std::int32_t* row, int column0, const Taps& taps, int width,
                   std::uint8_t* out) {
  const int shift = taps.bits + kRowFractionBits;
  for (int i = 0; i < width; ++i) {
    const std::int32_t* p = row + 3 * (taps.first[i] - column0);
    const std::int32_t* w = &taps.weights[static_cast<std::size_t>(i) * taps.size];
    std::int64_t acc[3] = {};
    for (int k = 0; k < taps.size; ++k, p += 3) {
      for (int ch = 0; ch < 3; ++ch) acc[ch] += static_cast<std::int64_t>(w[k]) * p[ch];
    }
    for (int ch = 0; ch < 3; ++ch) {
      const std::int64_t v = (acc[ch] + (std::int64_t{1} << (shift - 1))) >> shift;
      out[3 * i + ch] = static_cast<std::uint8_t>(std::clamp<std::int64_t>(v, 0, 255));
    }
  }
}

// One pixel's channels as vector lanes: blue, green, red and a spare lane that reads
// the next pixel's blue and is ignored (the filtered row has one value of slack).
using PixelLanes = std::int32_t __attribute__((vector_size(16)));

// Horizontal pass: each destination pixel of `out` from the filtered row, whose
// pixel 0 is source column `column0`.
TESSALY_AVX2_CLONES void FilterRow(const std::int32_t* row, int column0, const Taps& taps,
                                   int width, std::uint8_t* out) {
  constexpr std::int32_t kHalf = 1 << (kHorizontalShift - 1);
  for (int i = 0; i < width; ++i) {
    const std::int32_t* p = row + 3 * (taps.first[i] - column0);
    const std::int32_t* w = &taps.weights[static_cast<std::size_t>(i) * taps.size];
    PixelLanes acc = {kHalf, kHalf, kHalf, kHalf};
    for (int k = 0; k < taps.size; ++k, p += 3) {
      PixelLanes pixel;
      std::memcpy(&pixel, p, sizeof pixel);
      acc += w[k] * pixel;
    }
    out[3 * i] = ToByte(acc[0]);
    out[3 * i + 1] = ToByte(acc[1]);
    out[3 * i + 2] = ToByte(acc[2]);
  }
}

}  // namespace

bool ResampleBicubic(const SurfaceView& src, int x, int y, int width, int height,
                     const SurfaceView& dst, const RowPoll& poll) {
  if (width <= 0 || height <= 0) return false;
  if (x < 0 || y < 0 || x > src.width - width || y > src.height - height) return false;
  return ResampleBicubicSubpixel(src, x, y, width, height, dst, poll);
}

bool ResampleBicubicSubpixel(const SurfaceView& src, double x, double y, double width,
                             double height, const SurfaceView& dst, const RowPoll& poll) {
  if (src.empty() || dst.empty() || !(width > 0) || !(height > 0)) return false;
  if (!(x >= -kEdgeSlack) || !(y >= -kEdgeSlack) || !(x + width <= src.width + kEdgeSlack) ||
      !(y + height <= src.height + kEdgeSlack))
    return false;

  // Both axes in picture coordinates (row 0 at the top).
  const Taps across = BuildTaps(x, width, dst.width, src.width);
  const Taps down = BuildTaps(y, height, dst.height, src.height);
  const int column0 = across.first.front();
  const int columns = across.first.back() + across.size - column0;

  auto work = [&](int first_row, int end_row) {
    std::vector<std::int32_t> filtered(3 * static_cast<std::size_t>(columns) + 1);
    std::vector<std::int64_t> fine_sums(down.bits == kWeightBits ? 0 : filtered.size());
    std::vector<const std::uint8_t*> rows(down.size);
    for (int r = first_row; r < end_row; ++r) {
      const int i = dst.height - 1 - r;  // picture row of memory row r
      for (int k = 0; k < down.size; ++k)
        rows[k] = src.Row(src.height - 1 - (down.first[i] + k)) + 3 * column0;
      const std::int32_t* weights = &down.weights[static_cast<std::size_t>(i) * down.size];
      if (down.bits == kWeightBits) {
        FilterColumns(rows.data(), weights, down.size, 3 * columns, filtered.data());
      } else {
        FilterColumnsFine(rows.data(), weights, down.size, down.bits, 3 * columns, fine_sums.data(),
                          filtered.data());
      }
      if (across.bits == kWeightBits) {
        FilterRow(filtered.data(), column0, across, dst.width, dst.Row(r));
      } else {
        FilterRowFine(filtered.data(), column0, across, dst.width, dst.Row(r));
      }
    }
  };
  return RunRowBands(dst.height, kBandRows, work, poll);
}

}  // namespace tessaly
