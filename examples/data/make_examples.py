#!/usr/bin/env python3
"""Writes the example mesh files (made for this project, public domain).
Only the standard library is used. Run from this directory.

  cloud.ply  a point cloud of 4000 points on a wavy disc, coloured by
             height (binary little-endian, float positions, uchar colours)
  bracket.stl an L-shaped bracket with a hole through each arm (binary),
             built from boxes of facets
  tiles.ply  a wavy sheet of 8 x 5 tiles, each in its own colour of a
             rainbow (text PLY: quads, every tile with its own four
             coloured points)
"""
import colorsys
import math
import struct


def cloud(path, count=4000):
    rows = []
    golden = math.pi * (3.0 - math.sqrt(5.0))
    for i in range(count):
        r = math.sqrt((i + 0.5) / count)
        a = i * golden
        x, z = r * math.cos(a), r * math.sin(a)
        y = 0.15 * math.sin(6.0 * x) * math.cos(5.0 * z)
        t = (y + 0.15) / 0.3
        colour = (int(255 * t), int(255 * (1.0 - abs(2.0 * t - 1.0))), int(255 * (1.0 - t)))
        rows.append(struct.pack("<fffBBB", x, y, z, *colour))
    header = ("ply\nformat binary_little_endian 1.0\ncomment made by make_examples.py\n"
              "element vertex %d\nproperty float x\nproperty float y\nproperty float z\n"
              "property uchar red\nproperty uchar green\nproperty uchar blue\nend_header\n"
              % count)
    with open(path, "wb") as f:
        f.write(header.encode("ascii"))
        f.write(b"".join(rows))


def box_facets(lo, hi):
    """Twelve outward-wound triangles of an axis-aligned box."""
    x0, y0, z0 = lo
    x1, y1, z1 = hi
    c = [(x0, y0, z0), (x1, y0, z0), (x1, y1, z0), (x0, y1, z0),
         (x0, y0, z1), (x1, y0, z1), (x1, y1, z1), (x0, y1, z1)]
    quads = [((0, 3, 2, 1), (0, 0, -1)), ((4, 5, 6, 7), (0, 0, 1)),
             ((0, 1, 5, 4), (0, -1, 0)), ((3, 7, 6, 2), (0, 1, 0)),
             ((0, 4, 7, 3), (-1, 0, 0)), ((1, 2, 6, 5), (1, 0, 0))]
    out = []
    for (a, b, cc, d), n in quads:
        out.append((n, c[a], c[b], c[cc]))
        out.append((n, c[a], c[cc], c[d]))
    return out


def bracket(path):
    facets = []
    # Base plate and upright, with square holes made by leaving out a
    # block of cells from a grid of boxes.
    cell = 0.25
    for i in range(8):
        for k in range(4):
            if i in (3, 4) and k in (1, 2):
                continue
            facets += box_facets((i * cell, 0.0, k * cell), ((i + 1) * cell, 0.2, (k + 1) * cell))
    for j in range(1, 6):
        for k in range(4):
            if j in (3, 4) and k in (1, 2):
                continue
            facets += box_facets((0.0, j * cell - 0.05, k * cell), (0.2, (j + 1) * cell - 0.05, (k + 1) * cell))
    with open(path, "wb") as f:
        f.write(b"bracket made by make_examples.py".ljust(80, b" "))
        f.write(struct.pack("<I", len(facets)))
        for n, a, b, c in facets:
            f.write(struct.pack("<12fH", *n, *a, *b, *c, 0))


def tiles(path, cols=8, rows=5):
    points, faces = [], []
    for j in range(rows):
        for i in range(cols):
            r, g, b = colorsys.hsv_to_rgb(i / cols, 1.0 - 0.6 * j / (rows - 1), 1.0)
            colour = (int(255 * r), int(255 * g), int(255 * b))
            first = len(points)
            for di, dj in ((0, 0), (1, 0), (1, 1), (0, 1)):
                x, z = (i + di) * 0.25 - 1.0, 0.625 - (j + dj) * 0.25
                y = 0.12 * math.sin(2.5 * x) * math.cos(2.0 * z)
                points.append((x, y, z) + colour)
            faces.append((first, first + 1, first + 2, first + 3))
    with open(path, "w") as f:
        f.write("ply\nformat ascii 1.0\ncomment made by make_examples.py\n"
                "element vertex %d\nproperty float x\nproperty float y\nproperty float z\n"
                "property uchar red\nproperty uchar green\nproperty uchar blue\n"
                "element face %d\nproperty list uchar int vertex_indices\nend_header\n"
                % (len(points), len(faces)))
        for p in points:
            f.write("%.5f %.5f %.5f %d %d %d\n" % p)
        for q in faces:
            f.write("4 %d %d %d %d\n" % q)


if __name__ == "__main__":
    cloud("cloud.ply")
    bracket("bracket.stl")
    tiles("tiles.ply")
