#!/usr/bin/env python3
"""Draws the pictures that Quenlo carries and writes them as GIF files into
resources/pictures/. Run it by hand after changing a drawing; the GIF files it
writes are committed, so building Quenlo never needs Python."""

import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "..", "..", "resources", "pictures")


def lzw_encode(pixels, min_code_size):
    """GIF LZW data for a list of palette indices."""
    clear = 1 << min_code_size
    end = clear + 1
    table = {(i,): i for i in range(clear)}
    next_code = end + 1
    code_size = min_code_size + 1
    out, bits, nbits = bytearray(), 0, 0

    def emit(code):
        nonlocal bits, nbits
        bits |= code << nbits
        nbits += code_size
        while nbits >= 8:
            out.append(bits & 0xFF)
            bits >>= 8
            nbits -= 8

    emit(clear)
    current = ()
    for p in pixels:
        candidate = current + (p,)
        if candidate in table:
            current = candidate
            continue
        emit(table[current])
        if next_code < 4096:
            table[candidate] = next_code
            next_code += 1
            if next_code > (1 << code_size) and code_size < 12:
                code_size += 1
        else:
            emit(clear)
            table = {(i,): i for i in range(clear)}
            next_code = end + 1
            code_size = min_code_size + 1
        current = (p,)
    if current:
        emit(table[current])
    emit(end)
    if nbits:
        out.append(bits & 0xFF)
    return bytes(out)


def write_gif(name, width, height, palette, pixels):
    bits = max(1, (len(palette) - 1).bit_length())
    size = 1 << bits
    palette = palette + [(0, 0, 0)] * (size - len(palette))
    data = lzw_encode(pixels, max(2, bits))
    blocks = b"".join(bytes([len(data[i:i + 255])]) + data[i:i + 255]
                      for i in range(0, len(data), 255))
    gif = (b"GIF89a" + struct.pack("<HHBBB", width, height, 0x80 | (bits - 1), 0, 0)
           + b"".join(bytes(c) for c in palette)
           + b"\x2c" + struct.pack("<HHHHB", 0, 0, width, height, 0)
           + bytes([max(2, bits)]) + blocks + b"\x00\x3b")
    with open(os.path.join(OUT, name), "wb") as f:
        f.write(gif)


