#!/usr/bin/env python3
"""Draws the Quorvex application icon and writes it as a Windows .ico file.

The artwork: a white lightning bolt that ends in an upward arrow head, over a rounded badge
shaded from teal to blue. Nine images: 48, 32 and 16 pixels square, each at 4 bits per pixel
(16-colour palette), 8 bits per pixel (256-colour palette) and 32 bits per pixel (BGRA with
alpha), all stored as BMP-format entries with an AND mask.

    make_icon.py [--out FILE]   write the icon (default: src/res/Quorvex.ico)
    make_icon.py --list FILE    parse an icon file and list its entries
    make_icon.py --check FILE   fail unless FILE is exactly what this script writes

Python standard library only; the output is the same on every run.
"""

import argparse
import os
import struct
import sys

SIZES = (48, 32, 16)
DEPTHS = (4, 8, 32)
SUPERSAMPLE = 8

TOP_COLOUR = (0x26, 0xC6, 0xA6)      # teal
BOTTOM_COLOUR = (0x1A, 0x55, 0xC4)   # blue
RIM_COLOUR = (0x0E, 0x34, 0x6E)
BOLT_TOP = (0xFF, 0xFF, 0xFF)
BOLT_BOTTOM = (0xFF, 0xEC, 0xA0)     # pale gold at the tail
SHADOW_DARKEN = 0.62


class Artwork:
    """One drawing of the badge and bolt on a square canvas of `canvas` units."""

    def __init__(self, canvas, badge, radius, rim, shadow, bolt):
        self.canvas = canvas
        self.badge = badge        # left, top, right, bottom
        self.radius = radius
        self.rim = rim
        self.shadow = shadow      # offset of the bolt's shadow
        self.bolt = bolt          # arrow head on a zigzag shaft, clockwise from the tip


# The large drawing serves 48 and 32 pixels. At 16 pixels a scaled copy blurs the zigzag
# into a blob, so the small one is laid out on the pixel grid itself.
LARGE = Artwork(48.0, (2.0, 2.0, 46.0, 46.0), 10.0, 1.6, (1.4, 1.8), (
    (24.0, 6.5), (37.5, 22.0), (29.0, 22.0), (26.0, 28.5), (32.5, 28.5),
    (19.0, 43.0), (22.5, 32.5), (15.5, 32.5), (19.5, 22.0), (10.5, 22.0)))
SMALL = Artwork(16.0, (0.0, 0.0, 16.0, 16.0), 3.5, 1.0, (1.0, 1.0), (
    (8.0, 2.0), (13.0, 7.0), (10.0, 7.0), (10.0, 9.0), (11.0, 9.0),
    (7.0, 14.0), (7.0, 11.0), (5.0, 11.0), (6.0, 7.0), (3.0, 7.0)))


def artwork_for(size):
    return SMALL if size <= 16 else LARGE


def inside_polygon(x, y, points):
    """Even-odd rule."""
    inside = False
    count = len(points)
    for i in range(count):
        x1, y1 = points[i]
        x2, y2 = points[(i + 1) % count]
        if (y1 > y) != (y2 > y):
            cross = x1 + (y - y1) * (x2 - x1) / (y2 - y1)
            if x < cross:
                inside = not inside
    return inside


def badge_depth(art, x, y):
    """How far (x, y) lies inside the rounded badge; negative outside."""
    left, top, right, bottom = art.badge
    cx = min(max(x, left + art.radius), right - art.radius)
    cy = min(max(y, top + art.radius), bottom - art.radius)
    corner = ((x - cx) ** 2 + (y - cy) ** 2) ** 0.5
    if corner > 0.0:
        return art.radius - corner
    return min(x - left, right - x, y - top, bottom - y)


