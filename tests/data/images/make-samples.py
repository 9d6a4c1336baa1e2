#!/usr/bin/env python3
"""Writes the sample images of the codec tests byte by byte (no image library involved):
sample.png, sample.bmp, sample.ico, sample.tif, sample.gif, sample.emf, sample.wmf and
sample-plain.wmf (the same drawing without the placeable header), sample-plain-shifted.wmf (the same
drawing in units that start at a window origin of 30, 10).
sample.jpg is written by the project's own encoder (see tests/graphics/CodecsTest.cpp, the
JPEG sample pattern). Run from anywhere: python3 make-samples.py [output-dir]

The raster samples hold one 4 x 3 pattern of ARGB values (PATTERN). BMP has no alpha, so its
transparent pixel is opaque cyan. The metafiles draw on a 20 x 15 picture they leave transparent:
a white square (1, 1)-(4, 4) without outline, then a red rectangle (5, 3)-(15, 12) with a black
1-pixel outline.
"""
import os
import struct
import sys
import zlib

T = 0x00000000
PATTERN = [
    [0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF],
    [0xFF000000, 0xFF808080, 0xFFFFFF00, T],
    [0xFFFF00FF, 0xFF00FFFF, 0xFF404040, 0xFFFF8000],
]
W, H = 4, 3


def argb(p):
    return (p >> 24) & 255, (p >> 16) & 255, (p >> 8) & 255, p & 255


def png_chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))


def huge_header_png():
    """A valid PNG header that declares 100000 x 100000 pixels, followed by one tiny row of data:
    a reader must refuse it from the header, before allocating the pixels."""
    ihdr = struct.pack(">IIBBBBB", 100000, 100000, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + png_chunk(b"IHDR", ihdr) + png_chunk(b"IDAT", zlib.compress(b"\0" * 5)) +
            png_chunk(b"IEND", b""))


def png():
    chunk = png_chunk
    raw = b""
    for row in PATTERN:
        raw += b"\0"  # filter type None
        for p in row:
            a, r, g, b = argb(p)
            raw += bytes([r, g, b, a])
    ihdr = struct.pack(">IIBBBBB", W, H, 8, 6, 0, 0, 0)  # 8-bit RGBA
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr) + chunk(b"IDAT", zlib.compress(raw)) + chunk(b"IEND", b"")


