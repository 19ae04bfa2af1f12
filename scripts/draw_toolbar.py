#!/usr/bin/env python3
"""Draws the toolbar strips and the application icon of Vestrel into res/.

Standard library only. Every picture is built from pixel sets (rectangles,
ellipses, polygons, arcs, thick lines, a tiny bitmap font), painted with a
fill, a one-pixel outline and optional bevel shades. No anti-aliasing: the
strips are masked by one exact background colour, so a blended edge pixel
would either vanish or leave a halo.
"""

import math
import os
import struct
import sys

SIZE = 48
BUTTONS = 11

BG_NORMAL = (128, 128, 128)
BG_DISABLED = (159, 159, 159)
# CToolBar maps silver to the button face in its 16-colour bitmap.
BG_16 = (192, 192, 192)

VGA = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]

INK = (24, 24, 32)
WHITE = (255, 255, 255)
PAPER = (250, 250, 244)
PAPER_SHADE = (214, 216, 222)
LINE_GREY = (150, 156, 170)
SKY = (90, 160, 235)
SKY_LIGHT = (170, 210, 250)
SKY_DARK = (30, 80, 170)
NAVY = (20, 40, 110)
GREEN = (60, 170, 60)
GREEN_LIGHT = (140, 220, 120)
GREEN_DARK = (20, 100, 30)
STEEL = (176, 182, 194)
STEEL_LIGHT = (222, 226, 234)
STEEL_DARK = (96, 102, 116)
RED = (210, 40, 30)
RED_DARK = (130, 20, 15)
GOLD = (214, 160, 78)
GOLD_LIGHT = (240, 200, 120)
GOLD_DARK = (160, 104, 40)
CHOC = (84, 44, 20)
CHOC_LIGHT = (122, 62, 34)
STRAW = (236, 196, 80)
STRAW_LIGHT = (252, 230, 140)
STRAW_DARK = (170, 120, 30)
WOOD = (150, 90, 40)
WOOD_LIGHT = (200, 140, 80)
WOOD_DARK = (90, 50, 20)
SCREEN = (60, 130, 200)
SCREEN_LIGHT = (130, 200, 245)
TITLE = (40, 90, 200)
TITLE_LIGHT = (110, 160, 240)
FACE = (226, 226, 220)


class Canvas:
    def __init__(self, width, height):
        self.width = width
        self.height = height
        self.px = [[None] * width for _ in range(height)]

    def inside(self, x, y):
        return 0 <= x < self.width and 0 <= y < self.height

    def set(self, x, y, colour):
        if self.inside(x, y):
            self.px[y][x] = colour


# Shapes are sets of (x, y); a pixel belongs when its centre lies inside.

def rect(x0, y0, x1, y1):
    return {(x, y) for y in range(y0, y1 + 1) for x in range(x0, x1 + 1)}


def ellipse(cx, cy, rx, ry):
    pts = set()
    for y in range(int(cy - ry) - 1, int(cy + ry) + 2):
        for x in range(int(cx - rx) - 1, int(cx + rx) + 2):
            dx = (x + 0.5 - cx) / rx
            dy = (y + 0.5 - cy) / ry
            if dx * dx + dy * dy <= 1.0:
                pts.add((x, y))
    return pts


def circle(cx, cy, r):
    return ellipse(cx, cy, r, r)


def polygon(points):
    xs = [p[0] for p in points]
    ys = [p[1] for p in points]
    pts = set()
    n = len(points)
    for y in range(int(min(ys)) - 1, int(max(ys)) + 2):
        py = y + 0.5
        for x in range(int(min(xs)) - 1, int(max(xs)) + 2):
            px = x + 0.5
            inside = False
            j = n - 1
            for i in range(n):
                xi, yi = points[i]
                xj, yj = points[j]
                if (yi > py) != (yj > py):
                    if px < (xj - xi) * (py - yi) / (yj - yi) + xi:
                        inside = not inside
                j = i
            if inside:
                pts.add((x, y))
    return pts