def mix(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


def sample(art, x, y):
    """Colour of one point of the canvas, or None where it is transparent."""
    depth = badge_depth(art, x, y)
    if depth < 0.0:
        return None
    if depth < art.rim:
        return RIM_COLOUR
    t = (y - art.badge[1]) / (art.badge[3] - art.badge[1])
    if inside_polygon(x, y, art.bolt):
        return mix(BOLT_TOP, BOLT_BOTTOM, t)
    colour = mix(TOP_COLOUR, BOTTOM_COLOUR, t)
    if inside_polygon(x - art.shadow[0], y - art.shadow[1], art.bolt):
        colour = tuple(c * SHADOW_DARKEN for c in colour)
    return colour


def render(size):
    """Rows top to bottom of (r, g, b, a) with straight (not premultiplied) colour."""
    art = artwork_for(size)
    scale = art.canvas / size
    step = 1.0 / SUPERSAMPLE
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            total = [0.0, 0.0, 0.0]
            hits = 0
            for sy in range(SUPERSAMPLE):
                for sx in range(SUPERSAMPLE):
                    colour = sample(art, (px + (sx + 0.5) * step) * scale,
                                    (py + (sy + 0.5) * step) * scale)
                    if colour is not None:
                        hits += 1
                        for i in range(3):
                            total[i] += colour[i]
            if hits == 0:
                row.append((0, 0, 0, 0))
            else:
                rgb = tuple(int(round(c / hits)) for c in total)
                alpha = int(round(255 * hits / (SUPERSAMPLE * SUPERSAMPLE)))
                row.append(rgb + (alpha,))
        rows.append(row)
    return rows


def median_cut(colours, count):
    """Up to `count` representative colours for a list of (r, g, b)."""
    boxes = [sorted(colours)]
    while len(boxes) < count:
        best, best_score, best_channel = None, 0, 0
        for index, box in enumerate(boxes):
            if len(set(box)) < 2:
                continue
            ranges = [max(c[ch] for c in box) - min(c[ch] for c in box) for ch in range(3)]
            channel = ranges.index(max(ranges))
            score = ranges[channel] * len(box)
            if score > best_score:
                best, best_score, best_channel = index, score, channel
        if best is None:
            break
        box = sorted(boxes.pop(best), key=lambda c: (c[best_channel], c))
        half = len(box) // 2
        boxes[best:best] = [box[:half], box[half:]]
    return [tuple(int(round(sum(c[ch] for c in box) / len(box))) for ch in range(3))
            for box in boxes]


def nearest(palette, colour):
    return min(range(len(palette)),
               key=lambda i: sum((palette[i][ch] - colour[ch]) ** 2 for ch in range(3)))


def row_stride(width, bits):
    return ((width * bits + 31) // 32) * 4


def and_mask(rows, size):
    """1 marks a transparent pixel; rows bottom-up as in every DIB."""
    stride = row_stride(size, 1)
    data = bytearray()
    for row in reversed(rows):
        line = bytearray(stride)
        for x, pixel in enumerate(row):
            if pixel[3] < 128:
                line[x // 8] |= 0x80 >> (x % 8)
        data += line
    return bytes(data)


def indexed_pixels(rows, size, bits):
    """Palette and XOR bitmap. Entry 0 is black, the colour of masked pixels, so that the
    AND/XOR pair leaves the screen unchanged where the icon is transparent."""
    opaque = [p[:3] for row in rows for p in row if p[3] >= 128]
    palette = [(0, 0, 0)] + median_cut(opaque, (1 << bits) - 1)
    palette += [(0, 0, 0)] * ((1 << bits) - len(palette))
    lookup = {}
    stride = row_stride(size, bits)
    data = bytearray()
    for row in reversed(rows):
        line = bytearray(stride)
        for x, pixel in enumerate(row):
            index = 0
            if pixel[3] >= 128:
                if pixel[:3] not in lookup:
                    lookup[pixel[:3]] = 1 + nearest(palette[1:], pixel[:3])
                index = lookup[pixel[:3]]
            if bits == 8:
                line[x] = index
            else:
                line[x // 2] |= index << (4 if x % 2 == 0 else 0)
        data += line
    colour_table = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in palette)
    return colour_table, bytes(data)


def bgra_pixels(rows):
    data = bytearray()
    for row in reversed(rows):
        for (r, g, b, a) in row:
            data += struct.pack("<BBBB", b, g, r, a) if a else b"\0\0\0\0"
    return bytes(data)


def bmp_entry(rows, size, bits):
    """BITMAPINFOHEADER (height doubled for XOR + AND), colour table, XOR bitmap, AND mask."""
    if bits == 32:
        colour_table, xor = b"", bgra_pixels(rows)
    else:
        colour_table, xor = indexed_pixels(rows, size, bits)
    mask = and_mask(rows, size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bits, 0,
                         len(xor) + len(mask), 0, 0, 0, 0)
    return header + colour_table + xor + mask


def build_icon():
    images = []
    for size in SIZES:
        rows = render(size)
        for bits in DEPTHS:
            images.append((size, bits, bmp_entry(rows, size, bits)))
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    body = b""
    for size, bits, data in images:
        colour_count = 16 if bits == 4 else 0
        directory += struct.pack("<BBBBHHII", size % 256, size % 256, colour_count, 0, 1, bits,
                                 len(data), offset + len(body))
        body += data
    return directory + body


def parse_icon(data):
    """Entries of an .ico file as dicts; raises ValueError when the file is malformed."""
    if len(data) < 6:
        raise ValueError("file too short")
    reserved, kind, count = struct.unpack_from("<HHH", data, 0)
    if reserved != 0 or kind != 1:
        raise ValueError("not an icon file")
    entries = []
    for i in range(count):
        width, height, colours, _, planes, bits, length, offset = struct.unpack_from(
            "<BBBBHHII", data, 6 + 16 * i)
        if offset + length > len(data):
            raise ValueError(f"entry {i} lies past the end of the file")
        (header_size, bmp_width, bmp_height, bmp_planes, bmp_bits,
         compression) = struct.unpack_from("<IiiHHI", data, offset)
        width = width or 256
        height = height or 256
        if header_size != 40 or compression != 0:
            raise ValueError(f"entry {i} is not an uncompressed BMP entry")
        if (bmp_width, bmp_height, bmp_planes, bmp_bits) != (width, height * 2, 1, bits):
            raise ValueError(f"entry {i}: bitmap header does not match the directory")
        palette = 4 * (1 << bits) if bits <= 8 else 0
        expected = (40 + palette + row_stride(width, bits) * height
                    + row_stride(width, 1) * height)
        if length != expected:
            raise ValueError(f"entry {i}: {length} bytes, expected {expected} with an AND mask")
        entries.append({"width": width, "height": height, "bits": bits, "colours": colours,
                        "planes": planes, "bytes": length, "offset": offset})
    return entries


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    parser = argparse.ArgumentParser(description="Quorvex application icon")
    group = parser.add_mutually_exclusive_group()
    group.add_argument("--out", default=os.path.join(root, "src", "res", "Quorvex.ico"))
    group.add_argument("--list", metavar="FILE")
    group.add_argument("--check", metavar="FILE")
    args = parser.parse_args()

    if args.list:
        with open(args.list, "rb") as f:
            entries = parse_icon(f.read())
        for e in entries:
            print(f"{e['width']}x{e['height']} {e['bits']:2d} bpp  {e['bytes']:5d} bytes"
                  f"  at {e['offset']}")
        print(f"{len(entries)} images")
        return 0
    data = build_icon()
    if args.check:
        with open(args.check, "rb") as f:
            if f.read() != data:
                print(f"{args.check} differs from what make_icon.py draws", file=sys.stderr)
                return 1
        return 0
    with open(args.out, "wb") as f:
        f.write(data)
    print(f"wrote {args.out} ({len(data)} bytes)")
    return 0


if __name__ == "__main__":
    sys.exit(main())
