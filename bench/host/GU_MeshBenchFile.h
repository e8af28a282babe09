#pragma once

#include <string>

// Mesh files for the benchmarks: a side x side grid of points, two
// triangles per cell (2 (side - 1)^2 triangles), gently bumped in z, as
// OBJ text (".obj"), binary PLY (".ply"), binary STL (".stl") or glTF
// binary (".glb", float positions and 32-bit indices). Written to a file of its own in /tmp;
// the caller removes it.
namespace vantrel_bench
{
std::string writeGridMesh(const char *extension, int side);

// The grid side whose mesh has at least the given number of triangles.
int gridSideFor(long triangles);

// Resident kilobytes now (from /proc/self/statm).
long residentKB();

// The memory loading the file takes at its peak, in MB: a forked child
// loads it, and its peak resident size beyond what it held at the fork
// (everything the benchmarks before left in the process) is the answer;
// -1 when the load fails or has fewer than minPrimitives primitives.
// Growth, not the whole process: the same for every format, so the
// ratios between formats hold.
double loadPeakMB(const std::string &path, long minPrimitives);
}
