#pragma once

#include <string>

// Mesh files for the benchmarks: a side x side grid of points, two
// triangles per cell (2 (side - 1)^2 triangles), gently bumped in z, as
// binary PLY (".ply"), binary STL (".stl") or glTF binary (".glb", float
// positions and 32-bit indices). Written to a file of its own in /tmp;
// the caller removes it.
namespace vantrel_bench
{
std::string writeGridMesh(const char *extension, int side);

// The grid side whose mesh has at least the given number of triangles.
int gridSideFor(long triangles);
}