def thick_line(x0, y0, x1, y1, width):
    dx, dy = x1 - x0, y1 - y0
    length = math.hypot(dx, dy)
    nx, ny = -dy / length * width / 2, dx / length * width / 2
    return polygon([(x0 + nx, y0 + ny), (x1 + nx, y1 + ny),
                    (x1 - nx, y1 - ny), (x0 - nx, y0 - ny)])


def arc(cx, cy, r_out, r_in, start, end):
    """Ring sector; angles in degrees, counter-clockwise from 3 o'clock."""
    pts = set()
    for p in circle(cx, cy, r_out) - circle(cx, cy, r_in):
        a = math.degrees(math.atan2(cy - (p[1] + 0.5), p[0] + 0.5 - cx)) % 360
        if (a - start) % 360 <= (end - start) % 360:
            pts.add(p)
    return pts


def shifted(shape, dx, dy):
    return {(x + dx, y + dy) for x, y in shape}


def rotated(points, angle, ox, oy):
    c, s = math.cos(math.radians(angle)), math.sin(math.radians(angle))
    return [(ox + x * c - y * s, oy + x * s + y * c) for x, y in points]


def paint(cv, shape, fill, outline=None, light=None, dark=None):
    """Fill a shape; its edge pixels take the outline, the pixels just inside
    the top and left edges the light shade, those inside the bottom and right
    edges the dark shade."""
    for x, y in shape:
        colour = fill(x, y) if callable(fill) else fill
        edge = any(n not in shape for n in ((x - 1, y), (x + 1, y),
                                            (x, y - 1), (x, y + 1)))
        if outline is not None and edge:
            colour = outline
        elif light is not None and ((x - 2, y) not in shape or (x, y - 2) not in shape):
            colour = light
        elif dark is not None and ((x + 2, y) not in shape or (x, y + 2) not in shape):
            colour = dark
        cv.set(x, y, colour)


def pixels(cv, shape, colour):
    for x, y in shape:
        cv.set(x, y, colour)


FONT = {
    'w': ["#.....#",
          "#.....#",
          "#..#..#",
          "#..#..#",
          "#.#.#.#",
          "##...##",
          "#.....#"],
    'T': ["######",
          "######",
          "..##..",
          "..##..",
          "..##..",
          "..##..",
          "..##..",
          "..##.."],
    'M': ["##...##",
          "###.###",
          "#######",
          "##.#.##",
          "##...##",
          "##...##",
          "##...##",
          "##...##"],
    'P': ["#####.",
          "##..##",
          "##..##",
          "##..##",
          "#####.",
          "##....",
          "##....",
          "##...."],
}


def text(cv, x, y, string, colour, gap=1):
    for ch in string:
        glyph = FONT[ch]
        for row, line in enumerate(glyph):
            for col, c in enumerate(line):
                if c == '#':
                    cv.set(x + col, y + row, colour)
        x += len(glyph[0]) + gap


# The eleven toolbar pictures, each drawn on a 48x48 canvas.

def globe(cv, cx, cy, r):
    body = circle(cx, cy, r)

    def sea(x, y):
        d = (x - cx + 0.5) + (y - cy + 0.5)
        return SKY_LIGHT if d < -r * 0.7 else SKY if d < r * 0.6 else SKY_DARK
    paint(cv, body, sea, NAVY)
    grid = set()
    for k in (-0.55, 0.0, 0.55):
        yk = cy + k * r
        grid |= {(x, int(yk)) for x in range(int(cx - r), int(cx + r) + 1)}
    grid |= ellipse(cx, cy, r * 0.45, r) - ellipse(cx, cy, r * 0.45 - 1, r - 1)
    grid |= {(int(cx), y) for y in range(int(cy - r), int(cy + r) + 1)}
    pixels(cv, {p for p in grid if p in body}, NAVY)
    land = polygon([(cx - r * 0.8, cy - r * 0.3), (cx - r * 0.3, cy - r * 0.75),
                    (cx + r * 0.1, cy - r * 0.4), (cx - r * 0.2, cy + r * 0.1),
                    (cx - r * 0.6, cy + r * 0.2)])
    land |= polygon([(cx + r * 0.25, cy + r * 0.05), (cx + r * 0.8, cy - r * 0.1),
                     (cx + r * 0.7, cy + r * 0.5), (cx + r * 0.3, cy + r * 0.7)])
    paint(cv, {p for p in land if p in body}, GREEN, GREEN_DARK)


