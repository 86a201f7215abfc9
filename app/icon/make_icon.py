#!/usr/bin/env python3
"""Draws the application icon and writes it as app/kvimeter.ico (16, 32, 48 and 256 px).

The picture: a display panel with a play mark and three bars of a count, drawn from a few
shapes in a unit square, supersampled for smooth edges. Only the standard library is used.
Run it again after changing the shapes: python3 app/icon/make_icon.py
"""
import os
import struct
import zlib

SIZES = (16, 32, 48, 256)
SUPERSAMPLE = 4

FRAME = (0x1F, 0x3A, 0x5F)    # panel frame, dark blue
SCREEN = (0x2E, 0x7D, 0xD1)   # screen, blue
PLAY = (0xFF, 0xFF, 0xFF)     # play mark
BARS = ((0xF9, 0xA8, 0x25), (0x66, 0xBB, 0x6A), (0xEF, 0x53, 0x50))


def rounded_rect(x, y, left, top, right, bottom, radius):
    if not (left <= x <= right and top <= y <= bottom):
        return False
    cx = min(max(x, left + radius), right - radius)
    cy = min(max(y, top + radius), bottom - radius)
    return (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2


def triangle(x, y, a, b, c):
    def side(p, q):
        return (q[0] - p[0]) * (y - p[1]) - (q[1] - p[1]) * (x - p[0])
    d1, d2, d3 = side(a, b), side(b, c), side(c, a)
    return (d1 >= 0 and d2 >= 0 and d3 >= 0) or (d1 <= 0 and d2 <= 0 and d3 <= 0)


def colour_at(x, y):
    """The colour of the unit-square point (x, y), or None where the icon is transparent."""
    if not rounded_rect(x, y, 0.04, 0.10, 0.96, 0.84, 0.12):
        # the panel's stand
        if rounded_rect(x, y, 0.40, 0.80, 0.60, 0.94, 0.03):
            return FRAME
        return None
    if not rounded_rect(x, y, 0.11, 0.17, 0.89, 0.77, 0.06):
        return FRAME
    if triangle(x, y, (0.20, 0.26), (0.20, 0.62), (0.46, 0.44)):
        return PLAY
    for i, (height, colour) in enumerate(zip((0.22, 0.36, 0.48), BARS)):
        left = 0.53 + i * 0.11
        if left <= x <= left + 0.08 and 0.70 - height <= y <= 0.70:
            return colour
    return SCREEN


def render(size):
    """Rows top to bottom of (r, g, b, a) pixels."""
    rows = []
    n = SUPERSAMPLE
    for py in range(size):
        row = []
        for px in range(size):
            r = g = b = a = 0
            for sy in range(n):
                for sx in range(n):
                    c = colour_at((px + (sx + 0.5) / n) / size, (py + (sy + 0.5) / n) / size)
                    if c is not None:
                        r, g, b, a = r + c[0], g + c[1], b + c[2], a + 1
            if a:
                row.append((r // a, g // a, b // a, a * 255 // (n * n)))
            else:
                row.append((0, 0, 0, 0))
        rows.append(row)
    return rows


def dib(rows):
    """A 32-bit icon image: header, BGRA bottom-up, then the AND mask."""
    size = len(rows)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b''.join(bytes((b, g, r, a)) for row in reversed(rows) for r, g, b, a in row)
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        bits = bytearray(mask_stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + pixels + bytes(mask)


def png(rows):
    size = len(rows)
    raw = b''.join(b'\0' + bytes(v for px in row for v in px) for row in rows)

    def chunk(kind, data):
        body = kind + data
        return struct.pack('>I', len(data)) + body + struct.pack('>I', zlib.crc32(body))
    return (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', size, size, 8, 6, 0, 0, 0))
            + chunk(b'IDAT', zlib.compress(raw, 9)) + chunk(b'IEND', b''))


def main():
    images = [png(render(s)) if s == 256 else dib(render(s)) for s in SIZES]
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in zip(SIZES, images):
        out += struct.pack('<BBBBHHII', size % 256, size % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    out += b''.join(images)
    path = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'kvimeter.ico')
    with open(path, 'wb') as f:
        f.write(out)


if __name__ == '__main__':
    main()
