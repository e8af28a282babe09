"""Frames: shape, orientation, and the same pixels as the demo composes."""
import numpy as np
import pytest

import vantrel
from conftest import SOURCE, default_scene, read_obj, read_png, run_demo


def test_frame_array_and_png_agree_top_row_first(viewport, tmp_path):
    box = viewport.add_box((0.5, 0.5, 0.5))
    viewport.camera.home("front")
    empty = viewport.options  # decorations stay; the difference is the box
    box.visible = False
    background = viewport.render().copy()
    box.visible = True
    # Moved up and right after homing: it must land in the top right.
    m = np.eye(4)
    m[3, :3] = (0.8, 0.5, 0.0)
    box.transform = m
    frame = viewport.render()
    assert frame.shape == (120, 160, 4) and frame.dtype == np.uint8
    assert frame.flags["C_CONTIGUOUS"] and frame.base is not None
    ys, xs = np.nonzero(np.any(frame != background, axis=2))
    assert len(xs) > 20
    assert xs.mean() > 80 and ys.mean() < 60
    path = tmp_path / "f.png"
    viewport.save_png(path)
    assert np.array_equal(read_png(path), frame)
    assert viewport._repr_png_()[:8] == b"\x89PNG\r\n\x1a\n"
    assert "drawsafearea" in empty


def test_default_scene_equals_demo(viewport, tmp_path):
    default_scene(viewport)
    demo, _ = run_demo(tmp_path, "--size", "160x120")
    frame = viewport.render()
    assert np.array_equal(frame, demo), f"{np.count_nonzero(np.any(frame != demo, 2))} pixels differ"
    stats = viewport.stats
    assert stats.objects_drawn == 3 and stats.triangles > 0 and stats.milliseconds > 0


def test_multisampled_frame_equals_demo_and_picks_the_same(tmp_path):
    demo, _ = run_demo(tmp_path, "--size", "170x110", "--samples", "4")
    with vantrel.Viewport(170, 110, samples=4) as v, vantrel.Viewport(170, 110) as plain:
        default_scene(v)
        default_scene(plain)
        frame = v.render()
        assert np.array_equal(frame, demo), \
            f"{np.count_nonzero(np.any(frame != demo, 2))} pixels differ"
        hard = plain.render()
        assert np.count_nonzero(np.any(frame != hard, 2)) > 50
        assert [(r.object.name, r.primitive) for r in v.pick(60, 40, 30, 25)] == \
            [(r.object.name, r.primitive) for r in plain.pick(60, 40, 30, 25)]
    for bad in (0, 3, 16):
        with pytest.raises(ValueError, match="samples"):
            vantrel.Viewport(32, 32, samples=bad)


def test_bunny_from_arrays_and_file_equal_demo(tmp_path):
    bunny = SOURCE / "examples" / "data" / "bunny.obj"
    demo, _ = run_demo(tmp_path, "--size", "160x120", "--mesh", str(bunny), "--shading", "smooth",
                       "--home", "front", "--tumble", "10,5", "--display-flag", "drawsafearea=1")
    points, faces = read_obj(bunny)
    for load in (lambda v: v.add_mesh(points, faces, name="mesh"),
                 lambda v: v.load_mesh(bunny)):
        with vantrel.Viewport(160, 120) as v:
            load(v)
            v.shading = "smooth"
            v.options["drawsafearea"] = True
            v.camera.home("front")
            v.camera.tumble(10, 5)
            frame = v.render()
            assert np.array_equal(frame, demo), \
                f"{np.count_nonzero(np.any(frame != demo, 2))} pixels differ"


def test_uv_view_equals_demo(viewport, tmp_path):
    default_scene(viewport)
    demo, _ = run_demo(tmp_path, "--size", "160x120", "--uv")
    uv = viewport.uv_view()
    assert uv.is_uv
    assert np.array_equal(uv.render(), demo)
    # Closing the 3D view leaves the shared objects to the uv view.
    viewport.close()
    assert uv.render().shape == (120, 160, 4)
    uv.close()


def test_pick_names_objects_as_the_demo(viewport, tmp_path):
    box, sphere, torus = default_scene(viewport)
    _, printed = run_demo(tmp_path, "--size", "160x120", "--pick", "80,60,3,3")
    viewport.render()
    records = viewport.pick(80, 60, 3, 3)
    ours = [f"{r.object.name if r.object else '?'} handle {r.handle} primitive {r.primitive} "
            f"depth {r.depth:.6f}" for r in records]
    assert ours == printed.split("\n")[1:-1] or ours == [l for l in printed.splitlines() if "handle" in l]
    assert records and all(r.object is sphere for r in records)
    # Above the box, at the left; nothing in the top right corner.
    assert viewport.pick(0, 0) == [] or all(r.object is None for r in viewport.pick(0, 0))
    sphere.visible = False
    assert all(r.object is not sphere for r in viewport.pick(80, 60, 3, 3))
    sphere.remove()
    assert not sphere.alive and len(viewport.objects) == 2
    with pytest.raises(RuntimeError, match="removed"):
        sphere.selected = True


def test_many_boxes_draw_together_as_they_draw_alone(viewport):
    # Boxes of one size, each its own object, off centre on a 6 x 4 grid.
    for i in range(24):
        box = viewport.add_box((0.15, 0.15, 0.15))
        m = np.eye(4)
        m[3, :3] = (-0.9 + 0.3 * (i % 6), -0.2 + 0.25 * (i // 6), 0.1 * (i % 3))
        box.transform = m
    viewport.camera.home("front")
    alone = viewport.render().copy()
    assert viewport.stats.batched_objects == 0
    for _ in range(5):
        together = viewport.render()
    assert viewport.stats.batched_objects == 24
    assert viewport.stats.cached_replays >= 24
    differing = np.count_nonzero(np.any(np.abs(together.astype(int) - alone) > 2, axis=2))
    assert differing <= 12, f"{differing} pixels differ"
    assert np.count_nonzero(np.any(alone != alone[0, 0], axis=2)) > 500
