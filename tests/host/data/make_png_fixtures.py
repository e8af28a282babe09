#!/usr/bin/env python3
"""Writes the small PNG files the image reading tests load: one 4x3 image
in each PNG colour type and bit depth, and one whose header claims
100000 x 100000 pixels. Only the standard library is used, so the files
are made independently of the reader under test. Run from this directory."""
import struct
import zlib

W, H = 4, 3


def grey(x, y):
    return (37 * x + 81 * y + 11) % 256


def rgba(x, y):
    v = grey(x, y)
    return (v, (3 * v + 50) % 256, 255 - v, (60 * x + 20 * y + 15) % 256)


def chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


def png(path, width, height, depth, ctype, rows, extra=b""):
    header = struct.pack(">IIBBBBB", width, height, depth, ctype, 0, 0, 0)
    raw = b"".join(b"\0" + row for row in rows)
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + extra +
                chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def rows(pixel):
    return [b"".join(pixel(x, y) for x in range(W)) for y in range(H)]


def b8(*values):
    return bytes(values)


def b16(*values):
    return b"".join(struct.pack(">H", v * 257) for v in values)


png("grey8.png", W, H, 8, 0, rows(lambda x, y: b8(grey(x, y))))
png("grey16.png", W, H, 16, 0, rows(lambda x, y: b16(grey(x, y))))
png("greyalpha8.png", W, H, 8, 4, rows(lambda x, y: b8(grey(x, y), rgba(x, y)[3])))
png("rgb8.png", W, H, 8, 2, rows(lambda x, y: b8(*rgba(x, y)[:3])))
png("rgb16.png", W, H, 16, 2, rows(lambda x, y: b16(*rgba(x, y)[:3])))
png("rgba8.png", W, H, 8, 6, rows(lambda x, y: b8(*rgba(x, y))))
png("rgba16.png", W, H, 16, 6, rows(lambda x, y: b16(*rgba(x, y))))

# Palette: one entry per pixel, alphas in a transparency chunk.
entries = [rgba(x, y) for y in range(H) for x in range(W)]
plte = chunk(b"PLTE", b"".join(b8(*e[:3]) for e in entries))
trns = chunk(b"tRNS", bytes(e[3] for e in entries))
png("palette8.png", W, H, 8, 3, rows(lambda x, y: b8(y * W + x)), plte + trns)

# One bit per pixel: a checkerboard, 0 black and 1 white.
bits = [bytes([sum(((x + y) % 2) << (7 - x) for x in range(W))]) for y in range(H)]
png("grey1.png", W, H, 1, 0, bits)

# A header far larger than any image the reader accepts over a tiny body.
png("huge.png", 100000, 100000, 8, 6, [b"\0\0\0\0"])

# A header within the size limits whose body is far too short to hold it.
png("short.png", 8000, 8000, 8, 6, [b"\0\0\0\0"])

# A 68-byte file promising a row of 2^31 - 1 pixels: refused before any
# memory is set aside for the row.
png("wide.png", 0x7FFFFFFF, 1, 8, 6, [b"\0" * 8])
