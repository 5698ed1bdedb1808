#!/usr/bin/env bash
# Lays out the sample installations of the suite in the Wine prefix $WINEPREFIX and
# records them in its registry, as the suite's installer would have.
#   seed.sh BUILD_DIR
set -euo pipefail
build=$1
drive_c="$WINEPREFIX/drive_c"

# folder (under C:\Orvandel) | Kerbanista version | applications
installations=(
  "Collège Jules Verne|1200|Pavane 5;Tolvane;Quill Mx"
  "Lycée Marie Curie|1250|Marbelo;Logiciel Ostrel;Atelier Photo"
  "Salle 12|1300|Brisole;Zephalin"
)

reg="$WINEPREFIX/orvandel-sample.reg"
{
  printf 'REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\Rurodovoz Velmor\\Install\\Orvandel]\r\n'
  n=0
  for entry in "${installations[@]}"; do
    IFS='|' read -r name version apps <<<"$entry"
    folder="$drive_c/Orvandel/$name"
    mkdir -p "$folder"
    cp "$build/sample/Kerbanista-$version.exe" "$folder/Kerbanista.exe"
    IFS=';' read -r -a list <<<"$apps"
    for app in "${list[@]}"; do
      printf '[%s]\r\nVersion=1.2\r\n' "$app" >"$folder/$app.ini"
      printf 'Installé le 12/09/2024\r\n' >"$folder/$app.log"
    done
    n=$((n + 1))
    printf '"Installation %d"="C:\\\\Orvandel\\\\%s"\r\n' "$n" "$name"
  done
} | iconv -f UTF-8 -t CP1252 >"$reg"
wine regedit /S "$(winepath -w "$reg")" </dev/null >/dev/null 2>&1
