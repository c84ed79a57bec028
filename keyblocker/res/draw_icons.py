#!/usr/bin/env python3
"""Draws kqel's icons and the help-button bitmap; run it after changing the pictures.

    python3 keyblocker/res/draw_icons.py

kqel.ico (16, 32, 48 pixels, 256 colours), tray16.ico (16 x 16, 16 colours),
tray256.ico (16 x 16, 256 colours) and help.bmp (14 x 16, magenta is transparent).
The picture: a keyboard key carrying the four-pane logo, crossed by a red "no" sign.
"""
import math
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))

OUTLINE = (48, 48, 56)
CAP = (236, 236, 240)
CAP_SHADE = (172, 172, 184)
RED = (208, 16, 16)
PANES = [(232, 64, 32), (64, 176, 48), (32, 112, 224), (248, 192, 0)]

VGA16 = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
         (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
         (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]


def draw(n):
    """Returns n rows of n pixels; None is transparent."""
    img = [[None] * n for _ in range(n)]
    # The key cap: a rounded square with a darker lower and right edge.
    lo, hi = 1, n - 2
    rad = max(1, n // 8)
    edge = max(1, n // 10)
    for y in range(lo, hi + 1):
        for x in range(lo, hi + 1):
            cx = min(max(x, lo + rad), hi - rad)
            cy = min(max(y, lo + rad), hi - rad)
            if (x - cx) ** 2 + (y - cy) ** 2 > rad * rad + rad:
                continue
            img[y][x] = CAP
    for y in range(n):
        for x in range(n):
            if img[y][x] is None:
                continue
            border = any(not (0 <= x + dx < n and 0 <= y + dy < n) or img[y + dy][x + dx] is None
                         for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))
            if border:
                img[y][x] = OUTLINE
    for y in range(n):
        for x in range(n):
            if img[y][x] == CAP and (y > hi - 1 - edge or x > hi - 1 - edge):
                img[y][x] = CAP_SHADE
    # The four panes, in the middle of the cap.
    pane = max(2, n // 5)
    gap = max(1, n // 24)
    total = 2 * pane + gap
    ox = (n - total) // 2 - (1 if n <= 16 else 0)
    oy = (n - total) // 2 - (1 if n <= 16 else 0)
    for i, col in enumerate(PANES):
        px = ox + (i % 2) * (pane + gap)
        py = oy + (i // 2) * (pane + gap)
        for y in range(py, py + pane):
            for x in range(px, px + pane):
                img[y][x] = col
    # The "no" sign: a ring and a slash from top left to bottom right.
    c = (n - 1) / 2.0
    r = n / 2.0 - 0.2
    t = max(2.0, n / 7.0)
    for y in range(n):
        for x in range(n):
            d = math.hypot(x - c, y - c)
            ring = r - t <= d <= r
            slash = d <= r and abs((x - c) - (y - c)) / math.sqrt(2) <= t / 2.0
            if ring or slash:
                img[y][x] = RED
    return img


def palette_of(imgs, fixed=None):
    if fixed:
        return list(fixed)
    cols = []
    for img in imgs:
        for row in img:
            for p in row:
                if p is not None and p not in cols:
                    cols.append(p)
    cols = [(0, 0, 0)] + [c for c in cols if c != (0, 0, 0)]
    assert len(cols) <= 256
    return cols


def nearest(pal, p):
    return min(range(len(pal)), key=lambda i: sum((a - b) ** 2 for a, b in zip(pal[i], p)))


def ico_image(img, bpp, pal):
    n = len(img)
    ncol = 1 << bpp
    pal = (pal + [(0, 0, 0)] * ncol)[:ncol]
    hdr = struct.pack('<IiiHHIIiiII', 40, n, 2 * n, 1, bpp, 0, 0, 0, 0, ncol, 0)
    pbytes = b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in pal)
    xor = b''
    andm = b''
    for row in reversed(img):
        idx = [0 if p is None else nearest(pal, p) for p in row]
        if bpp == 8:
            line = bytes(idx)
        else:
            line = bytes((idx[i] << 4) | idx[i + 1] for i in range(0, n, 2))
        xor += line + b'\0' * ((-len(line)) % 4)
        bits = 0
        mline = b''
        for i, p in enumerate(row):
            bits = (bits << 1) | (1 if p is None else 0)
            if i % 8 == 7:
                mline += bytes([bits])
                bits = 0
        andm += mline + b'\0' * ((-len(mline)) % 4)
    return hdr + pbytes + xor + andm


def write_ico(path, entries):
    """entries: list of (img, bpp, palette)."""
    data = [ico_image(img, bpp, pal) for img, bpp, pal in entries]
    out = struct.pack('<HHH', 0, 1, len(entries))
    off = 6 + 16 * len(entries)
    for (img, bpp, _), d in zip(entries, data):
        n = len(img)
        out += struct.pack('<BBBBHHII', n % 256, n % 256, 16 if bpp == 4 else 0, 0, 1, bpp,
                           len(d), off)
        off += len(d)
    with open(path, 'wb') as f:
        f.write(out + b''.join(data))


QUESTION = [
    "..............",
    "....######....",
    "...########...",
    "..###....###..",
    "..##......##..",
    "..........##..",
    ".........###..",
    "........###...",
    ".......###....",
    "......###.....",
    "......##......",
    "......##......",
    "..............",
    "......##......",
    "......##......",
    "..............",
]


def write_help_bmp(path):
    w, h = 14, 16
    rows = b''
    for line in reversed(QUESTION):
        px = b''
        for ch in line:
            px += bytes((160, 64, 16)) if ch == '#' else bytes((255, 0, 255))  # BGR
        rows += px + b'\0' * ((-len(px)) % 4)
    info = struct.pack('<IiiHHIIiiII', 40, w, h, 1, 24, 0, len(rows), 2835, 2835, 0, 0)
    head = struct.pack('<2sIHHI', b'BM', 14 + len(info) + len(rows), 0, 0, 14 + len(info))
    with open(path, 'wb') as f:
        f.write(head + info + rows)


def main():
    small = draw(16)
    big = [draw(32), draw(48)]
    pal = palette_of([small] + big)
    write_ico(os.path.join(HERE, 'kqel.ico'), [(small, 8, pal)] + [(b, 8, pal) for b in big])
    write_ico(os.path.join(HERE, 'tray256.ico'), [(small, 8, pal)])
    write_ico(os.path.join(HERE, 'tray16.ico'), [(small, 4, VGA16)])
    write_help_bmp(os.path.join(HERE, 'help.bmp'))


if __name__ == '__main__':
    main()
