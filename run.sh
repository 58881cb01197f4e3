#!/usr/bin/env bash
# Builds the release program, installs it into a folder of its own outside
# the build tree and starts it from there. That folder is also the data
# folder: ~/Dorneval, or the folder named by DORNEVAL_HOME (a relative name
# counts from where run.sh is called). The installation places the password
# store only when there is none, refreshes the manual and the icon, and
# writes the desktop entry that puts Dorneval in the desktop's menu, started
# in that folder; it never touches a data file, so rebuilding or deleting
# build/ keeps the data. Installs the missing Debian packages first. JOBS (or
# CMAKE_BUILD_PARALLEL_LEVEL) sets the build jobs; all processors by default.
set -euo pipefail
home="$(realpath -m -s -- "${DORNEVAL_HOME:-$HOME/Dorneval}")"
cd "$(dirname "$0")"
./tools/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release -j "${JOBS:-${CMAKE_BUILD_PARALLEL_LEVEL:-$(nproc)}}" --target dorneval dorneval_install
./build/release/dorneval_install "$home"
# The program replaces its old copy (install unlinks it first, so a copy
# still running elsewhere keeps its own).
install -m 755 build/release/dorneval "$home/dorneval"
echo "Dorneval installed in $home (its data folder)"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "No display found: start Dorneval under a virtual display with: xvfb-run -a ./run.sh"
  exit 1
fi
cd "$home"
exec ./dorneval
