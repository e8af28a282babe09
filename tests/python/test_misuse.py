"""Bad input raises a Python exception naming the argument or file, adds
nothing, and never takes the process down."""
import random

import numpy as np
import pytest

import vantrel

TRI = np.array([[0, 0, 0], [1, 0, 0], [0, 1, 0]], np.float32)


@pytest.mark.parametrize("kwargs, error, name", [
    (dict(points=TRI.astype(np.int8)[:, :2], polygons=[[0, 1, 2]]), ValueError, "points"),
    (dict(points=np.array([["a", "b", "c"]]), polygons=[[0, 1, 2]]), TypeError, "points"),
    (dict(points=np.vstack([TRI, [[np.nan, 0, 0]]]), polygons=[[0, 1, 2]]), ValueError, "points"),
    (dict(points=TRI * 1e39, polygons=[[0, 1, 2]]), ValueError, "points"),
    (dict(points=TRI, polygons=[[0, 1, 3]]), ValueError, "polygons"),
    (dict(points=TRI, polygons=[[0, 1, -1]]), ValueError, "polygons"),
    (dict(points=TRI, polygons=[[0.0, 1.0, 2.0]]), TypeError, "polygons"),
    (dict(points=TRI, polygons=[[0, 1, 2, 0, 1]]), ValueError, "polygons"),
    (dict(points=TRI, polygons=[0, 1, 2]), ValueError, "polygons"),
    (dict(points=TRI, polygons=[0, 1, 2], counts=[4]), ValueError, "counts"),
    (dict(points=TRI, polygons=[0, 1, 2, 0], counts=[2, 2]), ValueError, "counts"),
    (dict(points=TRI, polygons=[0, 1, 2], counts=[[3]]), ValueError, "counts"),
    (dict(points=TRI, polygons=[[0, 1, 2]], uvs=np.zeros((2, 2))), ValueError, "uvs"),
    (dict(points=TRI, polygons=[[0, 1, 2]], uvs=np.zeros((3, 3))), ValueError, "uvs"),
    (dict(points=TRI, polygons=[[0, 1, 2]], normals=np.full((3, 3), np.inf)), ValueError, "normals"),
    (dict(points=TRI, polygons=[[0, 1, 2]], transform=np.eye(3)), ValueError, "transform"),
    (dict(points=TRI, polygons=[[0, 1, 2]], transform=np.full((4, 4), np.nan)), ValueError, "transform"),
    (dict(points=None, polygons=[[0, 1, 2]]), TypeError, "points"),
])
def test_bad_mesh_adds_nothing(viewport, kwargs, error, name):
    with pytest.raises(error, match=name):
        viewport.add_mesh(**kwargs)
    assert viewport.objects == []


def test_good_meshes_in_every_form(viewport):
    quads = viewport.add_mesh(TRI.astype(np.float64)[[0, 1, 2, 2]] + [[0, 0, 0], [0, 0, 0], [0, 0, 0], [1, 1, 0]],
                              [[0, 1, 3, 2]], name="quad")
    mixed = viewport.add_mesh(np.vstack([TRI, [[1, 1, 0]]]), np.array([0, 1, 2, 1, 3, 2], np.uint16),
                              counts=[3, 3], uvs=np.zeros((6, 2)), normals=np.tile([0, 0, 1.0], (4, 1)))
    assert (quads.point_count, quads.primitive_count) == (4, 1)
    assert (mixed.point_count, mixed.primitive_count) == (4, 2)
    assert mixed.name == "mesh1"
    viewport.render()


