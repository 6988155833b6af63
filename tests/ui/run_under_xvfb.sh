#!/usr/bin/env bash
# Starts the real window program on a virtual X server with scratch home and XDG
# folders, waits for its main window, asks it to end as a session logout does
# (SIGTERM) and checks that it closed cleanly: exit code 0, the last photo folder
# written to its settings file and its single-instance lock released.
# Usage: run_under_xvfb.sh PATH/TO/tessaly   (exit 77: skipped, no Xvfb)
set -euo pipefail

# Runs inside the virtual server's session (the script calls itself there).
inner() {
  "$exe" &
  local pid=$! shown=0
  for _ in $(seq 1 300); do
    if xwininfo -root -tree | grep -q '"Tessaly": ("tessaly"'; then
      shown=1
      break
    fi
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  if [ "$shown" -ne 1 ]; then
    echo "FAIL: the main window \"Tessaly\" did not appear"
    kill -KILL "$pid" 2>/dev/null || true
    return 1
  fi
  [ -e "$XDG_RUNTIME_DIR/tessaly.lock" ] || { echo "FAIL: no instance lock while running"; return 1; }
  kill -TERM "$pid"
  local status=0
  wait "$pid" || status=$?
  [ "$status" -eq 0 ] || { echo "FAIL: tessaly ended with exit code $status"; return 1; }
  echo "main window shown and closed"
}

if [ "${1:-}" = "--inner" ]; then
  exe=$2
  inner
  exit
fi

exe=$1
if ! command -v xvfb-run >/dev/null || ! command -v xwininfo >/dev/null; then
  echo "skipped: xvfb-run or xwininfo is not installed (packages xvfb, x11-utils)"
  exit 77
fi

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -m 700 "$scratch/run"
export HOME="$scratch/home" XDG_CONFIG_HOME="$scratch/config" XDG_CACHE_HOME="$scratch/cache"
export XDG_DATA_HOME="$scratch/data" XDG_RUNTIME_DIR="$scratch/run" QT_QPA_PLATFORM=xcb
mkdir -p "$HOME"

xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" --inner "$exe"

grep -qi '^InitPath=' "$XDG_CONFIG_HOME/tessaly/Tesly.ini" ||
  { echo "FAIL: InitPath was not written on close"; exit 1; }
[ ! -e "$XDG_RUNTIME_DIR/tessaly.lock" ] || { echo "FAIL: the instance lock was left behind"; exit 1; }
echo "PASS"
