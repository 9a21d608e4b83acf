#!/bin/sh
# Writes the pictures built into chimeset as plain pixels, 8 bits a channel, row by row: read
# that way they need no image decoder, so start-up never looks for image plugins. The icons
# are red, green, blue and alpha. The map, opaque, is blue, green, red and alpha: the window's
# own pixel format on a little-endian machine, so it is shown without a conversion.
# Needs ImageMagick. Run from this folder after changing a PNG file here, and commit the
# .rgba and .bgra files it writes; a test checks they still match their PNG files.
set -eu
for size in 16 32 48 64; do
    convert "icons/chimeset-$size.png" -depth 8 "rgba:icons/chimeset-$size.rgba"
done
convert map/britain.png -alpha off -alpha opaque -depth 8 bgra:map/britain.bgra
