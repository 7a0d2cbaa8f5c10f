#!/usr/bin/env python3
"""Writes laser.cur: the laser pointer's dot, a 32 x 32 cursor of 16 colours, hotspot (15, 15).

Rows 9 to 22 hold a filled disc of pure green, centred between columns 9 and 22; every other
pixel is transparent. Run it again only to change the dot; the file it writes is committed.
"""
import struct
import sys

SIZE = 32
HOTSPOT = (15, 15)
FIRST_ROW = 9
ROW_WIDTHS = [6, 8, 10, 12, 14, 14, 14, 14, 14, 14, 12, 10, 8, 6]


def disc_columns(row):
    """Columns of the disc on a row, empty when the row has none."""
    i = row - FIRST_ROW
    if not 0 <= i < len(ROW_WIDTHS):
        return range(0)
    half = ROW_WIDTHS[i] // 2
    return range(16 - half, 16 + half)


def image():
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, 2 * SIZE, 1, 4, 0, 0, 0, 0, 16, 0)
    palette = bytes([0, 0, 0, 0, 0, 255, 0, 0]) + bytes(4 * 14)  # 0 black, 1 green (B, G, R, 0)
    colour = bytearray()
    mask = bytearray()
    for row in reversed(range(SIZE)):  # bottom-up
        on = set(disc_columns(row))
        pixels = [1 if col in on else 0 for col in range(SIZE)]
        colour += bytes((pixels[c] << 4) | pixels[c + 1] for c in range(0, SIZE, 2))
        bits = 0
        for col in range(SIZE):
            bits = (bits << 1) | (0 if col in on else 1)  # 1: transparent
        mask += bits.to_bytes(4, "big")
    return header + palette + bytes(colour) + bytes(mask)


def cursor_file():
    data = image()
    directory = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 16, 0, HOTSPOT[0], HOTSPOT[1], len(data), 6 + 16)
    return directory + entry + data


if __name__ == "__main__":
    with open(sys.argv[1] if len(sys.argv) > 1 else "laser.cur", "wb") as out:
        out.write(cursor_file())
