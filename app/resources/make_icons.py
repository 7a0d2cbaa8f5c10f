#!/usr/bin/env python3
"""Writes the notification-area icons: quorvelle.ico (running) and quorvelle_paused.ico (paused).

Each holds a 16 x 16 and a 32 x 32 image, 32-bit with alpha: a filled disc with a ring cut out
of it and a short tail at the lower right, a "Q", blue while the program runs and grey while it
is paused. Run it again only to change the drawing; the files it writes are committed.
"""
import math
import struct
import sys

COLOURS = {"quorvelle.ico": (0x2B, 0x6C, 0xD4), "quorvelle_paused.ico": (0x80, 0x80, 0x80)}


def coverage(size, x, y):
    """How much of pixel (x, y) the Q covers, 0 to 1, by 4 x 4 supersampling."""
    inside = 0
    for sy in range(4):
        for sx in range(4):
            px = (x + (sx + 0.5) / 4) / size
            py = (y + (sy + 0.5) / 4) / size
            r = math.hypot(px - 0.47, py - 0.47)
            ring = 0.26 <= r <= 0.44
            tail = abs((px - py)) < 0.07 and 0.6 <= px <= 0.92 and 0.6 <= py <= 0.92
            inside += ring or tail
    return inside / 16


def image(size, colour):
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = bytearray()
    for y in reversed(range(size)):  # bottom-up
        for x in range(size):
            a = round(255 * coverage(size, x, y))
            b, g, r = colour[2], colour[1], colour[0]
            pixels += bytes((b, g, r, a) if a else (0, 0, 0, 0))
    mask_row = ((size + 31) // 32) * 4
    mask = bytes(mask_row * size)  # the alpha decides; the mask is all opaque
    return header + bytes(pixels) + mask


def icon_file(colour):
    images = [image(size, colour) for size in (16, 32)]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in zip((16, 32), images):
        out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    return out + b"".join(images)


if __name__ == "__main__":
    folder = sys.argv[1] if len(sys.argv) > 1 else "."
    for name, colour in COLOURS.items():
        with open(f"{folder}/{name}", "wb") as f:
            f.write(icon_file(colour))
