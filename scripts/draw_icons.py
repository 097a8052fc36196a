#!/usr/bin/env python3
"""Draws the program's small bitmaps as 24-bit BMP files.

The skins (iss, sun, moon, moondark, hst, sat, notsell) go to res/skins, the
bitmaps carried inside the program (observer marker, GPS icon states, the
toolbar strip of 15 images and the About picture) to res/icons. Every
background is the transparent colour (249, 57, 198).

    scripts/draw_icons.py RES_FOLDER
"""
import math
import os
import struct
import sys

KEY = (249, 57, 198)


class Canvas:
    def __init__(self, width, height, fill=KEY):
        self.width, self.height = width, height
        self.pixels = [[fill] * width for _ in range(height)]

    def set(self, x, y, colour):
        x, y = int(round(x)), int(round(y))
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = colour

    def rect(self, x0, y0, x1, y1, colour):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.set(x, y, colour)

    def frame(self, x0, y0, x1, y1, colour):
        for x in range(x0, x1 + 1):
            self.set(x, y0, colour)
            self.set(x, y1, colour)
        for y in range(y0, y1 + 1):
            self.set(x0, y, colour)
            self.set(x1, y, colour)

    def disc(self, cx, cy, r, colour, shade=None):
        for y in range(self.height):
            for x in range(self.width):
                d = math.hypot(x - cx, y - cy)
                if d <= r:
                    self.set(x, y, shade(x, y, d) if shade else colour)

    def ring(self, cx, cy, r, colour, width=1.0):
        for y in range(self.height):
            for x in range(self.width):
                if abs(math.hypot(x - cx, y - cy) - r) <= width / 2:
                    self.set(x, y, colour)

    def ellipse_ring(self, cx, cy, rx, ry, colour, tilt=0.0, steps=400):
        c, s = math.cos(tilt), math.sin(tilt)
        for i in range(steps):
            a = 2 * math.pi * i / steps
            x, y = rx * math.cos(a), ry * math.sin(a)
            self.set(cx + c * x - s * y, cy + s * x + c * y, colour)

    def line(self, x0, y0, x1, y1, colour):
        n = int(max(abs(x1 - x0), abs(y1 - y0)) * 2) + 1
        for i in range(n + 1):
            t = i / n
            self.set(x0 + (x1 - x0) * t, y0 + (y1 - y0) * t, colour)

    def polygon(self, points, colour):
        ys = [p[1] for p in points]
        for y in range(int(min(ys)), int(max(ys)) + 1):
            xs = []
            for (xa, ya), (xb, yb) in zip(points, points[1:] + points[:1]):
                if (ya <= y + 0.5 < yb) or (yb <= y + 0.5 < ya):
                    xs.append(xa + (y + 0.5 - ya) * (xb - xa) / (yb - ya))
            xs.sort()
            for a, b in zip(xs[::2], xs[1::2]):
                for x in range(int(math.ceil(a - 0.5)), int(math.floor(b - 0.5)) + 1):
                    self.set(x, y, colour)

    def paste(self, other, ox, oy):
        for y in range(other.height):
            for x in range(other.width):
                self.set(ox + x, oy + y, other.pixels[y][x])

    def save(self, path):
        row_bytes = (self.width * 3 + 3) & ~3
        data = bytearray()
        for y in range(self.height - 1, -1, -1):
            row = bytearray()
            for r, g, b in self.pixels[y]:
                row += bytes((b, g, r))
            row += b"\0" * (row_bytes - len(row))
            data += row
        header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
        info = struct.pack("<IiiHHIIiiII", 40, self.width, self.height, 1, 24, 0, len(data),
                           2835, 2835, 0, 0)
        with open(path, "wb") as f:
            f.write(header + info + data)


def mix(a, b, t):
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))


# ---- skins ------------------------------------------------------------------

def sun():
    c = Canvas(31, 31)
    for k in range(12):
        a = k * math.pi / 6
        c.line(15 + 10 * math.cos(a), 15 + 10 * math.sin(a), 15 + 15 * math.cos(a),
               15 + 15 * math.sin(a), (255, 190, 0))
    c.disc(15, 15, 9.5, None, lambda x, y, d: mix((255, 255, 170), (255, 170, 0), d / 9.5))
    return c


def moon(lit):
    c = Canvas(31, 31)
    base_hi, base_lo = ((235, 235, 220), (170, 170, 160)) if lit else ((70, 70, 80), (35, 35, 45))

    def shade(x, y, d):
        colour = mix(base_hi, base_lo, max(0.0, (d / 14.5) ** 2))
        for mx, my, mr in ((10, 11, 3.5), (19, 18, 4.5), (18, 8, 2.5), (9, 20, 2.0)):
            if math.hypot(x - mx, y - my) <= mr:
                colour = mix(colour, (0, 0, 0), 0.18)
        return colour

    c.disc(15, 15, 14.5, None, shade)
    return c