def draw_cache(cv):
    globe(cv, 21, 19, 17.5)
    drive = rect(6, 31, 44, 44)
    paint(cv, drive, STEEL, INK, STEEL_LIGHT, STEEL_DARK)
    paint(cv, rect(9, 37, 30, 39), STEEL_DARK, INK)
    paint(cv, rect(36, 36, 40, 40), GREEN_LIGHT, GREEN_DARK)


def draw_history(cv):
    cx, cy = 24, 24
    paint(cv, circle(cx, cy, 22.5), SKY, NAVY, SKY_LIGHT, SKY_DARK)
    paint(cv, circle(cx, cy, 18.5), PAPER, INK, None, PAPER_SHADE)
    for h in range(12):
        a = math.radians(h * 30)
        if h % 3 == 0:
            tick = thick_line(cx + 12.5 * math.sin(a), cy - 12.5 * math.cos(a),
                              cx + 16.5 * math.sin(a), cy - 16.5 * math.cos(a), 2.6)
        else:
            tick = circle(cx + 15 * math.sin(a), cy - 15 * math.cos(a), 1.2)
        pixels(cv, tick, INK)
    pixels(cv, thick_line(cx, cy, cx - 8.5, cy - 5, 3.2), INK)
    pixels(cv, thick_line(cx, cy, cx, cy - 14, 2.4), INK)
    pixels(cv, thick_line(cx, cy, cx + 8, cy + 8, 1.2), RED)
    paint(cv, circle(cx, cy, 2.6), RED, RED_DARK)


def draw_cookie(cv):
    cx, cy, r = 23, 25, 21.5
    bites = circle(41, 8, 8.5) | circle(44, 19, 5)
    body = circle(cx, cy, r) - bites

    def dough(x, y):
        d = (x - cx) + (y - cy)
        return GOLD_LIGHT if d < -14 else GOLD if d < 14 else GOLD_DARK
    paint(cv, body, dough, WOOD_DARK)
    crumbs = [(33, 21), (38, 24)]
    chips = [(14, 13), (25, 11), (11, 26), (22, 24), (31, 31), (18, 36), (29, 41),
             (38, 34)]
    for x, y in chips:
        paint(cv, polygon([(x - 2.5, y - 1), (x - 0.5, y - 2.8), (x + 2.7, y - 1.6),
                           (x + 2.4, y + 1.8), (x - 0.5, y + 2.8), (x - 2.8, y + 1.4)]),
              CHOC, None, CHOC_LIGHT)
    for x, y in crumbs:
        pixels(cv, rect(x, y, x + 1, y + 1), GOLD_DARK)


def draw_address(cv):
    paint(cv, rect(1, 6, 46, 25), WHITE, NAVY, None, PAPER_SHADE)
    paint(cv, rect(35, 7, 45, 24), STEEL, None, STEEL_LIGHT, STEEL_DARK)
    pixels(cv, {(34, y) for y in range(7, 25)}, NAVY)
    pixels(cv, polygon([(36.5, 14), (44.5, 14), (40.5, 19)]), INK)
    text(cv, 4, 12, "www", SKY_DARK)
    pixels(cv, rect(30, 9, 30, 22) | rect(28, 9, 32, 9) | rect(28, 22, 32, 22), INK)
    # The drop-down of earlier addresses, the first one picked.
    paint(cv, rect(6, 25, 46, 46), WHITE, NAVY, None, PAPER_SHADE)
    pixels(cv, rect(7, 27, 45, 32), TITLE)
    pixels(cv, rect(9, 29, 33, 30), WHITE)
    pixels(cv, rect(9, 35, 37, 36) | rect(9, 41, 29, 42), LINE_GREY)


