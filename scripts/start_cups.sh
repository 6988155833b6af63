#!/usr/bin/env bash
# Starts the CUPS scheduler when it is not running and adds the print queue "PDF"
# (cups-pdf: every job becomes a PDF file in ~/PDF of the job's user) when it is
# missing. The real-printing tests print through that queue. Safe to run again:
# a running scheduler and an existing queue are left as they are.
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
