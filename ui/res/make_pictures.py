#!/usr/bin/env python3
"""Generate the tray icons and the logo bitmap used by the resource script.

Writes, into the directory holding this script:

    normal.ico   printer                          (see below for the sizes)
    warning.ico  printer + yellow warning triangle
    error.ico    printer + red disc with a white X
    logo.bmp     47x45, 16 colours: the printer with its green-on-black
                 status display, on the key colour cyan (0, 255, 255), which
                 the monitor shows in the dialog's face colour

Each icon holds the hand-drawn 16- and 32-pixel images in 16 colours and
20-, 24- and 48-pixel images in 32-bit colour with alpha, drawn from the
same pictures as shapes, for the small and large icon sizes of 125 %, 150 %
and 200 % displays.

The generated files are committed next to this script, so the build does not
need Python.  Re-run it after changing a drawing:

    python3 ui/res/make_pictures.py

Only the standard library is used and the output is byte-for-byte
reproducible.
"""

import os
import struct

# The 16 basic Windows colours as (R, G, B), in their usual palette order.
PALETTE = [
    (0, 0, 0),        # 0  black
    (128, 0, 0),      # 1  dark red
    (0, 128, 0),      # 2  dark green
    (128, 128, 0),    # 3  olive
    (0, 0, 128),      # 4  navy
    (128, 0, 128),    # 5  purple
    (0, 128, 128),    # 6  teal
    (192, 192, 192),  # 7  light grey
    (128, 128, 128),  # 8  dark grey
    (255, 0, 0),      # 9  red
    (0, 255, 0),      # 10 green
    (255, 255, 0),    # 11 yellow
    (0, 0, 255),      # 12 blue
    (255, 0, 255),    # 13 magenta
    (0, 255, 255),    # 14 cyan
    (255, 255, 255),  # 15 white
]

# Characters used in the drawings below.  '.' is transparent.
INK = {
    '#': 0,   # black outline
    'g': 2,   # dark green
    'L': 7,   # light grey
    'D': 8,   # dark grey
    'R': 9,   # red
    'G': 10,  # green
    'Y': 11,  # yellow
    'W': 15,  # white
}
TRANSPARENT = '.'
KEY_CYAN = 14  # the logo's background, shown in the dialog's face colour

# --------------------------------------------------------------------------
# Drawings
# --------------------------------------------------------------------------

# Printer, 32x32: a sheet going in at the top, the body with a green power
# light, and a printed sheet hanging out of the front slot.
PRINTER_32 = [
    "................................",
    "................................",
    ".........##############.........",
    ".........#WWWWWWWWWWWW#.........",
    ".........#WDDDDDDDDDWW#.........",
    ".........#WWWWWWWWWWWW#.........",
    ".........#WDDDDDDDDDDW#.........",
    ".........#WWWWWWWWWWWW#.........",
    ".........#WDDDDDDWWWWW#.........",
    ".....#####WWWWWWWWWWWW#####.....",
    "....#LLLL##############LLLL#....",
    "...#WWWWWWWWWWWWWWWWWWWWWWWW#...",
    "..#LLLLLLLLLLLLLLLLLLLLLLLLLL#..",
    ".##############################.",
    ".#WWWWWWWWWWWWWWWWWWWWWWWWWWWW#.",
    ".#WLLLLLLLLLLLLLLLLLLLLLLLLLLD#.",
    ".#WLGGLLLLLLLLLLLLLLLLLLLLLLLD#.",
    ".#WLggLLLLLLLLLLLLLLLLLLLLLLLD#.",
    ".#WLLLLLLLLLLLLLLLLLLLLLLLLLLD#.",
    ".#WL######################LLLD#.",
    ".#WL#DDDDDDDDDDDDDDDDDDDD#LLLD#.",
    ".#WLLL#WWWWWWWWWWWWWWWW#LLLLLD#.",
    ".#WLLL#WDDDDDDDDDDDDDWW#LLLLLD#.",
    ".#WLLL#WWWWWWWWWWWWWWWW#LLLLLD#.",
    ".#DDDD#WDDDDDDDDDDWWWWW#DDDDDD#.",
    ".######WWWWWWWWWWWWWWWW########.",
    "......#WDDDDDDDDDDDDWWW#........",
    "......#WWWWWWWWWWWWWWWW#........",
    "......#WDDDDDDDWWWWWWWW#........",
    "......#WWWWWWWWWWWWWWWW#........",
    "......##################........",
    "................................",
]

