#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Draws the program's icon and logo and writes them to assets/.

Run once after changing the drawing; the results are committed. Uses only the standard library: the
images are simple shapes on a 32-unit grid, sampled at each pixel, so every size comes out crisp.
"""
import pathlib
import struct
import zlib

ASSETS = pathlib.Path(__file__).resolve().parent.parent / "assets"

# The standard 16-colour palette; the small icons use only these colours.
PALETTE16 = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
    (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255),
    (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, NAVY, TEAL, SILVER, YELLOW, WHITE = (0, 0, 0), (0, 0, 128), (0, 128, 128), (192, 192, 192), (255, 255, 0), (255, 255, 255)

# Icon shapes on a 32 x 32 grid, drawn in order: (kind, colour, points).
# The device on the left, the controller on the right, and a transfer each way between them.
ICON_SHAPES = [
    ("rect", BLACK, (1, 5, 14, 27)),
    ("rect", TEAL, (2, 6, 13, 26)),
    ("rect", WHITE, (4, 9, 11, 12)),
    ("rect", BLACK, (18, 5, 31, 27)),
    ("rect", YELLOW, (19, 6, 30, 26)),
    ("rect", BLACK, (21, 9, 28, 11)),
    ("rect", BLACK, (21, 14, 28, 16)),
    ("poly", NAVY, [(13, 11), (16, 11), (16, 8), (20, 12.5), (16, 17), (16, 14), (13, 14)]),
    ("poly", NAVY, [(19, 18), (16, 18), (16, 15), (12, 19.5), (16, 24), (16, 21), (19, 21)]),
]


def inside_polygon(x, y, points):
    crossings = False
    for (x1, y1), (x2, y2) in zip(points, points[1:] + points[:1]):
        if (y1 > y) != (y2 > y) and x < x1 + (y - y1) * (x2 - x1) / (y2 - y1):
            crossings = not crossings
    return crossings


def shape_colour(shapes, x, y):
    colour = None
    for kind, fill, geometry in shapes:
        if kind == "rect":
            left, top, right, bottom = geometry
            hit = left <= x < right and top <= y < bottom
        else:
            hit = inside_polygon(x, y, geometry)
        if hit:
            colour = fill
    return colour


def render_icon(size, samples=4):
    """RGBA rows; a pixel's colour is the most common colour among its sub-samples."""
    rows = []
    scale = 32 / size
    for py in range(size):
        row = []
        for px in range(size):
            votes = {}
            for sy in range(samples):
                for sx in range(samples):
                    x = (px + (sx + 0.5) / samples) * scale
                    y = (py + (sy + 0.5) / samples) * scale
                    colour = shape_colour(ICON_SHAPES, x, y)
                    votes[colour] = votes.get(colour, 0) + 1
            colour = max(votes, key=votes.get)
            row.append((*colour, 255) if colour else (0, 0, 0, 0))
        rows.append(row)
    return rows


def png_chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)


def write_png_rgba(path, rows):
    height, width = len(rows), len(rows[0])
    raw = b"".join(b"\0" + bytes(v for pixel in row for v in pixel) for row in rows)
    data = (b"\x89PNG\r\n\x1a\n" + png_chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0))
            + png_chunk(b"IDAT", zlib.compress(raw, 9)) + png_chunk(b"IEND", b""))
    path.write_bytes(data)


def palette_index(pixel):
    return PALETTE16.index(pixel[:3])


# The drawing never uses dark magenta, so in the 16-colour PNGs its entry stands for "transparent".
TRANSPARENT_INDEX = PALETTE16.index((128, 0, 128))


def write_png_16_colours(path, rows):
    height, width = len(rows), len(rows[0])
    raw = b""
    for row in rows:
        indices = [TRANSPARENT_INDEX if p[3] == 0 else palette_index(p) for p in row]
        raw += b"\0" + bytes((indices[i] << 4) | indices[i + 1] for i in range(0, width, 2))
    alpha = bytes(0 if i == TRANSPARENT_INDEX else 255 for i in range(16))
    data = (b"\x89PNG\r\n\x1a\n" + png_chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 4, 3, 0, 0, 0))
            + png_chunk(b"PLTE", b"".join(bytes(c) for c in PALETTE16))
            + png_chunk(b"tRNS", alpha) + png_chunk(b"IDAT", zlib.compress(raw, 9)) + png_chunk(b"IEND", b""))
    path.write_bytes(data)


