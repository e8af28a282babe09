"""Camera operations and round trips; display options and settings files."""
import numpy as np
import pytest

import vantrel
from conftest import default_scene


def test_camera_round_trip_through_file_and_text(viewport, tmp_path):
    default_scene(viewport)
    cam = viewport.camera
    cam.home("right")
    cam.tumble(30, -10)
    cam.dolly(5)
    cam.zoom(-3)
    cam.pan(4, 2)
    cam.box_zoom(10, 10, 150, 110)
    frame = viewport.render().copy()
    cam.save(tmp_path / "cam.txt")
    text = cam.text
    assert "(" in text and text == str(cam)

    with vantrel.Viewport(160, 120) as other:
        default_scene(other)
        other.camera.load(tmp_path / "cam.txt")
        assert other.camera.text == text
        assert np.array_equal(other.render(), frame)
        other.camera.home()
        assert other.camera.text != text
        other.camera.text = text
        assert np.array_equal(other.render(), frame)

    # Each operation moves the camera.
    before = cam.text
    for op in (lambda: cam.tumble(5, 0), lambda: cam.dolly(3), lambda: cam.zoom(2),
               lambda: cam.pan(3, 0), lambda: setattr(cam, "ortho", True)):
        op()
        assert cam.text != before
        before = cam.text
    cam.near, cam.far = 0.5, 500.0
    assert (cam.near, cam.far) == (0.5, 500.0)
    before = cam.text
    with pytest.raises(ValueError, match="far"):
        cam.far = 0.1
    with pytest.raises(ValueError, match="camera"):
        cam.text = "not a camera at all"
    (tmp_path / "junk.txt").write_text("hello ( 1 )")
    with pytest.raises(OSError, match="junk.txt"):
        cam.load(tmp_path / "junk.txt")
    assert cam.text == before


def test_options_change_frames_and_round_trip_through_prefs(viewport, tmp_path):
    default_scene(viewport)
    base = viewport.render().copy()
    viewport.background = (1.0, 0.0, 0.0)
    assert tuple(viewport.render()[0, 80, :3]) == (255, 0, 0)
    viewport.background = (0.2, 0.2, 0.2)

    for key in ("drawsafearea", "drawxzplane", "drawfieldguide"):
        assert viewport.options[key] is False
        viewport.options[key] = True
        assert not np.array_equal(viewport.render(), base), key
        viewport.options[key] = False
    for key in ("draworigin", "drawstickyorigin"):
        viewport.options[key] = False
        assert not np.array_equal(viewport.render(), base), key
    assert "draworigin" in viewport.options.keys() and len(viewport.options) > 20
    with pytest.raises(KeyError, match="nosuchflag"):
        viewport.options["nosuchflag"] = True

    for mode in ("box", "wire", "hidden", "flat", "flatwire", "smooth", "smoothwire"):
        viewport.shading = mode
        assert viewport.shading == mode
    with pytest.raises(ValueError, match="shading"):
        viewport.shading = "glossy"

    prefs = tmp_path / "display.pref"
    viewport.save_prefs(prefs)
    frame = viewport.render().copy()
    with vantrel.Viewport(160, 120) as other:
        default_scene(other)
        other.load_prefs(prefs)
        assert other.options.text == viewport.options.text
        assert np.array_equal(other.render(), frame)
        bad = tmp_path / "bad.pref"
        bad.write_text(prefs.read_text().replace("(", "", 3))
        before = other.options.text
        with pytest.raises(OSError, match="bad.pref"):
            other.load_prefs(bad)
        assert other.options.text == before


def test_background_image_and_snapshot(viewport, tmp_path):
    from conftest import SOURCE
    default_scene(viewport)
    base = viewport.render().copy()
    checker = SOURCE / "examples" / "data" / "checker.png"
    viewport.background_image = checker
    assert viewport.background_image.endswith("checker.png")
    with_image = viewport.render().copy()
    assert not np.array_equal(with_image, base)
    viewport.background_image = None
    assert np.array_equal(viewport.render(), base)
    viewport.set_snapshot(checker, alpha=0.5)
    half = viewport.render().copy()
    viewport.snapshot_alpha = 1.0
    assert not np.array_equal(viewport.render(), half)
    viewport.set_snapshot(None)
    assert np.array_equal(viewport.render(), base)
    with pytest.raises(FileNotFoundError, match="nowhere.png"):
        viewport.set_snapshot(tmp_path / "nowhere.png")
    with pytest.raises(FileNotFoundError, match="nowhere.png"):
        viewport.background_image = tmp_path / "nowhere.png"
