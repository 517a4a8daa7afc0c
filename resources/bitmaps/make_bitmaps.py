#!/usr/bin/env python3
"""Writes the page banner and the check-list boxes of setup.exe into this folder.

    banner.bmp      800 x 76, 24 bits: "ORVEK" and "Herstellerdaten installieren"
                    on a blue gradient with a soft light and a light accent line
    check.bmp       11 x 11, 4 bits: box with a black check mark
    uncheck.bmp     11 x 11, 4 bits: empty box
    checkgrey.bmp   11 x 11, 4 bits: box with a grey check mark
    check13.bmp ... checkgrey26.bmp
                    the same three boxes drawn for 100, 125, 150 and 200 %
                    (13, 16, 20 and 26 pixels, the size of the system's own
                    check boxes there): the list takes the one of its scale

The boxes are copied onto a list row with a logical AND, so their inside is
white (it leaves the row colour) and frame and mark are black or grey.
Only the left part of the banner (about 450 pixels) shows on a page, so the
text stays there. Standard library only; the output is the same on every run.
"""

import math
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))

# ---------------------------------------------------------------------------
# BMP files


def bmp_24(width, height, pixels):
    """pixels: rows top to bottom of (r, g, b)."""
    stride = (width * 3 + 3) & ~3
    body = bytearray()
    for row in reversed(pixels):  # BMP rows go bottom-up
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        line += bytes(stride - len(line))
        body += line
    return bmp_file(width, height, 24, b"", bytes(body))


def bmp_4(width, height, palette, indices):
    """indices: rows top to bottom of palette indices 0..15."""
    stride = ((width * 4 + 31) // 32) * 4
    body = bytearray()
    for row in reversed(indices):
        line = bytearray()
        for x in range(0, width, 2):
            hi = row[x]
            lo = row[x + 1] if x + 1 < width else 0
            line.append((hi << 4) | lo)
        line += bytes(stride - len(line))
        body += line
    table = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    return bmp_file(width, height, 4, table, bytes(body))


def bmp_file(width, height, bits, table, body):
    offset = 14 + 40 + len(table)
    colours = len(table) // 4
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, len(body),
                       2835, 2835, colours, colours)
    header = struct.pack("<2sIHHI", b"BM", offset + len(body), 0, 0, offset)
    return header + info + table + body


def write(name, data):
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(data)


# ---------------------------------------------------------------------------
# A small stroke font of our own: each glyph is a list of polylines in units
# where the baseline is y = 0, capitals are 10 high and small letters 7.
# Strokes are drawn with round ends and anti-aliased edges.


def arc(cx, cy, rx, ry, a0, a1, steps=None):
    """Points on an ellipse from angle a0 to a1 (degrees, counter-clockwise positive)."""
    if steps is None:
        steps = max(4, int(abs(a1 - a0) / 7.5))
    return [(cx + rx * math.cos(math.radians(a0 + (a1 - a0) * i / steps)),
             cy + ry * math.sin(math.radians(a0 + (a1 - a0) * i / steps)))
            for i in range(steps + 1)]


