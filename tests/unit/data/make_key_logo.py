"""Writes key_logo.bmp beside this script: a test logo of 8 x 2 pixels, 24 bits
per pixel, whose even columns hold the key colour (red 0, green 255, blue 255)
and odd columns light grey. The file is committed; run this to remake it."""
import os
import struct

WIDTH, HEIGHT = 8, 2
KEY = (0, 255, 255)
GREY = (192, 192, 192)


def rows():
    for _ in range(HEIGHT):
        row = b"".join(bytes((b, g, r)) for r, g, b in
                       (KEY if x % 2 == 0 else GREY for x in range(WIDTH)))
        yield row + b"\0" * (-len(row) % 4)


def main():
    pixels = b"".join(rows())
    info = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 24, 0, len(pixels), 0, 0, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    path = os.path.join(os.path.dirname(os.path.abspath(__file__)), "key_logo.bmp")
    with open(path, "wb") as out:
        out.write(header + info + pixels)


if __name__ == "__main__":
    main()
