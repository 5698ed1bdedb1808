#!/usr/bin/env bash
# Configures and builds everything into build/ (the program, the stand-in installer,
# the disc folder and image, the tests).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$root/build" -j"$(nproc)" "$@"