def iss():
    c = Canvas(15, 15)
    for x0 in (0, 10):
        c.rect(x0, 3, x0 + 4, 11, (40, 80, 200))
        c.frame(x0, 3, x0 + 4, 11, (120, 160, 255))
    c.rect(5, 7, 9, 7, (220, 220, 220))
    c.rect(6, 5, 8, 9, (250, 250, 250))
    return c


def satellite(body, panel):
    c = Canvas(15, 15)
    c.rect(0, 5, 4, 9, panel)
    c.rect(10, 5, 14, 9, panel)
    c.rect(5, 7, 9, 7, (200, 200, 200))
    c.rect(6, 4, 8, 10, body)
    c.set(7, 2, body)
    c.set(7, 3, body)
    return c


def hst():
    c = Canvas(31, 31)
    c.rect(11, 4, 19, 26, (200, 200, 205))
    c.rect(11, 4, 19, 6, (120, 120, 130))
    for x0 in (1, 22):
        c.rect(x0, 10, x0 + 7, 20, (50, 70, 160))
        c.frame(x0, 10, x0 + 7, 20, (140, 160, 230))
    c.rect(8, 15, 10, 15, (200, 200, 200))
    c.rect(20, 15, 21, 15, (200, 200, 200))
    return c


# ---- resource bitmaps -----------------------------------------------------------

def observer():
    c = Canvas(13, 13)
    c.ring(6, 6, 5, (255, 40, 40), 1.4)
    c.rect(6, 0, 6, 12, (255, 40, 40))
    c.rect(0, 6, 12, 6, (255, 40, 40))
    c.rect(5, 5, 7, 7, (255, 255, 255))
    return c


def gps_icon(on):
    c = Canvas(14, 14)
    dish = (30, 200, 60) if on else (120, 120, 120)
    c.disc(5, 8, 4.5, dish)
    c.line(5, 8, 10, 3, (40, 40, 40))
    c.disc(10.5, 2.5, 1.5, (230, 40, 40) if on else (80, 80, 80))
    c.rect(3, 12, 8, 13, (60, 60, 60))
    return c


def about_picture():
    c = Canvas(96, 96, (0, 0, 40))
    for i in range(60):
        x, y = (i * 37) % 96, (i * 53 + i * i) % 96
        c.set(x, y, (255, 255, 255) if i % 3 else (200, 200, 255))
    c.disc(48, 54, 26, None, lambda x, y, d: mix((60, 140, 255), (0, 40, 120), d / 26))
    c.polygon([(36, 40), (50, 36), (56, 48), (44, 60), (34, 54)], (40, 150, 60))
    c.polygon([(56, 62), (66, 58), (70, 70), (58, 74)], (40, 150, 60))
    c.ellipse_ring(48, 54, 42, 14, (255, 220, 80), tilt=-0.35)
    c.paste(satellite((250, 250, 250), (60, 90, 220)), 80, 28)
    return c


# ---- toolbar strip: 15 images of 20 x 20 ------------------------------------------

INK = (20, 20, 20)
BLUE = (30, 90, 200)
GREEN = (20, 150, 40)
YELLOW = (240, 200, 40)
RED = (210, 30, 30)
WHITE = (255, 255, 255)


def arrow_down(c, x, y0, y1, colour):
    c.rect(x - 1, y0, x + 1, y1 - 4, colour)
    c.polygon([(x - 5, y1 - 5), (x + 6, y1 - 5), (x + 0.5, y1 + 1)], colour)


def tool_open(c):
    c.polygon([(2, 5), (8, 5), (10, 7), (17, 7), (17, 16), (2, 16)], (190, 140, 30))
    c.polygon([(4, 9), (19, 9), (16, 16), (2, 16)], YELLOW)


def tool_download(c):
    c.disc(9.5, 9.5, 8, None, lambda x, y, d: mix((90, 160, 255), BLUE, d / 8))
    c.polygon([(5, 6), (9, 4), (11, 8), (7, 11)], GREEN)
    arrow_down(c, 14, 6, 19, RED)


def tool_sky(c):
    c.disc(9.5, 9.5, 8.5, (0, 0, 60))
    c.ring(9.5, 9.5, 8.5, (150, 100, 255))
    c.ring(9.5, 9.5, 4.5, (150, 100, 255))
    for x, y in ((6, 6), (12, 5), (13, 12), (5, 13), (9, 9)):
        c.set(x, y, WHITE)
    c.rect(15, 3, 16, 4, YELLOW)


def tool_space(c):
    c.disc(9.5, 9.5, 5, None, lambda x, y, d: mix((90, 160, 255), BLUE, d / 5))
    c.ellipse_ring(9.5, 9.5, 9, 4, (0, 220, 0), tilt=-0.5)
    c.rect(16, 3, 17, 4, RED)


