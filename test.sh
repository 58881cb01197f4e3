#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer and
# warnings as errors, builds the picture loader's fuzz target and runs it on a
# fixed number of inputs, then runs every test. Installs the missing Debian
# packages first. JOBS (or CMAKE_BUILD_PARALLEL_LEVEL) sets the build and test
# jobs; all processors by default.
set -euo pipefail
cd "$(dirname "$0")"
./tools/install-deps.sh
./tools/check-format.sh
jobs=${JOBS:-${CMAKE_BUILD_PARALLEL_LEVEL:-$(nproc)}}
cmake --preset test >/dev/null
cmake --build --preset test -j "$jobs"
# The fuzz target builds against the code as it is now and survives a few
# thousand inputs grown from the kept corpus; its long report only on failure.
log=build/fuzz-run.log
if ! JOBS=$jobs ./tools/fuzz/run.sh --runs 5000 >"$log" 2>&1; then
  cat "$log" >&2
  echo "The fuzz target failed (see above)." >&2
  exit 1
fi
grep -E '^Done [0-9]+ runs' "$log" || true
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
ctest --preset test -j "$jobs"
