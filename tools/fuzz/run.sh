#!/usr/bin/env bash
# Builds the picture loader's libFuzzer target with clang (address and
# undefined-behaviour sanitizers on) and runs it for a while, starting from
# the hand-made hostile pictures. Not part of ./test.sh.
#   tools/fuzz/run.sh [seconds]      (default 60)
# A crash leaves its input as crash-* in the current folder and exits non-zero.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
seconds=${1:-60}
if ! command -v clang++ >/dev/null 2>&1; then
  echo "clang++ is not installed: the fuzz target cannot be built." >&2
  exit 0
fi
build="$root/build/fuzz"
cmake -S "$root" -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DDORNEVAL_FUZZ=ON -DDORNEVAL_SANITIZE=ON -DDORNEVAL_QT=OFF -DDORNEVAL_TESTS=OFF -DDORNEVAL_BENCH=OFF >/dev/null
cmake --build "$build" -j"${JOBS:-4}" --target fuzz_picture
corpus=$(mktemp -d)
trap 'rm -rf "$corpus"' EXIT
cp "$root"/tests/platform/image/hostile/*.jpg "$root"/tests/platform/image/hostile/*.png \
   "$root"/tests/platform/image/hostile/*.bmp "$corpus"/
"$build/tools/fuzz/fuzz_picture" -max_total_time="$seconds" -rss_limit_mb=2048 -max_len=65536 \
  -timeout=10 -print_final_stats=1 "$corpus"
