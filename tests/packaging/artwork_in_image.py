#!/usr/bin/env python3
"""artwork_in_image.py IMAGE BLOCK...: succeeds when the opaque pixels of one of the BLOCK PNGs
appear, pixel for pixel, somewhere in IMAGE. Reads 8-bit RGB/RGBA PNGs without other modules."""
import struct
import sys
import zlib


def read_png(path):
    data = open(path, "rb").read()
    assert data[:8] == b"\x89PNG\r\n\x1a\n", f"{path}: not a PNG"
    pos, chunks, header = 8, [], None
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            chunks.append(body)
        pos += 12 + length
    width, height, depth, color_type, _, _, interlace = header
    assert depth == 8 and color_type in (2, 6) and not interlace, f"{path}: unsupported PNG layout"
    channels = 4 if color_type == 6 else 3
    raw, stride = zlib.decompress(b"".join(chunks)), width * channels
    rows, previous = [], bytearray(stride)
    for y in range(height):
        kind, line = raw[y * (stride + 1)], bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            left = line[i - channels] if i >= channels else 0
            up, corner = previous[i], previous[i - channels] if i >= channels else 0
            if kind == 1: line[i] = (line[i] + left) & 255
            elif kind == 2: line[i] = (line[i] + up) & 255
            elif kind == 3: line[i] = (line[i] + (left + up) // 2) & 255
            elif kind == 4:
                p = left + up - corner
                pa, pb, pc = abs(p - left), abs(p - up), abs(p - corner)
                line[i] = (line[i] + (left if pa <= pb and pa <= pc else up if pb <= pc else corner)) & 255
        rows.append([tuple(line[x * channels:x * channels + channels]) for x in range(width)])
        previous = line
    return rows


# The gel's side bands start at row 11 and are drawn over the corner blocks' lower rows (the
# graphite block's differ from its band), so only the rows above them are looked for.
BAND_TOP = 11


def found(image, block):
    opaque = [(x, y, p[:3]) for y, row in enumerate(block) for x, p in enumerate(row) if p[3] == 255 and y < BAND_TOP]
    height, width = len(block), len(block[0])
    for top in range(len(image) - height + 1):
        for left in range(len(image[0]) - width + 1):
            if all(image[top + y][left + x][:3] == rgb for x, y, rgb in opaque):
                return True
    return False


image = read_png(sys.argv[1])
sys.exit(0 if any(found(image, read_png(block)) for block in sys.argv[2:]) else 1)
