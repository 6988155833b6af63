// Unsharp mask on the 6000 × 4000 synthetic photo: the full-resolution path of
// cDIB::UnsharpMask for each radius code at amount 100, and the screen path for
// comparison. The pristine pixels are copied back before every iteration with the
// timer paused, so each run sharpens the same photo.
#include <benchmark/benchmark.h>

#include <cstring>

#include "edits/unsharp_mask.h"
#include "synthetic_photo.h"

namespace tessaly::bench {
namespace {

constexpr int kAmount = 100;

void RestorePixels(cDIB& dib, const cDIB& pristine) {
  std::memcpy(dib.DIBitsPtr(), pristine.DIBitsPtr(), dib.View().ByteCount());
}

// Times one sharpening of the photo; the pristine pixels are copied back with
// the timer paused.
template <typename Sharpen>
void TimeSharpening(benchmark::State& state, Sharpen sharpen) {
  const int radius_code = static_cast<int>(state.range(0));
  const cDIB pristine = SyntheticSurface();
  cDIB dib = SyntheticSurface();
  for (auto _ : state) {
    state.PauseTiming();
    RestorePixels(dib, pristine);
    state.ResumeTiming();
    sharpen(dib, radius_code);
  }
}

void BM_UnsharpMaskFull(benchmark::State& state) {
  TimeSharpening(state, [](cDIB& dib, int radius) { dib.UnsharpMask(radius, kAmount); });
}

void BM_UnsharpMaskScreen(benchmark::State& state) {
  TimeSharpening(state,
                 [](cDIB& dib, int radius) { UnsharpMaskScreen(dib.View(), radius, kAmount); });
}

BENCHMARK(BM_UnsharpMaskFull)
    ->Arg(15)
    ->Arg(10)
    ->Arg(20)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_UnsharpMaskScreen)->Arg(15)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace tessaly::bench
