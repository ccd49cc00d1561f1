#!/usr/bin/env python3
"""Writes the two activity-lamp images: 13 x 13 solid squares, pure green
(0, 255, 0) and mid gray (128, 128, 128). Standard library only, so the
output is the same on every machine."""
import os
import struct
import zlib


def png(path, size, rgb):
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    row = b"\x00" + bytes(rgb) * size
    raw = row * size
    header = struct.pack(">IIBBBBB", size, size, 8, 2, 0, 0, 0)
    data = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")
    with open(path, "wb") as out:
        out.write(data)


here = os.path.join(os.path.dirname(os.path.abspath(__file__)), "images")
png(os.path.join(here, "lamp-green.png"), 13, (0, 255, 0))
png(os.path.join(here, "lamp-gray.png"), 13, (128, 128, 128))