# Printer, 16x16: the same design with less detail.
PRINTER_16 = [
    "................",
    "....########....",
    "....#WWWWWW#....",
    "....#WDDDDW#....",
    "....#WWWWWW#....",
    "..############..",
    ".#WWWWWWWWWWWW#.",
    "################",
    "#WLLLLLLLLLLLLD#",
    "#WGLLLLLLLLLLLD#",
    "#WL##########LD#",
    "#DDD#WWWWWW#DDD#",
    "#####WDDDDW#####",
    "....#WWWWWW#....",
    "....########....",
    "................",
]

WARNING_32 = [
    ".......##.......",
    "......#YY#......",
    "......#YY#......",
    ".....#YYYY#.....",
    ".....#Y##Y#.....",
    "....#YY##YY#....",
    "....#YY##YY#....",
    "...#YYY##YYY#...",
    "...#YYY##YYY#...",
    "..#YYYYYYYYYY#..",
    "..#YYYY##YYYY#..",
    ".#YYYYY##YYYYY#.",
    ".#YYYYYYYYYYYY#.",
    "#YYYYYYYYYYYYYY#",
    "################",
]

WARNING_16 = [
    "....#....",
    "...#Y#...",
    "...#Y#...",
    "..#Y#Y#..",
    "..#Y#Y#..",
    ".#YYYYY#.",
    ".#YY#YY#.",
    "#YYYYYYY#",
    "#########",
]

ERROR_32 = [
    ".....######.....",
    "...##RRRRRR##...",
    "..#RRRRRRRRRR#..",
    ".#RRRRRRRRRRRR#.",
    ".#RRWWRRRRWWRR#.",
    "#RRRWWWRRWWWRRR#",
    "#RRRRWWWWWWRRRR#",
    "#RRRRRWWWWRRRRR#",
    "#RRRRRWWWWRRRRR#",
    "#RRRRWWWWWWRRRR#",
    "#RRRWWWRRWWWRRR#",
    ".#RRWWRRRRWWRR#.",
    ".#RRRRRRRRRRRR#.",
    "..#RRRRRRRRRR#..",
    "...##RRRRRR##...",
    ".....######.....",
]

ERROR_16 = [
    "..#####..",
    ".#RRRRR#.",
    "#RWRRRWR#",
    "#RRWRWRR#",
    "#RRRWRRR#",
    "#RRWRWRR#",
    "#RWRRRWR#",
    ".#RRRRR#.",
    "..#####..",
]

# The logo, 47x45: the printer with its status display, green text on black
# as in the dialog's status area.  '.' is the key colour cyan.
LOGO = [
    "...............................................",
    ".............#####################.............",
    ".............#WWWWWWWWWWWWWWWWWWW#.............",
    ".............#WWWWWWWWWWWWWWWWWWW#.............",
    ".............#WWDDDDDDDDDDDDDDWWW#.............",
    ".............#WWWWWWWWWWWWWWWWWWW#.............",
    ".............#WWDDDDDDDDDDDDDDDWW#.............",
    ".............#WWWWWWWWWWWWWWWWWWW#.............",
    ".............#WWDDDDDDDDDDDWWWWWW#.............",
    ".............#WWWWWWWWWWWWWWWWWWW#.............",
    ".............#WWDDDDDDDDDDDDDWWWW#.............",
    "..........###########################..........",
    ".........#WWWWWWWWWWWWWWWWWWWWWWWWWWW#.........",
    "........#LLLLLLLLLLLLLLLLLLLLLLLLLLLLL#........",
    ".......#LLLLLLLLLLLLLLLLLLLLLLLLLLLLLLL#.......",
    "......#LLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLL#......",
    "...#########################################...",
    "...#WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW#...",
    "...#WLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLD#...",
    "...#WLLL###############################LLLD#...",
    "...#WLLL###############################LGGD#...",
    "...#WLLL###GGGGGG#GGGGG#GGGGGGGGGG#####LGGD#...",
    "...#WLLL###############################LggD#...",
    "...#WLLL###############################LLLD#...",
    "...#WLLL###GGGGGGGG#GGGGGGGG###########LLLD#...",
    "...#WLLL###############################LLLD#...",
    "...#WLLL###############################LLLD#...",
    "...#WLLL###############################LLLD#...",
    "...#WLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLD#...",
    "...#WLLL###############################LLLD#...",
    "...#WLLL#DDDDDDDDDDDDDDDDDDDDDDDDDDDDD#LLLD#...",
    "...#WLLL###############################LLLD#...",
    "...#WLLLLLLL#WWWWWWWWWWWWWWWWWWWWW#LLLLLLLD#...",
    "...#WDDDDDDD#WWWWWWWWWWWWWWWWWWWWW#DDDDDDDD#...",
    "...##########WWDDDDDDDDDDDDDDDDWWW##########...",
    "............#WWWWWWWWWWWWWWWWWWWWW#............",
    "............#WWDDDDDDDDDDDDDDDDDWW#............",
    "............#WWWWWWWWWWWWWWWWWWWWW#............",
    "............#WWDDDDDDDDDDDDDWWWWWW#............",
    "............#WWWWWWWWWWWWWWWWWWWWW#............",
    "............#WWDDDDDDDDDDDDDDDWWWW#............",
    "............#WWWWWWWWWWWWWWWWWWWWW#............",
    "............#WWWWWWWWWWWWWWWWWWWWW#............",
    "............#######################............",
    "...............................................",
]

