// The codec bridge on the benchmark photo (6000 × 4000, JPEG quality 92): full
// decode, the 700 × 467 screen copy through DCT scaling, a crop at its own size,
// and saving the whole photo as JPEG at quality 90. peer_bench.cpp times djpeg on
// the same file for comparison.
#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>

#include "surface/cgdiimage.h"
#include "surface/image_file_reader.h"
#include "synthetic_photo.h"

namespace tessaly::bench {
namespace {

constexpr int kScreenWidth = 700;
constexpr int kScreenHeight = 467;

void BM_CodecDecodeJpeg(benchmark::State& state) {
  const QString path = QString::fromStdString(SyntheticJpegPath());
  for (auto _ : state) {
    cGDIImage image;
    if (!image.CreateFromFile(path)) {
      state.SkipWithError("decode failed");
      break;
    }
    benchmark::DoNotOptimize(image.Pixels().bits);
  }
}

void BM_CodecScreenCopy(benchmark::State& state) {
  TimeScreenCopy(state, SyntheticJpegPath(), kScreenWidth, kScreenHeight);
}

void BM_CodecToDibCrop(benchmark::State& state) {
  cGDIImage image;
  if (!image.CreateFromFile(QString::fromStdString(SyntheticJpegPath()))) {
    state.SkipWithError("decode failed");
    return;
  }
  for (auto _ : state) {
    cDIB crop = image.ToDib(false, true, 0, 0, 500, 400, 5499, 3599, 7);
    if (!crop.IsCreated()) {
      state.SkipWithError("crop failed");
      break;
    }
    benchmark::DoNotOptimize(crop.DIBitsPtr());
  }
}

void BM_CodecSaveJpeg90(benchmark::State& state) {
  cDIB photo = SyntheticSurface();
  cGDIImage image;
  if (!image.CreateFromDIB(photo)) {
    state.SkipWithError("no photo");
    return;
  }
  const QString path = QDir::temp().filePath("tessaly-bench-save-q90.jpg");
  for (auto _ : state) {
    if (!image.Save(path, 1, 90)) {
      state.SkipWithError("save failed");
      break;
    }
  }
  QFile::remove(path);
}

BENCHMARK(BM_CodecDecodeJpeg)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CodecScreenCopy)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CodecToDibCrop)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CodecSaveJpeg90)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace tessaly::bench
