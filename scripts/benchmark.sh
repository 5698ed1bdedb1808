#!/usr/bin/env bash
# Builds and runs a benchmark under Wine, for each architecture this host runs, on its
# own X server:
#   benchmark.sh [ROUNDS]         the erase benchmark (tests/app/EraseBenchmark.cpp):
#       the median cost of a full background erase of the skinned dialog against a
#       bare one of the same size;
#   benchmark.sh report [ROUNDS]  the room's report over 1,000 records
#       (tests/report/ReportBenchmark.cpp) against the time to just read them.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
target=erase_benchmark exe=tests/app/erase_benchmark.exe
if [ "${1:-}" = report ]; then
  target=report_benchmark exe=tests/report/report_benchmark.exe
  shift
fi
source "$root/tests/wine-env.sh"
trap wine_down EXIT
for arch in 32 64; do
  if [ "$arch" = 32 ]; then dir="$root/build"; else dir="$root/build-x64"; fi
  if ! reason=$(wine_check "$arch"); then echo "win$arch: skipped, $reason"; continue; fi
  bash "$root/scripts/build.sh" "$arch" --target "$target" >/dev/null || { echo "win$arch: build failed"; continue; }
  WINE_FORCE_XVFB=1 wine_up "$arch" || { echo "win$arch: $WINE_UP_FAILURE"; wine_down; continue; }
  echo "win$arch:"
  wine "$dir/$exe" "$@" </dev/null 2>&1 | tr -d '\r'
  wine_down
done
