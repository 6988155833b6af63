#!/usr/bin/env bash
# Sets up the machine, builds Tessaly and starts it. The program has no front end
# yet: until it does, this runs a short smoke pass of the pixel-pipeline benchmarks
# on a synthetic 24-megapixel photo and says so.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build
echo "Tessaly has no window yet; running the pixel-pipeline benchmark smoke instead."
QT_QPA_PLATFORM=offscreen build/bench/tessaly_bench --benchmark_min_time=0.01 \
  --benchmark_filter='^BM_[A-Z]' "$@"
