#!/usr/bin/env bash
# The test bed of tests/wine-env.sh, with stand-in Wine loaders:
# - wine_check tells the kinds of host apart as the kernel answers, and says why;
# - a start that fails leaves no X server, wineserver, prefix or wrapper behind,
#   holds no pipe of its caller open, and touches no prefix of the caller's own.
#   test-bed-checks.sh WINE_ENV_SH
set -u
wine_env=$1
scratch=$(mktemp -d -t test-bed-checks.XXXXXX)
trap 'rm -rf "$scratch"' EXIT
status=0
report() {  # ok(0/1) what expected actual
  if [ "$1" = 0 ]; then echo "ok    $2"; else echo "FAIL  $2: expected $3, got $4"; status=1; fi
}

# Loaders: one of another processor (the kernel refuses it: "Exec format error"),
# one that exits with a complaint, one that works.
foreign="$scratch/foreign" broken="$scratch/broken" working="$scratch/working"
cp /bin/true "$foreign" && printf '\x99\x00' | dd of="$foreign" bs=1 seek=18 conv=notrunc status=none
printf '#!/bin/sh\necho "wine: could not load kernel32.dll" >&2\nexit 1\n' >"$broken"
printf '#!/bin/sh\necho wine-8.0\n' >"$working"
chmod +x "$foreign" "$broken" "$working"

# arch | loader | status | what it says
cases=(
  "32|$foreign|1|this host runs 64-bit code only"
  "64|$foreign|1|this host cannot execute x86-64 programs"
  "32|$scratch/missing|1|32-bit Wine is not installed ($scratch/missing is missing)"
  "64|$broken|1|64-bit Wine does not start: wine: could not load kernel32.dll"
  "32|$working|0|"
  "64|$working|0|"
)
for entry in "${cases[@]}"; do
  IFS='|' read -r arch loader expected_status expected_text <<<"$entry"
  text=$(source "$wine_env"; WINE32_LOADER=$loader WINE64_LOADER=$loader; wine_check "$arch")
  actual_status=$?
  [ "$actual_status" = "$expected_status" ] && [ "$text" = "$expected_text" ]
  report $? "wine_check $arch with $(basename "$loader")" "$expected_status \"$expected_text\"" \
         "$actual_status \"$text\""
done

# A start whose wineboot fails, run as a caller reading the output through a pipe
# would run it. The caller's own prefix (the decoy) must be left alone.
decoy="$scratch/decoy"
mkdir -p "$decoy" && touch "$decoy/system.reg"
fails_after_version="$scratch/fails"
printf '#!/bin/sh\n[ "$1" = --version ] && exit 0\nexit 3\n' >"$fails_after_version"
chmod +x "$fails_after_version"
state="$scratch/state"
start=$SECONDS
# Before cleaning up, the caller lists the processes of the failed start (those with
# its prefix in their environment) that hold its standard output or error.
WINEPREFIX=$decoy timeout 60 bash -c '
  source "$1"
  WINE64_LOADER=$2
  trap wine_down EXIT
  WINE_FORCE_XVFB=1 wine_up 64
  up_status=$?
  pipe=$(readlink /proc/$$/fd/1) holders=""
  for environ in /proc/[0-9]*/environ; do
    pid=${environ#/proc/} pid=${pid%/environ}
    [ "$pid" != $$ ] && { tr "\0" "\n" <"$environ"; } 2>/dev/null | grep -qxF "WINEPREFIX=$WINE_UP_PREFIX" || continue
    for fd in 1 2; do
      [ "$(readlink /proc/$pid/fd/$fd 2>/dev/null)" = "$pipe" ] && holders+="$pid($(cat /proc/$pid/comm)) "
    done
  done
  echo "$up_status $WINE_UP_PREFIX $WINE_XVFB_PID $WINE_TOOLS|$WINE_UP_FAILURE|$holders" >"$3"
' _ "$wine_env" "$fails_after_version" "$state" 2>&1 | cat >/dev/null
pipe_status=${PIPESTATUS[0]}
seconds=$((SECONDS - start))
IFS='|' read -r started failure holders <"$state"
read -r up_status prefix xvfb tools <<<"$started"
[ -z "$holders" ]
report $? "no process of the start holds the caller's output" "none" "$holders"
[ "$pipe_status" != 124 ]
report $? "the caller's pipe is closed once the failed start is over" "the pipe closed" \
       "still open after 60 s"
[ "$up_status" = 1 ] && [[ "$failure" == "wineboot failed (status 3)" ]]
report $? "wine_up reports the failed step" "1 \"wineboot failed (status 3)\"" "$up_status \"$failure\""
[ -n "$prefix" ] && [ ! -e "$prefix" ] && [ ! -e "$prefix.display" ]
report $? "the private prefix is removed" "no $prefix" "$(ls -d "$prefix"* 2>/dev/null | tr '\n' ' ')"
[ -n "$tools" ] && [ ! -e "$tools" ]
report $? "the 64-bit wrappers are removed" "no $tools" "$(ls -d "$tools" 2>/dev/null)"
[ -n "$xvfb" ] && ! kill -0 "$xvfb" 2>/dev/null
report $? "the X server has ended" "no process $xvfb" "process $xvfb running"
# Any process still started for that prefix (the wineserver above all).
left=""
for environ in /proc/[0-9]*/environ; do
  if { tr '\0' '\n' <"$environ"; } 2>/dev/null | grep -qxF "WINEPREFIX=$prefix"; then
    pid=${environ#/proc/} left+="${pid%/environ} "
  fi
done
[ -z "$left" ]
report $? "no process of that prefix is left" "none" "$left"
[ -f "$decoy/system.reg" ]
report $? "the caller's own prefix is untouched" "$decoy/system.reg kept" "it is gone"
echo "(the failed start and its clean-up took ${seconds} s)"
exit $status
