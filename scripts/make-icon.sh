#!/usr/bin/env bash
# Draws the program's icon, shell/dexolin.ico, with ImageMagick: a navy tile
# holding two rows of four bit cells (1011 over 0110), lit cells amber. Only
# drawing primitives are used, no fonts, so every run gives the same pixels.
# Usage: scripts/make-icon.sh   (rewrites shell/dexolin.ico)
set -euo pipefail
source "$(dirname "$0")/common.sh"
make_work_dir

tile='#1f3a5f'
lit='#ffb000'
dim='#3c5a80'
pattern='10110110'  # row 1 then row 2, most significant cell first

# draw_size SIZE CELL GAP MARGIN: one square image of SIZE pixels.
draw_size() {
    local size=$1 cell=$2 gap=$3 margin=$4
    local last=$((size - 1)) radius=$((size / 8))
    local cells=() i=0 row col colour x0 y0
    for row in 0 1; do
        for col in 0 1 2 3; do
            colour=$dim
            [ "${pattern:i:1}" = 1 ] && colour=$lit
            x0=$((margin + col * (cell + gap)))
            y0=$(((size - 2 * cell - gap) / 2 + row * (cell + gap)))
            cells+=(-fill "$colour" -draw "rectangle $x0,$y0 $((x0 + cell - 1)),$((y0 + cell - 1))")
            i=$((i + 1))
        done
    done
    convert -size "${size}x${size}" xc:none \
        -fill "$tile" -draw "roundrectangle 0,0 $last,$last $radius,$radius" \
        "${cells[@]}" "PNG32:$work/icon$size.png"
}

draw_size 16 3 1 1
draw_size 32 6 1 2
draw_size 48 9 2 3
convert "$work/icon16.png" "$work/icon32.png" "$work/icon48.png" "$root/shell/dexolin.ico"
echo "$root/shell/dexolin.ico"