def test_other_misuse(tmp_path):
    for w, h in ((0, 10), (10, -1), (100000, 10)):
        with pytest.raises(ValueError, match="width" if w != 10 else "height"):
            vantrel.Viewport(w, h)
    v = vantrel.Viewport(64, 48)
    with pytest.raises(FileNotFoundError, match="missing.obj"):
        v.load_mesh(tmp_path / "missing.obj")
    (tmp_path / "bad.obj").write_text("v 0 0 0\nf 1 2 3\n")
    with pytest.raises(OSError, match="bad.obj"):
        v.load_mesh(tmp_path / "bad.obj")
    assert v.objects == []
    for call, arg in ((lambda: v.pick(64, 0), "x"), (lambda: v.pick(0, -1), "y"),
                      (lambda: v.pick(0, 0, 0), "w"), (lambda: v.camera.home("sideways"), "axis"),
                      (lambda: v.camera.tumble(float("nan"), 0), "dx"),
                      (lambda: v.camera.box_zoom(0, 0, 0, 5), "box"),
                      (lambda: setattr(v, "background", (2, 0, 0)), "background"),
                      (lambda: v.set_snapshot(None, alpha=3), "alpha")):
        with pytest.raises(ValueError, match=arg):
            call()
    with pytest.raises(OSError, match="nodir"):
        v.save_png(tmp_path / "nodir" / "x.png")
    obj = v.add_box()
    with v:
        pass
    assert v.closed and not obj.alive
    for call in (v.render, lambda: v.add_box(), lambda: v.camera, lambda: v.pick(0, 0),
                 lambda: setattr(obj, "selected", True), lambda: v.options):
        with pytest.raises(RuntimeError, match="closed|removed"):
            call()
    v.close()  # twice is fine


def test_a_thousand_random_calls_leave_a_working_viewport():
    rng = random.Random(1234)
    garbage = [None, -1, 0, 1, 7, 1e40, float("nan"), "x", "front", [], [1, 2], np.eye(4),
               np.zeros((3, 3)), np.array([[0, 1, 2]]), b"\xff", {}, -10**12]
    v = vantrel.Viewport(48, 32)
    v.add_sphere()

    def arg():
        return rng.choice(garbage) if rng.random() < 0.5 else rng.uniform(-50, 50)

    def obj():
        return rng.choice(v.objects) if v.objects else v.add_box()

    calls = [
        lambda: v.add_mesh(arg(), arg()),
        lambda: v.add_mesh(np.random.default_rng(rng.randrange(99)).normal(size=(5, 3)),
                           np.random.default_rng(rng.randrange(99)).integers(-1, 6, (3, 3))),
        lambda: v.add_box((arg(), arg(), arg())),
        lambda: v.add_sphere(arg(), rng.randrange(-2, 30), rng.randrange(-2, 30)),
        lambda: v.camera.home(rng.choice(["front", "top", "threequarter", arg()])),
        lambda: v.camera.tumble(arg(), arg()),
        lambda: v.camera.dolly(arg()),
        lambda: v.camera.zoom(arg()),
        lambda: v.camera.pan(arg(), arg()),
        lambda: v.camera.box_zoom(rng.randrange(-5, 60), rng.randrange(-5, 40),
                                  rng.randrange(-5, 60), rng.randrange(-5, 40)),
        lambda: setattr(v.camera, "ortho", rng.random() < 0.5),
        lambda: setattr(v.camera, "near", arg()),
        lambda: setattr(v.camera, "far", arg()),
        lambda: setattr(v.camera, "text", rng.choice([v.camera.text, "t ( 1 2 )", arg()])),
        lambda: setattr(v, "shading", rng.choice(["wire", "smooth", "box", arg()])),
        lambda: v.options.__setitem__(rng.choice(list(v.options.keys()) + ["zz"]), rng.random() < 0.5),
        lambda: setattr(v, "background", (arg(), arg(), arg())),
        lambda: setattr(obj(), "transform", rng.choice([np.eye(4) * rng.uniform(-3, 3), arg()])),
        lambda: setattr(obj(), "selected", arg()),
        lambda: setattr(obj(), "templated", rng.random() < 0.3),
        lambda: setattr(obj(), "visible", rng.random() < 0.8),
        lambda: setattr(obj(), "name", arg()),
        lambda: obj().remove() if rng.random() < 0.2 else None,
        lambda: v.pick(rng.randrange(-2, 50), rng.randrange(-2, 34), rng.randrange(-1, 60), rng.randrange(-1, 40)),
        lambda: v.render(),
        lambda: v.uv_view().render(),
    ]
    failures = 0
    for _ in range(1000):
        try:
            rng.choice(calls)()
        except (ValueError, TypeError, KeyError, RuntimeError, OSError, OverflowError):
            failures += 1
    assert 100 < failures < 900
    frame = v.render()
    assert frame.shape == (32, 48, 4)
    v.camera.home()
    v.close()
