#!/usr/bin/env bash
# Draws the program's icons into res/icons/ with ImageMagick 6 (`convert`):
#   update.ico      128  "Mettre à jour", normal look; also the program's icon
#   update-hot.ico  132  "Mettre à jour", hot look
#   finish.ico      130  "Terminer", normal look
#   finish-hot.ico  131  "Terminer", hot look
# Each carries 32, 16, 24, 48 and 64-pixel images, the 32-pixel one first (the size
# at 96 DPI, and the one LoadImage takes when asked for none in particular): the
# buttons load the size nearest their DPI's (32 at 96, 40 at 120, 48 at 144, 64 at
# 192). The 32 and 16-pixel images are bitmaps, as they always were; the larger ones
# are stored as PNG, which Windows reads in icons since Vista (and Wine too), so
# that five sizes of four icons weigh some 60 kB in the program rather than 140.
# The ICO container is put together by python3, since ImageMagick 6 stores PNG
# only for images of 256 pixels. Each is drawn at 256x256 and scaled down, which
# gives clean antialiased edges.
# The images are 32-bit with alpha; fully transparent pixels are black in the
# colour plane with their mask bit set, which is what the button's grayed and
# darkened copies take for "transparent". No pure black is drawn anywhere else.
# The output carries no date or other metadata: running the script again gives
# the same bytes.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
out="$here/icons"
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

S=256          # drawing size
C=128          # centre

# Point at radius $1 and angle $2 (degrees, clockwise from +x) round the centre.
pt() { awk -v r="$1" -v a="$2" -v c="$C" 'BEGIN { t = a * atan2(0, -1) / 180; printf "%.2f,%.2f", c + r * cos(t), c + r * sin(t) }'; }

# An open arc of radius $1 from angle $2 to $3, clockwise, as a polyline: IM6
# strokes an SVG arc path as if it were closed, chord included.
arc() { awk -v r="$1" -v a0="$2" -v a1="$3" -v c="$C" 'BEGIN {
  printf "polyline"
  for (a = a0; a < a1 + 2; a += 3) { if (a > a1) a = a1; t = a * atan2(0, -1) / 180; printf " %.2f,%.2f", c + r * cos(t), c + r * sin(t) }
}'; }

# Arrows running clockwise round a circle: two chasing each other make the
# usual "refresh" sign; at 16 pixels a single one reads better.
# arrows_mvg RADIUS HEAD_HALF_WIDTH HEAD_DEGREES "FROM TO"...
arrows_mvg() {
  local r=$1 half=$2 head=$3 m="" ends; shift 3
  for ends in "$@"; do
    # shellcheck disable=SC2086  # "FROM TO" is meant to split into two words
    set -- $ends
    m+="$(arc "$r" "$1" "$2") "
    # The head: its base straddles the circle where the arc ends, its tip lies
    # further on round the circle.
    m+="push graphic-context stroke none fill white "
    m+="polygon $(pt $((r - half)) "$2") $(pt $((r + half)) "$2") $(pt "$r" $(($2 + head))) "
    m+="pop graphic-context "
  done
  printf '%s' "$m"
}

# The power sign: a ring open at the top and a bar through the opening.
# power_mvg RADIUS
power_mvg() {
  printf "%s line %d,%d %d,%d" "$(arc "$1" -60 240)" $C $((C - $1 - 10)) $C $((C - 8))
}

