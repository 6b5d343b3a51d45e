#!/usr/bin/env bash
# Renders the program's pictures from their sources in this folder: the PNG
# icons from icons/svg/*.svg and the splash logo splash/logo.jpg. The results
# are committed; building the program does not need these tools.
#
# Needs rsvg-convert (librsvg2-bin) and ImageMagick 6 (imagemagick), plus the
# Liberation and WenQuanYi fonts of scripts/setup.
set -euo pipefail
cd "$(dirname "$0")"

convert=/usr/bin/convert
command -v rsvg-convert >/dev/null && [ -x "$convert" ] || {
    echo "make-images: needs rsvg-convert and ImageMagick: apt-get install librsvg2-bin imagemagick" >&2
    exit 1
}

svg=icons/svg
png() { # png NAME SIZE -> icons/NAME-SIZE.png
    rsvg-convert -w "$2" -h "$2" "$svg/$1.svg" -o "icons/$1-$2.png"
}

for name in new open save openimage importcsv exportcsv exit read write channels options port help \
    about; do
    png "$name" 16
done
for name in new open save exit read write channels options; do
    png "$name" 32
done
for name in read write exit warning; do
    png "$name" 48
done
png ok 16
# The drop-down arrow of the lists, for the skins.
for name in arrow arrow-disabled; do
    rsvg-convert -w 10 -h 6 "$svg/$name.svg" -o "icons/$name.png"
done
# The program icon: the about box shows it at 57 x 65, windows use 64 x 64.
rsvg-convert -w 57 -h 65 "$svg/radio.svg" -o icons/radio-about.png
rsvg-convert -h 64 "$svg/radio.svg" |
    "$convert" png:- -background none -gravity center -extent 64x64 icons/radio-64.png

# The desktop icon (menus, launchers, software centres): the radio centred
# on a square, desktop/qb380.svg, and the hicolor sizes desktops ask for.
sed 's/width="56" height="64" viewBox="0 0 56 64"/width="64" height="64" viewBox="-4 0 64 64"/' \
    "$svg/radio.svg" >desktop/qb380.svg
for size in 16 22 24 32 48 64 128 256; do
    rsvg-convert -w "$size" -h "$size" desktop/qb380.svg -o "desktop/hicolor/qb380-$size.png"
done

# The splash logo, 1559 x 969: splash/logo.svg (field, waves and lettering)
# with the radio laid on it, encoded as JPEG.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
rsvg-convert splash/logo.svg -o "$work/field.png"
rsvg-convert -w 385 -h 440 "$svg/radio.svg" -o "$work/radio.png"
"$convert" "$work/field.png" "$work/radio.png" -geometry +172+290 -compose over -composite \
    -background '#061430' -flatten -quality 90 -sampling-factor 4:2:0 -strip splash/logo.jpg
echo "make-images: icons, desktop icons and splash/logo.jpg written"
