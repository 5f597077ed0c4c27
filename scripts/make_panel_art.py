#!/usr/bin/env python3
"""Draws the example panels' bitmaps (24-bit BMP) for examples/capsule and
examples/kestrel.

Run from the project folder: python3 scripts/make_panel_art.py
The generated files are committed; run again only to change the art.
"""
import math
import os
import struct

ROOTS = [os.path.join("examples", name, "Bitmaps") for name in ("capsule", "kestrel")]


class Image:
    def __init__(self, w, h, colour=(0, 0, 0)):
        self.w, self.h = w, h
        self.px = [[colour] * w for _ in range(h)]

    def put(self, x, y, c):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y][x] = c

    def rect(self, x0, y0, x1, y1, c):
        for y in range(max(0, y0), min(self.h, y1)):
            for x in range(max(0, x0), min(self.w, x1)):
                self.px[y][x] = c

    def frame(self, x0, y0, x1, y1, c):
        self.rect(x0, y0, x1, y0 + 1, c)
        self.rect(x0, y1 - 1, x1, y1, c)
        self.rect(x0, y0, x0 + 1, y1, c)
        self.rect(x1 - 1, y0, x1, y1, c)

    def disc(self, cx, cy, r, c):
        for y in range(int(cy - r), int(cy + r) + 1):
            for x in range(int(cx - r), int(cx + r) + 1):
                if (x - cx) ** 2 + (y - cy) ** 2 <= r * r:
                    self.put(x, y, c)

    def line(self, x0, y0, x1, y1, c):
        steps = int(max(abs(x1 - x0), abs(y1 - y0))) + 1
        for i in range(steps + 1):
            t = i / steps
            self.put(int(round(x0 + t * (x1 - x0))), int(round(y0 + t * (y1 - y0))), c)

    def save(self, name):
        row = (self.w * 3 + 3) & ~3
        data = bytearray()
        for y in range(self.h - 1, -1, -1):
            line = bytearray()
            for (r, g, b) in self.px[y]:
                line += bytes((b, g, r))
            data += line + bytes(row - len(line))
        header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
        info = struct.pack("<IiiHHIIiiII", 40, self.w, self.h, 1, 24, 0, len(data), 2835, 2835, 0, 0)
        for root in ROOTS:
            with open(os.path.join(root, name), "wb") as f:
                f.write(header + info + data)


WHITE = (255, 255, 255)
PANEL = (52, 56, 60)
BEZEL = (78, 84, 90)
DARK = (24, 26, 28)
METAL = (170, 174, 178)
LITMETAL = (230, 200, 120)

# Seven-segment patterns of the digits 0 to 9: a b c d e f g.
SEGMENTS = ["1111110", "0110000", "1101101", "1111001", "0110011",
            "1011011", "1011111", "1110000", "1111111", "1111011"]


def background():
    img = Image(800, 400, PANEL)
    for (x0, y0, x1, y1) in [(10, 10, 270, 390), (280, 10, 540, 390), (550, 10, 790, 390)]:
        img.rect(x0, y0, x1, y1, BEZEL)
        img.frame(x0, y0, x1, y1, DARK)
    # Transparent window (colour key magenta) at the bottom right.
    img.rect(700, 330, 780, 370, (255, 0, 255))
    img.save("panel_main.bmp")


def toggle():
    # Columns: up (+1), middle (0), down (-1); top row unlit, lower row lit.
    img = Image(90, 80, WHITE)
    for row, lever in enumerate((METAL, LITMETAL)):
        for col, tip in enumerate((8, 20, 32)):
            x0, y0 = col * 30, row * 40
            img.disc(x0 + 15, y0 + 20, 9, DARK)
            img.rect(x0 + 12, y0 + min(tip, 20), x0 + 18, y0 + max(tip, 20), lever)
            img.disc(x0 + 15, y0 + tip, 4, lever)
    img.save("toggle.bmp")


def dial(name, ticks):
    img = Image(120, 240, WHITE)
    for row, face in enumerate(((30, 30, 34), (60, 52, 30))):
        y0 = row * 120
        img.rect(0, y0, 120, y0 + 120, PANEL)
        img.disc(60, y0 + 60, 57, METAL)
        img.disc(60, y0 + 60, 54, face)
        for i in range(ticks + 1):
            a = math.radians(45 + 270 * i / ticks)
            # Angle 0 points down the panel and growing angles turn clockwise:
            # the scale runs from 45 degrees (lower left) over the top to 315.
            dx, dy = -math.sin(a), math.cos(a)
            img.line(60 + 44 * dx, y0 + 60 + 44 * dy, 60 + 52 * dx, y0 + 60 + 52 * dy, WHITE)
        img.disc(60, y0 + 60, 4, METAL)
    img.save(name)


