"""The interactive window of a viewport, played by a script under a virtual
X server: what the script does stays in the viewport, and the frame "s"
writes is render()'s frame."""
import json
import os
import shutil
import subprocess
import sys
import textwrap

import numpy as np
import pytest

import vantrel
from conftest import SOURCE, read_png

CHILD = textwrap.dedent("""
    import json, sys
    import numpy as np
    import vantrel
    out = sys.argv[1]
    v = vantrel.Viewport(240, 120)
    box = v.add_box((1, 1, 1), name="box")
    ball = v.add_sphere(0.4, 8, 16, name="ball")
    m = np.eye(4); m[3, :3] = (-1.5, 0.0, 0.0); box.transform = m
    m = np.eye(4); m[3, :3] = (1.5, 0.0, 0.0); ball.transform = m
    v.camera.home("front")
    before = v.camera.text
    grid = v.options["drawxzplane"]
    v.show(script=out + "/events.txt", output=out + "/window.png")
    v.save_png(out + "/render.png")
    print(json.dumps({"moved": v.camera.text != before, "grid": [grid, v.options["drawxzplane"]],
                      "selected": [box.selected, ball.selected]}))
""")

# A small tumble away from the ball, a click on the ball (right of centre;
# the window is twice as wide as tall), the grid toggled, the frame
# written, the window closed.
EVENTS = """\
down 40 100
move 48 100
move 56 101
up 56 101
key g
down {x} {y}
up {x} {y}
key s
key q
"""


def have_virtual_x():
    return all(shutil.which(t) for t in ("xvfb-run", "Xvfb", "xauth"))


def must_run():
    return os.environ.get("VANTREL_TESTS_MUST_RUN", "0") not in ("", "0")


def test_show_keeps_what_the_window_did(tmp_path):
    if not have_virtual_x():
        if must_run():
            pytest.fail("no virtual X server here (xvfb-run, Xvfb and xauth)")
        pytest.skip("no virtual X server here (xvfb-run, Xvfb and xauth)")
    # Where the ball lies after the tumble, found on the same viewport
    # headless: pick the pixel the script will click.
    with vantrel.Viewport(240, 120) as v:
        box = v.add_box((1, 1, 1), name="box")
        ball = v.add_sphere(0.4, 8, 16, name="ball")
        m = np.eye(4); m[3, :3] = (-1.5, 0.0, 0.0); box.transform = m
        m = np.eye(4); m[3, :3] = (1.5, 0.0, 0.0); ball.transform = m
        v.camera.home("front")
        frame = v.render()
        background = frame[0, 0]
        cols = np.nonzero((frame[60] != background).any(axis=1))[0]
        x = int(cols[cols > 120].mean())
    assert x > 150, "the ball should lie right of centre"
    (tmp_path / "events.txt").write_text(EVENTS.format(x=x, y=60))
    env = dict(os.environ, PYTHONPATH=os.path.dirname(vantrel.__file__),
               MESA_SHADER_CACHE_DISABLE="true")
    run = subprocess.run(["xvfb-run", "-a", "-s", "-screen 0 640x480x24", sys.executable,
                          "-c", CHILD, str(tmp_path)], env=env, capture_output=True,
                         text=True, timeout=120, cwd=SOURCE)
    if "Xvfb failed to start" in run.stderr and not must_run():
        pytest.skip("the virtual X server cannot start here: " + run.stderr)
    assert run.returncode == 0, run.stderr
    state = json.loads(run.stdout.strip().splitlines()[-1])
    assert state["moved"]
    assert state["grid"] == [False, True]
    assert state["selected"] == [False, True]
    window = read_png(tmp_path / "window.png").astype(int)
    after = read_png(tmp_path / "render.png").astype(int)
    assert window.shape == after.shape == (120, 240, 4)
    assert np.abs(window - after).max() <= 2


def test_show_without_display_says_why(tmp_path, monkeypatch):
    monkeypatch.delenv("DISPLAY", raising=False)
    monkeypatch.delenv("WAYLAND_DISPLAY", raising=False)
    with vantrel.Viewport(64, 48) as v:
        v.add_box()
        with pytest.raises(RuntimeError, match="DISPLAY is not set"):
            v.show()
        bad = tmp_path / "bad.txt"
        bad.write_text("key q\njump 3 4\n")
        with pytest.raises(ValueError, match="bad.txt:2"):
            v.show(script=bad)
        with pytest.raises(TypeError):
            v.show(str(bad))
        assert v.render().shape == (48, 64, 4)
        v.close()
        with pytest.raises(RuntimeError, match="closed"):
            v.show()


DROP_CHILD = textwrap.dedent("""
    import json, sys
    import vantrel
    v = vantrel.Viewport(200, 150)
    kept = v.add_box((1, 1, 1), name="box")
    v.show(output=sys.argv[1] + "/window.png")
    print(json.dumps({"names": [o.name for o in v.objects], "box_alive": kept.alive,
                      "frame": list(v.render().shape)}))
""")


def test_files_dropped_on_the_window_become_objects(tmp_path):
    """A file dropped on the window, as a file manager drops it, replaces the
    viewport's objects with its parts, which stay after the window closes."""
    if not have_virtual_x():
        if must_run():
            pytest.fail("no virtual X server here (xvfb-run, Xvfb and xauth)")
        pytest.skip("no virtual X server here (xvfb-run, Xvfb and xauth)")
    tool = os.environ.get("VANTREL_DROP_FILES_EXE") or str(SOURCE / "build" / "tests" /
                                                          "vantrel-drop-files")
    if not os.access(tool, os.X_OK):
        pytest.fail("the drop tool is not built: " + tool)
    (tmp_path / "child.py").write_text(DROP_CHILD)
    table = str(SOURCE / "examples" / "data" / "table.glb")
    script = ('"$1" "$2/child.py" "$2" > "$2/out" & v=$!; '
              '"$3" vantrel loaded "$4" > "$2/title"; wait $v')
    env = dict(os.environ, PYTHONPATH=os.path.dirname(vantrel.__file__),
               MESA_SHADER_CACHE_DISABLE="true")
    run = subprocess.run(["xvfb-run", "-a", "-s", "-screen 0 640x480x24", "bash", "-c", script,
                          "drop", sys.executable, str(tmp_path), tool, table],
                         env=env, capture_output=True, text=True, timeout=120, cwd=SOURCE)
    if "Xvfb failed to start" in run.stderr and not must_run():
        pytest.skip("the virtual X server cannot start here: " + run.stderr)
    assert run.returncode == 0, run.stderr
    assert "loaded table.glb (7 objects)" in (tmp_path / "title").read_text()
    state = json.loads((tmp_path / "out").read_text().strip().splitlines()[-1])
    assert len(state["names"]) == 7 and "cup" in state["names"] and "box" not in state["names"]
    assert not state["box_alive"]
    assert state["frame"] == [150, 200, 4]
