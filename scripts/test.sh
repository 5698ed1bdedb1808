#!/usr/bin/env bash
# Sets up what is missing, builds both builds, and runs the test suite of each
# architecture this host can run: the 32-bit suite (build/) where the host executes
# i386 code, the 64-bit suite (build-x64/) everywhere. Each runs under Wine of its
# own architecture, in a private prefix (win32 / win64) on its own X server.
# Arguments are passed to ctest, for both suites.
#
# The output ends with ctest's summary of the last suite run, one line per
# architecture saying what ran or why not, and the total, alone on the last line:
# "N passed, N failed". The status is 0 only when every suite that ran passed.
#
#   MISEAJOUR_WINE_ARCH=64   behave as a host that runs 64-bit code only does
#   MISEAJOUR_WINE_ARCH=32   build and run the 32-bit suite only
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/tests/wine-env.sh"
# Armed before anything starts: a failed start leaves no X server, wineserver,
# prefix or log behind.
scratch=""
trap 'wine_down; [ -z "$scratch" ] || rm -rf "$scratch"' EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
trap 'exit 129' HUP
# A program that handles Ctrl-C itself and ends (ctest, wineboot) leaves bash
# going on as if nothing had happened: its status tells.
stop_if_interrupted() {
  case $1 in
    129|130|143) echo "test: interrupted"; exit "$1" ;;
  esac
}

fail() {
  echo "test: failed: $*"
  exit 1
}

case "${MISEAJOUR_WINE_ARCH:-}" in
  '') archs=(32 64) ;;
  32) archs=(32) ;;
  64) archs=(64) ;;
  *) fail "MISEAJOUR_WINE_ARCH is \"$MISEAJOUR_WINE_ARCH\"; leave it unset, or set it to 64 or 32" ;;
esac

bash "$root/scripts/setup.sh" || fail "nothing was tested: the tools could not be installed"
# A French locale that setup.sh has just generated is unknown to this shell: the
# script goes on in a new one, which knows it (once: the variable stops a loop).
if [ -z "${MISEAJOUR_LOCALE_RESTART:-}" ] && wine_locale_is_new; then
  exec env MISEAJOUR_LOCALE_RESTART=1 bash "$0" "$@"
fi
# The 32-bit build is the product: it is made on every host, whether its suite runs or not.
bash "$root/scripts/build.sh" 32 || fail "nothing was tested: the 32-bit build failed"
if [[ " ${archs[*]} " == *" 64 "* ]]; then
  bash "$root/scripts/build.sh" 64 || fail "nothing was tested: the 64-bit build failed"
fi

scratch=$(mktemp -d -t miseajour-test.XXXXXX)
passed=0 failed=0 ran=0
lines=()
for arch in 32 64; do
  label=win$arch
  if [ "$arch" = 32 ]; then dir="$root/build"; else dir="$root/build-x64"; fi
  case " ${archs[*]} " in
    *" $arch "*) ;;
    *)
      if [ "$arch" = 32 ]; then
        lines+=("$label: skipped, this host runs 64-bit code only (as MISEAJOUR_WINE_ARCH=64 asks)")
      else
        lines+=("$label: skipped, MISEAJOUR_WINE_ARCH=32 asks for the 32-bit suite only")
      fi
      continue ;;
  esac
  if ! reason=$(wine_check "$arch"); then
    if [ "$arch" = 32 ]; then
      lines+=("$label: skipped, $reason")
    else
      # Every host of this kind runs 64-bit Wine: not running it is a failure.
      lines+=("$label: failed, 64-bit Wine cannot run: $reason (counted as 1 failed)")
      failed=$((failed + 1))
    fi
    continue
  fi

  start=$SECONDS
  echo "$label: preparing a private $label prefix on its own X server"
  if ! WINE_FORCE_XVFB=1 wine_up "$arch"; then
    stop_if_interrupted "$WINE_UP_STATUS"
    wine_down
    lines+=("$label: failed, the Wine prefix could not be prepared: $WINE_UP_FAILURE (counted as 1 failed)")
    failed=$((failed + 1)) ran=$((ran + 1))
    continue
  fi
  echo "$label: testing $dir"
  log="$scratch/ctest-$arch.log"
  (cd "$dir" && timeout --foreground 840 ctest --output-on-failure -j2 "$@") 2>&1 | tee "$log"
  status=${PIPESTATUS[0]}
  stop_if_interrupted "$status"
  wine_down
  ran=$((ran + 1))
  seconds=$((SECONDS - start))

  # "100% tests passed, 0 tests failed out of 13"
  summary=$(grep -E '^[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -n 1)
  if [ -n "$summary" ]; then
    read -r _ _ _ suite_failed _ _ _ _ suite_total <<<"$summary"
    suite_passed=$((suite_total - suite_failed))
    passed=$((passed + suite_passed)) failed=$((failed + suite_failed))
    lines+=("$label: $suite_passed passed, $suite_failed failed ($dir, ${seconds} s)")
    if [ "$status" -ne 0 ] && [ "$suite_failed" -eq 0 ]; then
      failed=$((failed + 1))
      lines[-1]="$label: failed, ctest ended with status $status after a summary of no failure (counted as 1 failed)"
    fi
  elif [ "$status" -eq 0 ]; then
    lines+=("$label: no test matched ($dir, ${seconds} s)")
  else
    failed=$((failed + 1))
    if [ "$status" -eq 124 ]; then
      lines+=("$label: failed, ctest did not finish within 840 s (counted as 1 failed)")
    else
      lines+=("$label: failed, ctest ended with status $status before its summary (counted as 1 failed)")
    fi
  fi
done

printf '%s\n' "${lines[@]}"
if [ "$ran" -eq 0 ]; then
  fail "no test suite can run on this host (Wine of neither kind starts here; see the lines above)"
fi
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