# The same pictures as shapes, for the sizes without a hand-drawn image.
# Coordinates are pixel edges of the 32-pixel drawing; the shapes are scaled
# to the icon's size.  Rectangles snap to whole pixels and outlines stay one
# scaled pixel wide, so edges stay sharp; slanted and round edges are
# smoothed with partial coverage (alpha).

BLACK, DARK_GREY, LIGHT_GREY, WHITE = PALETTE[0], PALETTE[8], PALETTE[7], PALETTE[15]
GREEN, YELLOW, RED = PALETTE[10], PALETTE[11], PALETTE[9]


def printer_shapes(canvas):
    canvas.box(9, 2, 23, 12, WHITE)          # the sheet going in
    canvas.rect(11, 4, 20, 5, DARK_GREY)
    canvas.rect(11, 7, 21, 8, DARK_GREY)
    # The top, widening towards the body, with its outline.
    edge = canvas.line / canvas.scale        # one outline, in drawing units
    canvas.shape(lambda x, y: 9 <= y <= 13 and 5 - (y - 9) * 0.75 <= x <= 27 + (y - 9) * 0.75, BLACK)
    canvas.shape(lambda x, y: 9 + edge <= y <= 13 and 5 + edge - (y - 9) * 0.75 <= x <= 27 - edge + (y - 9) * 0.75,
                 LIGHT_GREY)
    canvas.box(1, 13, 31, 26, LIGHT_GREY)    # the body, lit from the top left
    canvas.rect(2, 14, 30, 15, WHITE)
    canvas.rect(2, 14, 3, 25, WHITE)
    canvas.rect(29, 15, 30, 25, DARK_GREY)
    canvas.rect(3, 24, 30, 25, DARK_GREY)
    canvas.rect(4, 16, 6, 18, GREEN)         # the power light
    canvas.box(4, 19, 26, 22, DARK_GREY)     # the output slot
    canvas.box(6, 21, 24, 31, WHITE)         # the printed sheet
    canvas.rect(8, 23, 21, 24, DARK_GREY)
    canvas.rect(8, 26, 19, 27, DARK_GREY)


def warning_shapes(canvas):
    def triangle(top, half, bottom):
        return lambda x, y: top <= y <= bottom and abs(x - 24) <= half * (y - top) / (bottom - top)
    canvas.shape(triangle(16, 8, 32), BLACK)
    canvas.shape(triangle(18.4, 6.4, 30.9), YELLOW)
    canvas.rect(23, 22, 25, 27, BLACK)
    canvas.rect(23, 28, 25, 30, BLACK)


