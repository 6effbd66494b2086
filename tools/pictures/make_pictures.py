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
    """A 560 x 600 parchment with a few rooms joined by corridors, on the
    20-pixel grid the map editor uses."""
    w, h = 560, 600
    parchment, ink, floor = 0, 1, 2
    px = [parchment] * (w * h)

    def rect(x0, y0, x1, y1, c):
        for y in range(max(0, y0), min(h, y1)):
            row = y * w
            for x in range(max(0, x0), min(w, x1)):
                px[row + x] = c

    rooms = [(60, 60, 200, 180), (300, 60, 480, 200), (60, 300, 220, 460), (320, 320, 500, 540)]
    for x0, y0, x1, y1 in rooms:
        rect(x0 - 4, y0 - 4, x1 + 4, y1 + 4, ink)
        rect(x0, y0, x1, y1, floor)
    for x0, y0, x1, y1 in [(200, 110, 300, 130), (120, 180, 140, 300), (220, 380, 320, 400),
                           (400, 200, 420, 320)]:
        rect(x0, y0, x1, y1, floor)
    return w, h, [(236, 222, 186), (92, 64, 40), (250, 244, 228)], px


if __name__ == "__main__":
    w, h, palette, px = example_map()
    write_gif("map_example.gif", w, h, palette, px)
