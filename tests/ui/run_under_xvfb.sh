#!/usr/bin/env bash
# Starts the real window program on a virtual X server, with scratch home and XDG
# folders and two photo files on its command line, and checks through the
# accessibility bus and a screenshot that the main window shows them (window_check.py).
# Then starts it a second time and checks that the second start only shows its
# refusal (answered with xdotool), after which it ends with exit code 1; then asks
# the first to end as a session logout does (SIGTERM) and checks that it closed
# cleanly: exit code 0, the last photo folder written to its settings file and its
# single-instance lock released. Last, the program is told to end (SIGTERM, SIGHUP,
# SIGINT) while its start-up question and its job settings wait for an answer and
# while it adds photos named in Latin-1, and started against a print server that
# never answers.
# Usage: run_under_xvfb.sh PATH/TO/tessaly   (exit 77: skipped, no Xvfb)
set -euo pipefail

# Windows of the program (the refusal box included), one line each.
program_windows() {
  xwininfo -root -tree | grep '"Tessaly": ("tessaly"' || true
}

fail() {
  echo "FAIL: $*"
  kill -KILL "${second:-}" "${first:-}" 2>/dev/null || true
  exit 1
}

# Runs inside the virtual server's session bus (the script calls itself there).
inner() {
  export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
  /usr/libexec/at-spi-bus-launcher --launch-immediately &
  convert -size 600x400 gradient:yellow-blue "$scratch/photos/a.jpg"
  convert -size 300x450 'xc:rgb(200,40,40)' -quality 95 "$scratch/photos/b.jpg"

  "$exe" "$scratch/photos/a.jpg" "$scratch/photos/b.jpg" &
  first=$!
  /usr/bin/python3 "$here/window_check.py" 2 b.jpg 200,40,40 "$scratch/shot.png" ||
    fail "the main window does not show the two photos"
  # A larger window: the photo view fills it and the photo is drawn at that size.
  local main_window
  main_window=$(xdotool search --onlyvisible --pid "$first" --name '^Tessaly$' | head -1)
  [ -n "$main_window" ] || fail "no main window to resize"
  xdotool windowsize "$main_window" 1260 1000
  /usr/bin/python3 "$here/window_check.py" 2 b.jpg 200,40,40 "$scratch/shot-large.png" 700 ||
    fail "the photo view does not grow with the window"
  [ -e "$XDG_RUNTIME_DIR/tessaly.lock" ] || fail "no instance lock while running"

  # A second start shows its refusal in a box of its own and opens no main window.
  local before after box
  before=$(program_windows)
  "$exe" &
  second=$!
  for _ in $(seq 1 300); do
    after=$(program_windows)
    [ "$(echo "$after" | wc -l)" -gt "$(echo "$before" | wc -l)" ] && break
    kill -0 "$second" 2>/dev/null || break
    sleep 0.1
  done
  box=$(comm -13 <(echo "$before" | sort) <(echo "$after" | sort) | awk '{print $1}' | head -1)
  [ -n "$box" ] || fail "the second start showed no refusal"
  xdotool windowfocus --sync "$box" key Return
  for _ in $(seq 1 300); do
    kill -0 "$second" 2>/dev/null || break
    sleep 0.1
  done
  kill -0 "$second" 2>/dev/null && fail "the refused second start is still running"
  local refused=0
  wait "$second" || refused=$?
  [ "$refused" -eq 1 ] || fail "the refused second start ended with exit code $refused"
  [ "$(program_windows)" = "$before" ] || fail "the second start left a window open"

  kill -TERM "$first"
  local status=0
  wait "$first" || status=$?
  [ "$status" -eq 0 ] || fail "tessaly ended with exit code $status"
  echo "main window shown with its photos and closed"

  # Told to end while a start-up question or dialog waits for its answer, the program
  # ends at once and cleanly, and the next start is not refused.
  local kept
  kept=$(sha1sum "$XDG_DATA_HOME/tessaly/last_job.json")
  end_while_shown "Tessaly" 2 TERM "the last-job question"
  [ "$(sha1sum "$XDG_DATA_HOME/tessaly/last_job.json")" = "$kept" ] ||
    fail "the last job changed when the program was told to end at its question"
  mv "$XDG_DATA_HOME/tessaly/last_job.json" "$scratch/last_job.json"
  end_while_shown "Tessaly - Settings" 1 HUP "the job settings"
  end_while_shown "Tessaly - Settings" 1 INT "the job settings"
  mv "$scratch/last_job.json" "$XDG_DATA_HOME/tessaly/last_job.json"

  # Told to end while it adds the photos it was given, the program stops adding,
  # keeps those added so far as the last job and ends cleanly. The names are not
  # UTF-8 (Latin-1): each photo is opened by its own bytes.
  convert -size 4000x3000 gradient:red-blue -quality 90 "$scratch/photos/big.jpg"
  local names=() name i pid count
  for i in $(seq 1 400); do
    name="$scratch/photos/$(printf 'caf\351 %03d.jpg' "$i")"
    ln "$scratch/photos/big.jpg" "$name"
    names+=("$name")
  done
  "$exe" "${names[@]}" &
  pid=$!
  for _ in $(seq 1 100); do
    xdotool search --onlyvisible --pid "$pid" --name '^Tessaly$' >/dev/null 2>&1 && break
    sleep 0.1
  done
  sleep 1
  end_cleanly "$pid" TERM "while adding"
  count=$(grep -o 'caf\\udce9 ' "$XDG_DATA_HOME/tessaly/last_job.json" | wc -l)
  [ "$count" -gt 0 ] && [ "$count" -lt 400 ] ||
    fail "SIGTERM while adding kept $count of the 400 photos as the last job"
  echo "ended cleanly on SIGTERM while adding photos ($count of 400 kept)"

  # A print server that takes connections and never answers does not hold up the
  # window: it shows within 2 seconds, with the photo it was given.
  local port silent
  port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
  python3 -c "import socket, time; s=socket.socket(); s.bind(('127.0.0.1', $port)); s.listen(64); time.sleep(120)" &
  silent=$!
  sleep 0.5
  CUPS_SERVER="127.0.0.1:$port" "$exe" "$scratch/photos/b.jpg" &
  local pid=$! shown=
  for _ in $(seq 1 20); do
    if xdotool search --onlyvisible --pid "$pid" --name '^Tessaly$' >/dev/null 2>&1; then
      shown=1
      break
    fi
    sleep 0.1
  done
  kill -TERM "$pid"
  wait "$pid" || true
  kill "$silent"
  [ -n "$shown" ] || fail "no window within 2 s while the print server is silent"
  echo "window shown while the print server is silent"
}