# art NAME TOP BOTTOM RIM GLYPH SIZE: one frame of SIZE pixels into $work/NAME-SIZE.miff.
# A rounded tile with a vertical gradient, a darker rim and a gloss on its upper
# half; on it the glyph in white over a soft shadow. GLYPH is refresh or power.
# Strokes get heavier for the 16-pixel frame so that it still reads.
art() {
  local name=$1 top=$2 bottom=$3 rim=$4 glyph=$5 size=$6
  local stroke=24 radius=62 rimw=8 small=0 mvg shadow
  if [ "$size" -le 16 ]; then small=1 stroke=32 radius=58 rimw=14; fi
  case $glyph/$small in
    refresh/0) mvg=$(arrows_mvg $radius 30 36 "190 318" "10 138") ;;
    refresh/1) mvg=$(arrows_mvg $radius 52 55 "40 285") ;;
    power/*) mvg=$(power_mvg $radius) ;;
  esac
  shadow=$(printf '%s' "$mvg" | sed 's/fill white/fill rgba(20,20,20,0.45)/g')
  convert -size ${S}x${S} "gradient:$top-$bottom" \
    \( -size ${S}x${S} xc:none -fill white -draw "roundrectangle 6,6 249,249 52,52" \) \
    -alpha off -compose CopyOpacity -composite -alpha on \
    \( -size ${S}x${S} xc:none -fill 'rgba(255,255,255,0.22)' -draw "ellipse $C,34 170,104 0,360" \) \
    -compose Atop -composite \
    -fill none -stroke "$rim" -strokewidth $rimw \
    -draw "roundrectangle $((6 + rimw / 2)),$((6 + rimw / 2)) $((249 - rimw / 2)),$((249 - rimw / 2)) 48,48" \
    \( -size ${S}x${S} xc:none -fill none -stroke 'rgba(20,20,20,0.45)' -strokewidth $stroke \
       -draw "translate 0,6 stroke-linecap round stroke-linejoin round $shadow" -blur 0x5 \) \
    -compose Over -composite \
    \( -size ${S}x${S} xc:none -fill none -stroke white -strokewidth $stroke \
       -draw "stroke-linecap round stroke-linejoin round $mvg" \) \
    -compose Over -composite \
    -filter Catrom -resize "${size}x${size}" \
    "$work/$name-$size.miff"
}

# icon NAME TOP BOTTOM RIM GLYPH: the bitmap images (BMP_SIZES) by ImageMagick, then
# the PNG ones (PNG_SIZES) added to the same file.
icon() {
  local name=$1 top=$2 bottom=$3 rim=$4 glyph=$5 size frames=() pngs=()
  for size in "${BMP_SIZES[@]}" "${PNG_SIZES[@]}"; do
    art "$name" "$top" "$bottom" "$rim" "$glyph" "$size"
  done
  for size in "${BMP_SIZES[@]}"; do frames+=("$work/$name-$size.miff"); done
  convert "${frames[@]}" -strip -background black -alpha background "$out/$name.ico"
  for size in "${PNG_SIZES[@]}"; do
    convert "$work/$name-$size.miff" -strip -background black -alpha background \
      -define png:exclude-chunks=date,time "PNG32:$work/$name-$size.png"
    pngs+=("$work/$name-$size.png")
  done
  add_png_images "$out/$name.ico" "${pngs[@]}"
}

# add_png_images ICO PNG...: appends each PNG as one more image of the icon file.
add_png_images() {
  python3 - "$@" <<'PY'
import struct, sys
ico_path, pngs = sys.argv[1], sys.argv[2:]
data = open(ico_path, 'rb').read()
count = struct.unpack('<HHH', data[:6])[2]
entries = [list(struct.unpack('<BBBBHHII', data[6 + 16 * i:22 + 16 * i])) for i in range(count)]
images = [data[e[7]:e[7] + e[6]] for e in entries]
for path in pngs:
    png = open(path, 'rb').read()
    width, height = struct.unpack('>II', png[16:24])
    entries.append([width % 256, height % 256, 0, 0, 1, 32, len(png), 0])
    images.append(png)
offset = 6 + 16 * len(entries)
header = struct.pack('<HHH', 0, 1, len(entries))
for entry, image in zip(entries, images):
    entry[7] = offset
    offset += len(image)
    header += struct.pack('<BBBBHHII', *entry)
open(ico_path, 'wb').write(header + b''.join(images))
PY
}

BMP_SIZES=(32 16)
PNG_SIZES=(24 48 64)
icon update     '#6ccb5f' '#1f7424' '#17591b' refresh
icon update-hot '#a6f394' '#33a933' '#207c22' refresh
icon finish     '#e55a4c' '#971b14' '#6c130e' power
icon finish-hot '#ff9a88' '#d7382b' '#931c13' power

ls -l "$out"
