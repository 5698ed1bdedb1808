#!/usr/bin/env bash
# Sets up what is missing, builds, and shows the updater on a built-in sample: three
# installations of the suite (two below version 1.3), the disc folder mapped as
# drive D: with the stand-in installer on it. With a display, the updater opens
# there for you to use; without one, it runs on a virtual screen, leaves screenshots
# and runs the whole update by itself.
#
# It shows the 32-bit program (build/disc) under 32-bit Wine. Where the host runs
# 64-bit code only, or MISEAJOUR_WINE_ARCH=64 asks it to behave so, it shows the
# 64-bit build from its own disc folder (build-x64/disc) under 64-bit Wine; the
# published disc and image stay those of the 32-bit build.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/tests/wine-env.sh"
trap wine_down EXIT      # armed before anything starts
trap 'exit 130' INT
trap 'exit 143' TERM

fail() {
  echo "demo: failed: $*"
  exit 1
}

bash "$root/scripts/setup.sh" || fail "the tools could not be installed"
# A French locale that setup.sh has just generated is unknown to this shell: the
# script goes on in a new one, which knows it (once: the variable stops a loop).
if [ -z "${MISEAJOUR_LOCALE_RESTART:-}" ] && wine_locale_is_new; then
  exec env MISEAJOUR_LOCALE_RESTART=1 bash "$0" "$@"
fi
bash "$root/scripts/build.sh" 32 || fail "the 32-bit build failed"
out="$root/build"          # prefix, screenshots
arch=32 build="$root/build"
case "${MISEAJOUR_WINE_ARCH:-}" in
  64) why="this host runs 64-bit code only (as MISEAJOUR_WINE_ARCH=64 asks)" ;;
  *) why=$(wine_check 32) || true ;;   # nothing when 32-bit Wine runs here
esac
if [ -n "$why" ]; then
  why64=$(wine_check 64) || fail "Wine cannot run here: 32-bit: $why; 64-bit: $why64"
  bash "$root/scripts/build.sh" 64 || fail "the 64-bit build failed"
  arch=64 build="$root/build-x64"
  echo "demo: $why: showing the 64-bit build from $build/disc (the published disc, build/disc, carries the 32-bit program)"
fi

export WINE_KEEP_PREFIX="$out/demo-prefix"
rm -rf "$WINE_KEEP_PREFIX"
interactive=1
if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then interactive=0; unset DISPLAY; fi
echo "demo: preparing the Wine prefix $WINE_KEEP_PREFIX (win$arch)"
wine_up "$arch" || fail "the Wine prefix could not be prepared: $WINE_UP_FAILURE"

bash "$root/sample/seed.sh" "$build"
ln -sfn "$build/disc" "$WINEPREFIX/dosdevices/d:"

# The stand-in installer's own settings: where it records each run, how long it runs
# and whether it shows its window.
export MISEAJOUR_STANDIN_LOG='C:\installer-standin.log'
export MISEAJOUR_STANDIN_MS=1500 MISEAJOUR_STANDIN_WINDOW=1
log="$WINEPREFIX/drive_c/installer-standin.log"
# The updater's own log of the run, which it would otherwise keep in %TEMP%.
updater_log="$WINEPREFIX/drive_c/MiseAJour.log"

echo "Sample installations: $WINEPREFIX/drive_c/Orvandel"
if [ "$arch" = 64 ]; then
  echo "Disc (drive D:):      $build/disc  (64-bit program; the published disc: $root/build/disc)"
else
  echo "Disc (drive D:):      $build/disc  (image: $build/MiseAJour-disc.iso)"
fi
if [ "$interactive" = 1 ]; then
  echo "Starting D:\\MiseAJour.exe; press « Mettre à jour »..."
  (cd "$build/disc" && wine 'D:\MiseAJour.exe' '/log=C:\MiseAJour.log') || true
else
  (cd "$build/disc" && wine 'D:\MiseAJour.exe' '/log=C:\MiseAJour.log' </dev/null >/dev/null 2>&1 &)
  read -r x y w h < <(wine "$build/sample/demo-driver.exe" wait | tr -d '\r')
  shot="$out/miseajour-demo.png"
  import -window root -crop "${w}x${h}+${x}+${y}" +repage "$shot"
  echo "Screenshot of the dialog: $shot"
  # --- The skinned buttons' looks: normal now, hot under the mouse, disabled during
  # the update (below); stacked into one picture.
  read -r bx by bw bh < <(wine "$build/sample/demo-driver.exe" buttons | tr -d '\r')
  buttons="${bw}x${bh}+${bx}+${by}"
  import -window root -crop "$buttons" +repage "$build/buttons-normal.png"
  wine "$build/sample/demo-driver.exe" hover 1002
  import -window root -crop "$buttons" +repage "$build/buttons-hot.png"
  wine "$build/sample/demo-driver.exe" hover 0
  # ---
  echo "Running the update of every listed folder:"
  wine "$build/sample/demo-driver.exe" update | tr -d '\r' | sed 's/^/  /' &
  driver=$!
  # Once the first installer run is under way, the screen shows it over the dialog.
  for _ in $(seq 100); do [ -s "$log" ] && break; sleep 0.1; done
  sleep 0.7
  during="$out/miseajour-demo-update.png"
  import -window root -trim +repage "$during"
  import -window root -crop "$buttons" +repage "$build/buttons-disabled.png"
  convert "$build/buttons-normal.png" "$build/buttons-hot.png" "$build/buttons-disabled.png" -append \
    "$build/miseajour-buttons.png"
  wait "$driver"
  echo "Screenshot during the update: $during"
  echo "The buttons, normal, hot and disabled: $build/miseajour-buttons.png"
fi
echo
if [ -f "$log" ]; then
  echo "The stand-in installer's record of its runs: $log"
  iconv -f CP1252 -t UTF-8 "$log" | tr -d '\r' | grep -E '^\[run\]|^cmdline=|^cwd=|^info=|^code=' | sed 's/^/  /'
else
  echo "The stand-in installer was not run (no update was made)."
fi
echo
if [ -f "$updater_log" ]; then
  echo "The updater's log of this run (C:\\MiseAJour.log): $updater_log"
  # UTF-8 with its byte-order mark and CR LF line ends, as Notepad reads it.
  tail -c +4 "$updater_log" | tr -d '\r' | sed 's/^/  /'
else
  echo "The updater wrote no log."
fi

# The same sample, fresh again, updated the way a deployment tool does it: no window,
# the exit code read whole, the log printed.
echo
echo "A quiet run (/quiet) on a fresh copy of the sample, as a deployment tool starts it:"
rm -rf "$WINEPREFIX/drive_c/Orvandel" "$log"
bash "$root/sample/seed.sh" "$build"
quiet_log="$WINEPREFIX/drive_c/MiseAJour-quiet.log"
rm -f "$quiet_log"
(cd "$build/disc" && MISEAJOUR_STANDIN_WINDOW=0 MISEAJOUR_STANDIN_MS=0 \
  wine "$build/sample/demo-driver.exe" run 'D:\MiseAJour.exe' /quiet '/log=C:\MiseAJour-quiet.log' </dev/null) |
  tr -d '\r' | sed 's/^/  /'
if [ -f "$quiet_log" ]; then
  echo "Its log: $quiet_log"
  tail -c +4 "$quiet_log" | tr -d '\r' | sed 's/^/  /'
else
  echo "  (it wrote no log)"
fi
