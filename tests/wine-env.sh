# Sourced by the scripts that run Windows programs: a private Wine prefix, its own X
# server and a persistent wineserver, all gone again with wine_down.
#
#   wine_check 32|64   status 0 when Wine of that kind runs on this host; otherwise
#                      status 1 and the reason, in a few words, on standard output
#   wine_up 32|64      32-bit Wine in a win32 prefix (the default), or 64-bit Wine in
#                      a win64 prefix; status 1 with the reason in WINE_UP_FAILURE and
#                      the failed step's status in WINE_UP_STATUS
#   wine_down          safe at any moment, even before or halfway through wine_up:
#                      arm it (trap wine_down EXIT) before calling wine_up
#
#   wine_locale_is_new status 0 when the French locale exists but this shell cannot
#                      take it: a script that has just had setup.sh generate it starts
#                      again in a new shell
#
# WINE_KEEP_PREFIX=DIR reuses DIR as the prefix and keeps it afterwards (the demo).
#
# 64-bit Wine is the wine64 package's loader, which is not on PATH: `wine`,
# `wineboot`, `winepath` and `regedit` there all go through the 32-bit loader, which
# a host that runs 64-bit code only cannot execute. For 64-bit Wine, small scripts
# under those names go first on PATH. Links would not do: started under another
# name, the loader looks for its preloader beside that name.

WINE32_LOADER=/usr/lib/wine/wine
WINE64_LOADER=/usr/lib/wine/wine64
# What wine_up has started or made, and so what wine_down may stop or remove: never
# a prefix, server or X server that the caller's environment names.
WINE_UP_PREFIX="" WINE_OWN_PREFIX="" WINE_XVFB_PID="" WINE_DISPLAY_FILE="" WINE_TOOLS=""
WINE_UP_PATH="" WINE_UP_DISPLAY="" WINE_SHARE_MOUNT=""

wine_check() {
  local arch=$1 loader output
  if [ "$arch" = 64 ]; then loader=$WINE64_LOADER; else loader=$WINE32_LOADER; fi
  if [ ! -e "$loader" ]; then
    echo "${arch}-bit Wine is not installed ($loader is missing)"
    return 1
  fi
  # The kernel answers at once: an i386 program fails with "Exec format error" on
  # a host that runs 64-bit code only (said so in the C locale only).
  if output=$(export LC_ALL=C; "$loader" --version </dev/null 2>&1); then
    return 0
  fi
  case $output in
    *"Exec format error"*)
      if [ "$arch" = 32 ]; then echo "this host runs 64-bit code only"
      else echo "this host cannot execute x86-64 programs"; fi ;;
    *) echo "${arch}-bit Wine does not start: $(head -n 1 <<<"$output")" ;;
  esac
  return 1
}

# The C library reads the machine's locales once per process, when the process first
# asks for one: a locale generated later (setup.sh on a fresh machine) stays unknown to
# a shell that was already running, and setting LC_ALL to it there only prints
# bash's "setlocale: cannot change locale" warning. The assignment is tried in a
# subshell, which has the same view, and what it says tells.
wine_locale_is_new() {
  locale -a 2>/dev/null | grep -qx 'fr_FR.utf8' && [ -n "$(export LC_ALL=fr_FR.UTF-8 2>&1)" ]
}

wine_up_failed() {
  WINE_UP_STATUS=$1 WINE_UP_FAILURE="$2 (status $1)"
}

