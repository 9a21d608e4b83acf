"""Reading and writing 8-bit palette PNG images with the standard library alone.

Shared by the map generator (which writes the map) and the sample database generator
(which reads it to keep the sample towers on land).
"""
import struct
import zlib

SIGNATURE = b"\x89PNG\r\n\x1a\n"


def _chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


def write(path, width, height, rows, palette):
    """rows: height lists of palette indices; palette: up to 256 (r, g, b) tuples."""
    entries = list(palette) + [(0, 0, 0)] * (256 - len(palette))
    raw = b"".join(b"\x00" + bytes(row) for row in rows)
    with open(path, "wb") as f:
        f.write(SIGNATURE)
        f.write(_chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 3, 0, 0, 0)))
        f.write(_chunk(b"PLTE", b"".join(bytes(rgb) for rgb in entries)))
        f.write(_chunk(b"IDAT", zlib.compress(raw, 9)))
        f.write(_chunk(b"IEND", b""))


def _paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    if pa <= pb and pa <= pc:
        return a
    return b if pb <= pc else c


def read(path):
    """Returns (width, height, rows of palette indices, palette) of an 8-bit palette PNG."""
    with open(path, "rb") as f:
        data = f.read()
    if not data.startswith(SIGNATURE):
        raise ValueError("%s is not a PNG file" % path)
    pos, idat, palette, header = len(SIGNATURE), b"", [], None
    while pos < len(data):
        (length,) = struct.unpack(">I", data[pos:pos + 4])
        kind, body = data[pos + 4:pos + 8], data[pos + 8:pos + 8 + length]
        pos += 12 + length
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"PLTE":
            palette = [tuple(body[i:i + 3]) for i in range(0, len(body), 3)]
        elif kind == b"IDAT":
            idat += body
    width, height, depth, colour, _, _, interlace = header
    if depth != 8 or colour != 3 or interlace != 0:
        raise ValueError("%s is not an 8-bit palette PNG" % path)
    raw = zlib.decompress(idat)
    rows, previous = [], [0] * width
    for y in range(height):
        start = y * (width + 1)
        kind, line = raw[start], list(raw[start + 1:start + 1 + width])
        for x in range(width):
            left = line[x - 1] if x else 0
            up, corner = previous[x], previous[x - 1] if x else 0
            if kind == 1:
                line[x] = (line[x] + left) & 0xFF
            elif kind == 2:
                line[x] = (line[x] + up) & 0xFF
            elif kind == 3:
                line[x] = (line[x] + (left + up) // 2) & 0xFF
            elif kind == 4:
                line[x] = (line[x] + _paeth(left, up, corner)) & 0xFF
        rows.append(line)
        previous = line
    return width, height, rows, palette
