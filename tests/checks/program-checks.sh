#!/usr/bin/env bash
# The program as built, read on the build machine: it is the kind of executable its
# build makes, it stands alone (system DLLs only, and not version, lz32, winmm,
# msimg32 or shell32, which it loads from the system folder itself), its manifest asks
# for the common controls 6 of its own processor and for elevation and declares DPI awareness (per
# monitor, system-wide where Windows knows no more), and the shipped 32-bit program
# stays small.
#   program-checks.sh OBJDUMP EXE FORMAT [MAX_BYTES]
# FORMAT is what objdump calls the file (pei-i386, pei-x86-64); MAX_BYTES, when given
# and not 0, is the most the file may weigh.
set -u
objdump=$1 exe=$2 format=$3 max_bytes=${4:-0}
status=0
row() { printf '%-10s %s\n' "$1" "$2"; }
bad() { row "$1" "$2"; status=1; }

actual_format=$(LC_ALL=C "$objdump" -f "$exe" 2>&1 | sed -n 's/.*[[:space:]]file format \([^ ]*\)$/\1/p' | head -n 1)
if [ "$actual_format" = "$format" ]; then
  row ok "format $format"
else
  bad WRONG "format: expected $format, got ${actual_format:-nothing ($objdump cannot read $exe)}"
  exit 1
fi
case $format in
  pei-i386) arch=x86 ;;
  pei-x86-64) arch=amd64 ;;
  *) bad WRONG "no manifest processor known for $format"; exit 1 ;;
esac

allowed='^(KERNEL32|USER32|GDI32|ADVAPI32|COMCTL32|LZ32|VERSION|MSVCRT|SHELL32|WINMM|MSIMG32)\.DLL$'
# Windows looks for a DLL that is not one of its known DLLs in the program's folder
# first, and resolves imports before the program's first line: the program loads
# those itself, from the system folder (comctl32 comes from the side-by-side store
# its manifest names). shell32 is a known DLL, but it costs the start-up more than
# the dialog does.
loaded_later='^(LZ32|VERSION|WINMM|MSIMG32|SHELL32)\.DLL$'
dlls=$(LC_ALL=C "$objdump" -p "$exe" | awk '/DLL Name:/ {print toupper($3)}')
[ -n "$dlls" ] || bad MISSING "import table of $exe"
for dll in $dlls; do
  if [[ "$dll" =~ $loaded_later ]]; then bad IMPORTED "$dll (loaded from the system folder when needed)"
  elif [[ "$dll" =~ $allowed ]]; then row ok "$dll"
  else bad "NOT SYSTEM" "$dll"; fi
done

# The manifest lies in the file as written; its elements are read with their line
# breaks flattened.
manifest=$(LC_ALL=C sed -n '/<assembly /,/<\/assembly>/p' "$exe" | LC_ALL=C tr '\r\n\t' '   ')
identity() {  # the assemblyIdentity element whose name is $1
  LC_ALL=C grep -ao '<assemblyIdentity [^>]*>' <<<"$manifest" | grep -aF "name=\"$1\"" | head -n 1
}
processor() { sed -n 's/.*processorArchitecture="\([^"]*\)".*/\1/p' <<<"$1"; }

own=$(identity MiseAJour)
if [ -z "$own" ]; then
  bad MISSING "manifest identity of MiseAJour"
elif [ "$(processor "$own")" = "$arch" ]; then
  row manifest "MiseAJour for processor $arch"
else
  bad WRONG "manifest: MiseAJour for processor \"$(processor "$own")\", expected \"$arch\""
fi
controls=$(identity Microsoft.Windows.Common-Controls)
case $controls in
  '') bad MISSING "manifest dependency on Microsoft.Windows.Common-Controls" ;;
  *'version="6.0.0.0"'*) row manifest "common controls version 6.0.0.0" ;;
  *) bad WRONG "manifest: common controls not version 6.0.0.0: $controls" ;;
esac
if [ -n "$controls" ]; then
  wanted=$(processor "$controls")
  # Windows refuses to start a program whose common controls are of another processor.
  if [ "$wanted" = "$arch" ] || [ "$wanted" = "*" ]; then
    row manifest "common controls for processor $wanted"
  else
    bad WRONG "manifest: common controls for processor \"$wanted\", expected \"$arch\" or \"*\""
  fi
fi
for needle in 'level="requireAdministrator"' \
              '{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}' '{35138b9a-5d96-4fbd-8e2d-a2440225f93a}'; do
  if grep -aqF "$needle" <<<"$manifest"; then row manifest "$needle"; else bad MISSING "$needle"; fi
done

# DPI awareness: per monitor where Windows rescales a dialog's controls itself on a
# move to another screen (version 2, Windows 10 from 1703), system-wide elsewhere:
# "true" for the systems that read only dpiAware, and a list whose first entry a
# Windows 10 that lacks version 2 does not know, so it takes the next.
element() {  # the text of the first element $1 of the manifest
  LC_ALL=C grep -ao "<$1 [^>]*>[^<]*</$1>" <<<"$manifest" | head -n 1 | sed 's/^<[^>]*>//; s/<[^>]*>$//'
}
aware=$(element dpiAware)
if [ "$aware" = "true" ]; then row manifest "dpiAware true"
else bad WRONG "manifest: dpiAware is \"$aware\", expected \"true\""; fi
awareness=$(element dpiAwareness | tr -d ' ')
case $awareness in
  PerMonitorV2,System) row manifest "dpiAwareness $awareness" ;;
  *) bad WRONG "manifest: dpiAwareness is \"$awareness\", expected \"PerMonitorV2, System\"" ;;
esac

bytes=$(stat -c %s "$exe")
if [ "$max_bytes" -gt 0 ] 2>/dev/null; then
  if [ "$bytes" -le "$max_bytes" ]; then
    row ok "size $bytes bytes (at most $max_bytes)"
  else
    bad TOO_BIG "size $bytes bytes, at most $max_bytes expected"
  fi
else
  row size "$bytes bytes"
fi
exit $status
