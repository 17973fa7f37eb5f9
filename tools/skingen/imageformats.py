"""Byte-exact writers for the image files our skin and artwork need.

Only the standard library is used, and nothing time- or platform-dependent goes
into the files, so the same pixels always give the same bytes.

Pixels come in as rows of (r, g, b) or (r, g, b, a) integer tuples, top row first.
"""

import struct
import zlib


def _png_chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


def png_bytes(rows):
    """32-bit RGBA PNG (colour type 6, 8 bits per channel, filter 0 on every row)."""
    height = len(rows)
    width = len(rows[0]) if height else 0
    raw = bytearray()
    for row in rows:
        if len(row) != width:
            raise ValueError("ragged image rows")
        raw.append(0)
        for r, g, b, a in row:
            raw += bytes((r, g, b, a))
    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + _png_chunk(b"IHDR", header)
            + _png_chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + _png_chunk(b"IEND", b""))


def bmp24_bytes(rows):
    """24-bit bottom-up BMP with a BITMAPINFOHEADER; rows padded to 4 bytes."""
    height = len(rows)
    width = len(rows[0]) if height else 0
    stride = (width * 3 + 3) & ~3
    pixels = bytearray()
    for row in reversed(rows):
        if len(row) != width:
            raise ValueError("ragged image rows")
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        line += b"\0" * (stride - len(line))
        pixels += line
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    file_header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    return file_header + info + bytes(pixels)


def _icon_dib(rows):
    """One icon image: BITMAPINFOHEADER (double height), 32-bit BGRA bottom-up, AND mask."""
    size = len(rows)
    xor = bytearray()
    for row in reversed(rows):
        for r, g, b, a in row:
            xor += bytes((b, g, r, a))
    mask_stride = ((size + 31) // 32) * 4
    and_mask = bytearray()
    for row in reversed(rows):
        line = bytearray(mask_stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                line[x // 8] |= 0x80 >> (x % 8)
        and_mask += line
    info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(xor) + len(and_mask), 0, 0, 0, 0)
    return info + bytes(xor) + bytes(and_mask)


def ico_bytes(images):
    """An .ico file from square RGBA images (each at most 256 pixels), in the given order."""
    dibs = [_icon_dib(rows) for rows in images]
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for rows, dib in zip(images, dibs):
        size = len(rows)
        if size > 256 or any(len(r) != size for r in rows):
            raise ValueError("icon images must be square and at most 256 pixels")
        dim = 0 if size == 256 else size
        directory += struct.pack("<BBBBHHII", dim, dim, 0, 0, 1, 32, len(dib), offset)
        offset += len(dib)
    return directory + b"".join(dibs)