def page(cv, x0, y0, x1, y1, fold=7, fill=PAPER):
    sheet = polygon([(x0, y0), (x1 + 1 - fold, y0), (x1 + 1, y0 + fold),
                     (x1 + 1, y1 + 1), (x0, y1 + 1)])
    paint(cv, sheet, fill, INK, None, PAPER_SHADE)
    ear = polygon([(x1 + 1 - fold, y0), (x1 + 1 - fold, y0 + fold), (x1 + 1, y0 + fold)])
    paint(cv, ear, PAPER_SHADE, INK)


def draw_temp(cv):
    page(cv, 3, 2, 32, 43, 9)
    text(cv, 6, 13, "TMP", RED)
    for y in (26, 30, 34):
        pixels(cv, rect(7, y, 22, y), LINE_GREY)
    # A bin in front of the sheet: the files are meant to go.
    paint(cv, polygon([(25, 27), (44, 27), (42, 46), (27, 46)]), STEEL, INK,
          STEEL_LIGHT, STEEL_DARK)
    for x in (30, 34.5, 39):
        pixels(cv, thick_line(x, 30, x - (x - 34.5) * 0.1, 43, 1.2), STEEL_DARK)
    paint(cv, rect(23, 23, 46, 26), STEEL_LIGHT, INK)
    paint(cv, rect(31, 20, 38, 23), STEEL, INK)


def draw_documents(cv):
    page(cv, 17, 1, 42, 33, 7, (224, 236, 252))
    page(cv, 11, 7, 36, 39, 7, (238, 244, 252))
    page(cv, 5, 13, 30, 45, 7)
    paint(cv, rect(8, 16, 17, 24), SKY, SKY_DARK)
    pixels(cv, polygon([(9, 24), (12, 19), (15, 24)]), GREEN_DARK)
    for y in (27, 31, 35, 39):
        pixels(cv, rect(8, y, 27, y), LINE_GREY)
    pixels(cv, rect(20, 18, 23, 18) | rect(20, 22, 25, 22), LINE_GREY)


def window(cv, x0, y0, x1, y1, title_h=7):
    paint(cv, rect(x0, y0, x1, y1), FACE, INK, WHITE, STEEL_DARK)
    def bar(x, y):
        return TITLE_LIGHT if x < x0 + (x1 - x0) * 0.55 else TITLE
    paint(cv, rect(x0 + 2, y0 + 2, x1 - 2, y0 + 1 + title_h), bar)
    paint(cv, rect(x1 - 8, y0 + 3, x1 - 3, y0 + title_h), FACE, INK)


def draw_run(cv):
    window(cv, 1, 3, 46, 44)
    # The play arrow of "start a program".
    paint(cv, circle(13.5, 22.5, 9.5), GREEN, GREEN_DARK, GREEN_LIGHT)
    pixels(cv, polygon([(10, 17), (19.5, 22.5), (10, 28)]), WHITE)
    pixels(cv, rect(25, 18, 41, 19) | rect(25, 23, 36, 24), STEEL_DARK)
    paint(cv, rect(5, 32, 42, 40), WHITE, STEEL_DARK)
    pixels(cv, {(7, 33), (8, 34), (9, 35), (10, 36), (9, 37), (8, 38), (7, 39)}, INK)
    pixels(cv, {(8, 33), (9, 34), (10, 35), (11, 36), (10, 37), (9, 38), (8, 39)}, INK)
    pixels(cv, rect(14, 38, 19, 39), INK)


