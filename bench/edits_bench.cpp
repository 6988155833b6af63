// Tone and colour edits at full resolution on the 6000 × 4000 synthetic photo,
// every value away from neutral (the saturation kernel, the costliest one), and
// with brightness/contrast/gamma only (the per-channel table kernel). The photo is
// restored from an unedited copy between iterations with the timer paused, so
// only ApplyEdits itself is timed. Also the quarter turn of the whole photo.
#include <benchmark/benchmark.h>

#include <cstring>

#include "surface/quarter_turn.h"
#include "surface/surface_buffer.h"
#include "synthetic_photo.h"

namespace tessaly::bench {
namespace {

void RunApplyEdits(benchmark::State& state, int bright, int contrast, double gamma, int red,
                   int green, int blue, int saturation) {
  cDIB photo = SyntheticSurface();
  cDIB original = SyntheticSurface();
  const std::size_t bytes = photo.View().ByteCount();
  for (auto _ : state) {
    photo.ApplyEdits(bright, contrast, gamma, red, green, blue, saturation);
    benchmark::ClobberMemory();
    state.PauseTiming();
    std::memcpy(photo.DIBitsPtr(), original.DIBitsPtr(), bytes);
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * kPhotoWidth * kPhotoHeight);
}

void BM_ApplyEditsAllValues(benchmark::State& state) {
  RunApplyEdits(state, 10, 15, 0.9, 5, -4, 3, 20);
}
void BM_ApplyEditsToneOnly(benchmark::State& state) {
  RunApplyEdits(state, 10, 15, 0.9, 0, 0, 0, 0);
}

// A quarter turn counter-clockwise of the whole photo into a buffer of its own, as
// the page renderer turns a photo to its cell.
void BM_QuarterTurn(benchmark::State& state) {
  cDIB photo = SyntheticSurface();
  SurfaceBuffer turned;
  turned.Allocate(kPhotoHeight, kPhotoWidth);
  for (auto _ : state) {
    QuarterTurn(photo.View(), turned.View(), -90);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * kPhotoWidth * kPhotoHeight);
}

BENCHMARK(BM_QuarterTurn)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ApplyEditsAllValues)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ApplyEditsToneOnly)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace tessaly::bench
