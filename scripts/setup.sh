#!/usr/bin/env bash
# Installs every Debian package that building, testing and benchmarking Tessaly needs.
# Idempotent and non-interactive; runs as root or through sudo.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config clang libclang-rt-14-dev
  qt6-base-dev qt6-base-dev-tools qt6-image-formats-plugins
  # lupdate and lrelease for the translation template, and Qt's own translations.
  qt6-l10n-tools qt6-translations-l10n
  libturbojpeg0-dev libjpeg62-turbo-dev libjpeg-turbo-progs libpng-dev libdeflate-dev
  # HEIC/HEIF and AVIF (libheif, its decoders built in) and JPEG XL (libjxl); the
  # encoders' tools and exiftool make the tests' photos in these formats and WebP.
  libheif-dev libjxl-dev libheif-examples libavif-bin libjxl-tools libimage-exiftool-perl webp
  liblcms2-dev libcups2-dev
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  fonts-liberation2 fontconfig
  poppler-utils
  cups cups-client printer-driver-cups-pdf
  # The simulated driverless printers: ippeveprinter and ipptool, and the filters
  # (pdftopdf, gstoraster with Ghostscript) that turn a job into their raster.
  # ippeveprinter also needs the system D-Bus (dbus, below) but no Avahi daemon.
  cups-ipp-utils cups-filters ghostscript
  icc-profiles-free time
  libvips-tools imagemagick
  clang-format
  xvfb xauth x11-utils xdotool libxcb-cursor0 dbus at-spi2-core python3-pyatspi
)

if [ "$(id -u)" -eq 0 ]; then
  sudo=()
else
  sudo=(sudo)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ "${#missing[@]}" -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  "${sudo[@]}" apt-get update -q
  "${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