def tool_map(c):
    c.rect(1, 4, 18, 15, (20, 60, 160))
    c.polygon([(3, 6), (8, 5), (8, 10), (5, 13), (3, 9)], GREEN)
    c.polygon([(10, 6), (16, 6), (16, 11), (12, 13), (10, 9)], GREEN)
    c.rect(1, 4, 7, 15, mix((20, 60, 160), (0, 0, 0), 0.5))
    c.polygon([(3, 6), (7, 5), (7, 10), (5, 13), (3, 9)], mix(GREEN, (0, 0, 0), 0.5))
    c.frame(1, 4, 18, 15, INK)


def tool_gps(c):
    c.ring(9.5, 9.5, 7.5, INK)
    c.rect(9, 1, 10, 18, INK)
    c.rect(1, 9, 18, 10, INK)
    c.disc(9.5, 9.5, 3, RED)


def tool_info(c):
    c.rect(3, 1, 16, 18, WHITE)
    c.frame(3, 1, 16, 18, INK)
    for y in (4, 7, 10, 13, 16):
        c.rect(5, y, 14 if y % 2 else 11, y, BLUE)


def tool_predict(c):
    c.disc(9.5, 9.5, 8, WHITE)
    c.ring(9.5, 9.5, 8, INK, 1.2)
    c.line(9.5, 9.5, 9.5, 4, INK)
    c.line(9.5, 9.5, 13.5, 11.5, RED)


def tool_select(c):
    for row, checked in ((2, True), (8, False), (14, True)):
        c.frame(2, row, 6, row + 4, INK)
        if checked:
            c.line(3, row + 2, 4, row + 3, GREEN)
            c.line(4, row + 3, 7, row - 1, GREEN)
        c.rect(9, row + 2, 17, row + 2, INK)


def tool_slower(c):
    c.polygon([(10, 4), (10, 16), (2, 10)], BLUE)
    c.polygon([(18, 4), (18, 16), (10, 10)], BLUE)


def tool_real_time(c):
    c.disc(9.5, 9.5, 8, (250, 250, 220))
    c.ring(9.5, 9.5, 8, GREEN, 1.2)
    c.line(9.5, 9.5, 9.5, 3.5, INK)
    c.line(9.5, 9.5, 14, 9.5, INK)


def tool_faster(c):
    c.polygon([(2, 4), (2, 16), (10, 10)], BLUE)
    c.polygon([(10, 4), (10, 16), (18, 10)], BLUE)


def tool_next(c):
    satellite_icon = satellite((250, 250, 250), (60, 90, 220))
    c.paste(satellite_icon, -3, -3)
    arrow_down(c, 14, 6, 18, GREEN)


def tool_previous(c):
    satellite_icon = satellite((250, 250, 250), (60, 90, 220))
    c.paste(satellite_icon, -3, -3)
    c.rect(13, 8, 15, 18, GREEN)
    c.polygon([(8.5, 8), (19.5, 8), (14, 2)], GREEN)


def tool_gps_switch(c):
    c.ring(9.5, 10.5, 7, RED, 2)
    c.rect(8, 8, 11, 10, KEY)
    c.rect(9, 1, 10, 10, RED)


TOOLS = [tool_open, tool_download, tool_sky, tool_space, tool_map, tool_gps, tool_info,
         tool_predict, tool_select, tool_slower, tool_real_time, tool_faster, tool_next,
         tool_previous, tool_gps_switch]


def toolbar():
    strip = Canvas(20 * len(TOOLS), 20)
    for i, draw in enumerate(TOOLS):
        icon = Canvas(20, 20)
        draw(icon)
        strip.paste(icon, 20 * i, 0)
    return strip


def main():
    res = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "res")
    skins, icons = os.path.join(res, "skins"), os.path.join(res, "icons")
    os.makedirs(skins, exist_ok=True)
    os.makedirs(icons, exist_ok=True)
    sun().save(os.path.join(skins, "sun.bmp"))
    moon(True).save(os.path.join(skins, "moon.bmp"))
    moon(False).save(os.path.join(skins, "moondark.bmp"))
    iss().save(os.path.join(skins, "iss.bmp"))
    hst().save(os.path.join(skins, "hst.bmp"))
    satellite((255, 230, 60), (230, 60, 40)).save(os.path.join(skins, "sat.bmp"))
    satellite((250, 250, 250), (60, 90, 220)).save(os.path.join(skins, "notsell.bmp"))
    observer().save(os.path.join(icons, "observer.bmp"))
    gps_icon(True).save(os.path.join(icons, "gps_fix.bmp"))
    gps_icon(False).save(os.path.join(icons, "gps_idle.bmp"))
    toolbar().save(os.path.join(icons, "toolbar.bmp"))
    about_picture().save(os.path.join(icons, "about.bmp"))


if __name__ == "__main__":
    main()
