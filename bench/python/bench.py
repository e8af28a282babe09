#!/usr/bin/env python3
"""Speed and memory of the Python module.

    PYTHONPATH=build/python /usr/bin/python3 bench/python/bench.py render|mesh|memory

render: milliseconds per render() of 100 spheres at 512x512 (compare with
        build/vantrel_bench --benchmark_filter=FacadeRender100Spheres)
mesh:   seconds to add a 1,000,000-triangle mesh from numpy arrays, and to
        load the same mesh from an OBJ file
memory: peak resident memory of adding that mesh and rendering it
"""
import os
import resource
import sys
import tempfile
import time

import numpy as np

import vantrel


def grid_mesh(n=708):
    """A wavy n x n grid: 2 (n-1)^2 triangles (999,698 for n = 708)."""
    u, v = np.meshgrid(np.linspace(-1, 1, n), np.linspace(-1, 1, n))
    points = np.stack([u, 0.1 * np.sin(6 * u) * np.cos(6 * v), v], axis=-1).reshape(-1, 3)
    i = np.arange(n * n).reshape(n, n)[:-1, :-1].ravel()
    tris = np.concatenate([np.stack([i, i + n, i + 1], 1), np.stack([i + 1, i + n, i + n + 1], 1)])
    return points.astype(np.float32), tris.astype(np.int32)


def render():
    with vantrel.Viewport(512, 512) as view:
        for k in range(100):
            m = np.eye(4)
            m[3, 0], m[3, 2] = k % 10 - 4.5, k // 10 - 4.5
            view.add_sphere(0.3, 12, 24, name="sphere").transform = m
        view.shading = "smooth"
        view.camera.home("threequarter")
        for _ in range(5):
            view.render()
        best = []
        for _ in range(5):
            start, count = time.perf_counter(), 0
            while time.perf_counter() - start < 0.5:
                view.render()
                count += 1
            best.append((time.perf_counter() - start) / count * 1000)
        print(f"render 100 spheres 512x512: {min(best):.3f} ms (median {sorted(best)[2]:.3f})")


def mesh():
    points, tris = grid_mesh()
    with tempfile.TemporaryDirectory() as d:
        path = os.path.join(d, "grid.obj")
        with open(path, "w") as f:
            np.savetxt(f, points, fmt="v %.6g %.6g %.6g")
            np.savetxt(f, tris + 1, fmt="f %d %d %d")
        with vantrel.Viewport(64, 64) as view:
            for _ in range(2):
                start = time.perf_counter()
                obj = view.add_mesh(points, tris)
                arrays = time.perf_counter() - start
                obj.remove()
                start = time.perf_counter()
                obj = view.load_mesh(path)
                obj_file = time.perf_counter() - start
                obj.remove()
            print(f"{len(tris)} triangles: add_mesh {arrays:.3f} s, OBJ reader {obj_file:.3f} s")


def memory():
    base = resource.getrusage(resource.RUSAGE_SELF).ru_maxrss
    points, tris = grid_mesh()
    with vantrel.Viewport(512, 512) as view:
        view.add_mesh(points, tris)
        view.shading = "smooth"
        view.render()
        view.render()
    peak = resource.getrusage(resource.RUSAGE_SELF).ru_maxrss
    print(f"peak resident memory: {peak / 1024:.0f} MiB (interpreter and numpy before: "
          f"{base / 1024:.0f} MiB)")


if __name__ == "__main__":
    {"render": render, "mesh": mesh, "memory": memory}[sys.argv[1] if len(sys.argv) > 1 else "render"]()
