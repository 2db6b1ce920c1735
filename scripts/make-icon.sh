#!/usr/bin/env bash
# Draws the Linux editor's icon (64 x 64): a stone-grey gear-like badge with
# a joystick lever, our own design. Run again after changing the drawing.
set -euo pipefail
out="$(dirname "$0")/../src/resources/linux/ravelstone-config.png"
convert -size 64x64 xc:none \
    -fill '#3b4a5a' -draw 'roundrectangle 2,2 61,61 12,12' \
    -fill '#7d8b99' -draw 'roundrectangle 6,6 57,57 10,10' \
    -fill '#d94f3d' -draw 'circle 32,24 32,14' \
    -fill '#2b2b2b' -draw 'rectangle 29,24 35,44' \
    -fill '#1f2a36' -draw 'roundrectangle 14,42 50,54 5,5' \
    -fill '#f2c14e' -draw 'circle 21,48 21,45' \
    -fill '#f2c14e' -draw 'circle 43,48 43,45' \
    -strip "$out"
echo "wrote $out"
