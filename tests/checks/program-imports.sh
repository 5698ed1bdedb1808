#!/usr/bin/env bash
# The shipped program stands alone: it imports system DLLs only, and its manifest
# asks for the version 6 common controls and for elevation.
#   program-imports.sh OBJDUMP EXE
set -u
objdump=$1 exe=$2
allowed='^(KERNEL32|USER32|GDI32|ADVAPI32|COMCTL32|LZ32|VERSION|MSVCRT|SHELL32|WINMM|MSIMG32)\.DLL$'
status=0
dlls=$(LC_ALL=C "$objdump" -p "$exe" | awk '/DLL Name:/ {print toupper($3)}')
[ -n "$dlls" ] || { echo "no import table read from $exe"; exit 1; }
for dll in $dlls; do
  if [[ "$dll" =~ $allowed ]]; then echo "ok        $dll"; else echo "NOT SYSTEM $dll"; status=1; fi
done
for needle in 'name="Microsoft.Windows.Common-Controls" version="6.0.0.0"' 'level="requireAdministrator"' \
              '{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}' '{35138b9a-5d96-4fbd-8e2d-a2440225f93a}'; do
  if grep -aqF "$needle" "$exe"; then echo "manifest  $needle"; else echo "MISSING   $needle"; status=1; fi
done
exit $status
