#!/usr/bin/env python3
"""Writes the module's icon (resource 203): a blue disc with a white down arrow, at 16, 32
and 48 pixels, each in 16 and 256 colours. Standard library only.

usage: make_icon.py out.ico
"""
import struct
import sys

# The 16-colour images use the classic VGA palette; the 256-colour ones add shades of
# blue after it for a smoother edge.
VGA = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
       (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
       (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]
BLUE_SHADES = [(int(40 + 180 * t / 63), int(70 + 150 * t / 63), 255) for t in range(64)]
PALETTE_256 = VGA + BLUE_SHADES + [(0, 0, 0)] * (256 - len(VGA) - len(BLUE_SHADES))
WHITE, DARK_BLUE, BLUE = 15, 4, 12


def pixel(x, y, size, colours):
    """Palette index at (x, y) (top-down), or None where the icon is transparent."""
    c = (size - 1) / 2.0
    dx, dy = x - c, y - c
    r = size / 2.0 - 0.5
    dist = (dx * dx + dy * dy) ** 0.5
    if dist > r:
        return None
    # Arrow: a shaft in the upper half, a triangle below it.
    shaft = abs(dx) <= size * 0.09 and -size * 0.30 <= dy <= size * 0.05
    head = 0 <= dy - size * 0.02 <= size * 0.28 and abs(dx) <= (size * 0.28 - (dy - size * 0.02))
    if shaft or head:
        return WHITE
    if dist > r - max(1.0, size / 16.0):
        return DARK_BLUE
    if colours == 16:
        return BLUE
    return len(VGA) + min(63, int(63 * (1 - (dy + c) / size)))


def row_bytes(bits_per_pixel, width):
    return ((bits_per_pixel * width + 31) // 32) * 4


def image(size, colours):
    bpp = 4 if colours == 16 else 8
    palette = VGA if colours == 16 else PALETTE_256
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bpp, 0, 0, 0, 0, colours, 0)
    pal = b"".join(struct.pack("BBBB", b, g, r, 0) for r, g, b in palette)
    xor_rows, and_rows = [], []
    for y in range(size - 1, -1, -1):  # bottom-up
        indices = [pixel(x, y, size, colours) for x in range(size)]
        if bpp == 4:
            packed = bytearray()
            for x in range(0, size, 2):
                hi = indices[x] or 0
                lo = (indices[x + 1] or 0) if x + 1 < size else 0
                packed.append((hi << 4) | lo)
        else:
            packed = bytearray(i or 0 for i in indices)
        packed += b"\0" * (row_bytes(bpp, size) - len(packed))
        xor_rows.append(bytes(packed))
        mask = bytearray(row_bytes(1, size))
        for x, i in enumerate(indices):
            if i is None:
                mask[x // 8] |= 0x80 >> (x % 8)
        and_rows.append(bytes(mask))
    return bpp, header + pal + b"".join(xor_rows) + b"".join(and_rows)


def main():
    images = [(size, colours) + image(size, colours) for colours in (16, 256) for size in (16, 32, 48)]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, colours, bpp, data in images:
        out += struct.pack("<BBBBHHII", size, size, colours if colours < 256 else 0, 0, 1, bpp, len(data), offset)
        offset += len(data)
    out += b"".join(data for _, _, _, data in images)
    with open(sys.argv[1], "wb") as f:
        f.write(out)


if __name__ == "__main__":
    main()
