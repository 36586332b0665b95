#!/usr/bin/env python3
"""Builds the program's 16-colour icon (16, 32 and 48 pixels) from its cell design."""
import struct
import sys

# The standard 16-colour palette, as (blue, green, red, 0).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
    (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
    (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
CELL_COLOUR = {"k": 0, "b": 1, "B": 9, "W": 15}  # palette indices (BGR order above)
SIZES = (16, 32, 48)


def read_design(path):
    rows = [line.rstrip("\n") for line in open(path, encoding="ascii")
            if line.strip() and not line.startswith("#")]
    if len(rows) != 16 or any(len(row) != 16 for row in rows):
        sys.exit("icon design must be 16 rows of 16 cells")
    return rows


def image(rows, size):
    scale = size // 16
    pixel_row_bytes = (size * 4 + 31) // 32 * 4
    mask_row_bytes = (size + 31) // 32 * 4
    colour = bytearray()
    mask = bytearray()
    for y in reversed(range(size)):  # bitmaps are stored bottom-up
        cells = rows[y // scale]
        nibbles = [CELL_COLOUR.get(cells[x // scale], 0) for x in range(size)]
        line = bytearray((nibbles[x] << 4) | nibbles[x + 1] for x in range(0, size, 2))
        colour += line + bytes(pixel_row_bytes - len(line))
        bits = bytearray(mask_row_bytes)
        for x in range(size):
            if cells[x // scale] == ".":
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0,
                         len(colour) + len(mask), 0, 0, 16, 0)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for (b, g, r) in PALETTE)
    return header + palette + bytes(colour) + bytes(mask)


def main(design_path, output_path):
    rows = read_design(design_path)
    images = [image(rows, size) for size in SIZES]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in zip(SIZES, images):
        out += struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(data), offset)
        offset += len(data)
    with open(output_path, "wb") as f:
        f.write(out + b"".join(images))


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