def error_shapes(canvas):
    def cross(x, y):
        u, v = x - 24, y - 24
        return max(abs(u), abs(v)) <= 4.2 and (abs(u - v) <= 1.6 or abs(u + v) <= 1.6)
    canvas.shape(lambda x, y: (x - 24) ** 2 + (y - 24) ** 2 <= 64, BLACK)
    canvas.shape(lambda x, y: (x - 24) ** 2 + (y - 24) ** 2 <= 49, RED)
    canvas.shape(cross, WHITE)


class Canvas:
    """Pixels as (R, G, B, A) of one icon image, painted over each other."""

    def __init__(self, size):
        self.size = size
        self.scale = size / 32
        self.line = max(1, round(self.scale))  # outline width in pixels
        self.pixels = [[(0, 0, 0, 0)] * size for _ in range(size)]

    def edge(self, value):
        return int(round(value * self.scale))

    def paint(self, x, y, colour, cover):
        """Puts colour over the pixel, covering the given share of it."""
        if cover <= 0:
            return
        r, g, b, a = self.pixels[y][x]
        below = a / 255 * (1 - cover)
        alpha = cover + below
        mix = [round((new * cover + old * below) / alpha) for new, old in zip(colour, (r, g, b))]
        self.pixels[y][x] = (mix[0], mix[1], mix[2], round(alpha * 255))

    def fill(self, x0, y0, x1, y1, colour):
        for y in range(y0, y1):
            for x in range(x0, x1):
                self.paint(x, y, colour, 1)

    def rect(self, x0, y0, x1, y1, colour):
        """A rectangle at least one pixel wide and high."""
        left, top = self.edge(x0), self.edge(y0)
        self.fill(left, top, max(self.edge(x1), left + 1), max(self.edge(y1), top + 1), colour)

    def box(self, x0, y0, x1, y1, colour):
        """A rectangle with a black outline."""
        self.rect(x0, y0, x1, y1, BLACK)
        self.fill(self.edge(x0) + self.line, self.edge(y0) + self.line,
                  self.edge(x1) - self.line, self.edge(y1) - self.line, colour)

    def shape(self, inside, colour, samples=4):
        """Each pixel takes the share of its samples x samples points inside."""
        for y in range(self.size):
            for x in range(self.size):
                hits = sum(inside((x + (i + 0.5) / samples) / self.scale, (y + (j + 0.5) / samples) / self.scale)
                           for i in range(samples) for j in range(samples))
                self.paint(x, y, colour, hits / samples ** 2)


# --------------------------------------------------------------------------
# Pixel grids
# --------------------------------------------------------------------------


def parse(drawing):
    """Turn a list of strings into rows of palette indices (None = transparent)."""
    width = len(drawing[0])
    rows = []
    for y, line in enumerate(drawing):
        if len(line) != width:
            raise ValueError("row %d is %d wide, expected %d" % (y, len(line), width))
        rows.append([None if ch == TRANSPARENT else INK[ch] for ch in line])
    return rows


def overlay_lower_right(base, badge):
    """Return a copy of base with badge pasted into its lower right corner."""
    out = [row[:] for row in base]
    top = len(base) - len(badge)
    left = len(base[0]) - len(badge[0])
    for y, row in enumerate(badge):
        for x, pixel in enumerate(row):
            if pixel is not None:
                out[top + y][left + x] = pixel
    return out


# --------------------------------------------------------------------------
# File formats
# --------------------------------------------------------------------------


def palette_bytes():
    """Colour table entries are stored as B, G, R, 0."""
    return b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in PALETTE)


def pad4(data):
    return data + b"\0" * (-len(data) % 4)


def pack_4bpp_row(indices):
    """Two pixels per byte, high nibble first, padded to a 4-byte boundary."""
    if len(indices) % 2:
        indices = list(indices) + [0]
    data = bytes((indices[i] << 4) | indices[i + 1] for i in range(0, len(indices), 2))
    return pad4(data)


def pack_1bpp_row(bits):
    """Eight pixels per byte, most significant bit first, padded to 4 bytes."""
    data = bytearray()
    for i in range(0, len(bits), 8):
        byte = 0
        for j, bit in enumerate(bits[i:i + 8]):
            byte |= bit << (7 - j)
        data.append(byte)
    return pad4(bytes(data))


