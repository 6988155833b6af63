#!/usr/bin/env bash
# Sets up the machine, builds Tessaly and runs the demo. The batch command writes
# its synthetic sample photos (colour bars, gradients, a resolution wedge, a
# skin-tone and grey chart). With a display, the window opens with those photos in
# its job; without one, the batch command saves them through a job file instead —
# edits, a crop, a quarter turn, sharpening, 10 x 15 cm with a 4 mm margin, a frame
# and file-name labels — and says where the results are. The demo keeps its own
# settings and edit history inside the demo folder, so it never touches the user's.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build --target tessaly-batch tessaly

demo="${XDG_CACHE_HOME:-$HOME/.cache}/tessaly/demo"
rm -rf "$demo"
mkdir -p "$demo/saved"
batch=build/src/app/tessaly-batch
export XDG_CONFIG_HOME="$demo/config" XDG_DATA_HOME="$demo/data"

mapfile -t charts < <("$batch" charts "$demo/charts")

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  echo "Opening Tessaly with the sample photos in $demo/charts"
  exec build/src/app/tessaly/tessaly "${charts[@]}"
fi

echo "No display found (neither DISPLAY nor WAYLAND_DISPLAY is set): running the batch demo instead of the window."
cp scripts/demo_job.json "$demo/job.json"
"$batch" save --to "$demo/saved" --sharpen --job "$demo/job.json"

echo
echo "Sample photos:  $demo/charts"
echo "Saved photos:   $demo/saved"
echo "Job file:       $demo/job.json"
