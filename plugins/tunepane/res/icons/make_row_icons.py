#!/usr/bin/env python3
"""Writes the MP3 page's two list icons (16 x 16, 32 bits with a mask): a folder for folder
rows and a page with a note for file rows. Run it from any folder; it writes next to itself."""
import os
import struct

SIZE = 16
TRANSPARENT = None

FOLDER = [
    "................",
    "................",
    "..#####.........",
    ".#YYYYY#........",
    ".#YYYYYY######..",
    ".#yyyyyyyyyyyy#.",
    ".#YYYYYYYYYYYY#.",
    ".#YYYYYYYYYYYY#.",
    ".#YYYYYYYYYYYY#.",
    ".#YYYYYYYYYYYY#.",
    ".#YYYYYYYYYYYY#.",
    ".#YYYYYYYYYYYY#.",
    ".#YYYYYYYYYYYY#.",
    "..############..",
    "................",
    "................",
]

FILE = [
    "..#########.....",
    "..#WWWWWWW##....",
    "..#WWWWWWW#W#...",
    "..#WWWWWWW####..",
    "..#WWWWBBBBWW#..",
    "..#WWWWBWWBWW#..",
    "..#WWWWBWWBWW#..",
    "..#WWWWBWWBWW#..",
    "..#WWWWBWWBWW#..",
    "..#WWBBBWBBBW#..",
    "..#WBBBBBBBBW#..",
    "..#WWBBWWBBWW#..",
    "..#WWWWWWWWWW#..",
    "..#WWWWWWWWWW#..",
    "..############..",
    "................",
]

COLOURS = {  # (blue, green, red, alpha)
    "#": (40, 40, 40, 255),
    "Y": (60, 200, 250, 255),
    "y": (30, 150, 210, 255),
    "W": (255, 255, 255, 255),
    "B": (200, 90, 20, 255),
}


def icon_bytes(rows):
    pixels = b""
    for row in reversed(rows):  # bottom-up, as in a bitmap
        for cell in row:
            pixels += bytes(COLOURS.get(cell, (0, 0, 0, 0)))
    mask = b""
    for row in reversed(rows):
        bits = 0
        for column, cell in enumerate(row):
            if cell == ".":
                bits |= 1 << (15 - column)
        mask += struct.pack(">H", bits) + b"\0\0"  # rows padded to 32 bits
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 32, 0, len(pixels) + len(mask), 0, 0, 0, 0)
    image = header + pixels + mask
    directory = struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 1, 32, len(image), 22)
    return directory + image


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    for name, rows in (("FolderRow.ico", FOLDER), ("FileRow.ico", FILE)):
        with open(os.path.join(here, name), "wb") as out:
            out.write(icon_bytes(rows))


if __name__ == "__main__":
    main()
