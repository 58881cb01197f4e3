#!/usr/bin/env bash
# Fails when a C++ file of the tree differs from what .clang-format makes of
# it, and names the files. Mend with: clang-format -i <file>...
set -euo pipefail
cd "$(dirname "$0")/.."
report=$(git ls-files -z '*.cpp' '*.h' | xargs -0 -r -n 40 -P "$(nproc)" clang-format --dry-run 2>&1 |
  sed -n 's/^\([^:]*\):[0-9]*:[0-9]*: warning: code should be clang-formatted.*/\1/p' | sort -u)
if [ -n "$report" ]; then
  echo "Not formatted by .clang-format (run clang-format -i on them):" >&2
  printf '  %s\n' $report >&2
  exit 1
fi
