#!/usr/bin/env python3
"""Draws the application icon: a white medical cross on a rounded square in the window header's
blue, with the header's lighter accent along its left edge. Writes a Windows .ico with seven
32-bit images (16 to 128 pixels as bitmaps, 256 as PNG). Usage: make_icon.py OUTPUT.ico"""
import struct
import sys
import zlib

SIZES = (16, 24, 32, 48, 64, 128, 256)
HEADER = (0, 108, 150)
ACCENT = (0, 132, 176)
WHITE = (255, 255, 255)
SAMPLES = 4  # supersampling per axis, for smooth edges


def inside_rounded_square(x, y, radius):
    """Point in the unit square with corners rounded by radius (all in units of the icon)."""
    if not (0.04 <= x <= 0.96 and 0.04 <= y <= 0.96):
        return False
    cx = min(max(x, 0.04 + radius), 0.96 - radius)
    cy = min(max(y, 0.04 + radius), 0.96 - radius)
    return (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2


def colour_at(x, y):
    """Colour (r, g, b) of a point of the icon, or None where it is transparent."""
    if not inside_rounded_square(x, y, 0.2):
        return None
    arm = 0.13  # half width of the cross's arms
    reach = 0.3  # half length of the cross
    if (abs(x - 0.5) <= arm and abs(y - 0.5) <= reach) or (
            abs(y - 0.5) <= arm and abs(x - 0.5) <= reach):
        return WHITE
    if x < 0.16:
        return ACCENT
    return HEADER


def render(size):
    """Rows of (r, g, b, a) from the top, antialiased by supersampling."""
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            r = g = b = covered = 0
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    c = colour_at((px + (sx + 0.5) / SAMPLES) / size,
                                  (py + (sy + 0.5) / SAMPLES) / size)
                    if c is not None:
                        r += c[0]
                        g += c[1]
                        b += c[2]
                        covered += 1
            if covered:
                row.append((r // covered, g // covered, b // covered,
                            covered * 255 // (SAMPLES * SAMPLES)))
            else:
                row.append((0, 0, 0, 0))
        rows.append(row)
    return rows


def bitmap_image(rows):
    size = len(rows)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b''.join(bytes((b, g, r, a)) for row in reversed(rows) for (r, g, b, a) in row)
    mask_row = ((size + 31) // 32) * 4
    mask = bytes(mask_row * size)  # the alpha channel decides; the mask is all opaque
    return header + pixels + mask


def png_image(rows):
    size = len(rows)
    raw = b''.join(b'\0' + bytes(v for pixel in row for v in pixel) for row in rows)

    def chunk(kind, data):
        body = kind + data
        return struct.pack('>I', len(data)) + body + struct.pack('>I', zlib.crc32(body))

    return (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', size, size, 8, 6, 0, 0, 0))
            + chunk(b'IDAT', zlib.compress(raw, 9)) + chunk(b'IEND', b''))


def main():
    images = []
    for size in SIZES:
        rows = render(size)
        images.append((size, png_image(rows) if size == 256 else bitmap_image(rows)))
    offset = 6 + 16 * len(images)
    directory = struct.pack('<HHH', 0, 1, len(images))
    data = b''
    for size, image in images:
        edge = 0 if size == 256 else size
        directory += struct.pack('<BBBBHHII', edge, edge, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
        data += image
    with open(sys.argv[1], 'wb') as out:
        out.write(directory + data)


if __name__ == '__main__':
    main()
