#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer and
# runs every test. Installs the missing Debian packages first.
set -euo pipefail
cd "$(dirname "$0")"
./tools/install-deps.sh
./tools/check-format.sh
jobs=$(nproc)
cmake --preset test >/dev/null
cmake --build --preset test -j "$jobs"
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
ctest --preset test -j "$jobs"
