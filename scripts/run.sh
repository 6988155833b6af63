#!/usr/bin/env bash
# Sets up the machine, builds tessaly-batch and runs the demo: the command writes
# its synthetic sample photos (colour bars, gradients, a resolution wedge, a
# skin-tone and grey chart) and saves them through a job file — edits, a crop, a
# quarter turn, sharpening, 10 x 15 cm with a 4 mm margin, a frame and file-name
# labels — then says where the results are. The demo keeps its own settings and
# edit history inside the demo folder, so it never touches the user's.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build --target tessaly-batch

demo="${XDG_CACHE_HOME:-$HOME/.cache}/tessaly/demo"
rm -rf "$demo"
mkdir -p "$demo/saved"
batch=build/src/app/tessaly-batch
export XDG_CONFIG_HOME="$demo/config" XDG_DATA_HOME="$demo/data"

"$batch" charts "$demo/charts"
cp scripts/demo_job.json "$demo/job.json"
"$batch" save --to "$demo/saved" --sharpen --job "$demo/job.json"

echo
echo "Sample photos:  $demo/charts"
echo "Saved photos:   $demo/saved"
echo "Job file:       $demo/job.json"
