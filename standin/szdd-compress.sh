#!/bin/sh
# szdd-compress.sh MSCOMPRESS SOURCE OUTPUT
# Compresses SOURCE into OUTPUT in the SZDD format that lz32 expands. mscompress
# writes NAME_ beside its input and leaves the header's "missing last character"
# byte at 0, so the expanded name would lose its last letter; the byte is set
# here to the last character of SOURCE's name ('e' for any .exe).
set -eu
mscompress=$1 source=$2 output=$3

outdir=$(dirname "$output")
mkdir -p "$outdir"
work=$(mktemp -d "$outdir/.szdd.XXXXXX")
trap 'rm -rf "$work"' EXIT

name=$(basename "$source")
cp "$source" "$work/$name"
"$mscompress" "$work/$name"
packed="$work/${name}_"
last=$(printf '%s' "$name" | tail -c 1)
printf '%s' "$last" | dd of="$packed" bs=1 seek=9 conv=notrunc status=none

# Header: "SZDD" 88 F0 27 33, 'A', the missing character, the expanded size (u32 LE).
header=$(od -An -tx1 -N14 "$packed" | tr -d ' \n')
size=$(wc -c <"$source")
want=$(printf '535a4444' ; printf '88f02733'; printf '41'; printf '%s' "$last" | od -An -tx1 | tr -d ' \n'
       printf '%02x%02x%02x%02x' $((size & 255)) $((size >> 8 & 255)) $((size >> 16 & 255)) $((size >> 24 & 255)))
if [ "$header" != "$want" ]; then
  echo "szdd-compress: unexpected header $header for $source (wanted $want)" >&2
  exit 1
fi
mv -f "$packed" "$output"
