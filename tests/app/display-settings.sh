#!/usr/bin/env bash
# Runs the display tests (DisplayTest.cpp) at 96, 120, 144 and 192 DPI and keeps a
# screenshot of the dialog at each density, and one in high contrast, as PNG files
# in SHOTS (dpi-96.png ... dpi-192.png, contrast.png).
#   display-settings.sh TEST_EXE SHOTS
# They run in a Wine prefix and on an X server of their own (wine_up), of the
# architecture the suite runs with: the density is the prefix's (LogPixels, read
# when its processes start, so each density means restarting them) and high
# contrast's colours are the whole session's, so neither may reach the tests running
# beside these; and a second Wine desktop on the suite's X server would take the
# display from the suite's own.
set -u
exe=$1 shots=$2
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../wine-env.sh"
trap wine_down EXIT
case ${WINEARCH:-win32} in
  win64) arch=64 ;;
  *) arch=32 ;;
esac
mkdir -p "$shots"
rm -f "$shots"/*.png
WINE_FORCE_XVFB=1 wine_up "$arch" || { echo "display: $WINE_UP_FAILURE"; exit 1; }

# Wine's services outlive the process that started them and keep its output open:
# they are started with none, so the test runner does not wait for them.
quiet() { "$@" </dev/null >/dev/null 2>&1; }
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
  # Into a file, not the runner's pipe: the desktop process the program's first
  # window starts would keep that open for as long as it lives.
  MISEAJOUR_EXPECT_DPI=$dpi \
  MISEAJOUR_SCREENSHOT=$(winepath -w "$shots/dpi-$dpi.bmp" 2>/dev/null) \
  MISEAJOUR_CONTRAST_SCREENSHOT=$(winepath -w "$shots/contrast.bmp" 2>/dev/null) \
    wine "$exe" --gtest_filter="$filter" </dev/null >"$WINEPREFIX/output.txt" 2>&1 || status=1
  tr -d "\r" <"$WINEPREFIX/output.txt"
done
for bmp in "$shots"/*.bmp; do
  [ -e "$bmp" ] || continue
  convert "$bmp" "${bmp%.bmp}.png" && rm -f "$bmp"
done
echo "display: screenshots in $shots"
exit $status
