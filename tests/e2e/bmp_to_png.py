#!/usr/bin/env python3
"""Converts a 24-bit uncompressed Windows bitmap (as the watcher saves it) to PNG,
standard library only.

usage: bmp_to_png.py in.bmp out.png
"""
import struct
import sys
import zlib


def convert(bmp_path, png_path):
    data = open(bmp_path, "rb").read()
    if data[:2] != b"BM":
        raise ValueError(f"{bmp_path}: not a bitmap")
    offset = struct.unpack_from("<I", data, 10)[0]
    width, height, _, bpp, compression = struct.unpack_from("<iiHHI", data, 18)
    if bpp != 24 or compression != 0:
        raise ValueError(f"{bmp_path}: only 24-bit uncompressed bitmaps are supported")
    bottom_up = height > 0
    height = abs(height)
    row_bytes = (width * 3 + 3) // 4 * 4
    raw = bytearray()
    for y in range(height):
        src = height - 1 - y if bottom_up else y
        row = data[offset + src * row_bytes: offset + src * row_bytes + width * 3]
        raw.append(0)  # filter: none
        for x in range(0, len(row), 3):
            raw += bytes((row[x + 2], row[x + 1], row[x]))  # BGR -> RGB

    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF)

    png = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b"")
    with open(png_path, "wb") as f:
        f.write(png)


if __name__ == "__main__":
    convert(sys.argv[1], sys.argv[2])
