#!/usr/bin/env python3
"""Generate the tray icons and the logo bitmap used by the resource script.

Writes, into the directory holding this script:

    normal.ico   printer                          (32x32 and 16x16, 16 colours)
    warning.ico  printer + yellow warning triangle
    error.ico    printer + red disc with a white X
    logo.bmp     47x45, 16 colours, plain light grey

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

LIGHT_GREY = 7

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


def bitmap_info_header(width, height, image_size, colours_used):
    return struct.pack(
        "<IiiHHIIiiII",
        40,            # biSize
        width,
        height,
        1,             # biPlanes
        4,             # biBitCount
        0,             # biCompression = BI_RGB
        image_size,
        0, 0,          # pixels per metre (unspecified)
        colours_used,
        0,             # biClrImportant
    )


def icon_image(pixels):
    """One icon image: header, colour table, XOR bitmap, AND mask."""
    height = len(pixels)
    width = len(pixels[0])
    xor_rows = []
    and_rows = []
    for row in reversed(pixels):  # DIBs are stored bottom-up
        xor_rows.append(pack_4bpp_row([0 if p is None else p for p in row]))
        and_rows.append(pack_1bpp_row([1 if p is None else 0 for p in row]))
    xor_data = b"".join(xor_rows)
    and_data = b"".join(and_rows)
    header = bitmap_info_header(width, 2 * height, len(xor_data) + len(and_data), 0)
    return header + palette_bytes() + xor_data + and_data


def ico_file(images):
    """An icon group: ICONDIR, one ICONDIRENTRY per image, then the images."""
    count = len(images)
    blobs = [icon_image(pixels) for pixels in images]
    out = struct.pack("<HHH", 0, 1, count)
    offset = 6 + 16 * count
    for pixels, blob in zip(images, blobs):
        height = len(pixels)
        width = len(pixels[0])
        out += struct.pack(
            "<BBBBHHII",
            width % 256,   # 0 would mean 256
            height % 256,
            16,            # bColorCount
            0,             # bReserved
            1,             # wPlanes
            4,             # wBitCount
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
    info = bitmap_info_header(width, height, len(data), 16)
    colours = palette_bytes()
    offset = 14 + len(info) + len(colours)
    file_header = struct.pack("<2sIHHI", b"BM", offset + len(data), 0, 0, offset)
    return file_header + info + colours + data


# --------------------------------------------------------------------------
# Main
# --------------------------------------------------------------------------


def icon_set(badge_32=None, badge_16=None):
    big = parse(PRINTER_32)
    small = parse(PRINTER_16)
    if badge_32 is not None:
        big = overlay_lower_right(big, parse(badge_32))
    if badge_16 is not None:
        small = overlay_lower_right(small, parse(badge_16))
    return [big, small]


def write(directory, name, data):
    with open(os.path.join(directory, name), "wb") as f:
        f.write(data)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    write(here, "normal.ico", ico_file(icon_set()))
    write(here, "warning.ico", ico_file(icon_set(WARNING_32, WARNING_16)))
    write(here, "error.ico", ico_file(icon_set(ERROR_32, ERROR_16)))
    logo = [[LIGHT_GREY] * 47 for _ in range(45)]
    write(here, "logo.bmp", bmp_file(logo))


if __name__ == "__main__":
    main()