GLYPHS = {
    # capitals
    "O": (9.4, [arc(4.7, 5, 4.7, 5, 0, 360)]),
    "R": (6.6, [[(0, 0), (0, 10), (3.6, 10)] + arc(3.6, 7.6, 2.6, 2.4, 90, -90) + [(0, 5.2)],
                [(3.4, 5.2), (6.6, 0)]]),
    "V": (7.6, [[(0, 10), (3.8, 0), (7.6, 10)]]),
    "E": (5.8, [[(5.8, 10), (0, 10), (0, 0), (5.8, 0)], [(0, 5.1), (5.0, 5.1)]]),
    "K": (6.6, [[(0, 0), (0, 10)], [(6.4, 10), (0, 3.6)], [(2.3, 5.9), (6.6, 0)]]),
    "H": (7.2, [[(0, 0), (0, 10)], [(7.2, 0), (7.2, 10)], [(0, 5.1), (7.2, 5.1)]]),
    # small letters
    "e": (6.8, [[(0.1, 3.5), (6.8, 3.5)] + arc(3.4, 3.5, 3.4, 3.5, 0, 318)]),
    "r": (4.4, [[(0, 0), (0, 7)], arc(4.4, 2.9, 4.4, 4.1, 180, 90)]),
    "s": (5.4, [arc(2.7, 5.3, 2.6, 1.7, 30, 270) + arc(2.7, 1.75, 2.7, 1.75, 90, -150)]),
    "t": (4.2, [[(1.6, 9.6), (1.6, 1.5)] + arc(3.2, 1.5, 1.6, 1.5, 180, 270) + [(4.2, 0)],
                [(0, 7), (4.0, 7)]]),
    "l": (0.0, [[(0, 0), (0, 10.4)]]),
    "d": (7.0, [arc(3.5, 3.5, 3.5, 3.5, 0, 360), [(7.0, 0), (7.0, 10.4)]]),
    "a": (7.0, [arc(3.5, 3.5, 3.5, 3.5, 0, 360), [(7.0, 0), (7.0, 7)]]),
    "n": (6.4, [[(0, 0), (0, 7)], arc(3.2, 3.8, 3.2, 3.2, 180, 0) + [(6.4, 0)]]),
    "i": (0.0, [[(0, 0), (0, 7)], [(0, 9.6), (0, 9.6)]]),
    " ": (2.6, []),
}


def text_width(text, scale, tracking):
    width = 0.0
    for ch in text:
        width += (GLYPHS[ch][0] + tracking) * scale
    return width - tracking * scale


def text_segments(text, x, baseline, scale, tracking):
    """The strokes of a text as pixel-space segments ((x0, y0), (x1, y1))."""
    segments = []
    for ch in text:
        advance, strokes = GLYPHS[ch]
        for line in strokes:
            points = [(x + px * scale, baseline - py * scale) for px, py in line]
            if len(points) == 1:
                points.append(points[0])
            segments.extend(zip(points, points[1:]))
        x += (advance + tracking) * scale
    return segments


def stroke_coverage(width, height, segments, thickness):
    """Anti-aliased coverage (0..1) of round-ended strokes of the given thickness."""
    coverage = [[0.0] * width for _ in range(height)]
    half = thickness / 2.0
    for (x0, y0), (x1, y1) in segments:
        left = max(0, int(math.floor(min(x0, x1) - half - 1)))
        right = min(width - 1, int(math.ceil(max(x0, x1) + half + 1)))
        top = max(0, int(math.floor(min(y0, y1) - half - 1)))
        bottom = min(height - 1, int(math.ceil(max(y0, y1) + half + 1)))
        dx, dy = x1 - x0, y1 - y0
        length2 = dx * dx + dy * dy
        for py in range(top, bottom + 1):
            row = coverage[py]
            cy = py + 0.5
            for px in range(left, right + 1):
                cx = px + 0.5
                t = 0.0 if length2 == 0 else ((cx - x0) * dx + (cy - y0) * dy) / length2
                t = min(1.0, max(0.0, t))
                ex, ey = cx - (x0 + t * dx), cy - (y0 + t * dy)
                c = half + 0.5 - math.sqrt(ex * ex + ey * ey)
                if c > row[px]:
                    row[px] = min(1.0, c)
    return coverage


# ---------------------------------------------------------------------------
# The banner

BANNER_W, BANNER_H = 800, 76


