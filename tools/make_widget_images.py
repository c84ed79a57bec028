#!/usr/bin/env python3
"""Draws the images of the display widgets and writes them into widgets/res/.

    tools/make_widget_images.py [--preview FILE.png]

- NUM13x24.bmp ... NUM5x7.bmp: the LCD digit strips. 13 cells side by side: digits 0-9,
  a blank digit, an unlit minus and a lit minus; black background, 0x808080 unlit and
  0xC0C0C0 lit segments, nothing else.
- tray00.ico ... tray12.ico: the tray images from idle (0) to full load (12).
- statwell.ico: the program icon.
Icons hold 16 x 16 and 32 x 32 images, 32-bit with alpha and an AND mask; each size is
drawn on its own pixel grid so that both are crisp.

Only the standard library is used. The build uses the written files; run this again only
when the pictures change. --preview writes an enlarged sheet of everything as PNG.
"""
import os
import struct
import sys
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, '..', 'widgets', 'res')

BLACK, UNLIT, LIT = (0, 0, 0), (0x80, 0x80, 0x80), (0xC0, 0xC0, 0xC0)

# ---------------------------------------------------------------- seven-segment strips

DIGIT_SEGMENTS = {
    0: 'abcdef', 1: 'bc', 2: 'abged', 3: 'abgcd', 4: 'fgbc',
    5: 'afgcd', 6: 'afgedc', 7: 'abc', 8: 'abcdefg', 9: 'abcdfg',
}

# name, cell width, cell height, segment thickness, gap at the joints
STYLES = [
    ('NUM13x24', 13, 24, 3, 0),
    ('NUM11x20', 11, 20, 3, 0),
    ('NUM7x13', 7, 13, 1, 0),
    ('NUM12x17', 12, 17, 3, 0),
    ('NUM5x7', 4, 7, 1, 0),
]


def segment_pixels(w, h, t, gap):
    """Pixels of each segment in a w x h cell: bevelled bars of thickness t."""
    r = t // 2
    xl, xr = r, w - 1 - r
    yt, yb = r, h - 1 - r
    ym = (h - 1) // 2
    segs = {}

    def horiz(yc):
        x1, x2 = xl + 1 + gap, xr - 1 - gap
        return {(x, yc + d) for d in range(-r, r + 1)
                for x in range(x1 + abs(d), x2 - abs(d) + 1)}

    def vert(xc, y1, y2):
        return {(xc + d, y) for d in range(-r, r + 1)
                for y in range(y1 + abs(d), y2 - abs(d) + 1)}

    segs['a'] = horiz(yt)
    segs['g'] = horiz(ym)
    segs['d'] = horiz(yb)
    segs['f'] = vert(xl, yt + 1 + gap, ym - 1 - gap)
    segs['b'] = vert(xr, yt + 1 + gap, ym - 1 - gap)
    segs['e'] = vert(xl, ym + 1 + gap, yb - 1 - gap)
    segs['c'] = vert(xr, ym + 1 + gap, yb - 1 - gap)
    return segs


def strip_image(w, h, t, gap):
    img = [[BLACK] * (w * 13) for _ in range(h)]
    segs = segment_pixels(w, h, t, gap)

    def put(cell, name, colour):
        for x, y in segs[name]:
            img[y][cell * w + x] = colour

    for cell in range(11):
        lit = DIGIT_SEGMENTS.get(cell, '')
        for name in 'abcdefg':
            put(cell, name, LIT if name in lit else UNLIT)
    put(11, 'g', UNLIT)
    put(12, 'g', LIT)
    return img


