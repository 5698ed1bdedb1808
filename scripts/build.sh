#!/usr/bin/env bash
# Configures and builds one of the tree's two builds, quietly: the full log is
# build.log in the build folder, shown when something fails.
#   build.sh [32|64] [cmake --build arguments...]
#   32  (the default) the product, for 32-bit Windows, in build/: the program, the
#       stand-in installer, the disc folder and image, the sample, the tests.
#   64  the same for 64-bit Windows in build-x64/, with a disc folder (no image)
#       that carries the 64-bit program.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
arch=32
case "${1:-}" in
  32|64) arch=$1; shift ;;
esac
if [ "$arch" = 64 ]; then
  dir="$root/build-x64" toolchain="$root/cmake/mingw-x86_64.cmake" what="64-bit (x86_64)"
else
  dir="$root/build" toolchain="$root/cmake/mingw-i686.cmake" what="32-bit (i686)"
fi
echo "build: $what into $dir"
mkdir -p "$dir"
log="$dir/build.log"
if ! { cmake -S "$root" -B "$dir" -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$toolchain" &&
       cmake --build "$dir" -j"$(nproc)" "$@"; } >"$log" 2>&1; then
  cat "$log"
  echo "build: failed (log: $log)" >&2
  exit 1
fi
echo "build: done ($dir, $SECONDS s)"
