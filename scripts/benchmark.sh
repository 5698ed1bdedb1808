#!/usr/bin/env bash
# Benchmarks, not tests, run under Wine for each architecture this host runs, each on
# its own X server and in a private prefix:
#   benchmark.sh [erase] [ROUNDS]
#       the median cost of a full and of a partial background erase of the skinned
#       dialog, each against one blit of the same area, and of a bare dialog's erase
#       of the same size (tests/app/EraseBenchmark.cpp);
#   benchmark.sh startup [ROUNDS] [OTHER_MISEAJOUR.EXE...]
#       the median time from process creation to the visible dialog of the updater,
#       and of any other build of it given (an older one, for a before and after),
#       against a bare dialog of the same template that does nothing else, in
#       alternating rounds (tests/app/StartupBenchmark.cpp). The prefix's registry
#       offers one installation folder, so the updater shows its dialog.
#   benchmark.sh report [ROUNDS]
#       the room's report over 1,000 records (tests/report/ReportBenchmark.cpp)
#       against the time to just read them.
# MISEAJOUR_WINE_ARCH=32 or 64 runs one architecture only.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/tests/wine-env.sh"
trap wine_down EXIT
mode=erase
case "${1:-}" in
  erase|startup|report) mode=$1; shift ;;
esac
for arch in ${MISEAJOUR_WINE_ARCH:-32 64}; do
  if [ "$arch" = 32 ]; then dir="$root/build"; else dir="$root/build-x64"; fi
  if ! reason=$(wine_check "$arch"); then echo "win$arch: skipped, $reason"; continue; fi
  case $mode in
    erase) targets=(erase_benchmark) ;;
    report) targets=(report_benchmark) ;;
    *) targets=(startup_benchmark startup_bare MiseAJour) ;;
  esac
  bash "$root/scripts/build.sh" "$arch" --target "${targets[@]}" >/dev/null || { echo "win$arch: build failed"; continue; }
  WINE_FORCE_XVFB=1 wine_up "$arch" || { echo "win$arch: $WINE_UP_FAILURE"; wine_down; continue; }
  echo "win$arch:"
  if [ "$mode" = erase ]; then
    wine "$dir/tests/app/erase_benchmark.exe" "$@" </dev/null 2>&1 | tr -d '\r'
  elif [ "$mode" = report ]; then
    wine "$dir/tests/report/report_benchmark.exe" "$@" </dev/null 2>&1 | tr -d '\r'
  else
    rounds=${1:-20}; shift || true
    folder="$WINEPREFIX/drive_c/Orvandel/Banc"
    mkdir -p "$folder"
    wine reg add 'HKLM\Software\Rurodovoz Velmor\Install\Orvandel' /v 'Installation 1' /t REG_SZ \
      /d 'C:\Orvandel\Banc' /f </dev/null >/dev/null 2>&1
    programs=("$(winepath -w "$dir/tests/app/startup_bare.exe")" "$(winepath -w "$dir/src/app/MiseAJour.exe")")
    for other in "$@"; do programs+=("$(winepath -w "$other")"); done
    wine "$dir/tests/app/startup_benchmark.exe" "$rounds" "${programs[@]}" </dev/null 2>&1 | tr -d '\r'
  fi
  wine_down
done
