#pragma once

// Codes shared by the render context and its callers. The numeric values are
// part of the interface: callers pass them as plain integers.

// Blend factors for the incoming (source) fragment.
enum RE_BlendSourceFactor
{
    RE_SBLEND_ZERO = 0,
    RE_SBLEND_ONE = 1,
    RE_SBLEND_DST_COLOR = 2,
    RE_SBLEND_SRC_ALPHA = 3,
    RE_SBLEND_ONE_MINUS_DST_COLOR = 4,
    RE_SBLEND_ONE_MINUS_SRC_ALPHA = 5,
    RE_SBLEND_DST_ALPHA = 6,
    RE_SBLEND_ONE_MINUS_DST_ALPHA = 7
};

// Blend factors for the colour already in the buffer (destination).
enum RE_BlendDestFactor
{
    RE_DBLEND_ZERO = 0,
    RE_DBLEND_ONE = 1,
    RE_DBLEND_SRC_COLOR = 2,
    RE_DBLEND_ONE_MINUS_SRC_COLOR = 3,
    RE_DBLEND_ONE_MINUS_SRC_ALPHA = 4,
    RE_DBLEND_SRC_ALPHA = 5,
    RE_DBLEND_DST_ALPHA = 6,
    RE_DBLEND_ONE_MINUS_DST_ALPHA = 7
};

// Bits of the display mode a context was created with (getMode).
enum RE_DisplayMode
{
    RE_MODE_RGB = 0x01,
    RE_MODE_DOUBLE = 0x02,
    RE_MODE_ZBUFFER = 0x04,
    RE_MODE_STENCIL = 0x08,
    RE_MODE_ALPHA = 0x10
};

// Matrix selectors of matrixMode, getAMatrix, pushMatrix and popMatrix.
// 1 is the viewing matrix; any other value selects the projection.
enum RE_MatrixMode
{
    RE_MATRIX_PROJECTION = 0,
    RE_MATRIX_VIEWING = 1,
    RE_MATRIX_PROJECTION_ALT = 2
};

// Comparison functions of the depth and stencil tests (setZFunction,
// setSFunction), in the order the GL lists them.
enum RE_CompareFunc
{
    RE_CMP_NEVER = 0,
    RE_CMP_LESS = 1,
    RE_CMP_EQUAL = 2,
    RE_CMP_LEQUAL = 3,
    RE_CMP_GREATER = 4,
    RE_CMP_NOTEQUAL = 5,
    RE_CMP_GEQUAL = 6,
    RE_CMP_ALWAYS = 7
};

// Line styles of pushLineStyle.
enum RE_LineStyle
{
    RE_LINE_SOLID = 0,
    RE_LINE_DOTTED = 1,
    RE_LINE_LONG_DASH = 2,
    RE_LINE_DASHED = 3
};

// Fog modes of enableFog.
enum RE_FogMode
{
    RE_FOG_EXP = 0,
    RE_FOG_LINEAR = 1,
    RE_FOG_EXP2 = 2
};

// Optional features asked for with hasGLExtension.
enum RE_Extension
{
    RE_EXT_BLEND_COLOR = 1,
    RE_EXT_POLYGON_OFFSET = 2,
    RE_EXT_TEXTURE_OBJECT = 3,
    RE_EXT_FRAMEBUFFER_OBJECT = 10,
    RE_EXT_FOG_COORD = 31
};

// Faces removed by setCullFace.
enum RE_CullFace
{
    RE_CULL_NONE = 0,
    RE_CULL_BACK = 1,
    RE_CULL_FRONT = 2
};

// How setPolygonMode rasterises polygons.
enum RE_PolygonMode
{
    RE_POLYGON_FILL = 0,
    RE_POLYGON_LINE = 1,
    RE_POLYGON_POINT = 2
};

// Primitive types of drawArrays.
enum RE_PrimitiveType
{
    RE_PRIM_POINTS = 0,
    RE_PRIM_LINES = 1,
    RE_PRIM_LINE_STRIP = 2,
    RE_PRIM_TRIANGLES = 3
};
