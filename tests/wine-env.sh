# Sourced by the scripts that run Windows programs: a private 32-bit Wine prefix,
# its own X server and a persistent wineserver, all gone again with wine_down.
# WINE_KEEP_PREFIX=DIR reuses DIR as the prefix and keeps it afterwards (the demo).

wine_up() {
  local here; here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
  # Wine wants a home folder even with its own prefix; a bare CI environment may not say.
  if [ -z "${HOME:-}" ]; then HOME=$(getent passwd "$(id -u)" | cut -d: -f6); export HOME; fi
  if [ -n "${WINE_KEEP_PREFIX:-}" ]; then
    export WINEPREFIX="$WINE_KEEP_PREFIX"; mkdir -p "$WINEPREFIX"
  else
    export WINEPREFIX; WINEPREFIX=$(mktemp -d -t wpfx.XXXXXX)
  fi
  export WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  if locale -a 2>/dev/null | grep -qx 'fr_FR.utf8'; then export LC_ALL=fr_FR.UTF-8; else export LC_ALL=C.UTF-8; fi
  WINE_XVFB_PID=""
  if [ -z "${DISPLAY:-}" ] || [ -n "${WINE_FORCE_XVFB:-}" ]; then
    local fdfile="$WINEPREFIX.display"
    exec 3>"$fdfile"                                  # Xvfb picks a free display itself
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 & WINE_XVFB_PID=$!
    exec 3>&-
    for _ in $(seq 100); do [ -s "$fdfile" ] && break; sleep 0.1; done
    export DISPLAY=":$(cat "$fdfile")"
    rm -f "$fdfile"
  fi
  wineserver -p                                      # server and services live for the whole run
  # The services must not inherit the caller's pipes, or ctest waits for them forever.
  timeout 180 wineboot -i </dev/null >/dev/null 2>&1
  cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
  wine regedit /S "$(winepath -w "$here/wine-setup.reg")" </dev/null >/dev/null 2>&1
  # Two spare drives, R: and S:, for tests that start the program from a disc root.
  for d in r s; do
    mkdir -p "$WINEPREFIX/drive_$d"
    ln -sfn "../drive_$d" "$WINEPREFIX/dosdevices/$d:"
  done
}

wine_down() {
  wineserver -k 2>/dev/null || true
  if [ -n "${WINE_XVFB_PID:-}" ]; then kill "$WINE_XVFB_PID" 2>/dev/null; wait "$WINE_XVFB_PID" 2>/dev/null; fi
  if [ -z "${WINE_KEEP_PREFIX:-}" ]; then rm -rf "$WINEPREFIX"; fi
  return 0
}