wine_up() {
  local arch=${1:-32}
  local here; here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
  WINE_UP_FAILURE="" WINE_UP_STATUS=0
  [ -n "$WINE_UP_PATH" ] || WINE_UP_PATH=$PATH
  # Wine wants a home folder even with its own prefix; a bare CI environment may not say.
  if [ -z "${HOME:-}" ]; then HOME=$(getent passwd "$(id -u)" | cut -d: -f6); export HOME; fi
  if [ -n "${WINE_KEEP_PREFIX:-}" ]; then
    export WINEPREFIX="$WINE_KEEP_PREFIX"; mkdir -p "$WINEPREFIX"
  else
    export WINEPREFIX; WINEPREFIX=$(mktemp -d -t wpfx.XXXXXX)
    WINE_OWN_PREFIX=$WINEPREFIX
  fi
  WINE_UP_PREFIX=$WINEPREFIX
  if [ "$arch" = 64 ]; then
    export WINEARCH=win64
    WINE_TOOLS=$(mktemp -d -t wine64-tools.XXXXXX)
    local tool
    for tool in wine wine64; do
      printf '#!/bin/sh\nexec %s "$@"\n' "$WINE64_LOADER" >"$WINE_TOOLS/$tool"
    done
    for tool in wineboot winepath regedit; do
      printf '#!/bin/sh\nexec %s %s "$@"\n' "$WINE64_LOADER" "$tool" >"$WINE_TOOLS/$tool"
    done
    chmod +x "$WINE_TOOLS"/*
    export PATH="$WINE_TOOLS:$PATH"
  else
    export WINEARCH=win32
  fi
  export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  if locale -a 2>/dev/null | grep -qx 'fr_FR.utf8' && ! wine_locale_is_new; then
    export LC_ALL=fr_FR.UTF-8
  else
    export LC_ALL=C.UTF-8
  fi

  # Nothing started here may keep the caller's standard output or error open: a
  # caller reading them through a pipe would wait for as long as it lives.
  if [ -z "${DISPLAY:-}" ] || [ -n "${WINE_FORCE_XVFB:-}" ]; then
    WINE_UP_DISPLAY=${DISPLAY:-none}
    WINE_DISPLAY_FILE="$WINEPREFIX.display"
    : >"$WINE_DISPLAY_FILE"
    exec 3>"$WINE_DISPLAY_FILE"                       # Xvfb picks a free display itself
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp </dev/null >/dev/null 2>&1 & WINE_XVFB_PID=$!
    exec 3>&-
    for _ in $(seq 100); do [ -s "$WINE_DISPLAY_FILE" ] && break; sleep 0.1; done
    if [ ! -s "$WINE_DISPLAY_FILE" ]; then
      wine_up_failed 1 "Xvfb did not start"
      return 1
    fi
    export DISPLAY=":$(head -n 1 "$WINE_DISPLAY_FILE")"
  fi
  # Server and services live for the whole run.
  wineserver -p </dev/null >/dev/null 2>&1 || { wine_up_failed $? "wineserver did not start"; return 1; }
  local status=0
  timeout --foreground 180 wineboot -i </dev/null >/dev/null 2>&1 || status=$?
  case $status in
    0) ;;
    124) wine_up_failed 124 "wineboot did not finish within 180 s"; return 1 ;;
    126) wine_up_failed 126 "wineboot could not execute the Wine loader"; return 1 ;;
    *) wine_up_failed "$status" "wineboot failed"; return 1 ;;
  esac
  cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
  wine regedit /S "$(winepath -w "$here/wine-setup.reg")" </dev/null >/dev/null 2>&1 ||
    { wine_up_failed $? "regedit could not import wine-setup.reg"; return 1; }
  # Two spare drives, R: and S:, for tests that start the program from a disc root.
  for d in r s; do
    mkdir -p "$WINEPREFIX/drive_$d"
    ln -sfn "../drive_$d" "$WINEPREFIX/dosdevices/$d:"
  done
  wine_share_up
}

# A folder served read-only, as a school's software share is: drive T: and the share
# \\serveur\logiciels both show it read-only, drive U: shows it writable so that a test
# can lay a disc out in it. Read-only takes a bind mount, which needs root; without
# it T: and the share are writable too and MISEAJOUR_SHARE_READONLY says 0. Beside
# it, \\serveur\journaux is the share the PCs write their logs and records to.
wine_share_up() {
  local rw="$WINEPREFIX/share-rw" ro="$WINEPREFIX/share-ro"
  mkdir -p "$rw" "$ro" "$WINEPREFIX/dosdevices/unc/serveur"
  export MISEAJOUR_SHARE_READONLY=0
  if mount --bind "$rw" "$ro" </dev/null >/dev/null 2>&1; then
    WINE_SHARE_MOUNT=$ro
    if mount -o remount,bind,ro "$ro" </dev/null >/dev/null 2>&1; then
      MISEAJOUR_SHARE_READONLY=1
    fi
  else
    rmdir "$ro" && ln -s share-rw "$ro"
  fi
  ln -sfn ../share-rw "$WINEPREFIX/dosdevices/u:"
  ln -sfn ../share-ro "$WINEPREFIX/dosdevices/t:"
  ln -sfn ../../../share-ro "$WINEPREFIX/dosdevices/unc/serveur/logiciels"
  mkdir -p "$WINEPREFIX/share-journaux"
  ln -sfn ../../../share-journaux "$WINEPREFIX/dosdevices/unc/serveur/journaux"
}

wine_down() {
  if [ -n "$WINE_UP_PREFIX" ] && [ -d "$WINE_UP_PREFIX" ]; then
    # The server is found through the prefix, so it goes before the prefix does.
    WINEPREFIX=$WINE_UP_PREFIX wineserver -k </dev/null >/dev/null 2>&1 || true
    WINEPREFIX=$WINE_UP_PREFIX timeout 20 wineserver -w </dev/null >/dev/null 2>&1 || true
  fi
  if [ -n "$WINE_XVFB_PID" ]; then
    kill "$WINE_XVFB_PID" 2>/dev/null
    wait "$WINE_XVFB_PID" 2>/dev/null
  fi
  [ -n "$WINE_DISPLAY_FILE" ] && rm -f "$WINE_DISPLAY_FILE"
  case $WINE_UP_DISPLAY in
    '') ;;
    none) unset DISPLAY ;;
    *) export DISPLAY=$WINE_UP_DISPLAY ;;
  esac
  # The read-only view goes before the prefix: removing the prefix must not reach
  # through a mount.
  if [ -n "$WINE_SHARE_MOUNT" ]; then
    umount "$WINE_SHARE_MOUNT" 2>/dev/null || umount -l "$WINE_SHARE_MOUNT" 2>/dev/null
  fi
  [ -n "$WINE_OWN_PREFIX" ] && rm -rf "$WINE_OWN_PREFIX"
  [ -n "$WINE_TOOLS" ] && rm -rf "$WINE_TOOLS"
  [ -n "$WINE_UP_PATH" ] && PATH=$WINE_UP_PATH
  [ -n "$WINE_UP_PREFIX" ] && unset WINEPREFIX WINEARCH
  WINE_UP_PREFIX="" WINE_OWN_PREFIX="" WINE_XVFB_PID="" WINE_DISPLAY_FILE="" WINE_TOOLS=""
  WINE_UP_PATH="" WINE_UP_DISPLAY="" WINE_SHARE_MOUNT=""
  return 0
}
