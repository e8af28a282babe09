#pragma once

// The render context's copy of what GL holds, so that a change GL already
// has is not sent again. Internal to the render context's sources.

#include "host/RE/RE_OGLRender.h"

#include <cstring>

// Whether two values hold the same bytes (matrices and positions compare
// exactly so: what GL was given is what it holds).
template <typename T>
inline bool
sameBytes(const T &a, const T &b)
{
    return std::memcmp(&a, &b, sizeof(T)) == 0;
}

// Groups of GL state sent together; a display object remembers which it
// sets when replayed.
enum RE_StateGroup : unsigned
{
    RE_GS_PROJECTION = 1u << 0,
    RE_GS_VIEWING = 1u << 1,
    RE_GS_MATRIX_MODE = 1u << 2,
    RE_GS_VIEWPORT = 1u << 3,
    RE_GS_COLOR = 1u << 4,
    RE_GS_LINE_STYLE = 1u << 5,
    RE_GS_LINE_WIDTH = 1u << 6,
    RE_GS_LINE_SMOOTH = 1u << 7,
    RE_GS_BLEND_ON = 1u << 8,
    RE_GS_BLEND_FUNC = 1u << 9,
    RE_GS_COLOR_MASK = 1u << 10,
    RE_GS_SHADE = 1u << 11,
    RE_GS_DEPTH_TEST = 1u << 12,
    RE_GS_DEPTH_FUNC = 1u << 13,
    RE_GS_OFFSET_ON = 1u << 14,
    RE_GS_OFFSET_AMOUNT = 1u << 15,
    RE_GS_STENCIL = 1u << 16,
    RE_GS_WINDING = 1u << 17,
    RE_GS_FOG_ON = 1u << 18,
    RE_GS_FOG_PARAMS = 1u << 19,
    RE_GS_LIGHTING = 1u << 20,
    RE_GS_TEXTURE = 1u << 21,
    RE_GS_CULL = 1u << 22,
    RE_GS_POLYGON_MODE = 1u << 23,
    RE_GS_POINT_SIZE = 1u << 24,
    RE_GS_MATERIAL = 1u << 25,
    RE_GS_LIGHTS = 1u << 26,
    // Matrices a replay changes are relative to where it is drawn: they
    // become unknown rather than copied.
    RE_GS_MATRICES = RE_GS_PROJECTION | RE_GS_VIEWING
};

struct RE_OGLRender::GLShadow
{
    // The groups whose values below are GL's.
    unsigned known = 0;

    unsigned matrixMode = 0; // a GL enum
    UT_Matrix4 projection;
    UT_Matrix4 viewing;
    ViewportState viewport;
    RE_DrawingState drawing;

    // Every value and the known groups alike; padding never counts.
    bool operator==(const GLShadow &o) const;

    // Takes the values of the given groups from another copy and marks
    // them known.
    void adopt(const GLShadow &from, unsigned groups);
};
