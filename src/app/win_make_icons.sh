#!/bin/bash
# Draws the program's icon and the button glyphs (ImageMagick) into the .ico
# files beside this script. The .ico files are committed; run this only to
# change them.
set -euo pipefail
cd "$(dirname "$0")"
convert=/usr/bin/convert
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# Everything is drawn on a 256 x 256 canvas and scaled down.
canvas() { "$convert" -size 256x256 xc:none "$@"; }
ico() {  # ico SOURCE.png TARGET.ico SIZES
    "$convert" "$1" -define icon:auto-resize="$3" "$2"
}
grey() {  # the disabled look: grey and faded
    "$convert" "$1" -colorspace Gray -channel RGB -level -60%,100% +channel \
        -channel A -evaluate multiply 0.6 +channel "$2"
}

# Accept: a green check mark.
canvas -fill none -stroke '#0b5e0b' -strokewidth 64 -draw "stroke-linecap round stroke-linejoin round polyline 44,140 104,200 214,66" \
       -stroke '#2db42d' -strokewidth 38 -draw "stroke-linecap round stroke-linejoin round polyline 44,140 104,200 214,66" \
       "$tmp/aceptar.png"
grey "$tmp/aceptar.png" "$tmp/aceptar_gris.png"

# Close: an open door in its frame.
canvas -fill '#3a3a3a' -stroke '#1e1e1e' -strokewidth 10 -draw "rectangle 70,20 200,236" \
       -fill '#c9823e' -stroke '#5a3512' -strokewidth 10 -draw "polygon 70,20 150,48 150,212 70,236" \
       -fill '#f4d03f' -stroke '#5a3512' -strokewidth 6 -draw "circle 130,132 130,146" \
       "$tmp/cerrar.png"
grey "$tmp/cerrar.png" "$tmp/cerrar_gris.png"

# The folder lists: a closed folder, an open folder, a drive.
canvas -fill '#f2c230' -stroke '#8a6500' -strokewidth 10 -draw "polygon 16,56 96,56 120,84 240,84 240,216 16,216" \
       -fill '#f7d15e' -stroke '#8a6500' -strokewidth 10 -draw "rectangle 16,96 240,216" \
       "$tmp/carpeta.png"
canvas -fill '#d9a21b' -stroke '#8a6500' -strokewidth 10 -draw "polygon 16,56 96,56 120,84 220,84 220,216 16,216" \
       -fill '#fae08a' -stroke '#8a6500' -strokewidth 10 -draw "polygon 56,120 250,120 216,216 16,216" \
       "$tmp/carpeta_abierta.png"
canvas -fill '#d4d4d4' -stroke '#4a4a4a' -strokewidth 10 -draw "roundrectangle 12,88 244,184 20,20" \
       -fill '#9a9a9a' -stroke none -draw "rectangle 36,128 150,144" \
       -fill '#27c227' -stroke '#0b5e0b' -strokewidth 6 -draw "circle 200,136 200,152" \
       "$tmp/unidad.png"

# The program: two arrows, ZARP to Vardelin and back.
canvas -fill '#2f63b5' -stroke '#1b3d78' -strokewidth 8 -draw "roundrectangle 8,8 248,248 44,44" \
       -fill '#f9d37d' -stroke '#7a5200' -strokewidth 8 -draw "polygon 36,64 150,64 150,32 222,88 150,144 150,112 36,112" \
       -fill '#cff2fe' -stroke '#1b3d78' -strokewidth 8 -draw "polygon 220,148 106,148 106,116 34,172 106,228 106,196 220,196" \
       "$tmp/transVardelZarp.png"

glyph_sizes=16,20,24,32,40,48
for g in aceptar aceptar_gris cerrar cerrar_gris carpeta carpeta_abierta unidad; do ico "$tmp/$g.png" "$g.ico" "$glyph_sizes"; done
ico "$tmp/transVardelZarp.png" transVardelZarp.ico 16,20,24,32,40,48,64,256
ls -l ./*.ico
