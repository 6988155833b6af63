// The resampler on the benchmark photo: the whole 6000 × 4000 picture shrunk to
// 1772 × 1181 (a 15 × 10 cm print at 300 dpi), as the print path does.
#include <benchmark/benchmark.h>

#include "surface/resample.h"
#include "synthetic_photo.h"

namespace tessaly::bench {
namespace {

void BM_ResamplePhotoToPrintSize(benchmark::State& state) {
  static cDIB photo = SyntheticSurface();
  cDIB print;
  if (!photo.IsCreated() || !print.Create(1772, 1181)) {
    state.SkipWithError("could not make the surfaces");
    return;
  }
  for (auto _ : state) {
    if (!ResampleBicubic(photo.View(), 0, 0, kPhotoWidth, kPhotoHeight, print.View())) {
      state.SkipWithError("resampling failed");
      break;
    }
    benchmark::DoNotOptimize(print.DIBitsPtr());
  }
}

BENCHMARK(BM_ResamplePhotoToPrintSize)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace tessaly::bench
