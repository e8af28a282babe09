"""Mesh files of several parts: load_meshes adds one object per part, named
as the file names it; load_mesh takes only a file of one part."""
import pytest

import vantrel
from conftest import SOURCE

DATA = SOURCE / "examples" / "data"


def test_load_meshes_names_each_part_and_load_mesh_refuses_several():
    with vantrel.Viewport(96, 64) as v:
        with pytest.raises(ValueError, match=r"holds 7 parts .*load_meshes"):
            v.load_mesh(DATA / "table.glb")
        assert v.objects == []
        parts = v.load_meshes(DATA / "table.glb")
        assert [p.name for p in parts] == ["table top", "cup", "ball", "leg 1", "leg 2", "leg 3", "leg 4"]
        assert [p.name for p in v.objects] == [p.name for p in parts]
        # The legs share one mesh: the same counts, placed apart.
        assert parts[3].point_count == parts[6].point_count == 24
        (one,) = v.load_meshes(DATA / "bracket.stl")
        assert one.name == "bracket"
        assert v.load_mesh(DATA / "cloud.ply").name == "cloud"
        assert len(v.objects) == 9
