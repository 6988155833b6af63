#!/usr/bin/env bash
# Starts the real window program on a virtual X server with scratch home and XDG
# folders and waits for its main window; starts it a second time and checks that
# the second start only shows its refusal (answered with xdotool when installed,
# after which it ends with exit code 1); then asks the first to end as a session
# logout does (SIGTERM) and checks that it closed cleanly: exit code 0, the last
# photo folder written to its settings file and its single-instance lock released.
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

  # A second start shows its refusal in a box of its own and does not open a
  # second main window.
  "$exe" &
  local second=$! boxes=0
  for _ in $(seq 1 300); do
    boxes=$(xwininfo -root -tree | grep -c '"Tessaly": ("tessaly"' || true)
    [ "$boxes" -ge 2 ] && break
    kill -0 "$second" 2>/dev/null || break
    sleep 0.1
  done
  local mains
  mains=$(xwininfo -root -tree | grep -c '"Tessaly": ("tessaly".*800x600' || true)
  if [ "$boxes" -lt 2 ] || [ "$mains" -ne 1 ]; then
    echo "FAIL: the second start showed no refusal"
    kill -KILL "$second" "$pid" 2>/dev/null || true
    return 1
  fi
  # Answering the box ends the second start with exit code 1 (needs xdotool).
  if command -v xdotool >/dev/null; then
    local box
    box=$(xwininfo -root -tree | grep '"Tessaly": ("tessaly"' | grep -v ' 800x600+' | awk '{print $1}' | head -1)
    xdotool windowfocus --sync "$box" key Return
    for _ in $(seq 1 300); do
      kill -0 "$second" 2>/dev/null || break
      sleep 0.1
    done
    if kill -0 "$second" 2>/dev/null; then
      echo "FAIL: the refused second start is still running"
      kill -KILL "$second" "$pid" 2>/dev/null || true
      return 1
    fi
    local refused=0
    wait "$second" || refused=$?
    if [ "$refused" -ne 1 ]; then
      echo "FAIL: the refused second start ended with exit code $refused"
      kill -KILL "$second" "$pid" 2>/dev/null || true
      return 1
    fi
    mains=$(xwininfo -root -tree | grep -c '"Tessaly": ("tessaly".*800x600' || true)
    [ "$mains" -eq 1 ] || { echo "FAIL: a second main window opened"; return 1; }
  else
    echo "note: xdotool is not installed; the refusal box is not answered"
    kill -KILL "$second"
    wait "$second" 2>/dev/null || true
  fi
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
