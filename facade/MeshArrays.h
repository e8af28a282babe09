#pragma once

#include "host/UT/SYS_Visibility.h"

#include <cstddef>
#include <cstdint>

namespace vantrel
{
// A polygon mesh as flat arrays, borrowed for the length of one call.
// Polygons are either all of fixedCount corners (3 or 4) or, with
// fixedCount 0, of counts[i] corners each. uvs (2 per row) and normals (3
// per row) are optional; their row count says whether they belong to the
// points (one row a point) or to the vertices (one row a polygon corner,
// in polygon order). When both would fit, they belong to the points.
struct VANTREL_API MeshArrays
{
    const double *points = nullptr; // x, y, z per point
    size_t pointCount = 0;
    const int64_t *indices = nullptr; // point index per polygon corner
    size_t indexCount = 0;
    int fixedCount = 3;
    const int64_t *counts = nullptr; // corners per polygon when fixedCount is 0
    size_t polygonCount = 0;         // used with counts
    const double *uvs = nullptr;
    size_t uvRows = 0;
    const double *normals = nullptr;
    size_t normalRows = 0;
};
} // namespace vantrel
