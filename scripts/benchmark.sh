#!/usr/bin/env bash
# Builds and runs the erase benchmark (tests/app/EraseBenchmark.cpp) under Wine, for
# each architecture this host runs, on its own X server: the median cost of a full
# and of a partial background erase of the skinned dialog, each against one blit of
# the same area, and of a bare dialog's erase of the same size.
#   benchmark.sh [ROUNDS]
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/tests/wine-env.sh"
trap wine_down EXIT
for arch in 32 64; do
  if [ "$arch" = 32 ]; then dir="$root/build"; else dir="$root/build-x64"; fi
  if ! reason=$(wine_check "$arch"); then echo "win$arch: skipped, $reason"; continue; fi
  bash "$root/scripts/build.sh" "$arch" --target erase_benchmark >/dev/null || { echo "win$arch: build failed"; continue; }
  WINE_FORCE_XVFB=1 wine_up "$arch" || { echo "win$arch: $WINE_UP_FAILURE"; wine_down; continue; }
  echo "win$arch:"
  wine "$dir/tests/app/erase_benchmark.exe" "$@" </dev/null 2>&1 | tr -d '\r'
  wine_down
done