def digits():
    img = Image(160, 24, DARK)
    on = (255, 150, 40)
    for d, pattern in enumerate(SEGMENTS):
        x0 = d * 16
        seg = {"a": (3, 2, 13, 4), "b": (11, 3, 13, 12), "c": (11, 12, 13, 21), "d": (3, 20, 13, 22),
               "e": (3, 12, 5, 21), "f": (3, 3, 5, 12), "g": (3, 11, 13, 13)}
        for on_off, key in zip(pattern, "abcdefg"):
            if on_off == "1":
                a, b, c, e = seg[key]
                img.rect(x0 + a, b, x0 + c, e, on)
    img.save("digits.bmp")


def talkback():
    img = Image(120, 24, DARK)
    img.rect(2, 2, 38, 22, (40, 40, 40))
    for x in range(42, 78):
        for y in range(2, 22):
            img.put(x, y, (240, 240, 240) if ((x + y) // 4) % 2 else (30, 30, 30))
    img.rect(82, 2, 118, 22, (255, 200, 0))
    img.save("talkback.bmp")


def knob():
    img = Image(120, 40, PANEL)
    for i, a in enumerate((-45, 0, 45)):
        cx = i * 40 + 20
        img.disc(cx, 20, 17, METAL)
        r = math.radians(a)
        img.line(cx, 20, cx + 14 * math.sin(r), 20 - 14 * math.cos(r), DARK)
    img.save("knob.bmp")


def scale():
    img = Image(80, 160, PANEL)
    for col, tint in enumerate(((120, 120, 130), (200, 170, 90))):
        x0 = col * 40
        img.rect(x0 + 18, 8, x0 + 22, 152, tint)
        for i in range(11):
            y = 8 + i * 144 // 10
            img.rect(x0 + 22, y, x0 + 30, y + 1, tint)
    img.save("scale.bmp")


def nav_background():
    img = Image(800, 400, PANEL)
    for (x0, y0, x1, y1) in [(10, 10, 230, 390), (240, 10, 480, 390), (490, 10, 790, 390)]:
        img.rect(x0, y0, x1, y1, BEZEL)
        img.frame(x0, y0, x1, y1, DARK)
    img.save("panel_nav.bmp")


def adi_overlay():
    # Black is transparent: a bezel ring and the fixed aircraft symbol.
    img = Image(160, 160, (0, 0, 0))
    yellow = (255, 210, 0)
    for y in range(160):
        for x in range(160):
            r = math.hypot(x - 79.5, y - 79.5)
            if r > 70:
                img.put(x, y, BEZEL if r > 72 else DARK)
    img.rect(50, 79, 72, 82, yellow)
    img.rect(88, 79, 110, 82, yellow)
    img.rect(78, 78, 82, 83, yellow)
    for a in range(0, 360, 30):
        r = math.radians(a)
        img.line(80 + 62 * math.cos(r), 80 + 62 * math.sin(r), 80 + 69 * math.cos(r), 80 + 69 * math.sin(r), WHITE)
    img.save("adi_overlay.bmp")


def ball_texture():
    # Longitude across, latitude up: sky above the horizon, ground below,
    # a line every 30 degrees of latitude and every 45 of longitude.
    w, h = 256, 128
    img = Image(w, h)
    for y in range(h):
        latitude = 90 - 180 * (y + 0.5) / h
        for x in range(w):
            c = (70, 130, 220) if latitude > 0 else (150, 95, 45)
            if abs(latitude) < 1.5:
                c = (255, 255, 255)
            elif abs(latitude % 30) < 0.8 or (x % 32) == 0:
                c = tuple(min(255, v + 70) for v in c)
            img.put(x, y, c)
    img.save("ball.bmp")


def plot_art():
    bg = Image(600, 150, (10, 30, 18))
    for x in range(0, 600, 25):
        bg.rect(x, 0, x + 1, 150, (25, 60, 35))
    for y in range(0, 150, 25):
        bg.rect(0, y, 600, y + 1, (25, 60, 35))
    bg.save("plot_bg.bmp")
    over = Image(200, 150, (0, 0, 0))
    over.frame(0, 0, 200, 150, METAL)
    over.frame(1, 1, 199, 149, DARK)
    over.save("plot_overlay.bmp")
    bug = Image(6, 6, WHITE)
    bug.disc(2.5, 2.5, 2.6, (255, 60, 40))
    bug.save("bug.bmp")


if __name__ == "__main__":
    for root in ROOTS:
        os.makedirs(root, exist_ok=True)
    background()
    toggle()
    dial("dial.bmp", 12)
    digits()
    talkback()
    knob()
    scale()
    nav_background()
    adi_overlay()
    ball_texture()
    plot_art()
