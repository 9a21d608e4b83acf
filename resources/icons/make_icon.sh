#!/bin/sh
# Draws the program icons at the sizes the window system asks for: chimeset's bell, and
# chimemove's, the same bell with an arrow (logs moving on), as its dialog draws it.
# Needs ImageMagick. Run from this folder; commit the PNG files it writes.
set -eu
draw='
fill "#7a5514" roundrectangle 112,14 144,56 8,8
fill "#d9a441" stroke "#7a5514" stroke-width 8
path "M 128 40 C 78 40 70 92 68 140 C 66 180 52 194 34 204 L 222 204 C 204 194 190 180 188 140 C 186 92 178 40 128 40 Z"
fill "#b8842c" roundrectangle 26,198 230,222 10,10
fill "#7a5514" stroke none circle 128,234 128,218
fill "#f3d48a" stroke none path "M 100 70 C 88 90 86 120 86 150 L 98 150 C 98 120 100 92 112 70 Z"
'
convert -size 256x256 xc:none -draw "$draw" chimeset-256.png
for size in 16 32 48 64 128; do
    convert chimeset-256.png -resize ${size}x${size} "chimeset-$size.png"
done

# The arrow sits at the bottom right, over the bell's lip, in the dialog icon's blue.
arrow='
stroke "#1e5aaa" stroke-width 22 stroke-linecap round stroke-linejoin round fill none
path "M 146 226 L 236 226 M 210 200 L 236 226 L 210 252"
'
convert chimeset-256.png -draw "$arrow" chimemove-256.png
for size in 16 32 48 64 128; do
    convert chimemove-256.png -resize ${size}x${size} "chimemove-$size.png"
done
# The Windows icon file, all sizes in one, for the programs' resource scripts.
convert chimeset-16.png chimeset-32.png chimeset-48.png chimeset-64.png chimeset-128.png \
    chimeset-256.png -depth 8 chimeset.ico
