#!/usr/bin/env python3
"""Draws Panorel's icon: two overlapping screens, desktop 1 and desktop 2.

One drawing, in a 32-unit square, is rendered at every size the system asks
for at the usual display scales (16 to 64 pixels, and 256 for large views),
in 32-bit colour with alpha. Edges are snapped to whole pixels at each size,
so that the small images stay sharp; only rounded corners are smoothed.
The 256-pixel image is stored as PNG, the others as bitmaps with their mask.

Run it again only to change the picture: res/Panorel.ico is committed.
Needs nothing beyond Python's standard library.
"""
import math
import struct
import sys
import zlib

SIZES = [16, 20, 24, 32, 40, 48, 64, 256]
PNG_FROM = 256  # this size and larger are stored as PNG

FRAME = (38, 50, 56)
TITLE_BAR = (84, 110, 122)
DESKTOP_2_GLASS = ((38, 166, 154), (0, 121, 107))   # teal, top to bottom
DESKTOP_1_GLASS = ((66, 165, 245), (21, 101, 192))  # blue, top to bottom
DESKTOP_2_WINDOW = (250, 250, 250)
DESKTOP_1_WINDOW = (255, 202, 40)

# A pixel that a corner cuts is sampled this many times each way.
CORNER_SAMPLES = 8


class Canvas:
    """size × size pixels of premultiplied (r, g, b, a), 0..1, top row first."""

    def __init__(self, size):
        self.size = size
        self.px = [[(0.0, 0.0, 0.0, 0.0)] * size for _ in range(size)]

    def snap(self, units):
        """A position of the 32-unit drawing, on this canvas's pixel grid."""
        return int(math.floor(units * self.size / 32.0 + 0.5))

    def fill(self, box, colour, radius=0.0):
        """Paints box (x0, y0, x1, y1 in pixels) with colour, a single
        (r, g, b) or a (top, bottom) pair for a vertical gradient."""
        x0, y0, x1, y1 = box
        if x1 <= x0 or y1 <= y0:
            return
        top, bottom = colour if isinstance(colour[0], tuple) else (colour, colour)
        for y in range(y0, y1):
            t = (y - y0 + 0.5) / (y1 - y0)
            rgb = tuple((top[i] + (bottom[i] - top[i]) * t) / 255.0 for i in range(3))
            for x in range(x0, x1):
                coverage = rounded_coverage(x, y, box, radius)
                if coverage > 0:
                    self.blend(x, y, rgb, coverage)

    def blend(self, x, y, rgb, alpha):
        r, g, b, a = self.px[y][x]
        keep = 1.0 - alpha
        self.px[y][x] = (rgb[0] * alpha + r * keep, rgb[1] * alpha + g * keep,
                         rgb[2] * alpha + b * keep, alpha + a * keep)

    def rgba_rows(self):
        """Rows of straight (not premultiplied) 8-bit (r, g, b, a)."""
        rows = []
        for row in self.px:
            out = []
            for r, g, b, a in row:
                if a <= 0:
                    out.append((0, 0, 0, 0))
                    continue
                out.append(tuple(min(255, int(round(c / a * 255))) for c in (r, g, b))
                           + (int(round(a * 255)),))
            rows.append(out)
        return rows


def rounded_coverage(x, y, box, radius):
    """How much of pixel (x, y) a box with rounded corners covers."""
    x0, y0, x1, y1 = box
    in_corner_column = x < x0 + radius or x + 1 > x1 - radius
    in_corner_row = y < y0 + radius or y + 1 > y1 - radius
    if radius <= 0 or not (in_corner_column and in_corner_row):
        return 1.0
    inside = 0
    for sy in range(CORNER_SAMPLES):
        for sx in range(CORNER_SAMPLES):
            px = x + (sx + 0.5) / CORNER_SAMPLES
            py = y + (sy + 0.5) / CORNER_SAMPLES
            cx = min(max(px, x0 + radius), x1 - radius)
            cy = min(max(py, y0 + radius), y1 - radius)
            if (px - cx) ** 2 + (py - cy) ** 2 <= radius * radius:
                inside += 1
    return inside / float(CORNER_SAMPLES * CORNER_SAMPLES)


def draw_screen(canvas, x, y, glass, window):
    """One desktop: a framed screen, 20 × 16 units, with a title bar and a
    small window on it."""
    s = canvas.snap
    frame = (s(x), s(y), s(x + 20), s(y + 16))
    # The frame is two units wide, but never less than a pixel.
    border = max(1, s(x + 2) - s(x))
    radius = 1.5 * canvas.size / 32.0 if canvas.size >= 32 else 0.0
    canvas.fill(frame, FRAME, radius)
    screen = (frame[0] + border, frame[1] + border, frame[2] - border, frame[3] - border)
    canvas.fill(screen, glass)
    bar_height = max(1, s(y + 4) - s(y + 2))
    canvas.fill((screen[0], screen[1], screen[2], screen[1] + bar_height), TITLE_BAR)
    canvas.fill((s(x + 4), s(y + 7), s(x + 8), s(y + 11)), window)


def draw(size):
    canvas = Canvas(size)
    draw_screen(canvas, 1, 2, DESKTOP_2_GLASS, DESKTOP_2_WINDOW)   # desktop 2, behind
    draw_screen(canvas, 11, 12, DESKTOP_1_GLASS, DESKTOP_1_WINDOW)  # desktop 1, in front
    s = canvas.snap
    canvas.fill((s(17), s(28), s(25), s(30)), FRAME)  # the stand
    return canvas.rgba_rows()


def bitmap_image(size, rows):
    """An icon image as the platform stores it: a 32-bit bottom-up bitmap of
    twice the height, then the 1-bit mask (set where fully transparent)."""
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = b''.join(bytes(v for r, g, b, a in row for v in (b, g, r, a)) for row in reversed(rows))
    mask_stride = ((size + 31) // 32) * 4
    mask_rows = []
    for row in reversed(rows):
        mask = bytearray(mask_stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                mask[x // 8] |= 0x80 >> (x % 8)
        mask_rows.append(bytes(mask))
    return header + colour + b''.join(mask_rows)


def png_image(size, rows):
    def chunk(kind, data):
        body = kind + data
        return struct.pack('>I', len(data)) + body + struct.pack('>I', zlib.crc32(body) & 0xFFFFFFFF)

    raw = b''.join(b'\x00' + bytes(v for pixel in row for v in pixel) for row in rows)
    return (b'\x89PNG\r\n\x1a\n'
            + chunk(b'IHDR', struct.pack('>IIBBBBB', size, size, 8, 6, 0, 0, 0))
            + chunk(b'IDAT', zlib.compress(raw, 9))
            + chunk(b'IEND', b''))


def main(path):
    images = []
    for size in SIZES:
        rows = draw(size)
        images.append((size, png_image(size, rows) if size >= PNG_FROM else bitmap_image(size, rows)))
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in images:
        # A directory entry says 0 for 256 pixels.
        side = size % 256
        out += struct.pack('<BBBBHHII', side, side, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    out += b''.join(data for _, data in images)
    with open(path, 'wb') as f:
        f.write(out)


if __name__ == '__main__':
    main(sys.argv[1] if len(sys.argv) > 1 else 'res/Panorel.ico')
