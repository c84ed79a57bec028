#!/usr/bin/env python3
"""Draws the gadget's 16 x 16 menu images into monitor/app/res/menu_images.bmp.

    tools/make_menu_images.py [--preview FILE.png]

One 24-bit strip of 16 x 16 cells in image-list order: 0 stopwatch, 1 system details,
2 options, 3 main group, 4 separate window, 5 alpha blending, 6 horizontal bars,
7 vertical bars, 8 help, 9 about, 10 check for update. Magenta (FF00FF) is transparent.
Hard edges only, so the image list's mask keeps them crisp. Run again only to change them.
"""
import math
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from make_widget_images import write_bmp, write_png  # noqa: E402

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, '..', 'monitor', 'app', 'res', 'menu_images.bmp')

KEY = (255, 0, 255)
BLACK, WHITE = (0, 0, 0), (255, 255, 255)
DARK, GREY, LIGHT = (64, 64, 64), (128, 128, 128), (192, 192, 192)
GREEN, YELLOW, RED = (0x33, 0xCC, 0x33), (0xFF, 0xFF, 0x01), (0xFF, 0x00, 0x00)
BLUE, NAVY, SKY = (0x20, 0x60, 0xD0), (0x10, 0x30, 0x80), (0x9C, 0xC8, 0xFF)
LCDGREEN, ORANGE = (0x99, 0xFE, 0x00), (0xF0, 0x90, 0x20)


def cell():
    return [[KEY] * 16 for _ in range(16)]


def fill(img, x0, y0, x1, y1, c):
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            img[y][x] = c


def frame(img, x0, y0, x1, y1, c):
    for x in range(x0, x1 + 1):
        img[y0][x] = img[y1][x] = c
    for y in range(y0, y1 + 1):
        img[y][x0] = img[y][x1] = c


def disc(img, cx, cy, r, c, edge=None):
    for y in range(16):
        for x in range(16):
            d = math.hypot(x - cx, y - cy)
            if d <= r + 0.3:
                img[y][x] = edge if edge and d > r - 0.8 else c


def line(img, x0, y0, x1, y1, c):
    n = max(abs(x1 - x0), abs(y1 - y0))
    for i in range(n + 1):
        img[round(y0 + (y1 - y0) * i / n)][round(x0 + (x1 - x0) * i / n)] = c


def put(img, x, y, rows, palette):
    for dy, row in enumerate(rows):
        for dx, ch in enumerate(row):
            if ch in palette:
                img[y + dy][x + dx] = palette[ch]


def window(img, x0, y0, x1, y1):
    fill(img, x0, y0, x1, y1, WHITE)
    frame(img, x0, y0, x1, y1, NAVY)
    fill(img, x0 + 1, y0 + 1, x1 - 1, y0 + 2, BLUE)


def stopwatch():
    img = cell()
    fill(img, 6, 0, 9, 1, DARK)
    img[2][7] = img[2][8] = DARK
    fill(img, 12, 2, 13, 3, DARK)
    disc(img, 7.5, 9, 6.2, WHITE, BLACK)
    for a in range(0, 360, 90):
        x = 7.5 + 4.6 * math.sin(math.radians(a))
        y = 9 - 4.6 * math.cos(math.radians(a))
        img[round(y)][round(x)] = GREY
    line(img, 8, 9, 8, 5, RED)
    line(img, 8, 9, 10, 11, BLACK)
    img[9][7] = BLACK
    return img


def system_details():
    img = cell()
    window(img, 0, 1, 15, 14)
    for i, (w, c) in enumerate(((9, GREEN), (6, GREEN), (11, YELLOW), (4, GREEN))):
        y = 5 + i * 2
        fill(img, 2, y, 2 + w, y, c)
        fill(img, 3 + w, y, 13, y, LIGHT)
    return img


def options():
    img = cell()
    for a in range(0, 360, 45):
        cx = 7.5 + 5.6 * math.cos(math.radians(a))
        cy = 7.5 + 5.6 * math.sin(math.radians(a))
        for y in range(16):
            for x in range(16):
                if abs(x - cx) <= 1.3 and abs(y - cy) <= 1.3:
                    img[y][x] = DARK
    disc(img, 7.5, 7.5, 5.3, GREY, DARK)
    disc(img, 7.5, 7.5, 3.3, LIGHT)
    disc(img, 7.5, 7.5, 1.6, KEY, DARK)
    return img