def example_map():
    """A 560 x 600 parchment with four rooms joined by corridors, on the
    20-pixel grid the map editor uses; each room has floor tiles of its own
    colour, so that rooms hidden under white are easy to tell apart."""
    w, h = 560, 600
    parchment, ink, corridor = 0, 1, 2
    px = [parchment] * (w * h)

    def rect(x0, y0, x1, y1, c):
        for y in range(max(0, y0), min(h, y1)):
            row = y * w
            for x in range(max(0, x0), min(w, x1)):
                px[row + x] = c

    def tiles(x0, y0, x1, y1, light, dark):
        for y in range(y0, y1):
            for x in range(x0, x1):
                px[y * w + x] = light if ((x // 20) + (y // 20)) % 2 == 0 else dark

    rooms = [(60, 60, 200, 180), (300, 60, 480, 200), (60, 300, 220, 460), (320, 320, 500, 540)]
    for k, (x0, y0, x1, y1) in enumerate(rooms):
        rect(x0 - 4, y0 - 4, x1 + 4, y1 + 4, ink)
        tiles(x0, y0, x1, y1, 3 + 2 * k, 4 + 2 * k)
    for x0, y0, x1, y1 in [(200, 110, 300, 130), (120, 180, 140, 300), (220, 380, 320, 400),
                           (400, 200, 420, 320)]:
        rect(x0, y0, x1, y1, corridor)
    palette = [(236, 222, 186), (92, 64, 40), (214, 196, 156),
               (196, 222, 180), (176, 206, 160), (188, 208, 232), (166, 190, 220),
               (232, 204, 170), (218, 184, 146), (226, 196, 214), (208, 174, 198)]
    return w, h, palette, px


class Canvas:
    """A small paletted drawing surface."""

    def __init__(self, w, h, fill=0):
        self.w, self.h = w, h
        self.px = [fill] * (w * h)

    def rect(self, x0, y0, x1, y1, c):
        for y in range(max(0, y0), min(self.h, y1)):
            row = y * self.w
            for x in range(max(0, x0), min(self.w, x1)):
                self.px[row + x] = c

    def dot(self, x, y, c):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y * self.w + x] = c

    def circle(self, cx, cy, r, c):
        for y in range(int(cy - r), int(cy + r) + 1):
            for x in range(int(cx - r), int(cx + r) + 1):
                if (x - cx) ** 2 + (y - cy) ** 2 <= r * r:
                    self.dot(x, y, c)

    def polygon(self, points, c):
        """Fills a polygon by testing each pixel centre of its bounding box."""
        xs = [p[0] for p in points]
        ys = [p[1] for p in points]
        n = len(points)
        for y in range(max(0, int(min(ys))), min(self.h, int(max(ys)) + 1)):
            yc = y + 0.5
            crossings = []
            for i in range(n):
                (x0, y0), (x1, y1) = points[i], points[(i + 1) % n]
                if (y0 <= yc < y1) or (y1 <= yc < y0):
                    crossings.append(x0 + (yc - y0) * (x1 - x0) / (y1 - y0))
            crossings.sort()
            for a, b in zip(crossings[0::2], crossings[1::2]):
                for x in range(max(0, int(a + 0.5)), min(self.w, int(b + 0.5))):
                    self.px[y * self.w + x] = c

    def line(self, x0, y0, x1, y1, c):
        steps = int(max(abs(x1 - x0), abs(y1 - y0))) + 1
        for i in range(steps + 1):
            t = i / steps
            self.dot(int(round(x0 + (x1 - x0) * t)), int(round(y0 + (y1 - y0) * t)), c)


# One palette for the three scenes.
SCENE_PALETTE = [
    (14, 20, 48), (24, 36, 78), (40, 58, 110), (70, 92, 140),   # 0-3 sky, dark to light
    (250, 244, 210), (255, 214, 90), (255, 240, 160),           # 4-6 moon and stars, lamp, beam
    (10, 28, 52), (22, 54, 92), (80, 120, 160),                 # 7-9 sea, sea light, foam
    (58, 44, 34), (88, 68, 50),                                  # 10-11 cliff
    (236, 232, 222), (176, 40, 36), (40, 40, 44),                # 12-14 tower, red, dark glass
    (96, 100, 108),                                               # 15 storm grey
]


def lighthouse_scene(mood):
    """A lighthouse on a cliff over the sea: 'night' (unlit), 'lit' (beams
    and boats) or 'storm' (grey sky, rain, high waves)."""
    w, h = 360, 240
    cv = Canvas(w, h)
    sky = [0, 1, 2, 3] if mood != "storm" else [14, 15, 15, 3]
    horizon = 160
    for i, c in enumerate(sky):
        cv.rect(0, i * horizon // 4, w, (i + 1) * horizon // 4, c)
    if mood == "storm":
        cv.rect(0, 0, w, 60, 14)
    else:
        for x, y in [(30, 20), (70, 45), (110, 15), (150, 60), (200, 30), (250, 12), (40, 90),
                     (95, 75), (175, 95), (215, 70), (20, 55), (130, 40), (60, 120)]:
            cv.dot(x, y, 4)
        cv.circle(70, 40, 14, 4)
        cv.circle(76, 36, 12, sky[0])
    # The sea, with lines of waves.
    cv.rect(0, horizon, w, h, 7)
    wave = 8 if mood != "storm" else 9
    for row, y in enumerate(range(horizon + 6, h, 9)):
        for x in range((row * 13) % 24, w, 24):
            amplitude = 1 if mood != "storm" else 3
            cv.line(x, y, x + 8, y - amplitude, wave)
            cv.line(x + 8, y - amplitude, x + 16, y, wave)
    if mood == "storm":
        for x in range(-60, w, 17):
            for y in range(0, horizon, 23):
                cv.line(x + y // 3, y, x + y // 3 + 5, y + 12, 9)
        for x in range(0, w, 40):
            cv.polygon([(x, 172), (x + 20, 158), (x + 40, 172)], 9)
    # The cliff and the lighthouse on it.
    cv.polygon([(220, h), (232, 150), (262, 128), (318, 124), (346, 140), (360, 160), (360, h)], 10)
    cv.polygon([(238, h), (246, 170), (270, 146), (300, 150), (290, h)], 11)
    base_y, top_y = 132, 62
    cv.polygon([(276, base_y), (282, top_y), (300, top_y), (306, base_y)], 12)
    for y0 in (76, 100, 122):
        cv.polygon([(276 + (base_y - y0) * 6 // 70, y0), (306 - (base_y - y0) * 6 // 70, y0),
                    (306 - (base_y - y0 - 9) * 6 // 70, y0 + 9), (276 + (base_y - y0 - 9) * 6 // 70, y0 + 9)], 13)
    cv.rect(278, 58, 304, 62, 14)
    lamp = 5 if mood == "lit" else 14
    cv.rect(281, 44, 301, 58, lamp)
    for x in (285, 291, 297):
        cv.rect(x, 44, x + 1, 58, 14)
    cv.polygon([(278, 44), (291, 32), (304, 44)], 13)
    cv.rect(290, 28, 292, 33, 14)
    if mood == "lit":
        cv.polygon([(281, 49), (0, 20), (0, 78), (281, 53)], 6)
        cv.polygon([(301, 49), (360, 36), (360, 64), (301, 53)], 6)
        cv.rect(281, 44, 301, 58, 5)
        for bx in (60, 150):
            cv.polygon([(bx, 186), (bx + 34, 186), (bx + 28, 194), (bx + 6, 194)], 10)
            cv.rect(bx + 16, 168, bx + 18, 186, 11)
            cv.polygon([(bx + 18, 169), (bx + 30, 183), (bx + 18, 183)], 12)
    return w, h, SCENE_PALETTE, cv.px


if __name__ == "__main__":
    for name, mood in (("cover.gif", "night"), ("success.gif", "lit"), ("fail.gif", "storm")):
        w, h, palette, px = lighthouse_scene(mood)
        write_gif(name, w, h, palette, px)
    w, h, palette, px = example_map()
    write_gif("map_example.gif", w, h, palette, px)
