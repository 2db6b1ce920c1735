#!/usr/bin/env bash
# Draws the Linux editor's icon: a stone-grey gear-like badge with a joystick
# lever, our own design, drawn on a 64 x 64 grid and scaled to SIZE.
#   make-icon.sh               the 64 x 64 window icon in src/resources/linux
#   make-icon.sh SIZE OUTPUT   one size of the installed icon theme
set -euo pipefail
size=${1:-64}
out=${2:-"$(dirname "$0")/../src/resources/linux/ravelstone-config.png"}
scale=$(awk "BEGIN { print $size / 64 }")
convert -size "${size}x${size}" xc:none -draw "affine $scale,0,0,$scale,0,0
    fill '#3b4a5a' roundrectangle 2,2 61,61 12,12
    fill '#7d8b99' roundrectangle 6,6 57,57 10,10
    fill '#d94f3d' circle 32,24 32,14
    fill '#2b2b2b' rectangle 29,24 35,44
    fill '#1f2a36' roundrectangle 14,42 50,54 5,5
    fill '#f2c14e' circle 21,48 21,45
    fill '#f2c14e' circle 43,48 43,45" \
    -strip "$out"
[ $# -gt 0 ] || echo "wrote $out"
