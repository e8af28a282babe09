#pragma once

#include "host/UT/UT_Matrix4.h"

// Builders of the standard GL matrices in row-vector form (p' = p * M), so
// that their memory equals what the matching GL call would multiply in.
namespace RE_MatrixBuild
{
// False (and m untouched) when l == r, b == t or n == f.
bool ortho(UT_Matrix4 &m, float l, float r, float b, float t, float n, float f);
// False (and m untouched) when the box is empty or n, f are not positive.
bool frustum(UT_Matrix4 &m, float l, float r, float b, float t, float n, float f);
// Rotation by degrees about 'x', 'y' or 'z', counter-clockwise looking down
// the axis toward the origin; false for another letter.
bool rotation(UT_Matrix4 &m, float degrees, char axis);
// Narrowing of clip space to the window rectangle (px, py, pw, ph) of the
// viewport (vx, vy, vw, vh); applied after the projection.
UT_Matrix4 pick(float px, float py, float pw, float ph,
                float vx, float vy, float vw, float vh);
}
