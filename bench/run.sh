#!/usr/bin/env bash
# Builds the benchmark programs in the release build and runs every one of
# them, printing one table (also kept in build/release/bench/table.txt; what
# the programs say on the side goes to build/release/bench/run.log).
#
#   bench/run.sh [folder]        folder: where the data files go ($TMPDIR or /tmp)
#   BENCH_LARGE=1 bench/run.sh   adds 1,000,000 vehicles and transits
#   BENCH_ONLY=search,export bench/run.sh   only the paths named
#   BENCH_PAUSE=2 bench/run.sh   a shorter idle pause before the second first run
#
# The desktop benchmark runs under a virtual display (xvfb-run) when there is
# one, else on Qt's offscreen platform. See bench/README.md.
set -uo pipefail
cd "$(dirname "$0")/.."
programs=(fleet drivers gate tripsheets planner list_build record_file report grid desktop)
targets=()
for p in "${programs[@]}"; do targets+=("bench_$p"); done
cmake --preset release >/dev/null || exit 1
cmake --build --preset release -j "${BENCH_JOBS:-4}" --target "${targets[@]}" >/dev/null || exit 1
bin=build/release/bench
table=$bin/table.txt
log=$bin/run.log
: >"$log"
failed=()
{
  echo "# $(date '+%F %T'), commit $(git rev-parse --short HEAD 2>/dev/null || echo '?'), $(nproc) cores," \
    "release build${BENCH_LARGE:+, BENCH_LARGE=$BENCH_LARGE}${BENCH_ONLY:+, BENCH_ONLY=$BENCH_ONLY}"
  "$bin/bench_fleet" --header
  for p in "${programs[@]}"; do
    if [ "$p" = desktop ] && command -v xvfb-run >/dev/null; then
      run=(env -u QT_QPA_PLATFORM xvfb-run -a -s '-screen 0 1600x1000x24' "$bin/bench_$p")
    else
      run=("$bin/bench_$p")
    fi
    # Progress (the programs' lines beginning with bench_) on the terminal,
    # everything they say in the log.
    if ! BENCH_HEADER=0 "${run[@]}" "$@" 2> >(tee -a "$log" | grep --line-buffered '^bench_' >&2); then
      failed+=("$p")
    fi
  done
  if [ ${#failed[@]} -gt 0 ]; then echo "# FAILED: ${failed[*]} (see $log)"; fi
} | tee "$table"
grep -q '^# FAILED' "$table" && exit 1
exit 0
