#!/usr/bin/env python3
"""Draws Panorel's icon: two overlapping screens, desktop 1 and desktop 2.

Writes a 16-colour .ico with a 32x32 and a 16x16 image. Run it again only to
change the picture: res/Panorel.ico is committed.
"""
import struct
import sys

# The standard 16-colour palette, as (r, g, b).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, DARK_GREY, WHITE, BLUE, TEAL, YELLOW = 0, 8, 15, 12, 6, 11
TRANSPARENT = None


def draw(size):
    """Returns rows (top first) of palette indices or TRANSPARENT."""
    px = [[TRANSPARENT] * size for _ in range(size)]
    s = size / 32.0

    def rect(x0, y0, x1, y1, colour):
        for y in range(int(y0 * s), int(y1 * s)):
            for x in range(int(x0 * s), int(x1 * s)):
                px[y][x] = colour

    def screen(x, y, fill, badge):
        rect(x, y, x + 20, y + 16, BLACK)            # frame
        rect(x + 2, y + 2, x + 18, y + 14, fill)     # glass
        rect(x + 2, y + 2, x + 18, y + 4, DARK_GREY)  # title bar
        rect(x + 4, y + 7, x + 8, y + 11, badge)     # a window on it

    screen(1, 2, TEAL, WHITE)      # desktop 2, behind
    screen(11, 12, BLUE, YELLOW)   # desktop 1, in front
    rect(17, 28, 25, 30, BLACK)    # the stand
    return px


def image(size):
    px = draw(size)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 4, 0, 0, 0, 0, 16, 0)
    palette = b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in PALETTE)
    xor_rows, and_rows = [], []
    and_stride = ((size + 31) // 32) * 4
    for row in reversed(px):  # bottom-up, as bitmaps are stored
        nibbles = [(c if c is not None else 0) for c in row]
        xor_rows.append(bytes((nibbles[i] << 4) | nibbles[i + 1] for i in range(0, size, 2)))
        mask = bytearray(and_stride)
        for x, c in enumerate(row):
            if c is None:
                mask[x // 8] |= 0x80 >> (x % 8)
        and_rows.append(bytes(mask))
    return header + palette + b''.join(xor_rows) + b''.join(and_rows)


def main(path):
    images = [(32, image(32)), (16, image(16))]
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in images:
        out += struct.pack('<BBBBHHII', size, size, 16, 0, 1, 4, len(data), offset)
        offset += len(data)
    out += b''.join(data for _, data in images)
    with open(path, 'wb') as f:
        f.write(out)


if __name__ == '__main__':
    main(sys.argv[1] if len(sys.argv) > 1 else 'res/Panorel.ico')