def ico_entry_4bit(rows):
    """A 16-colour icon image: BMP header, palette, colour rows bottom-up, then the 1-bit transparency mask."""
    size = len(rows)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0, 0, 0, 0, 16, 0)
    palette = b"".join(bytes((b, g, r, 0)) for r, g, b in PALETTE16)
    colour_rows = b""
    mask_rows = b""
    for row in reversed(rows):
        indices = [0 if p[3] == 0 else palette_index(p) for p in row]
        line = bytes((indices[i] << 4) | indices[i + 1] for i in range(0, size, 2))
        colour_rows += line + b"\0" * (-len(line) % 4)
        bits = 0
        mask = b""
        for i, p in enumerate(row):
            bits = (bits << 1) | (1 if p[3] == 0 else 0)
            if i % 8 == 7:
                mask += bytes((bits,))
                bits = 0
        mask_rows += mask + b"\0" * (-len(mask) % 4)
    return header + palette + colour_rows + mask_rows


def write_ico(path, images):
    entries = [ico_entry_4bit(rows) for rows in images]
    offset = 6 + 16 * len(images)
    directory = struct.pack("<HHH", 0, 1, len(images))
    for rows, entry in zip(images, entries):
        size = len(rows)
        directory += struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(entry), offset)
        offset += len(entry)
    path.write_bytes(directory + b"".join(entries))


def write_svg(path):
    parts = ['<svg xmlns="http://www.w3.org/2000/svg" width="32" height="32" viewBox="0 0 32 32">']
    for kind, (r, g, b), geometry in ICON_SHAPES:
        fill = f"#{r:02x}{g:02x}{b:02x}"
        if kind == "rect":
            left, top, right, bottom = geometry
            parts.append(f'  <rect x="{left}" y="{top}" width="{right - left}" height="{bottom - top}" fill="{fill}"/>')
        else:
            points = " ".join(f"{x:g},{y:g}" for x, y in geometry)
            parts.append(f'  <polygon points="{points}" fill="{fill}"/>')
    parts.append("</svg>")
    path.write_text("\n".join(parts) + "\n")


# A 5 x 7 pixel font for the few letters of the logo.
GLYPHS = {
    "Q": ["01110", "10001", "10001", "10001", "10101", "10010", "01101"],
    "X": ["10001", "10001", "01010", "00100", "01010", "10001", "10001"],
    "R": ["11110", "10001", "10001", "11110", "10100", "10010", "10001"],
    "S": ["01111", "10000", "10000", "01110", "00001", "00001", "11110"],
    "O": ["01110", "10001", "10001", "10001", "10001", "10001", "01110"],
    "V": ["10001", "10001", "10001", "10001", "10001", "01010", "00100"],
    "A": ["01110", "10001", "10001", "11111", "10001", "10001", "10001"],
    "N": ["10001", "11001", "10101", "10011", "10001", "10001", "10001"],
    "E": ["11111", "10000", "10000", "11110", "10000", "10000", "11111"],
}


def render_logo(width=175, height=67):
    """24-bit rows: the icon's drawing on the left, the name on the right, over a soft vertical gradient.
    The last two columns and rows stay background, as a sunken picture frame covers them."""
    pixels = [[(0, 0, 0)] * width for _ in range(height)]
    for y in range(height):
        shade = int(236 - 40 * y / (height - 1))
        for x in range(width):
            pixels[y][x] = (shade, shade, min(255, shade + 16))
    icon = render_icon(56)
    for y, row in enumerate(icon):
        for x, (r, g, b, a) in enumerate(row):
            if a:
                pixels[y + 5][x + 4] = (r, g, b)

    def text(word, left, top, scale, colour):
        for i, letter in enumerate(word):
            for gy, line in enumerate(GLYPHS[letter]):
                for gx, bit in enumerate(line):
                    if bit == "1":
                        for dy in range(scale):
                            for dx in range(scale):
                                pixels[top + gy * scale + dy][left + (i * 6 + gx) * scale + dx] = colour

    text("QXR", 68, 8, 4, NAVY)
    text("SORVANE", 68, 44, 2, TEAL)
    return pixels


def write_bmp24(path, pixels):
    height, width = len(pixels), len(pixels[0])
    row_size = (width * 3 + 3) // 4 * 4
    body = b""
    for row in reversed(pixels):
        line = b"".join(bytes((b, g, r)) for r, g, b in row)
        body += line + b"\0" * (row_size - len(line))
    header = struct.pack("<2sIHHI", b"BM", 54 + len(body), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(body), 3780, 3780, 0, 0)
    path.write_bytes(header + info + body)


def main():
    ASSETS.mkdir(exist_ok=True)
    small = {size: render_icon(size) for size in (16, 32)}
    for size, rows in small.items():
        write_png_16_colours(ASSETS / f"icon-{size}.png", rows)
    for size in (48, 128):
        write_png_rgba(ASSETS / f"icon-{size}.png", render_icon(size))
    write_ico(ASSETS / "icon.ico", [small[32], small[16]])
    write_svg(ASSETS / "icon.svg")
    write_bmp24(ASSETS / "logo.bmp", render_logo())


if __name__ == "__main__":
    main()
