// Peer measurements in the same run: libjpeg-turbo's own djpeg decoding the same
// synthetic photo, at full size and at the screen-copy scale.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "synthetic_photo.h"

namespace tessaly::bench {
namespace {

void RunDjpeg(benchmark::State& state, const std::string& options) {
  const std::string command =
      "djpeg " + options + " -outfile /dev/null '" + SyntheticJpegPath() + "'";
  for (auto _ : state) {
    if (std::system(command.c_str()) != 0) {
      state.SkipWithError("djpeg failed (is libjpeg-turbo-progs installed?)");
      break;
    }
  }
}

void BM_PeerDjpegDecode(benchmark::State& state) {
  RunDjpeg(state, "");
}
void BM_PeerDjpegScale8(benchmark::State& state) {
  RunDjpeg(state, "-scale 1/8");
}

BENCHMARK(BM_PeerDjpegDecode)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PeerDjpegScale8)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace tessaly::bench
