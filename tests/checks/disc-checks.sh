#!/usr/bin/env bash
# The disc as built, read on the build machine: its folder and, when there is one,
# its image hold the program, the compressed installer and the autorun.inf that has
# AutoPlay offer the updater (the image nothing else); the autorun.inf is in the ANSI
# code page with CR LF line ends, the bytes Windows reads.
#   disc-checks.sh DISC_FOLDER [ISO_IMAGE]
set -u
folder=$1 iso=${2:-}
status=0
row() { printf '%-10s %s\n' "$1" "$2"; }
bad() { row "$1" "$2"; status=1; }

expected_files=$'MiseAJour.exe\n_install.ex_\nautorun.inf'
expected_autorun=$(printf '[autorun]\r\nopen=MiseAJour.exe\r\nicon=MiseAJour.exe,0\r\nlabel=Mise \340 jour de l'"'"'Orvandel\r\n' | od -An -tx1 -v)

check_autorun() {  # WHERE FILE
  if [ ! -f "$2" ]; then
    bad MISSING "autorun.inf in $1"
  elif [ "$(od -An -tx1 -v "$2")" = "$expected_autorun" ]; then
    row ok "autorun.inf in $1: open, icon and label in Windows-1252, CR LF"
  else
    bad WRONG "autorun.inf in $1:"$'\n'"$(od -c "$2")"
  fi
}

while read -r name; do
  if [ -f "$folder/$name" ]; then row ok "disc folder holds $name"; else bad MISSING "$name in $folder"; fi
done <<<"$expected_files"
check_autorun "the disc folder" "$folder/autorun.inf"

if [ -n "$iso" ]; then
  scratch=$(mktemp -d -t miseajour-disc.XXXXXX)
  trap 'rm -rf "$scratch"' EXIT
  listed=$(xorriso -indev "$iso" -find / -type f 2>/dev/null | sed "s|^'/||; s|'$||" | LC_ALL=C sort)
  if [ "$listed" = "$(LC_ALL=C sort <<<"$expected_files")" ]; then
    row ok "image holds $(tr '\n' ' ' <<<"$listed")"
  else
    bad WRONG "image holds: $(tr '\n' ' ' <<<"$listed")"
  fi
  xorriso -osirrox on -indev "$iso" -extract /autorun.inf "$scratch/autorun.inf" >/dev/null 2>&1
  check_autorun "the image" "$scratch/autorun.inf"
fi
exit $status
