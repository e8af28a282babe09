"""Shared set-up: an empty settings search path (so no display.pref of the
machine changes the frames), Mesa drawing on the calling thread, and the
demo program to compare frames with."""
import os
import pathlib
import struct
import subprocess
import tempfile
import zlib

import numpy as np
import pytest

SOURCE = pathlib.Path(__file__).resolve().parents[2]
_EMPTY = tempfile.mkdtemp(prefix="vantrel-pytest-")
os.environ["HOME"] = _EMPTY
os.environ["VANTREL_PATH"] = _EMPTY
os.environ["LP_NUM_THREADS"] = "0"
os.environ["MESA_SHADER_CACHE_DISABLE"] = "true"

import vantrel  # noqa: E402  (after the environment above)


def demo_exe():
    exe = os.environ.get("VANTREL_VIEW_EXE") or str(SOURCE / "build" / "vantrel-view")
    if not os.path.exists(exe):
        # As in the C++ tests: where every test must run (CI), this fails.
        if os.environ.get("VANTREL_TESTS_MUST_RUN", "0") not in ("", "0"):
            pytest.fail(f"no demo program at {exe}")
        pytest.skip(f"no demo program at {exe}")
    return exe


def run_demo(tmp_path, *args):
    """Runs the demo as the golden frames do; returns (pixels, stdout)."""
    out = tmp_path / "demo.png"
    result = subprocess.run([demo_exe(), *args, "-o", str(out)], cwd=SOURCE,
                            env=dict(os.environ), capture_output=True, text=True, check=True)
    return read_png(out), result.stdout


def read_png(path):
    """An 8-bit RGB or RGBA PNG as an H x W x 4 uint8 array."""
    data = pathlib.Path(path).read_bytes()
    assert data[:8] == b"\x89PNG\r\n\x1a\n"
    at, idat = 8, b""
    while at < len(data):
        length, kind = struct.unpack(">I4s", data[at:at + 8])
        body = data[at + 8:at + 8 + length]
        if kind == b"IHDR":
            w, h, depth, colour = struct.unpack(">IIBB", body[:10])
            assert depth == 8 and colour in (2, 6)
        elif kind == b"IDAT":
            idat += body
        at += 12 + length
    bpp = 4 if colour == 6 else 3
    raw = zlib.decompress(idat)
    stride = w * bpp
    out = np.zeros((h, stride), np.uint8)
    prev = np.zeros(stride, np.int32)
    for y in range(h):
        f = raw[y * (stride + 1)]
        line = np.frombuffer(raw, np.uint8, stride, y * (stride + 1) + 1).astype(np.int32)
        cur = np.zeros(stride, np.int32)
        for x in range(stride):
            a = cur[x - bpp] if x >= bpp else 0
            b = prev[x]
            c = prev[x - bpp] if x >= bpp else 0
            if f == 0:
                p = 0
            elif f == 1:
                p = a
            elif f == 2:
                p = b
            elif f == 3:
                p = (a + b) // 2
            else:
                pa, pb, pc = abs(b - c), abs(a - c), abs(a + b - 2 * c)
                p = a if pa <= pb and pa <= pc else (b if pb <= pc else c)
            cur[x] = (line[x] + p) & 0xFF
        out[y] = cur
        prev = cur
    img = out.reshape(h, w, bpp)
    if bpp == 3:
        img = np.concatenate([img, np.full((h, w, 1), 255, np.uint8)], axis=2)
    return img


def default_scene(v):
    """The demo's built-in scene: a box, a selected sphere and a templated,
    ghosted torus."""
    def moved(x, y, z):
        m = np.eye(4)
        m[3, :3] = (x, y, z)
        return m
    box = v.add_box((1, 1, 1), name="box")
    box.transform = moved(-1.6, 0.5, 0.0)
    sphere = v.add_sphere(0.6, 12, 24, name="sphere")
    sphere.transform = moved(0.0, 0.6, 0.0)
    sphere.selected = True
    torus = v.add_torus(0.5, 0.2, 12, 24, name="torus")
    torus.transform = moved(1.6, 0.2, 0.0)
    torus.templated = True
    torus.ghosted = True
    return box, sphere, torus


def read_obj(path):
    """Points and triangles of an OBJ file of "v" and "f" lines."""
    points, faces = [], []
    for line in pathlib.Path(path).read_text().splitlines():
        words = line.split()
        if words and words[0] == "v":
            points.append([float(w) for w in words[1:4]])
        elif words and words[0] == "f":
            faces.append([int(w.split("/")[0]) - 1 for w in words[1:]])
    return np.array(points, np.float32), np.array(faces, np.int32)


@pytest.fixture
def viewport():
    with vantrel.Viewport(160, 120) as v:
        yield v
