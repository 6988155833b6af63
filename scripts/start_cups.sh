#!/usr/bin/env bash
# Starts the CUPS scheduler when it is not running and adds the print queue "PDF"
# (cups-pdf: every job becomes a PDF file in ~/PDF of the job's user) when it is
# missing. Then starts two simulated driverless printers (ippeveprinter, described by
# tests/print_cups/photo_printer.conf) that keep every file they receive: "Tessaly
# Photo" on port 8501 prints every job, "Tessaly Jam" on port 8502 aborts every job
# (tests/print_cups/jam_printer.sh); and adds their queues Photo_4x6, Photo_Letter
# (Letter by default) and Photo_Jam.
# The real-printing tests print through these queues. Safe to run again: a running
# scheduler, bus or printer and an existing queue are left as they are.
set -euo pipefail

if [ "$(id -u)" -eq 0 ]; then
  sudo=()
else
  sudo=(sudo)
fi

# How long to wait for a freshly started scheduler to answer, in seconds.
wait_seconds=30

scheduler_running() {
  lpstat -r 2>/dev/null | grep -q 'scheduler is running'
}

if ! scheduler_running; then
  if ! pgrep -x cupsd >/dev/null; then
    "${sudo[@]}" cupsd
  fi
  for ((i = 0; i < wait_seconds * 2; i++)); do
    scheduler_running && break
    sleep 0.5
  done
  if ! scheduler_running; then
    echo "start_cups.sh: the CUPS scheduler did not start" >&2
    exit 1
  fi
fi

if ! lpstat -p PDF >/dev/null 2>&1; then
  ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
  if [ ! -f "$ppd" ]; then
    ppd=$(dpkg -L printer-driver-cups-pdf | grep -m1 'CUPS-PDF_opt\.ppd$' || true)
  fi
  if [ -z "$ppd" ] || [ ! -f "$ppd" ]; then
    echo "start_cups.sh: the cups-pdf PPD is not installed (printer-driver-cups-pdf)" >&2
    exit 1
  fi
  "${sudo[@]}" lpadmin -p PDF -v cups-pdf:/ -E -P "$ppd"
fi

lpstat -p PDF

# The simulated printers. ippeveprinter opens an Avahi client even with DNS-SD
# advertising off, and that client needs the system D-Bus (not the Avahi daemon).
ipp_root=/var/tmp/tessaly-ipp
printer_files=$(cd "$(dirname "$0")/.." && pwd)/tests/print_cups
attributes=$printer_files/photo_printer.conf

if ! dbus-send --system --dest=org.freedesktop.DBus --type=method_call --print-reply \
  /org/freedesktop/DBus org.freedesktop.DBus.GetId >/dev/null 2>&1; then
  "${sudo[@]}" mkdir -p /run/dbus
  "${sudo[@]}" rm -f /run/dbus/pid
  "${sudo[@]}" dbus-daemon --system --fork
fi

printer_answers() {
  ipptool -q "ipp://localhost:$1/ipp/print" get-printer-attributes.test >/dev/null 2>&1
}

# start_printer NAME PORT SPOOL [COMMAND]: starts ippeveprinter in its own session
# (it outlives this script) unless the port already answers, and waits for it.
start_printer() {
  local name=$1 port=$2 spool=$3 command=()
  if [ -n "${4:-}" ]; then
    command=(-c "$4")
  fi
  printer_answers "$port" && return 0
  mkdir -p "$spool"
  setsid nohup ippeveprinter -r off -k -p "$port" -d "$spool" -a "$attributes" \
    "${command[@]}" "$name" >"$spool.log" 2>&1 </dev/null &
  for ((i = 0; i < wait_seconds * 2; i++)); do
    printer_answers "$port" && return 0
    sleep 0.5
  done
  echo "start_cups.sh: the printer \"$name\" did not start (see $spool.log)" >&2
  exit 1
}

start_printer "Tessaly Photo" 8501 "$ipp_root/photo"
start_printer "Tessaly Jam" 8502 "$ipp_root/jam" "$printer_files/jam_printer.sh"

# add_queue QUEUE PORT [OPTION]: a driverless queue on the printer at PORT, made
# when missing; enabled and accepting jobs either way. Never the default printer.
add_queue() {
  local queue=$1 port=$2
  if ! lpstat -p "$queue" >/dev/null 2>&1; then
    "${sudo[@]}" lpadmin -p "$queue" -v "ipp://localhost:$port/ipp/print" -m everywhere -E
    if [ -n "${3:-}" ]; then
      "${sudo[@]}" lpadmin -p "$queue" -o "$3"
    fi
  fi
  "${sudo[@]}" cupsenable "$queue"
  "${sudo[@]}" cupsaccept "$queue"
  for ((i = 0; i < wait_seconds * 2; i++)); do
    lpstat -a "$queue" 2>/dev/null | grep -q 'accepting requests' && break
    sleep 0.5
  done
  lpstat -a "$queue"
}

add_queue Photo_4x6 8501
add_queue Photo_Letter 8501 media-default=na_letter_8.5x11in
add_queue Photo_Jam 8502
