#!/usr/bin/env bash
# Runs the display tests (DisplayTest.cpp) in a Wine prefix of their own at 96, 120,
# 144 and 192 DPI, and keeps a screenshot of the dialog at each density, and one in
# high contrast, as PNG files in SHOTS (dpi-96.png ... dpi-192.png, contrast.png).
#   display-settings.sh TEST_EXE SHOTS
# The prefix is their own because the density is the prefix's (LogPixels, read when
# its processes start, so each density means restarting them) and high contrast's
# colours are the whole session's: neither may reach the tests running beside these.
# Wine, its architecture and the X display are those the suite runs with.
set -u
exe=$1 shots=$2
here=$(cd "$(dirname "$0")" && pwd)
mkdir -p "$shots"
WINEPREFIX=$(mktemp -d -t wpfx-display.XXXXXX)
export WINEPREFIX
# The server is found through the prefix, so it goes before the prefix does.
trap 'wineserver -k </dev/null >/dev/null 2>&1; timeout 20 wineserver -w </dev/null >/dev/null 2>&1; rm -rf "$WINEPREFIX"' EXIT

# Wine's services outlive the process that started them and keep its output open:
# they are started with none, so the test runner does not wait for them.
quiet() { "$@" </dev/null >/dev/null 2>&1; }
quiet wineserver -p || { echo "display: wineserver did not start"; exit 1; }
quiet timeout 180 wineboot -i || { echo "display: wineboot failed"; exit 1; }
cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null
quiet wine regedit /S "$(winepath -w "$here/../wine-setup.reg")" || { echo "display: regedit failed"; exit 1; }

status=0
for dpi in 96 120 144 192; do
  quiet wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f
  quiet wineserver -k; quiet timeout 20 wineserver -w
  quiet wineserver -p
  quiet wine reg query 'HKCU\Control Panel\Desktop' /v LogPixels
  # Moving between densities and high contrast once, at 96; the sizes at each.
  filter='*'
  [ "$dpi" = 96 ] || filter='DisplayTest.SizesFollowTheScreenDensity'
  echo "display: $dpi DPI"
  MISEAJOUR_EXPECT_DPI=$dpi \
  MISEAJOUR_SCREENSHOT=$(winepath -w "$shots/dpi-$dpi.bmp" 2>/dev/null) \
  MISEAJOUR_CONTRAST_SCREENSHOT=$(winepath -w "$shots/contrast.bmp" 2>/dev/null) \
    wine "$exe" --gtest_filter="$filter" </dev/null 2>&1 | tr -d "\r"
  [ "${PIPESTATUS[0]}" = 0 ] || status=1
done
for bmp in "$shots"/*.bmp; do
  [ -e "$bmp" ] || continue
  convert "$bmp" "${bmp%.bmp}.png" && rm -f "$bmp"
done
echo "display: screenshots in $shots"
exit $status
