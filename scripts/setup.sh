#!/usr/bin/env bash
# Installs what building and testing MiseAJour needs on Debian 12: the i686 and
# x86_64 mingw-w64 cross compilers, 32-bit and 64-bit Wine, Xvfb, GoogleTest
# sources, mscompress, xorriso, ImageMagick, and Python 3 (the test that reads the
# room's report back with a real HTML parser and CSV reader). Safe to run again: it
# installs only what is missing. 32-bit Wine is installed on every host; whether the host can run
# it is for the test and demo scripts to find out.
set -euo pipefail

packages=(cmake make g++-mingw-w64-i686 g++-mingw-w64-x86-64 mingw-w64-tools
          wine wine32:i386 wine64
          xvfb xauth x11-utils mscompress googletest imagemagick xorriso
          fonts-wine fonts-liberation locales python3)

echo "setup: checking the packages"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ "${#missing[@]}" -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  if [ -n "$SUDO" ] && ! command -v sudo >/dev/null; then
    echo "setup: failed: ${missing[*]} missing, and installing needs root or sudo" >&2
    exit 1
  fi
  if ! { dpkg --print-foreign-architectures | grep -qx i386 || $SUDO dpkg --add-architecture i386; }; then
    echo "setup: failed: dpkg could not add the i386 architecture (its messages are above)" >&2
    exit 1
  fi
  # A mirror caught mid-sync fails one index ("File has unexpected size") for a
  # while: the update is tried again. When the index it lost is the i386 one of the
  # security suite, i386 packages cannot match their amd64 twins' newer versions;
  # the install then takes both from the release's own suite, which is whole.
  updated=false
  for wait in 15 45 0; do
    if $SUDO apt-get update -qq; then updated=true; break; fi
    [ "$wait" -eq 0 ] || { echo "setup: apt-get update failed; trying again in $wait s"; sleep "$wait"; }
  done
  apt_install() {
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "$@" "${missing[@]}" >/dev/null
  }
  release=$(. /etc/os-release && echo "${VERSION_CODENAME:-bookworm}")
  if ! apt_install && ! { ! $updated &&
                      echo "setup: an index is missing; installing from $release alone" &&
                      apt_install -t "$release"; }
  then
    echo "setup: failed: apt-get could not install ${missing[*]} (its messages are above)" >&2
    exit 1
  fi
fi

# A French locale makes Wine's message boxes speak French ("Annuler") and keeps
# accented file names intact; the tests fall back to C.UTF-8 when it is absent.
if ! locale -a 2>/dev/null | grep -qx 'fr_FR.utf8'; then
  echo "setup: generating the fr_FR.UTF-8 locale"
  $SUDO sed -i 's/^# *fr_FR.UTF-8 UTF-8/fr_FR.UTF-8 UTF-8/' /etc/locale.gen
  $SUDO locale-gen >/dev/null
fi
