#!/usr/bin/python3
"""Draws the program icon: one 32 x 32 image with a 256-colour palette.

A dark rounded tile with a direction pad and four buttons, the inputs the
editor assigns. Run it again after changing the drawing:
    python3 make_icon.py config.ico
"""
import struct
import sys

SIZE = 32

# Palette: index 0 is transparent (masked), the rest are the drawing colours;
# unused entries stay black so that the palette has its full 256 entries.
COLOURS = [
    (0, 0, 0),        # 0 transparent
    (24, 30, 48),     # 1 tile edge
    (40, 52, 84),     # 2 tile
    (58, 74, 118),    # 3 tile highlight
    (225, 228, 236),  # 4 pad
    (200, 60, 60),    # 5 button red
    (230, 190, 50),   # 6 button yellow
    (70, 170, 90),    # 7 button green
    (70, 130, 220),   # 8 button blue
    (130, 134, 146),  # 9 pad shadow
]


def inside_tile(x, y, inset):
    """Rounded square with corner radius 6, shrunk by `inset` pixels."""
    lo, hi, r = inset, SIZE - 1 - inset, 6 - inset
    cx = min(max(x, lo + r), hi - r)
    cy = min(max(y, lo + r), hi - r)
    return lo <= x <= hi and lo <= y <= hi and (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def pixel(x, y):
    if not inside_tile(x, y, 1):
        return 0
    colour = 1
    if inside_tile(x, y, 2):
        colour = 3 if y < 12 else 2
    # Direction pad on the left.
    in_pad = (7 <= x <= 11 and 10 <= y <= 20) or (4 <= x <= 14 and 13 <= y <= 17)
    if in_pad:
        return 4
    if (8 <= x <= 12 and y == 21) or (x == 15 and 14 <= y <= 18):
        return 9
    # Four buttons in a diamond on the right.
    for bx, by, c in ((23, 10, 6), (19, 15, 8), (27, 15, 5), (23, 20, 7)):
        if (x - bx) ** 2 + (y - by) ** 2 <= 5:
            return c
    return colour


def icon_bytes():
    rows = [[pixel(x, y) for x in range(SIZE)] for y in range(SIZE)]
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in COLOURS)
    palette += b"\0" * (256 * 4 - len(palette))
    # Bitmaps are stored bottom-up.
    xor = b"".join(bytes(rows[y]) for y in reversed(range(SIZE)))
    mask = b""
    for y in reversed(range(SIZE)):
        bits = 0
        for x in range(SIZE):
            bits = (bits << 1) | (1 if rows[y][x] == 0 else 0)
        mask += struct.pack(">I", bits)
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 8, 0,
                         len(xor) + len(mask), 0, 0, 256, 0)
    image = header + palette + xor + mask
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 1, 8, len(image), 6 + 16)
    return directory + entry + image


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else "config.ico"
    with open(out, "wb") as f:
        f.write(icon_bytes())


if __name__ == "__main__":
    main()
