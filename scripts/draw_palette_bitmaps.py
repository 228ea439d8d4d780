#!/usr/bin/env python3
"""Draws the four palette pictures of the component library into resources/:
24x24 pixels, 16 colours (4 bits per pixel, the standard 16-colour palette),
an olive background that the palette treats as transparent. Run from the
repository root; the .bmp files it writes are the resources themselves."""
import struct
import sys

PALETTE = [  # (R, G, B), indices as used below
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, OLIVE, SILVER, GRAY, WHITE = 0, 3, 7, 8, 15
SIZE = 24


def blank():
    return [[OLIVE] * SIZE for _ in range(SIZE)]


def rect(p, x0, y0, x1, y1, c):
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            p[y][x] = c


def table_grid(p):
    """A small grey table behind the top-left corner of the edit box."""
    rect(p, 0, 1, 12, 12, SILVER)
    for x in (0, 4, 8, 12):
        rect(p, x, 1, x, 12, GRAY)
    for y in (1, 4, 7, 10):
        rect(p, 0, y, 12, y, GRAY)


def edit_box(p):
    """A white edit box with a dark, sunken frame."""
    rect(p, 2, 7, 22, 18, GRAY)
    rect(p, 3, 8, 21, 17, BLACK)
    rect(p, 4, 9, 21, 17, WHITE)


def text_cursor(p, x):
    rect(p, x, 10, x, 16, BLACK)
    for dx in (-1, 1):
        p[10][x + dx] = BLACK
        p[16][x + dx] = BLACK


def ellipsis_button(p):
    rect(p, 12, 9, 12, 17, GRAY)
    rect(p, 13, 9, 21, 17, SILVER)
    rect(p, 13, 9, 20, 9, WHITE)
    rect(p, 13, 9, 13, 16, WHITE)
    rect(p, 14, 17, 21, 17, GRAY)
    rect(p, 21, 9, 21, 17, GRAY)
    for x in (15, 17, 19):
        p[15][x] = BLACK


def check_mark(p):
    down = [(9, 13), (10, 14), (11, 15), (12, 16)]
    up = [(13, 15), (14, 14), (15, 13), (16, 12), (17, 11), (18, 10), (19, 9)]
    for x, y in down + up:
        p[y][x] = BLACK
        if y - 1 > 8:
            p[y - 1][x] = BLACK


def btn_edit(db):
    p = blank()
    if db:
        table_grid(p)
    edit_box(p)
    text_cursor(p, 6)
    ellipsis_button(p)
    return p


def valid_edit(db):
    p = blank()
    if db:
        table_grid(p)
    edit_box(p)
    text_cursor(p, 6)
    check_mark(p)
    return p


def bmp(p):
    rows = b""
    for y in reversed(range(SIZE)):  # bottom-up
        row = p[y]
        rows += bytes((row[x] << 4) | row[x + 1] for x in range(0, SIZE, 2))
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    offset = 14 + 40 + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(rows), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE, 1, 4, 0, len(rows), 2835, 2835, 16, 0)
    return header + info + palette + rows


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else "resources"
    for name, picture in (("TBTNEDIT", btn_edit(False)), ("TDBBTNEDIT", btn_edit(True)),
                          ("TVALIDEDIT", valid_edit(False)),
                          ("TDBVALIDEDIT", valid_edit(True))):
        with open(f"{out}/{name}.bmp", "wb") as f:
            f.write(bmp(picture))


main()