def write_bmp(path, img):
    h, w = len(img), len(img[0])
    row_bytes = (w * 3 + 3) & ~3
    data = bytearray()
    for row in reversed(img):
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        line += b'\0' * (row_bytes - len(line))
        data += line
    header = struct.pack('<IiiHHIIiiII', 40, w, h, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(path, 'wb') as f:
        f.write(struct.pack('<2sIHHI', b'BM', 14 + len(header) + len(data), 0, 0, 14 + len(header)))
        f.write(header)
        f.write(data)

# ---------------------------------------------------------------- icons (RGBA pixel grids)


def blank(size):
    return [[(0, 0, 0, 0)] * size for _ in range(size)]


def rect(img, x0, y0, x1, y1, c):
    """Fills x0..x1, y0..y1 inclusive."""
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            img[y][x] = c


def rounded_box(img, x0, y0, x1, y1, fill, edge, corner_alpha=0):
    rect(img, x0, y0, x1, y1, edge)
    rect(img, x0 + 1, y0 + 1, x1 - 1, y1 - 1, fill)
    for x, y in ((x0, y0), (x1, y0), (x0, y1), (x1, y1)):
        img[y][x] = (edge[0], edge[1], edge[2], corner_alpha)


def rgba(hexv, a=255):
    return ((hexv >> 16) & 255, (hexv >> 8) & 255, hexv & 255, a)


def dim(c, f):
    return (int(c[0] * f), int(c[1] * f), int(c[2] * f), c[3])


GREEN, YELLOW, RED = rgba(0x33CC33), rgba(0xFFFF01), rgba(0xFF0000)


def level_colour(row, rows):
    """Colour zone of a meter row counted from the bottom (0) of rows rows."""
    frac = (row + 1) / rows
    if frac <= 0.60:
        return GREEN
    if frac <= 0.85:
        return YELLOW
    return RED


def tray_icon(level, size):
    """Tray picture for load level 0..12: a case with a 12-step LED meter."""
    img = blank(size)
    case, edge = rgba(0x202428), rgba(0x6A7480)
    if size == 16:
        rounded_box(img, 0, 0, 15, 15, case, edge)
        x0, x1, ybottom, rows, pitch = 3, 12, 13, 12, 1
    else:
        rounded_box(img, 0, 0, 31, 31, case, edge)
        rounded_box(img, 1, 1, 30, 30, case, rgba(0x3A4048))
        x0, x1, ybottom, rows, pitch = 6, 25, 27, 12, 2
    rect(img, x0 - 1, ybottom - rows * pitch, x1 + 1, ybottom + 1, rgba(0x000000))
    for row in range(rows):
        colour = level_colour(row, rows)
        lit = row < level
        c = colour if lit else dim(colour, 0.22)
        ytop = ybottom - (row + 1) * pitch + 1
        if size == 16:
            # two columns of LEDs, the fill rises through both
            rect(img, x0, ytop, x0 + 3, ytop, c)
            rect(img, x0 + 5, ytop, x1 - 1, ytop, c)
        else:
            rect(img, x0, ytop, x0 + 8, ytop, c)
            rect(img, x0 + 11, ytop, x1, ytop, c)
    return img


def program_icon(size):
    """The program: a small dark gadget with three load bars and a rate read-out."""
    img = blank(size)
    case, edge = rgba(0x202428), rgba(0x6A7480)
    black = rgba(0x000000)
    if size == 16:
        rounded_box(img, 0, 1, 15, 14, case, edge)
        rect(img, 2, 3, 13, 12, black)
        bars = [(4, 10, 0.9), (6, 10, 0.55), (8, 10, 0.3)]
        for y, length, frac in bars:
            lit = round(length * frac)
            for i in range(length):
                c = level_colour(int(i * 12 / length), 12)
                rect(img, 3 + i, y - 1, 3 + i, y - 1, c if i < lit else dim(c, 0.25))
        # rate digits as two tiny bright dashes
        rect(img, 3, 11, 5, 11, rgba(0x99FE00))
        rect(img, 8, 11, 10, 11, rgba(0x00CCFF))
    else:
        rounded_box(img, 0, 3, 31, 28, case, edge)
        rounded_box(img, 1, 4, 30, 27, case, rgba(0x3A4048))
        rect(img, 3, 6, 28, 25, black)
        bars = [(8, 0.9), (12, 0.55), (16, 0.3)]
        length = 22
        for y, frac in bars:
            lit = round(length * frac)
            for i in range(length):
                c = level_colour(int(i * 12 / length), 12)
                if i % 3 == 2:
                    continue
                rect(img, 5 + i, y, 5 + i, y + 1, c if i < lit else dim(c, 0.25))
        segs = segment_pixels(4, 7, 1, 0)
        for n, (digit, colour, x) in enumerate(((2, rgba(0x99FE00), 5), (7, rgba(0x99FE00), 10),
                                                 (1, rgba(0x00CCFF), 18), (4, rgba(0x00CCFF), 23))):
            for name in 'abcdefg':
                c = colour if name in DIGIT_SEGMENTS[digit] else dim(colour, 0.25)
                for px, py in segs[name]:
                    img[19 + py - 1][x + px] = c
    return img


def write_ico(path, images):
    entries, blobs = [], []
    offset = 6 + 16 * len(images)
    for img in images:
        size = len(img)
        xor = bytearray()
        for row in reversed(img):
            for r, g, b, a in row:
                xor += bytes((b, g, r, a))
        mask_row = ((size + 31) // 32) * 4
        andm = bytearray()
        for row in reversed(img):
            bits = bytearray(mask_row)
            for x, (_, _, _, a) in enumerate(row):
                if a == 0:
                    bits[x // 8] |= 0x80 >> (x % 8)
            andm += bits
        header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, len(xor) + len(andm), 0, 0, 0, 0)
        blob = header + xor + andm
        entries.append(struct.pack('<BBBBHHII', size, size, 0, 0, 1, 32, len(blob), offset))
        blobs.append(blob)
        offset += len(blob)
    with open(path, 'wb') as f:
        f.write(struct.pack('<HHH', 0, 1, len(images)))
        for e in entries:
            f.write(e)
        for b in blobs:
            f.write(b)

# ---------------------------------------------------------------- preview sheet


def write_png(path, rows):
    h, w = len(rows), len(rows[0])
    raw = b''.join(b'\0' + bytes(v for px in row for v in px) for row in rows)

    def chunk(kind, data):
        c = struct.pack('>I', len(data)) + kind + data
        return c + struct.pack('>I', zlib.crc32(kind + data) & 0xFFFFFFFF)
    with open(path, 'wb') as f:
        f.write(b'\x89PNG\r\n\x1a\n')
        f.write(chunk(b'IHDR', struct.pack('>IIBBBBB', w, h, 8, 2, 0, 0, 0)))
        f.write(chunk(b'IDAT', zlib.compress(raw, 9)))
        f.write(chunk(b'IEND', b''))


def preview(path, strips, icons):
    scale, pad = 6, 8
    width = max(max(len(s[0]) for s in strips) * scale, 14 * 34 * scale // 2) + 2 * pad
    sheet = []

    def add_block(img, sc, bg=(40, 40, 48)):
        h, w = len(img), len(img[0])
        for y in range(h * sc):
            row = [bg] * width
            for x in range(w * sc):
                px = img[y // sc][x // sc]
                if len(px) == 4:
                    a = px[3] / 255
                    px = tuple(int(px[i] * a + bg[i] * (1 - a)) for i in range(3))
                if pad + x < width:
                    row[pad + x] = px
            sheet.append(row)
        for _ in range(pad):
            sheet.append([bg] * width)
    for s in strips:
        add_block(s, scale)
    for size in (16, 32):
        line = [[(0, 0, 0, 0)] * 0 for _ in range(size)]
        for img in icons:
            for y in range(size):
                line[y] += img[size][y] + [(0, 0, 0, 0)] * 2
        add_block(line, scale if size == 16 else 3)
    write_png(path, sheet)


def main():
    os.makedirs(OUT, exist_ok=True)
    strips = []
    for name, w, h, t, gap in STYLES:
        img = strip_image(w, h, t, gap)
        write_bmp(os.path.join(OUT, name + '.bmp'), img)
        strips.append(img)
    icons = []
    for level in range(13):
        imgs = {16: tray_icon(level, 16), 32: tray_icon(level, 32)}
        write_ico(os.path.join(OUT, 'tray%02d.ico' % level), [imgs[16], imgs[32]])
        icons.append(imgs)
    prog = {16: program_icon(16), 32: program_icon(32)}
    write_ico(os.path.join(OUT, 'statwell.ico'), [prog[16], prog[32]])
    icons.append(prog)
    if len(sys.argv) == 3 and sys.argv[1] == '--preview':
        preview(sys.argv[2], strips, icons)


if __name__ == '__main__':
    main()
