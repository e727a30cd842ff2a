#!/usr/bin/env python3
"""Draws the office window's five 19 x 19 icons as PNG files beside this script.

Index 0 polling on, 1 polling off, 2 modem, 3 e-mail, 4 direct IP. The background is pure white,
which the station frames draw as transparent; the pictures themselves avoid pure white so that
no part of them disappears. Run it again after changing a picture: python3 make_icons.py
"""

import os
import struct
import zlib

SIZE = 19
WHITE = (255, 255, 255)
IVORY = (255, 252, 224)       # the light parts of the pictures: not white, so never transparent
GREEN = (0, 150, 40)
DARK_GREEN = (0, 90, 20)
RED = (210, 30, 30)
DARK_RED = (130, 0, 0)
GREY = (150, 150, 150)
DARK_GREY = (70, 70, 70)
BLACK = (20, 20, 20)
LED = (40, 220, 60)
PAPER = (255, 236, 150)
BROWN = (120, 80, 0)
BLUE = (30, 90, 200)
DARK_BLUE = (10, 40, 120)


class Picture:
    def __init__(self):
        self.pixels = [[WHITE] * SIZE for _ in range(SIZE)]

    def put(self, x, y, colour):
        if 0 <= x < SIZE and 0 <= y < SIZE:
            self.pixels[y][x] = colour

    def disc(self, cx, cy, radius, fill, outline):
        for y in range(SIZE):
            for x in range(SIZE):
                d = ((x - cx) ** 2 + (y - cy) ** 2) ** 0.5
                if d <= radius - 1:
                    self.put(x, y, fill)
                elif d <= radius:
                    self.put(x, y, outline)

    def rect(self, left, top, right, bottom, fill, outline=None):
        for y in range(top, bottom + 1):
            for x in range(left, right + 1):
                edge = y in (top, bottom) or x in (left, right)
                self.put(x, y, outline if edge and outline else fill)

    def line(self, x0, y0, x1, y1, colour, thickness=1):
        steps = max(abs(x1 - x0), abs(y1 - y0), 1)
        for step in range(steps + 1):
            x = round(x0 + (x1 - x0) * step / steps)
            y = round(y0 + (y1 - y0) * step / steps)
            for dx in range(thickness):
                for dy in range(thickness):
                    self.put(x + dx, y + dy, colour)

    def glyphs(self, left, top, rows, colour):
        for dy, row in enumerate(rows):
            for dx, mark in enumerate(row):
                if mark == "#":
                    self.put(left + dx, top + dy, colour)

    def png(self):
        raw = b"".join(b"\0" + bytes(c for p in row for c in p) for row in self.pixels)

        def chunk(kind, data):
            body = kind + data
            return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

        header = struct.pack(">IIBBBBB", SIZE, SIZE, 8, 2, 0, 0, 0)
        return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
                chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def polling_on():
    p = Picture()
    p.disc(9, 9, 8.6, GREEN, DARK_GREEN)
    p.line(5, 9, 8, 12, IVORY, 2)      # a tick
    p.line(8, 12, 13, 5, IVORY, 2)
    return p


def polling_off():
    p = Picture()
    p.disc(9, 9, 8.6, RED, DARK_RED)
    p.line(5, 5, 12, 12, IVORY, 2)     # a cross
    p.line(12, 5, 5, 12, IVORY, 2)
    return p


def modem():
    p = Picture()
    # the handset lying on top of the box
    p.rect(2, 2, 16, 4, BLACK)
    p.rect(2, 5, 4, 6, BLACK)
    p.rect(14, 5, 16, 6, BLACK)
    # the box with its lights
    p.rect(1, 8, 17, 16, GREY, DARK_GREY)
    for x in (4, 7, 10):
        p.rect(x, 12, x + 1, 13, LED)
    p.rect(13, 12, 15, 13, DARK_GREY)
    return p


def mail():
    p = Picture()
    p.rect(1, 4, 17, 15, PAPER, BROWN)
    p.line(1, 4, 9, 10, BROWN)         # the flap
    p.line(17, 4, 9, 10, BROWN)
    return p


def direct_ip():
    p = Picture()
    p.rect(1, 3, 17, 15, BLUE, DARK_BLUE)
    p.glyphs(4, 6, [
        "###.####.",
        ".#..#...#",
        ".#..#...#",
        ".#..####.",
        ".#..#....",
        ".#..#....",
        "###.#....",
    ], IVORY)
    return p


ICONS = [
    ("polling_on.png", polling_on),
    ("polling_off.png", polling_off),
    ("modem.png", modem),
    ("mail.png", mail),
    ("direct_ip.png", direct_ip),
]

if __name__ == "__main__":
    folder = os.path.dirname(os.path.abspath(__file__))
    for name, draw in ICONS:
        with open(os.path.join(folder, name), "wb") as file:
            file.write(draw().png())