def bmp():
    stride = (W * 3 + 3) // 4 * 4
    pixels = b""
    for row in reversed(PATTERN):  # bottom-up
        line = b""
        for p in row:
            if p == T:
                p = 0xFF00FFFF
            a, r, g, b = argb(p)
            line += bytes([b, g, r])
        pixels += line + b"\0" * (stride - len(line))
    info = struct.pack("<IiiHHIIiiII", 40, W, H, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    return header + info + pixels


def ico():
    xor = b""
    for row in reversed(PATTERN):
        for p in row:
            a, r, g, b = argb(p)
            xor += bytes([b, g, r, a])
    mask = b"\0" * (4 * H)  # 1-bit AND mask, rows padded to 32 bits; alpha decides
    info = struct.pack("<IiiHHIIiiII", 40, W, 2 * H, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    image = info + xor + mask
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", W, H, 0, 0, 1, 32, len(image), 6 + 16)
    return directory + entry + image


def tif():
    pixels = b""
    for row in PATTERN:
        for p in row:
            a, r, g, b = argb(p)
            pixels += bytes([r, g, b, a])
    entries = []  # (tag, type, count, value or offset)
    n = 11
    ifd_at = 8
    extra_at = ifd_at + 2 + 12 * n + 4
    bits_at = extra_at
    strip_at = bits_at + 8
    entries = [
        (256, 3, 1, W), (257, 3, 1, H), (258, 3, 4, bits_at), (259, 3, 1, 1), (262, 3, 1, 2),
        (273, 4, 1, strip_at), (277, 3, 1, 4), (278, 3, 1, H), (279, 4, 1, len(pixels)),
        (284, 3, 1, 1), (338, 3, 1, 2),  # extra sample: unassociated alpha
    ]
    assert len(entries) == n
    out = b"II*\0" + struct.pack("<I", ifd_at) + struct.pack("<H", n)
    for tag, kind, count, value in entries:
        packed = struct.pack("<H", value) + b"\0\0" if kind == 3 and count == 1 else struct.pack("<I", value)
        out += struct.pack("<HHI", tag, kind, count) + packed
    out += struct.pack("<I", 0)
    out += struct.pack("<HHHH", 8, 8, 8, 8)
    return out + pixels


def gif():
    colours = []
    for row in PATTERN:
        for p in row:
            if p != T and p not in colours:
                colours.append(p)
    transparent = len(colours)
    table = b""
    for p in colours + [0] * (16 - len(colours)):
        a, r, g, b = argb(p)
        table += bytes([r, g, b])
    indices = [colours.index(p) if p != T else transparent for row in PATTERN for p in row]
    # LZW with 4-bit minimum code size: clear (16), each index as a literal code, end (17). Twelve
    # literals add eleven table entries (18..28), below 32, so every code stays 5 bits wide.
    codes = [16] + indices + [17]
    bits, nbits, data = 0, 0, b""
    for c in codes:
        bits |= c << nbits
        nbits += 5
        while nbits >= 8:
            data += bytes([bits & 255])
            bits >>= 8
            nbits -= 8
    if nbits:
        data += bytes([bits & 255])
    screen = struct.pack("<6sHHBBB", b"GIF89a", W, H, 0x80 | 0x70 | 3, 0, 0)  # 16-entry global table
    control = bytes([0x21, 0xF9, 4, 1, 0, 0, transparent, 0])
    descriptor = b"\x2c" + struct.pack("<HHHHB", 0, 0, W, H, 0)
    return screen + table + control + descriptor + bytes([4, len(data)]) + data + b"\0" + b"\x3b"


def emf():
    def record(kind, *words):
        body = b"".join(struct.pack("<I", w & 0xFFFFFFFF) for w in words)
        return struct.pack("<II", kind, 8 + len(body)) + body
    records = [
        record(37, 0x80000000),             # EMR_SELECTOBJECT: stock WHITE_BRUSH
        record(37, 0x80000008),             # EMR_SELECTOBJECT: stock NULL_PEN
        record(43, 1, 1, 4, 4),             # EMR_RECTANGLE
        record(39, 1, 0, 0x000000FF, 0),    # EMR_CREATEBRUSHINDIRECT: handle 1, solid, red (0x00BBGGRR)
        record(37, 1),                      # EMR_SELECTOBJECT: the brush
        record(38, 2, 0, 1, 0, 0),          # EMR_CREATEPEN: handle 2, solid, 1 wide, black
        record(37, 2),                      # EMR_SELECTOBJECT: the pen
        record(43, 5, 3, 15, 12),           # EMR_RECTANGLE
        record(14, 0, 16, 20),              # EMR_EOF: no palette; nSizeLast
    ]
    total = 88 + sum(len(r) for r in records)
    header = struct.pack(
        "<II4i4iIIIIHHIIIiiii",
        1, 88,                   # EMR_HEADER, record size
        0, 0, 19, 14,            # rclBounds in device pixels, inclusive
        0, 0, 529, 397,          # rclFrame in 0.01 mm (20 x 15 pixels at 96 dpi)
        0x464D4520, 0x10000,     # " EMF", version
        total, len(records) + 1, 3, 0,  # bytes, records, handles (0 reserved + brush + pen), reserved
        0, 0, 0,                 # no description, no palette
        1024, 768, 271, 203,     # reference device in pixels and millimetres (96 dpi)
    )
    return header + b"".join(records)


def wmf(placeable=True, origin=(0, 0)):
    """The drawing in logical units from the window's `origin`."""
    def record(function, *params):
        return struct.pack("<IH", 3 + len(params), function) + b"".join(struct.pack("<h", p) for p in params)
    ox, oy = origin
    window = [
        record(0x020B, oy, ox),              # META_SETWINDOWORG y, x
        record(0x020C, 15, 20),              # META_SETWINDOWEXT height, width
    ]
    records = window + [
        record(0x02FC, 0, -1, 0x00FF, 0),    # META_CREATEBRUSHINDIRECT (0) solid, COLORREF white, hatch
        record(0x012D, 0),                   # META_SELECTOBJECT brush
        record(0x02FA, 5, 0, 0, 0, 0),       # META_CREATEPENINDIRECT (1) PS_NULL, width (0, 0), colour
        record(0x012D, 1),                   # META_SELECTOBJECT pen
        record(0x041B, 4 + oy, 4 + ox, 1 + oy, 1 + ox),  # META_RECTANGLE bottom, right, top, left
        record(0x01F0, 0),                   # META_DELETEOBJECT the white brush (frees index 0)
        record(0x02FC, 0, 0x00FF, 0, 0),     # META_CREATEBRUSHINDIRECT (0) solid, COLORREF red, hatch
        record(0x012D, 0),                   # META_SELECTOBJECT brush
        record(0x02FA, 0, 1, 0, 0, 0),       # META_CREATEPENINDIRECT (2) solid, width (1, 0), black
        record(0x012D, 2),                   # META_SELECTOBJECT pen
        record(0x041B, 12 + oy, 15 + ox, 3 + oy, 5 + ox),  # META_RECTANGLE bottom, right, top, left
        record(0x0000),                      # META_EOF
    ]
    body = b"".join(records)
    largest = max(len(r) for r in records) // 2
    header = struct.pack("<HHHIHIH", 1, 9, 0x0300, (18 + len(body)) // 2, 3, largest, 0)
    if not placeable:
        return header + body
    placeable = struct.pack("<IHhhhhHI", 0x9AC6CDD7, 0, 0, 0, 20, 15, 96, 0)
    checksum = 0
    for (word,) in struct.iter_unpack("<H", placeable):
        checksum ^= word
    return placeable + struct.pack("<H", checksum) + header + body


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    for name, make in [("png", png), ("bmp", bmp), ("ico", ico), ("tif", tif), ("gif", gif), ("emf", emf),
                       ("wmf", wmf)]:
        with open(os.path.join(out, "sample." + name), "wb") as f:
            f.write(make())
    with open(os.path.join(out, "sample-plain.wmf"), "wb") as f:
        f.write(wmf(placeable=False))
    with open(os.path.join(out, "sample-plain-shifted.wmf"), "wb") as f:
        f.write(wmf(placeable=False, origin=(30, 10)))
    with open(os.path.join(out, "huge-header.png"), "wb") as f:
        f.write(huge_header_png())


if __name__ == "__main__":
    main()