def computer(cv, x0, y0, w, h):
    paint(cv, rect(x0, y0, x0 + w - 1, y0 + h - 1), STEEL, INK, STEEL_LIGHT, STEEL_DARK)

    def glass(x, y):
        return SCREEN_LIGHT if (x - x0) + (y - y0) < w * 0.55 else SCREEN
    paint(cv, rect(x0 + 3, y0 + 3, x0 + w - 4, y0 + h - 4), glass, NAVY)
    mid = x0 + w // 2
    paint(cv, rect(mid - 2, y0 + h, mid + 1, y0 + h + 1), STEEL_DARK, None)
    paint(cv, rect(mid - 6, y0 + h + 2, mid + 5, y0 + h + 4), STEEL, INK)


def draw_network(cv):
    cable = (rect(10, 16, 11, 44) | rect(10, 43, 37, 44) | rect(36, 38, 37, 44))
    pixels(cv, cable, (230, 150, 20))
    pixels(cv, {(x, 45) for x in range(10, 38)} | {(12, y) for y in range(16, 43)},
            (150, 90, 10))
    computer(cv, 1, 1, 22, 17)
    computer(cv, 25, 18, 22, 17)
    paint(cv, rect(20, 40, 27, 47), GREEN, INK, GREEN_LIGHT, GREEN_DARK)


def sparkle(cv, x, y, r):
    cx, cy, k = x + 0.5, y + 0.5, max(1.5, r * 0.3)
    star = polygon([(cx - r, cy), (cx - k, cy - k), (cx, cy - r), (cx + k, cy - k),
                    (cx + r, cy), (cx + k, cy + k), (cx, cy + r), (cx - k, cy + k)])
    paint(cv, star, (255, 236, 60), (190, 140, 0))
    cv.set(x, y, WHITE)


def draw_clean(cv):
    # The broom is drawn upright about its binding, then tilted 45 degrees.
    ox, oy, tilt = 25, 22, 45
    handle = polygon(rotated([(-2, -29), (2, -29), (2, 0), (-2, 0)], tilt, ox, oy))
    paint(cv, handle, WOOD, WOOD_DARK, WOOD_LIGHT)
    head = polygon(rotated([(-6, 2), (6, 2), (12, 22), (-12, 22)], tilt, ox, oy))
    paint(cv, head, STRAW, STRAW_DARK, STRAW_LIGHT)
    for k in (-7, -3.5, 0, 3.5, 7):
        p = rotated([(k * 0.45, 5), (k * 1.2, 21)], tilt, ox, oy)
        pixels(cv, thick_line(p[0][0], p[0][1], p[1][0], p[1][1], 1.0), STRAW_DARK)
    band = polygon(rotated([(-6.5, -2), (6.5, -2), (6.5, 3), (-6.5, 3)], tilt, ox, oy))
    paint(cv, band, RED, RED_DARK)
    sparkle(cv, 37, 31, 6)
    sparkle(cv, 42, 42, 4)
    sparkle(cv, 30, 42, 3)


def badge(cv, body, body_light, body_dark, outline):
    cx, cy = 24, 24
    ball = circle(cx, cy, 22.5)

    def shade(x, y):
        d = (x - cx) + (y - cy)
        return body_light if d < -12 else body if d < 16 else body_dark
    paint(cv, ball, shade, outline)
    pixels(cv, arc(cx, cy, 20.5, 18.6, 100, 170), WHITE)


def draw_help(cv):
    badge(cv, (40, 110, 220), (100, 160, 245), (20, 70, 170), NAVY)
    hook = arc(24, 16, 10, 5, 290, 180) | circle(16.5, 16, 2.5)
    stem = thick_line(28, 21, 24.5, 26, 5) | rect(22, 25, 26, 30)
    dot = circle(24.5, 37, 3.2)
    mark = hook | stem | dot
    pixels(cv, shifted(mark, 1, 1), NAVY)
    paint(cv, mark, WHITE, None, None, (200, 216, 240))


