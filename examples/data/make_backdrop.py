#!/usr/bin/env python3
"""Writes backdrop.png, the demo's background image: an evening sky over a
tiled floor with a low sun, 192 x 144 pixels (4:3). Only the standard
library is used. Run from this directory."""
import math
import struct
import zlib

W, H = 192, 144
HORIZON = 0.42  # fraction of the height, from the bottom


def mix(a, b, t):
    t = max(0.0, min(1.0, t))
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


def pixel(x, y):
    u = (x + 0.5) / W
    v = 1.0 - (y + 0.5) / H  # 0 at the bottom
    if v >= HORIZON:
        t = (v - HORIZON) / (1.0 - HORIZON)
        sky = mix((235, 150, 90), (40, 60, 115), t ** 0.6)
        # The sun low on the right, with a soft glow.
        d = math.hypot((u - 0.72) * W / H, v - 0.52)
        sky = mix(sky, (255, 225, 160), 1.0 - d / 0.25)
        if d < 0.07:
            sky = (255, 240, 200)
        return sky
    # Floor: tiles that shrink toward the horizon.
    depth = (HORIZON - v) / HORIZON  # 0 at the horizon, 1 at the bottom
    z = 1.0 / max(depth, 0.02)
    fx = (u - 0.5) * z * 2.0
    tile = (math.floor(fx) + math.floor(z * 1.5)) % 2
    base = (70, 72, 80) if tile else (95, 98, 108)
    return mix((150, 120, 110), base, depth * 3.0)


rows = []
for y in range(H):
    row = bytearray(b"\0")
    for x in range(W):
        row += bytes(int(round(c)) for c in pixel(x, y))
    rows.append(bytes(row))


def chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


with open("backdrop.png", "wb") as f:
    f.write(b"\x89PNG\r\n\x1a\n" +
            chunk(b"IHDR", struct.pack(">IIBBBBB", W, H, 8, 2, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(b"".join(rows), 9)) + chunk(b"IEND", b""))