def main_group():
    img = cell()
    fill(img, 0, 2, 15, 13, BLACK)
    frame(img, 0, 2, 15, 13, GREY)
    for y, n in ((4, 10), (6, 6), (8, 12)):
        for x in range(2, 14, 2):
            c = GREEN if x < 9 else YELLOW if x < 12 else RED
            img[y][x] = c if x - 2 < n else DARK
    put(img, 3, 10, ['.#.', '.#.'], {'#': LCDGREEN})
    put(img, 9, 10, ['##.', '.#.'], {'#': SKY})
    fill(img, 1, 10, 14, 10, BLACK)
    fill(img, 2, 11, 5, 11, LCDGREEN)
    fill(img, 9, 11, 12, 11, SKY)
    return img


def separate_window():
    img = cell()
    window(img, 0, 0, 10, 8)
    window(img, 5, 6, 15, 15)
    for x in range(7, 14, 2):
        img[11][x] = GREEN
        img[13][x] = GREEN if x < 11 else YELLOW
    return img


def alpha():
    img = cell()
    for y in range(1, 15):
        for x in range(1, 15):
            img[y][x] = WHITE if (x // 3 + y // 3) % 2 else LIGHT
    frame(img, 0, 0, 15, 15, GREY)
    fill(img, 4, 4, 13, 13, BLUE)
    for y in range(4, 14):
        for x in range(4, 14):
            if (x + y) % 2 and img[y][x] == BLUE:
                img[y][x] = SKY
    frame(img, 4, 4, 13, 13, NAVY)
    return img


def bars(vertical):
    img = cell()
    fill(img, 0, 0, 15, 15, BLACK)
    frame(img, 0, 0, 15, 15, GREY)
    levels = (11, 7, 12, 4)
    for i, n in enumerate(levels):
        p = 2 + i * 3
        for s in range(12):
            c = GREEN if s < 7 else YELLOW if s < 10 else RED
            if s >= n:
                c = DARK
            if vertical:
                fill(img, p, 13 - s, p + 1, 13 - s, c)
            else:
                fill(img, 2 + s, p, 2 + s, p + 1, c)
    return img


def help_image():
    img = cell()
    disc(img, 7.5, 7.5, 7.0, BLUE, NAVY)
    put(img, 5, 3, ['.####.', '##..##', '....##', '...##.', '..##..', '......', '..##..', '..##..'],
        {'#': WHITE})
    return img


def about():
    img = cell()
    disc(img, 7.5, 7.5, 7.0, BLUE, NAVY)
    put(img, 6, 3, ['.##.', '.##.', '....', '###.', '.##.', '.##.', '.##.', '####'], {'#': WHITE})
    return img


def update():
    img = cell()
    disc(img, 7.5, 7.5, 7.0, (0x2A, 0x9D, 0x2A), (0x10, 0x60, 0x10))
    put(img, 3, 3, ['....##....', '...####...', '..######..', '.###..###.', '....##....',
                    '....##....', '....##....', '..........', '..######..'], {'#': WHITE})
    return img


IMAGES = [stopwatch, system_details, options, main_group, separate_window, alpha,
          lambda: bars(False), lambda: bars(True), help_image, about, update]


def main():
    cells = [f() for f in IMAGES]
    strip = [sum((c[y] for c in cells), []) for y in range(16)]
    os.makedirs(os.path.dirname(OUT), exist_ok=True)
    write_bmp(OUT, strip)
    if len(sys.argv) == 3 and sys.argv[1] == '--preview':
        bg, sc = (212, 208, 200), 8
        rows = []
        for y in range(16 * sc):
            rows.append([bg if p == KEY else p for p in (strip[y // sc][x // sc] for x in range(len(strip[0]) * sc))])
        write_png(sys.argv[2], rows)


if __name__ == '__main__':
    main()
