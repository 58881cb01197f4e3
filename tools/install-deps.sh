#!/usr/bin/env bash
# Installs the Debian packages that the build, the tests and the program need,
# only when some are missing. Must run as root on Debian 12.
set -euo pipefail
packages=(
  build-essential cmake pkg-config clang-format
  # the fuzz target: clang with its libFuzzer and sanitizer runtimes
  clang libclang-rt-14-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  # libqt6printsupport6 holds Qt's CUPS print plugin: printers of the system
  qt6-base-dev libqt6svg6 qt6-qpa-plugins libqt6printsupport6
  libgl-dev libjpeg62-turbo-dev libpng-dev
  qt6-translations-l10n libreoffice-calc-nogui
  fonts-liberation fonts-dejavu-core
  # the manual (cairo, Pango) and its reading in the tests (poppler; qpdf,
  # the strict reader of its structure)
  libcairo2-dev libpango1.0-dev libpoppler-glib-dev qpdf
  # the print queue test's private scheduler, queues and PDF driver
  cups
  # the desktop entry's validator
  desktop-file-utils
  xvfb xauth xdg-utils
  # the desktop benchmark's timing to the screen (the X server's damage)
  libxcb-damage0-dev
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  if [ "$(id -u)" -ne 0 ]; then
    echo "These Debian packages are missing and installing them needs root: ${missing[*]}" >&2
    exit 1
  fi
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q
  apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