# Starts the program without files, waits for $2 windows titled $1 (the main window
# and a box share the program's caption), sends signal $3 and checks that the
# program ended within 5 seconds with exit code 0 and without its lock; $4 names the
# window in messages.
end_while_shown() {
  local title=$1 count=$2 signal=$3 what=$4 pid found=
  "$exe" &
  pid=$!
  for _ in $(seq 1 300); do
    if [ "$(xdotool search --onlyvisible --pid "$pid" --name "^$title\$" 2>/dev/null | wc -l)" -ge "$count" ]; then
      found=1
      break
    fi
    sleep 0.1
  done
  [ -n "$found" ] || { kill -KILL "$pid"; fail "no window '$title' at start"; }
  end_cleanly "$pid" "$signal" "at $what"
  echo "ended cleanly on SIG$signal at $what"
}

# Sends signal $2 to the program $1 and checks that it ended within 5 seconds with
# exit code 0 and without its lock; $3 says when, in messages.
end_cleanly() {
  local pid=$1 signal=$2 when=$3 status=0
  kill "-$signal" "$pid"
  for _ in $(seq 1 50); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  kill -0 "$pid" 2>/dev/null && { kill -KILL "$pid"; fail "still running 5 s after SIG$signal $when"; }
  wait "$pid" || status=$?
  [ "$status" -eq 0 ] || fail "SIG$signal $when: exit code $status"
  [ ! -e "$XDG_RUNTIME_DIR/tessaly.lock" ] || fail "SIG$signal $when left the instance lock"
}

here=$(cd "$(dirname "$0")" && pwd)
if [ "${1:-}" = "--inner" ]; then
  exe=$2
  scratch=$3
  inner
  exit
fi

exe=$1
if ! command -v xvfb-run >/dev/null; then
  echo "skipped: xvfb-run is not installed (package xvfb)"
  exit 77
fi

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -m 700 "$scratch/run"
mkdir -p "$scratch/photos"
export HOME="$scratch/home" XDG_CONFIG_HOME="$scratch/config" XDG_CACHE_HOME="$scratch/cache"
export XDG_DATA_HOME="$scratch/data" XDG_RUNTIME_DIR="$scratch/run" QT_QPA_PLATFORM=xcb
mkdir -p "$HOME"

xvfb-run -a -s "-screen 0 1280x1024x24" dbus-run-session -- bash "$0" --inner "$exe" "$scratch"

grep -qi '^InitPath=' "$XDG_CONFIG_HOME/tessaly/Tesly.ini" ||
  { echo "FAIL: InitPath was not written on close"; exit 1; }
grep -q '"photos"' "$XDG_DATA_HOME/tessaly/last_job.json" ||
  { echo "FAIL: the job was not kept on close"; exit 1; }
[ ! -e "$XDG_RUNTIME_DIR/tessaly.lock" ] || { echo "FAIL: the instance lock was left behind"; exit 1; }
echo "PASS"
