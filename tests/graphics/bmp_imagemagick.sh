#!/usr/bin/env bash
# ImageMagick against the BMP codec, both ways: it must read every file the
# writer makes with the pixels the writer was given, and the reader must decode
# the 1-, 4-, 8-, 16-, 24- and 32-bit and run-length files it makes to the
# pixels it reads from them itself.
#
#   bmp_imagemagick.sh BMP_TOOL
#
# Exits 77 (skipped) when ImageMagick is not installed.
set -euo pipefail

tool=$1
command -v identify >/dev/null && convert -version 2>/dev/null | grep -q ImageMagick || {
    echo "ImageMagick is not installed"
    exit 77
}
work=$(mktemp -d "${TMPDIR:-/tmp}/kav3-bmp.XXXXXX")
trap 'rm -rf "$work"' EXIT
failed=0

# "x,y #RRGGBB" lines of a file as ImageMagick reads it.
magick_pixels() {
    convert "$1" -depth 8 txt:- | sed -n 's/^\([0-9]*,[0-9]*\):.*#\([0-9A-Fa-f]\{6\}\).*/\1 #\2/p' |
        tr 'a-f' 'A-F'
}

field() { od -An -t"$2" -j"$3" -N"$4" "$1" | tr -d ' '; }

check() {
    local what=$1 expected=$2 actual=$3
    if [[ $expected != "$actual" ]]; then
        echo "FAIL $what"
        diff <(echo "$expected") <(echo "$actual") | head -n 6
        failed=1
    fi
}

# Our files through ImageMagick.
for bits in 1 8 24 32; do
    f=$work/ours$bits.bmp
    "$tool" write "$bits" "$f"
    check "size of our $bits-bit file" "9 5" "$(identify -format '%w %h' "$f")"
    check "pixels of our $bits-bit file" "$("$tool" pattern "$bits")" "$(magick_pixels "$f")"
done

# ImageMagick's files through our reader: 45 distinct colours, so that the
# palette variants need their whole tables.
{
    echo "P3 9 5 255"
    for y in 0 1 2 3 4; do
        for x in 0 1 2 3 4 5 6 7 8; do echo "$(((x * 28 + y * 3) % 256)) $(((y * 60 + x) % 256)) $(((x * y * 11 + 17) % 256))"; done
    done
} >"$work/source.ppm"

# name, ImageMagick options, header size, bits, compression
variants=(
    "bmp3-1bit|-type bilevel BMP3|40|1|0"
    "bmp3-4bit|-colors 12 -type palette BMP3|40|4|0"
    "bmp3-8bit|-type palette -compress none BMP3|40|8|0"
    "bmp3-rle8|-type palette -compress RLE BMP3|40|8|1"
    "bmp3-24bit|-type truecolor BMP3|40|24|0"
    "bmp5-4bit|-colors 12 -type palette BMP|124|4|0"
    "bmp5-24bit|-type truecolor BMP|124|24|0"
    "bmp5-565|-define bmp:subtype=RGB565 BMP|124|16|3"
    "bmp5-32bit|-type truecolor -alpha on BMP|124|32|3"
)
for v in "${variants[@]}"; do
    IFS='|' read -r name options header bits compression <<<"$v"
    f=$work/$name.bmp
    read -ra opts <<<"${options% *}"
    convert "$work/source.ppm" "${opts[@]}" "${options##* }:$f"
    # The test is only worth something if ImageMagick wrote what we asked for.
    check "$name layout" "$header $bits $compression" "$(field "$f" u4 14 4) $(field "$f" u2 28 2) $(field "$f" u4 30 4)"
    check "$name pixels" "$(magick_pixels "$f")" "$("$tool" dump "$f" || true)"
done

# The core header of old OS/2 files lays out its fields otherwise: refused.
convert "$work/source.ppm" -type palette "BMP2:$work/core.bmp"
if "$tool" dump "$work/core.bmp" >/dev/null; then
    echo "FAIL a core-header file was read"
    failed=1
fi

exit $failed
