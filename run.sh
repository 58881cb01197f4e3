#!/usr/bin/env bash
# Builds the release program and starts it. Installs the missing Debian
# packages first.
set -euo pipefail
cd "$(dirname "$0")"
./tools/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release -j "$(nproc)" --target dorneval
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "No display found: start Dorneval under a virtual display with: xvfb-run -a ./run.sh"
  exit 1
fi
exec ./build/release/dorneval
