// Adding a 12-megapixel HEIC photo: its screen copy (700 × 525) made as adding a
// photo makes it (ScaledCopyFromFile: header check, whole decode through libheif,
// bicubic reduction), beside libheif's own heif-convert decoding the same file to a
// .y4m (raw planes written as decoded: the cheapest output it has, so its time is
// nearly all decode). The HEIC is the benchmark photo's top-left 4000 × 3000,
// encoded once per run by heif-enc at quality 85. The whole decode is timed on its
// own as well.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <QDir>
#include <QFile>
#include <cstdlib>
#include <string>

#include "surface/image_file_reader.h"
#include "synthetic_photo.h"

namespace tessaly::bench {
namespace {

constexpr char kHeifConvert[] = "/usr/bin/heif-convert";
constexpr int kScreenWidth = 700;
constexpr int kScreenHeight = 525;

void BM_HeifAddScreenCopy(benchmark::State& state) {
  if (HeicPhotoPath().empty()) {
    state.SkipWithError("the HEIC photo could not be made (heif-enc, convert)");
    return;
  }
  TimeScreenCopy(state, HeicPhotoPath(), kScreenWidth, kScreenHeight);
}

// The whole decode alone, as printing and saving read a photo.
void BM_HeifDecode(benchmark::State& state) {
  if (HeicPhotoPath().empty()) {
    state.SkipWithError("the HEIC photo could not be made (heif-enc, convert)");
    return;
  }
  const QString path = QString::fromStdString(HeicPhotoPath());
  for (auto _ : state) {
    SurfaceBuffer pixels;
    if (!ReadImageFile(path, pixels)) {
      state.SkipWithError("decode failed");
      break;
    }
    benchmark::DoNotOptimize(pixels.View().bits);
  }
}

void BM_PeerHeifConvertY4m(benchmark::State& state) {
  if (access(kHeifConvert, X_OK) != 0 || HeicPhotoPath().empty()) {
    state.SkipWithError("heif-convert or the HEIC photo is missing (see scripts/setup.sh)");
    return;
  }
  const QString out = QDir::temp().filePath("tessaly-bench-heif-convert.y4m");
  const std::string command = std::string(kHeifConvert) + " '" + HeicPhotoPath() + "' '" +
                              out.toStdString() + "' > /dev/null";
  for (auto _ : state) {
    if (std::system(command.c_str()) != 0) {
      state.SkipWithError("heif-convert failed");
      break;
    }
  }
  QFile::remove(out);
}

}  // namespace

BENCHMARK(BM_HeifAddScreenCopy)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_HeifDecode)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PeerHeifConvertY4m)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace tessaly::bench
