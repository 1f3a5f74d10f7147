#!/usr/bin/env python3
"""Writes the control's toolbox image: a 16x15, 4 bits-per-pixel Windows bitmap
(white ellipse on a grey tile, the figure the control draws), standard library only.

usage: gen_toolbox_bitmap.py out.bmp
"""
import struct
import sys

WIDTH, HEIGHT = 16, 15
# The standard 16-colour Windows palette, (R, G, B).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
    (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
    (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
GREY, BLACK, WHITE, BLUE = 7, 0, 15, 12


def pixel(x, y):
    # Ellipse inscribed in the tile: outline in black, inside white, corner dot in blue.
    cx, cy, rx, ry = 7.5, 7.0, 7.0, 6.5
    d = ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2
    if d <= 0.70:
        return WHITE
    if d <= 1.05:
        return BLACK
    return BLUE if (x, y) == (0, 0) else GREY


def main():
    row_bytes = ((WIDTH * 4 + 31) // 32) * 4
    pixels = bytearray()
    for y in range(HEIGHT - 1, -1, -1):  # bottom-up rows
        row = bytearray()
        for x in range(0, WIDTH, 2):
            row.append((pixel(x, y) << 4) | pixel(x + 1, y))
        row.extend(b"\0" * (row_bytes - len(row)))
        pixels += row
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in PALETTE)
    info = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 4, 0, len(pixels), 2835, 2835, 16, 0)
    offset = 14 + len(info) + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    with open(sys.argv[1], "wb") as f:
        f.write(header + info + palette + pixels)


if __name__ == "__main__":
    main()