def bitmap_info_header(width, height, bit_count, image_size, colours_used):
    return struct.pack(
        "<IiiHHIIiiII",
        40,            # biSize
        width,
        height,
        1,             # biPlanes
        bit_count,     # biBitCount
        0,             # biCompression = BI_RGB
        image_size,
        0, 0,          # pixels per metre (unspecified)
        colours_used,
        0,             # biClrImportant
    )


def icon_image(pixels):
    """One 16-colour icon image: header, colour table, XOR bitmap, AND mask."""
    xor_rows = []
    and_rows = []
    for row in reversed(pixels):  # DIBs are stored bottom-up
        xor_rows.append(pack_4bpp_row([0 if p is None else p for p in row]))
        and_rows.append(pack_1bpp_row([1 if p is None else 0 for p in row]))
    xor_data = b"".join(xor_rows)
    and_data = b"".join(and_rows)
    header = bitmap_info_header(len(pixels[0]), 2 * len(pixels), 4, len(xor_data) + len(and_data), 0)
    return header + palette_bytes() + xor_data + and_data


def icon_image_32(pixels):
    """One icon image in 32-bit colour: header, B, G, R, A pixels, AND mask.

    The mask is set where the image is fully transparent, for systems that
    draw without the alpha channel."""
    xor_data = b"".join(struct.pack("<BBBB", b, g, r, a) for row in reversed(pixels) for (r, g, b, a) in row)
    and_data = b"".join(pack_1bpp_row([1 if a == 0 else 0 for (_, _, _, a) in row]) for row in reversed(pixels))
    header = bitmap_info_header(len(pixels[0]), 2 * len(pixels), 32, len(xor_data) + len(and_data), 0)
    return header + xor_data + and_data


def ico_file(images):
    """An icon group: ICONDIR, one ICONDIRENTRY per image, then the images.

    images: (pixels, bit count) pairs; 4-bit images are palette indices."""
    blobs = [icon_image(pixels) if bits == 4 else icon_image_32(pixels) for pixels, bits in images]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for (pixels, bits), blob in zip(images, blobs):
        out += struct.pack(
            "<BBBBHHII",
            len(pixels[0]) % 256,      # 0 would mean 256
            len(pixels) % 256,
            16 if bits == 4 else 0,    # bColorCount: 0 for more than 256
            0,                         # bReserved
            1,                         # wPlanes
            bits,                      # wBitCount
            len(blob),
            offset,
        )
        offset += len(blob)
    return out + b"".join(blobs)


def bmp_file(pixels):
    """A 16-colour BMP with BITMAPFILEHEADER and BITMAPINFOHEADER."""
    height = len(pixels)
    width = len(pixels[0])
    data = b"".join(pack_4bpp_row(row) for row in reversed(pixels))
    info = bitmap_info_header(width, height, 4, len(data), 16)
    colours = palette_bytes()
    offset = 14 + len(info) + len(colours)
    file_header = struct.pack("<2sIHHI", b"BM", offset + len(data), 0, 0, offset)
    return file_header + info + colours + data


# --------------------------------------------------------------------------
# Main
# --------------------------------------------------------------------------


def icon_set(badge_32=None, badge_16=None, badge_shapes=None):
    """The images of one icon group, smallest first."""
    small = parse(PRINTER_16)
    big = parse(PRINTER_32)
    if badge_16 is not None:
        small = overlay_lower_right(small, parse(badge_16))
    if badge_32 is not None:
        big = overlay_lower_right(big, parse(badge_32))
    drawn = {}
    for size in (20, 24, 48):
        canvas = Canvas(size)
        printer_shapes(canvas)
        if badge_shapes is not None:
            badge_shapes(canvas)
        drawn[size] = canvas.pixels
    return [(small, 4), (drawn[20], 32), (drawn[24], 32), (big, 4), (drawn[48], 32)]


def write(directory, name, data):
    with open(os.path.join(directory, name), "wb") as f:
        f.write(data)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    write(here, "normal.ico", ico_file(icon_set()))
    write(here, "warning.ico", ico_file(icon_set(WARNING_32, WARNING_16, warning_shapes)))
    write(here, "error.ico", ico_file(icon_set(ERROR_32, ERROR_16, error_shapes)))
    logo = [[KEY_CYAN if p is None else p for p in row] for row in parse(LOGO)]
    write(here, "logo.bmp", bmp_file(logo))


if __name__ == "__main__":
    main()
