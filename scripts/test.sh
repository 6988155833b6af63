#!/usr/bin/env bash
# Sets up the machine, builds Tessaly and runs every test with ctest.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build
cd build
ctest --output-on-failure -j"$(nproc)"
