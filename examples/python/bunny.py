#!/usr/bin/env python3
"""Renders the bunny to bunny.png, a 36-frame turntable (turntable/NN.png)
and picks the pixel at the middle of the frame.

    PYTHONPATH=build/python /usr/bin/python3 examples/python/bunny.py [OUT_DIR]
"""
import pathlib
import sys

import vantrel

here = pathlib.Path(__file__).resolve().parent
out = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else ".")
(out / "turntable").mkdir(parents=True, exist_ok=True)

with vantrel.Viewport(320, 240) as view:
    bunny = view.load_mesh(here.parent / "data" / "bunny.obj")
    view.shading = "smooth"
    view.camera.home("front")
    view.save_png(out / "bunny.png")

    # A turntable: 36 steps of a horizontal tumble.
    for frame in range(36):
        view.save_png(out / "turntable" / f"{frame:02d}.png")
        view.camera.tumble(10, 0)

    view.camera.home("front")
    view.render()
    for record in view.pick(160, 120):
        print(f"{record.object.name if record.object else '?'} primitive {record.primitive} "
              f"depth {record.depth:.4f}")
print(out / "bunny.png")
