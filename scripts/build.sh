#!/usr/bin/env bash
# Configures and builds everything into build/ (the program, the stand-in installer,
# the disc folder and image, the sample, the tests). Quiet unless something fails;
# the full log is build/build.log.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
mkdir -p "$root/build"
log="$root/build/build.log"
if ! { cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=Release &&
       cmake --build "$root/build" -j"$(nproc)" "$@"; } >"$log" 2>&1; then
  cat "$log"
  echo "build: failed (log: $log)" >&2
  exit 1
fi
echo "build: done ($root/build)"
