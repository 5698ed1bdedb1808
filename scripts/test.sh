#!/usr/bin/env bash
# Sets up what is missing, builds, and runs the whole test suite under Wine in a
# private prefix on its own X server.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/setup.sh"
bash "$root/scripts/build.sh"
source "$root/tests/wine-env.sh"
WINE_FORCE_XVFB=1 wine_up
trap wine_down EXIT
cd "$root/build"
timeout 1500 ctest --output-on-failure -j2 "$@"
