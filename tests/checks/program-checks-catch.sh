#!/usr/bin/env bash
# program-checks.sh must refuse what Windows would refuse: copies of the built program
# with one thing spoilt in place (same length, so the file stays whole) are each
# checked, and each must pass or fail as the table says, naming the fault.
#   program-checks-catch.sh OBJDUMP EXE FORMAT
set -u
objdump=$1 exe=$2 format=$3
here=$(cd "$(dirname "$0")" && pwd)
scratch=$(mktemp -d -t program-checks.XXXXXX)
trap 'rm -rf "$scratch"' EXIT
status=0

# Sets the value of the Nth processorArchitecture attribute of file $1 to $3, padded
# with blanks after the closing quote to the old length.
set_processor() {
  perl -0777 -i -pe 'BEGIN { ($n, $v) = splice(@ARGV, 0, 2) }
    my $i = 0;
    s/(processorArchitecture=")([^"]*)(")/++$i == $n && length($v) <= length($2)
      ? $1 . $v . $3 . (" " x (length($2) - length($v))) : $1 . $2 . $3/ge' "$2" "$3" "$1"
}
ask_as_invoker() {
  perl -0777 -i -pe 's/level="requireAdministrator"/level="asInvoker"           /' "$1"
}
# Replaces the text $2 of the manifest by $3, padded with blanks to the old length.
spoil_text() {
  perl -0777 -i -pe 'BEGIN { ($from, $to) = splice(@ARGV, 0, 2) }
    s/\Q$from\E/$to . (" " x (length($from) - length($to)))/e' "$2" "$3" "$1"
}
other_format() { [ "$format" = pei-i386 ] && echo pei-x86-64 || echo pei-i386; }

# name | how the copy is spoilt | expected result | words the output must hold
cases=(
  "as built||pass|"
  "program for another processor|set_processor COPY 1 arm|fail|MiseAJour for processor \"arm\""
  "common controls of another processor|set_processor COPY 2 arm|fail|common controls for processor \"arm\""
  "common controls of any processor|set_processor COPY 2 *|pass|common controls for processor *"
  "no elevation asked|ask_as_invoker COPY|fail|MISSING    level=\"requireAdministrator\""
  "not DPI aware|spoil_text COPY >true</dpiAware> >no</dpiAware>|fail|dpiAware is \"no\""
  "per monitor version 1 first|spoil_text COPY PerMonitorV2 PerMonitor|fail|dpiAwareness is \"PerMonitor,System\""
  "read as the other format|FORMAT|fail|format: expected $(other_format)"
  "one byte over the ceiling|SIZE|fail|TOO_BIG"
)
for entry in "${cases[@]}"; do
  IFS='|' read -r name spoil expected words <<<"$entry"
  copy="$scratch/MiseAJour.exe"
  cp "$exe" "$copy"
  wanted_format=$format max_bytes=0
  case $spoil in
    FORMAT) wanted_format=$(other_format) ;;
    SIZE) max_bytes=$(( $(stat -c %s "$copy") - 1 )) ;;
    '') ;;
    *) read -r -a command <<<"${spoil//COPY/$copy}"; "${command[@]}" ;;
  esac
  output=$(bash "$here/program-checks.sh" "$objdump" "$copy" "$wanted_format" "$max_bytes" 2>&1)
  if [ $? -eq 0 ]; then actual=pass; else actual=fail; fi
  if [ "$actual" = "$expected" ] && { [ -z "$words" ] || grep -qF -- "$words" <<<"$output"; }; then
    echo "ok    $name: $actual"
  else
    echo "FAIL  $name: expected $expected${words:+ naming '$words'}, got $actual:"
    sed 's/^/        /' <<<"$output"
    status=1
  fi
done
exit $status