def draw_about(cv):
    badge(cv, (30, 150, 150), (90, 200, 200), (10, 100, 110), (10, 60, 70))
    dot = circle(24, 12, 3.6)
    stem = rect(21, 19, 26, 35) | rect(18, 19, 20, 21) | rect(18, 35, 29, 38)
    mark = dot | stem
    pixels(cv, shifted(mark, 1, 1), (10, 60, 70))
    paint(cv, mark, WHITE, None, None, (200, 230, 230))


PICTURES = [draw_cache, draw_history, draw_cookie, draw_address, draw_temp,
            draw_documents, draw_run, draw_network, draw_clean, draw_help,
            draw_about]


def strip():
    cv = Canvas(SIZE * BUTTONS, SIZE)
    for i, draw in enumerate(PICTURES):
        one = Canvas(SIZE, SIZE)
        draw(one)
        for y in range(SIZE):
            for x in range(SIZE):
                cv.px[y][i * SIZE + x] = one.px[y][x]
    return cv


# Colour conversions of the picture pixels; None stays background.

def avoid(colour, background):
    """The strips are masked by exact colour, so no picture pixel may equal it."""
    if colour != background:
        return colour
    step = 1 if max(colour) < 255 else -1
    return tuple(c + step for c in colour)


def to_normal(colour):
    return BG_NORMAL if colour is None else avoid(colour, BG_NORMAL)


def to_disabled(colour):
    if colour is None:
        return BG_DISABLED
    r, g, b = colour
    lum = 0.299 * r + 0.587 * g + 0.114 * b
    v = round(140 + lum * 0.36)
    return avoid((v, v, v), BG_DISABLED)


def nearest_vga(colour):
    """Nearest palette entry by weighted RGB distance, plus a penalty for
    turning away from the colour's hue so that a coloured shade does not
    end up grey or in a neighbouring hue."""
    def chroma(c):
        mean = sum(c) / 3
        return [x - mean for x in c]
    cc = chroma(colour)
    cn = math.sqrt(sum(x * x for x in cc))
    best, best_d = 0, None
    for i, entry in enumerate(VGA):
        if entry == BG_16:
            continue
        d = sum(w * (a - b) ** 2 for w, a, b in zip((3, 4, 2), colour, entry))
        if cn > 20:
            ec = chroma(entry)
            en = math.sqrt(sum(x * x for x in ec))
            cos = sum(a * b for a, b in zip(cc, ec)) / (cn * en) if en else 0.0
            d += 4 * cn * cn * (1 - cos)
        if best_d is None or d < best_d:
            best, best_d = i, d
    return best


# Bitmap and icon files.

def bmp_24(cv, convert):
    row_bytes = (cv.width * 3 + 3) & ~3
    rows = []
    for y in range(cv.height - 1, -1, -1):
        row = bytearray()
        for x in range(cv.width):
            r, g, b = convert(cv.px[y][x])
            row += bytes((b, g, r))
        row += b'\0' * (row_bytes - len(row))
        rows.append(bytes(row))
    data = b''.join(rows)
    info = struct.pack('<IiiHHIIiiII', 40, cv.width, cv.height, 1, 24, 0,
                       len(data), 2835, 2835, 0, 0)
    head = struct.pack('<2sIHHI', b'BM', 14 + len(info) + len(data), 0, 0,
                       14 + len(info))
    return head + info + data


