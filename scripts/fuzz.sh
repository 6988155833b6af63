#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for the given number of
# seconds (default 30), starting from its seed corpus in fuzz/corpus/<name>/.
# Findings are written to build-fuzz/findings/<name>/; a crash stops the run with
# a non-zero exit.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-30}"
CXX=clang++ CC=clang cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTESSALY_FUZZ=ON
cmake --build build-fuzz
targets=$(sed -n 's/^tessaly_fuzzer(\([a-z_]*\))$/\1/p' fuzz/CMakeLists.txt)
for t in $targets; do
  corpus="build-fuzz/corpus/$t"
  findings="build-fuzz/findings/$t"
  mkdir -p "$corpus" "$findings"
  [ -d "fuzz/corpus/$t" ] && cp -r "fuzz/corpus/$t/." "$corpus/"
  echo "== fuzzing $t for ${seconds}s"
  "build-fuzz/fuzz/$t" -max_total_time="$seconds" -artifact_prefix="$findings/" \
    -print_final_stats=1 "$corpus" 2>&1 | grep -E '^(#[0-9]+.*DONE|stat::number_of_executed_units|==[0-9]+==ERROR|SUMMARY)' || true
  if ls "$findings"/crash-* "$findings"/leak-* "$findings"/timeout-* >/dev/null 2>&1; then
    echo "fuzzer $t found a failing input in $findings" >&2
    exit 1
  fi
done
