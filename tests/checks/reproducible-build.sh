#!/usr/bin/env bash
# Two builds of the same sources give the same program and disc image, byte for byte.
# The first builds the source tree where it lies, taking its time stamps from the
# commit; the second builds a copy of the tree in another, longer folder, later, in
# another time zone, locale and umask, with SOURCE_DATE_EPOCH set to that commit's
# time as a publisher building from a source archive would. Only the targets the disc
# needs are built, without the tests. The program's header must also carry the
# commit's time.
#   reproducible-build.sh SOURCE_DIR [-DNAME=VALUE...]
# The arguments after the source folder go to both configures.
set -u
src=$1
shift
status=0
row() { printf '%-10s %s\n' "$1" "$2"; }
bad() { row "$1" "$2"; status=1; }

scratch=$(mktemp -d -t miseajour-repro.XXXXXX)
trap 'rm -rf "$scratch"' EXIT

epoch=$(git -C "$src" log -1 --format=%ct 2>/dev/null) || epoch=""
if [ -z "$epoch" ]; then
  epoch=$(stat -c %Y "$src/CMakeLists.txt")
  row note "no git checkout: the time of CMakeLists.txt, $epoch, stands for the commit's"
fi

# build NAME SOURCE [VAR=VALUE...]: configures and builds the disc in $scratch/NAME.
build() {
  local name=$1 source=$2
  shift 2
  local dir=$scratch/$name started=$SECONDS
  if env "$@" cmake -S "$source" -B "$dir" -DCMAKE_BUILD_TYPE=Release \
         -DCMAKE_TOOLCHAIN_FILE="$source/cmake/mingw-i686.cmake" -DMISEAJOUR_TESTS=OFF "${cmake_args[@]}" \
         >"$scratch/$name.log" 2>&1 &&
     env "$@" cmake --build "$dir" --target disc -j2 >>"$scratch/$name.log" 2>&1; then
    row built "$name in $((SECONDS - started)) s ($dir)"
  else
    cat "$scratch/$name.log"
    bad FAILED "build $name"
    exit 1
  fi
}
cmake_args=("$@")

build first "$src" -u SOURCE_DATE_EPOCH TZ=UTC LC_ALL=C.UTF-8
# The copy leaves out build folders and the repository itself.
copy=$scratch/another/and-a-much-longer-folder-name/MiseAJour-source
mkdir -p "$copy"
tar -C "$src" --exclude=./build --exclude='./build-*' --exclude=./.git -cf - . | tar -C "$copy" -xf -
sleep 1   # the clock moves on between the builds, at least past a second
(umask 077 && build second "$copy" SOURCE_DATE_EPOCH="$epoch" TZ=Pacific/Auckland LC_ALL=C) || exit 1

for file in src/app/MiseAJour.exe MiseAJour-disc.iso; do
  if cmp -s "$scratch/first/$file" "$scratch/second/$file"; then
    row same "$file ($(stat -c %s "$scratch/first/$file") bytes)"
  else
    bad DIFFERENT "$file: $(cmp "$scratch/first/$file" "$scratch/second/$file" 2>&1 | head -n 1); $(cmp -l "$scratch/first/$file" "$scratch/second/$file" 2>/dev/null | wc -l) bytes differ"
  fi
done

exe=$scratch/first/src/app/MiseAJour.exe
pe=$(od -An -tu4 -j60 -N4 "$exe" | tr -d ' ')
stamp=$(od -An -tu4 -j$((pe + 8)) -N4 "$exe" | tr -d ' ')
if [ "$stamp" = "$epoch" ]; then
  row ok "the program's time stamp is the commit's, $epoch"
else
  bad WRONG "the program's time stamp is $stamp, the commit's time is $epoch"
fi
exit $status
