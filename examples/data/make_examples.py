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
  table.glb  a glTF scene of named parts: a table top holding a cup and a
             ball (children moved with it), four legs sharing one mesh, each
             part with its own vertex colour
"""
import colorsys
import json
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


def box_mesh(size):
    """A box centred on the origin: flat-shaded, 24 points, 12 triangles."""
    sx, sy, sz = (v / 2.0 for v in size)
    points, normals, tris = [], [], []
    for axis in range(3):
        for sign in (-1.0, 1.0):
            n = [0.0, 0.0, 0.0]
            n[axis] = sign
            u, v = [(1, 2), (2, 0), (0, 1)][axis]
            first = len(points)
            for a, b in ((-1, -1), (1, -1), (1, 1), (-1, 1)):
                p = [0.0, 0.0, 0.0]
                p[axis] = sign
                p[u], p[v] = a, b
                points.append((p[0] * sx, p[1] * sy, p[2] * sz))
                normals.append(tuple(n))
            quad = (0, 1, 2, 3) if sign > 0 else (0, 3, 2, 1)
            tris += [first + quad[0], first + quad[1], first + quad[2],
                     first + quad[0], first + quad[2], first + quad[3]]
    return points, normals, tris


def cylinder_mesh(radius, height, segments=32):
    """An open-topped cup: a wall and a floor, smooth-shaded wall."""
    points, normals, tris = [], [], []
    for i in range(segments):
        a = 2.0 * math.pi * i / segments
        c, s = math.cos(a), math.sin(a)
        points += [(radius * c, 0.0, radius * s), (radius * c, height, radius * s)]
        normals += [(c, 0.0, s), (c, 0.0, s)]
    for i in range(segments):
        j = (i + 1) % segments
        a0, a1, b0, b1 = 2 * i, 2 * i + 1, 2 * j, 2 * j + 1
        tris += [a0, a1, b1, a0, b1, b0]
    centre = len(points)
    points.append((0.0, 0.0, 0.0))
    normals.append((0.0, -1.0, 0.0))
    for i in range(segments):
        a = 2.0 * math.pi * i / segments
        points.append((radius * math.cos(a), 0.0, radius * math.sin(a)))
        normals.append((0.0, -1.0, 0.0))
    for i in range(segments):
        tris += [centre, centre + 1 + i, centre + 1 + (i + 1) % segments]
    return points, normals, tris


def sphere_mesh(radius, rows=12, cols=24):
    points, normals, tris = [], [], []
    for r in range(rows + 1):
        phi = math.pi * r / rows
        for c in range(cols + 1):
            theta = 2.0 * math.pi * c / cols
            n = (math.sin(phi) * math.cos(theta), math.cos(phi), math.sin(phi) * math.sin(theta))
            points.append(tuple(radius * v for v in n))
            normals.append(n)
    for r in range(rows):
        for c in range(cols):
            a = r * (cols + 1) + c
            b, d = a + cols + 1, a + 1
            tris += [a, d, b + 1, a, b + 1, b]
    return points, normals, tris


def table(path):
    meshes = [("top", box_mesh((2.0, 0.1, 1.2)), (0.62, 0.42, 0.24)),
              ("leg", box_mesh((0.1, 0.9, 0.1)), (0.35, 0.35, 0.38)),
              ("cup", cylinder_mesh(0.12, 0.25), (0.85, 0.15, 0.1)),
              ("ball", sphere_mesh(0.15), (0.15, 0.35, 0.9))]
    binary = bytearray()
    views, accessors, gltf_meshes = [], [], []

    def add_view(data, count, kind, component, target, extra=None):
        while len(binary) % 4:
            binary.append(0)
        views.append({"buffer": 0, "byteOffset": len(binary), "byteLength": len(data),
                      "target": target})
        binary.extend(data)
        accessor = {"bufferView": len(views) - 1, "count": count, "type": kind,
                    "componentType": component}
        accessor.update(extra or {})
        accessors.append(accessor)
        return len(accessors) - 1

    for name, (points, normals, tris), colour in meshes:
        lo = [min(p[k] for p in points) for k in range(3)]
        hi = [max(p[k] for p in points) for k in range(3)]
        position = add_view(b"".join(struct.pack("<3f", *p) for p in points), len(points),
                            "VEC3", 5126, 34962, {"min": lo, "max": hi})
        normal = add_view(b"".join(struct.pack("<3f", *n) for n in normals), len(normals),
                          "VEC3", 5126, 34962)
        rgba = struct.pack("<4B", *(int(255 * c) for c in colour), 255)
        colours = add_view(rgba * len(points), len(points), "VEC4", 5121, 34962,
                           {"normalized": True})
        indices = add_view(struct.pack("<%dH" % len(tris), *tris), len(tris), "SCALAR", 5123,
                           34963)
        gltf_meshes.append({"name": name, "primitives": [{
            "attributes": {"POSITION": position, "NORMAL": normal, "COLOR_0": colours},
            "indices": indices}]})
    nodes = [{"name": "table top", "mesh": 0, "translation": [0.0, 0.95, 0.0],
              "children": [1, 2]},
             {"name": "cup", "mesh": 2, "translation": [0.5, 0.05, 0.2]},
             {"name": "ball", "mesh": 3, "translation": [-0.4, 0.2, -0.1]}]
    for i, (x, z) in enumerate(((-0.9, -0.5), (0.9, -0.5), (0.9, 0.5), (-0.9, 0.5))):
        nodes.append({"name": "leg %d" % (i + 1), "mesh": 1, "translation": [x, 0.45, z]})
    document = {"asset": {"version": "2.0", "generator": "make_examples.py"},
                "scene": 0, "scenes": [{"name": "table", "nodes": [0, 3, 4, 5, 6]}],
                "nodes": nodes, "meshes": gltf_meshes, "accessors": accessors,
                "bufferViews": views, "buffers": [{"byteLength": len(binary)}]}
    text = json.dumps(document, separators=(",", ":")).encode("ascii")
    text += b" " * (-len(text) % 4)
    binary.extend(b"\0" * (-len(binary) % 4))
    with open(path, "wb") as f:
        f.write(struct.pack("<4sII", b"glTF", 2, 12 + 8 + len(text) + 8 + len(binary)))
        f.write(struct.pack("<I4s", len(text), b"JSON") + text)
        f.write(struct.pack("<I4s", len(binary), b"BIN\0") + bytes(binary))


if __name__ == "__main__":
    cloud("cloud.ply")
    bracket("bracket.stl")
    tiles("tiles.ply")
    table("table.glb")
