#!/usr/bin/env bash
# Makes the README's pictures of the dialog at 150 % (144 DPI) and in high contrast:
# runs the display tests of the 32-bit build (they leave a screenshot of each
# density and of high contrast in build/screenshots/) and copies two of them to docs/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
MISEAJOUR_WINE_ARCH=32 bash "$root/scripts/test.sh" -R '^app_display_tests$'
cp "$root/build/screenshots/dpi-144.png" "$root/docs/screenshot-150.png"
cp "$root/build/screenshots/contrast.png" "$root/docs/screenshot-contrast.png"
echo "readme-screenshots: docs/screenshot-150.png and docs/screenshot-contrast.png"
