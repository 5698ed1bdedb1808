#!/usr/bin/env bash
# Installs what building and testing MiseAJour needs on Debian 12: the i686 mingw-w64
# cross compiler, 32-bit Wine, Xvfb, GoogleTest sources, mscompress, xorriso and
# ImageMagick. Safe to run again: it installs only what is missing.
set -euo pipefail

packages=(cmake make g++-mingw-w64-i686 mingw-w64-tools wine wine32:i386 wine64
          xvfb xauth x11-utils mscompress googletest imagemagick xorriso
          fonts-wine fonts-liberation locales)

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ "${#missing[@]}" -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $SUDO dpkg --add-architecture i386
  fi
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# A French locale makes Wine's message boxes speak French ("Annuler") and keeps
# accented file names intact; the tests fall back to C.UTF-8 when it is absent.
if ! locale -a 2>/dev/null | grep -qx 'fr_FR.utf8'; then
  $SUDO sed -i 's/^# *fr_FR.UTF-8 UTF-8/fr_FR.UTF-8 UTF-8/' /etc/locale.gen
  $SUDO locale-gen >/dev/null
fi
