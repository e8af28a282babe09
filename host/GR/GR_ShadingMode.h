#ifndef GR_SHADINGMODE_H
#define GR_SHADINGMODE_H

// How a geometry drawer renders an object. The two bounding-box modes draw
// only the box; the wire and hidden-line modes draw edges; the rest fill
// polygons, optionally with their edges on top.
enum GR_ShadingMode : int
{
    GR_SHADE_BOX_WIRE = 0,
    GR_SHADE_BOX_SOLID = 1,
    GR_SHADE_WIRE = 2,
    GR_SHADE_HIDDEN_LINE = 3,
    GR_SHADE_FLAT = 4,
    GR_SHADE_FLAT_WIRE = 5,
    GR_SHADE_SMOOTH = 6,
    GR_SHADE_SMOOTH_WIRE = 7,

    GR_NUM_SHADING_MODES = 8
};

inline bool
GRisValidShadingMode(int mode)
{
    return mode >= 0 && mode < GR_NUM_SHADING_MODES;
}

// True for the modes that fill polygons (or a solid box).
inline bool
GRisShadedMode(GR_ShadingMode mode)
{
    return mode == GR_SHADE_BOX_SOLID || mode >= GR_SHADE_FLAT;
}

inline bool
GRisBoundingBoxMode(GR_ShadingMode mode)
{
    return mode == GR_SHADE_BOX_WIRE || mode == GR_SHADE_BOX_SOLID;
}

#endif
