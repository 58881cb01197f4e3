#!/usr/bin/env bash
# Builds the picture loader's libFuzzer target with clang (address and
# undefined-behaviour sanitizers on, warnings as errors) and runs it,
# starting from the hand-made hostile pictures:
#   tools/fuzz/run.sh [seconds]      fuzz for a while (default 60)
#   tools/fuzz/run.sh --runs N       a fixed number of inputs (./test.sh)
# A crash leaves its input as crash-* in the current folder and exits non-zero.
# JOBS (or CMAKE_BUILD_PARALLEL_LEVEL) sets the build jobs.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
limit=(-max_total_time="${1:-60}")
if [ "${1:-}" = "--runs" ]; then
  limit=(-runs="${2:?--runs needs a number}" -seed=1)
fi
if ! command -v clang++ >/dev/null 2>&1; then
  echo "clang++ is not installed: the fuzz target cannot be built (tools/install-deps.sh installs it)." >&2
  exit 1
fi
jobs=${JOBS:-${CMAKE_BUILD_PARALLEL_LEVEL:-$(nproc)}}
build="$root/build/fuzz"
cmake -S "$root" -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DDORNEVAL_FUZZ=ON -DDORNEVAL_SANITIZE=ON -DDORNEVAL_WERROR=ON -DDORNEVAL_QT=OFF -DDORNEVAL_TESTS=OFF \
  -DDORNEVAL_BENCH=OFF >/dev/null
cmake --build "$build" -j "$jobs" --target fuzz_picture
corpus=$(mktemp -d)
trap 'rm -rf "$corpus"' EXIT
cp "$root"/tests/platform/image/hostile/*.jpg "$root"/tests/platform/image/hostile/*.png \
   "$root"/tests/platform/image/hostile/*.bmp "$corpus"/
"$build/tools/fuzz/fuzz_picture" "${limit[@]}" -rss_limit_mb=2048 -max_len=65536 \
  -timeout=10 -print_final_stats=1 "$corpus"
