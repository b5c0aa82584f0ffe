#!/usr/bin/env bash
# Draws the program's icon, shell/dexolin.ico, with ImageMagick: a navy tile
# holding two rows of four bit cells (1011 over 0110), lit cells amber. Only
# drawing primitives are used, no fonts, so every run gives the same pixels.
# The pixels are drawn without anti-aliasing in three colours, so each size
# is stored as a 16-colour bitmap with a transparency mask: 2.7 KB for the
# three sizes where 32-bit bitmaps took 15 KB of the program.
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
    convert -size "${size}x${size}" xc:none +antialias \
        -fill "$tile" -draw "roundrectangle 0,0 $last,$last $radius,$radius" \
        "${cells[@]}" "PNG32:$work/icon$size.png"
}

draw_size 16 3 1 1
draw_size 32 6 1 2
draw_size 48 9 2 3
for size in 16 32 48; do
    convert "$work/icon$size.png" "RGBA:$work/icon$size.rgba"
done
python3 - "$work" "$root/shell/dexolin.ico" <<'PYTHON'
# ICO of 4-bit bitmaps: per size a BITMAPINFOHEADER of twice the height, a
# 16-entry palette, the pixels bottom-up, then the 1-bit AND mask (1 where
# transparent); rows padded to 4 bytes.
import struct, sys
work, out = sys.argv[1], sys.argv[2]
images = []
for size in (16, 32, 48):
    rgba = open(f"{work}/icon{size}.rgba", "rb").read()
    pixels = [rgba[i:i + 4] for i in range(0, len(rgba), 4)]
    palette = [b"\0\0\0"]  # index 0: black, under the mask
    for p in pixels:
        if p[3] >= 128 and p[:3] not in palette:
            palette.append(p[:3])
    assert len(palette) <= 16, "more than 16 colours"
    def row_bytes(bits): return (size * bits + 31) // 32 * 4
    xor = b""
    mask = b""
    for y in reversed(range(size)):
        row = [pixels[y * size + x] for x in range(size)]
        nibbles = [palette.index(p[:3]) if p[3] >= 128 else 0 for p in row]
        line = bytes(nibbles[x] << 4 | nibbles[x + 1] for x in range(0, size, 2))
        xor += line.ljust(row_bytes(4), b"\0")
        bits = 0
        line = b""
        for x, p in enumerate(row):
            bits = bits << 1 | (p[3] < 128)
            if x % 8 == 7:
                line += bytes([bits])
                bits = 0
        mask += line.ljust(row_bytes(1), b"\0")
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 4, 0, len(xor) + len(mask), 0, 0, 16, 0)
    colours = b"".join(bytes([c[2], c[1], c[0], 0]) for c in palette).ljust(64, b"\0")
    images.append((size, header + colours + xor + mask))
data = struct.pack("<HHH", 0, 1, len(images))
offset = 6 + 16 * len(images)
for size, image in images:
    data += struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(image), offset)
    offset += len(image)
open(out, "wb").write(data + b"".join(image for _, image in images))
PYTHON
echo "$root/shell/dexolin.ico"