def bmp_4(cv):
    bg = VGA.index(BG_16)
    cache = {}
    row_bytes = ((cv.width + 1) // 2 + 3) & ~3
    rows = []
    for y in range(cv.height - 1, -1, -1):
        idx = []
        for x in range(cv.width):
            c = cv.px[y][x]
            if c is None:
                idx.append(bg)
            else:
                if c not in cache:
                    cache[c] = nearest_vga(c)
                idx.append(cache[c])
        if len(idx) % 2:
            idx.append(0)
        row = bytes((idx[i] << 4) | idx[i + 1] for i in range(0, len(idx), 2))
        rows.append(row + b'\0' * (row_bytes - len(row)))
    data = b''.join(rows)
    palette = b''.join(bytes((b, g, r, 0)) for r, g, b in VGA)
    info = struct.pack('<IiiHHIIiiII', 40, cv.width, cv.height, 1, 4, 0,
                       len(data), 2835, 2835, 16, 16)
    offset = 14 + len(info) + len(palette)
    head = struct.pack('<2sIHHI', b'BM', offset + len(data), 0, 0, offset)
    return head + info + palette + data


def draw_app_icon(n):
    """A window being swept by a broom; coordinates are in 48ths of n."""
    s = n / 48.0
    cv = Canvas(n, n)

    def r(x0, y0, x1, y1):
        return rect(round(x0 * s), round(y0 * s), round(x1 * s) - 1, round(y1 * s) - 1)
    paint(cv, r(1, 3, 41, 39), WHITE, INK, None, PAPER_SHADE)
    paint(cv, r(1, 3, 41, 12 if n > 16 else 15), TITLE, INK, TITLE_LIGHT)
    if n > 16:
        for y in (17, 23, 29):
            pixels(cv, r(6, y, 22 if y == 29 else 32, y + 2), LINE_GREY)
    ox, oy, tilt = 30 * s, 28 * s, 35
    handle = polygon(rotated([(-2.2 * s, -27 * s), (2.2 * s, -27 * s), (2.2 * s, 0),
                              (-2.2 * s, 0)], tilt, ox, oy))
    paint(cv, handle, WOOD, WOOD_DARK if n > 16 else None)
    head = polygon(rotated([(-6 * s, 2 * s), (6 * s, 2 * s), (12 * s, 20 * s),
                            (-12 * s, 20 * s)], tilt, ox, oy))
    paint(cv, head, STRAW, STRAW_DARK, STRAW_LIGHT if n > 16 else None)
    if n > 16:
        for k in (-7, -3.5, 0, 3.5, 7):
            p = rotated([(k * 0.45 * s, 5 * s), (k * s, 18 * s)], tilt, ox, oy)
            pixels(cv, thick_line(p[0][0], p[0][1], p[1][0], p[1][1], max(1.0, s)),
                   STRAW_DARK)
    band = polygon(rotated([(-6.5 * s, -2.5 * s), (6.5 * s, -2.5 * s), (6.5 * s, 3 * s),
                            (-6.5 * s, 3 * s)], tilt, ox, oy))
    paint(cv, band, RED, RED_DARK if n > 16 else None)
    return cv


def ico(sizes):
    images = []
    for n in sizes:
        cv = draw_app_icon(n)
        xor = bytearray()
        for y in range(n - 1, -1, -1):
            for x in range(n):
                c = cv.px[y][x]
                xor += bytes((0, 0, 0, 0)) if c is None else bytes((c[2], c[1], c[0], 255))
        mask_row = ((n + 31) // 32) * 4
        mask = bytearray()
        for y in range(n - 1, -1, -1):
            bits = bytearray(mask_row)
            for x in range(n):
                if cv.px[y][x] is None:
                    bits[x // 8] |= 0x80 >> (x % 8)
            mask += bits
        info = struct.pack('<IiiHHIIiiII', 40, n, 2 * n, 1, 32, 0,
                           len(xor) + len(mask), 0, 0, 0, 0)
        images.append((n, info + bytes(xor) + bytes(mask)))
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for n, data in images:
        out += struct.pack('<BBBBHHII', n % 256, n % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    return out + b''.join(data for _, data in images)


def main():
    res = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'res')
    if len(sys.argv) > 1:
        res = sys.argv[1]
    cv = strip()
    normal = bmp_24(cv, to_normal)
    outputs = {
        'toolbar16.bmp': bmp_4(cv),
        'toolbar_normal.bmp': normal,
        'toolbar_hot.bmp': normal,
        'toolbar_disabled.bmp': bmp_24(cv, to_disabled),
        'Vestrel.ico': ico([16, 32, 48]),
    }
    for name, data in outputs.items():
        with open(os.path.join(res, name), 'wb') as f:
            f.write(data)


if __name__ == '__main__':
    main()