def mix(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


def banner():
    deep, light = (14, 42, 92), (38, 98, 168)
    pixels = []
    for y in range(BANNER_H):
        row = []
        for x in range(BANNER_W):
            # Calm gradient: darker at the left where the text stands, a little
            # lighter towards the bottom.
            colour = mix(deep, light, (x / (BANNER_W - 1)) ** 0.8 * 0.85 + (y / BANNER_H) * 0.15)
            # Soft light falling from above, as from a luminaire over the page.
            gx, gy = (x - 410) / 150.0, (y + 30) / 110.0
            glow = math.exp(-(gx * gx + gy * gy) * 1.6) * 0.28
            row.append(mix(colour, (235, 244, 255), glow))
        pixels.append(row)

    # Accent line: light, fading in from the left edge.
    for x in range(BANNER_W):
        fade = min(1.0, x / 120.0) * 0.75
        pixels[BANNER_H - 4][x] = mix(pixels[BANNER_H - 4][x], (170, 214, 250), fade)
        pixels[BANNER_H - 3][x] = mix(pixels[BANNER_H - 3][x], (170, 214, 250), fade * 0.35)

    def draw(text, x, baseline, scale, tracking, thickness, colour):
        segments = text_segments(text, x, baseline, scale, tracking)
        coverage = stroke_coverage(BANNER_W, BANNER_H, segments, thickness)
        for y in range(BANNER_H):
            for x_ in range(BANNER_W):
                c = coverage[y][x_]
                if c > 0:
                    pixels[y][x_] = mix(pixels[y][x_], colour, c)

    draw("ORVEK", 24, 38, 2.5, 2.6, 3.4, (255, 255, 255))
    draw("Herstellerdaten installieren", 25, 62, 1.25, 1.9, 1.35, (196, 220, 244))

    return [[tuple(int(round(v)) for v in p) for p in row] for row in pixels]


# ---------------------------------------------------------------------------
# The check-list boxes

PALETTE = [  # the 16 standard colours
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, GREY, WHITE = 0, 8, 15

CHECK_MARK = [  # 7 x 7, placed inside the frame
    "......#",
    ".....##",
    "#...###",
    "##.###.",
    "#####..",
    ".###...",
    "..#....",
]


def box(mark_colour):
    size = 11
    rows = [[WHITE] * size for _ in range(size)]
    for i in range(size):
        rows[0][i] = rows[size - 1][i] = rows[i][0] = rows[i][size - 1] = BLACK
    if mark_colour is not None:
        for y, line in enumerate(CHECK_MARK):
            for x, ch in enumerate(line):
                if ch == "#":
                    rows[2 + y][2 + x] = mark_colour
    return rows


# Sizes of the boxes drawn for 100, 125, 150 and 200 %.
SCALED_SIZES = (13, 16, 20, 26)


def scaled_box(size, mark_colour):
    """A box of size pixels: a frame about a thirteenth of it thick (at least one
    pixel) and the mark as a stroke, each pixel set where the stroke covers at
    least half of it, so the edges stay sharp in 16 colours."""
    frame = max(1, round(size / 13))
    rows = [[WHITE] * size for _ in range(size)]
    for y in range(size):
        for x in range(size):
            if min(x, y, size - 1 - x, size - 1 - y) < frame:
                rows[y][x] = BLACK
    if mark_colour is not None:
        inner = size - 2 * frame
        points = [(0.18, 0.50), (0.40, 0.72), (0.82, 0.26)]
        segments = list(zip([(frame + px * inner, frame + py * inner) for px, py in points][:-1],
                            [(frame + px * inner, frame + py * inner) for px, py in points][1:]))
        coverage = stroke_coverage(size, size, segments, max(1.6, size * 0.15))
        for y in range(frame, size - frame):
            for x in range(frame, size - frame):
                if coverage[y][x] >= 0.5:
                    rows[y][x] = mark_colour
    return rows


def main():
    write("banner.bmp", bmp_24(BANNER_W, BANNER_H, banner()))
    write("check.bmp", bmp_4(11, 11, PALETTE, box(BLACK)))
    write("uncheck.bmp", bmp_4(11, 11, PALETTE, box(None)))
    write("checkgrey.bmp", bmp_4(11, 11, PALETTE, box(GREY)))
    for size in SCALED_SIZES:
        write(f"check{size}.bmp", bmp_4(size, size, PALETTE, scaled_box(size, BLACK)))
        write(f"uncheck{size}.bmp", bmp_4(size, size, PALETTE, scaled_box(size, None)))
        write(f"checkgrey{size}.bmp", bmp_4(size, size, PALETTE, scaled_box(size, GREY)))


if __name__ == "__main__":
    main()
