#pragma once

#include "host/UT/SYS_Visibility.h"

#include "host/RE/RE_Types.h"

#include <cstring>
#include <type_traits>

// The state a drawing runs under, as one value: colour, lines, blending,
// colour mask, shading, depth, polygon offset, stencil, winding, fog, the
// lighting and specular switches, texture and surface. The render context
// keeps one as its record and one in its copy of what GL holds; two
// drawings run under the same state exactly when their values are equal.
// Matrices, viewport and light placements are not part of it: they depend
// on where a drawing is replayed and go to GL separately.
struct VANTREL_API RE_DrawingState
{
    struct Blend
    {
        bool on = false;
        RE_BlendSourceFactor src = RE_SBLEND_ONE;
        RE_BlendDestFactor dst = RE_DBLEND_ZERO;
    };
    struct Fog
    {
        bool on = false;
        bool useCoord = false;
        int mode = RE_FOG_EXP;
        float density = 1.0f, start = 0.0f, end = 1.0f;
        float color[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    };
    // Without a material (on false) lit drawing takes the current colour
    // as the surface, and the specular switch sets its specular level.
    struct Material
    {
        bool on = false;
        float diffuse[4] = {0.8f, 0.8f, 0.8f, 1.0f};
        float specular[4] = {0.0f, 0.0f, 0.0f, 1.0f};
        float shininess = 20.0f;
    };

    float color[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    int lineStyle = RE_LINE_SOLID;
    float lineWidth = 1.0f;
    bool lineSmooth = false;
    Blend blend;
    bool colorMask[4] = {true, true, true, true};
    int interpMode = 0; // 0 flat, 1 smooth
    bool zTest = false;
    int zFunc = RE_CMP_LESS;
    bool polygonOffset = false;
    float offsetFactor = 0.0f, offsetUnits = 0.0f;
    int stencilFunc = RE_CMP_ALWAYS, stencilRef = 0, stencilMask = ~0;
    bool reverseWinding = false;
    Fog fog;
    bool lighting = false;
    bool specular = false;
    unsigned int texture = 0;
    int cullFace = RE_CULL_NONE;
    int polygonMode = RE_POLYGON_FILL;
    float pointSize = 1.0f;
    Material material;

    // Field by field, as bytes: padding never counts, a NaN equals itself
    // and -0 differs from 0, as GL would be sent them.
    bool operator==(const RE_DrawingState &o) const
    {
        return same(color, o.color) && lineStyle == o.lineStyle &&
               same(lineWidth, o.lineWidth) && lineSmooth == o.lineSmooth &&
               blend.on == o.blend.on && blend.src == o.blend.src &&
               blend.dst == o.blend.dst && same(colorMask, o.colorMask) &&
               interpMode == o.interpMode && zTest == o.zTest && zFunc == o.zFunc &&
               polygonOffset == o.polygonOffset && same(offsetFactor, o.offsetFactor) &&
               same(offsetUnits, o.offsetUnits) && stencilFunc == o.stencilFunc &&
               stencilRef == o.stencilRef && stencilMask == o.stencilMask &&
               reverseWinding == o.reverseWinding && fog.on == o.fog.on &&
               fog.useCoord == o.fog.useCoord && fog.mode == o.fog.mode &&
               same(fog.density, o.fog.density) && same(fog.start, o.fog.start) &&
               same(fog.end, o.fog.end) && same(fog.color, o.fog.color) &&
               lighting == o.lighting && specular == o.specular && texture == o.texture &&
               cullFace == o.cullFace && polygonMode == o.polygonMode &&
               same(pointSize, o.pointSize) && material.on == o.material.on &&
               same(material.diffuse, o.material.diffuse) &&
               same(material.specular, o.material.specular) &&
               same(material.shininess, o.material.shininess);
    }
    bool operator!=(const RE_DrawingState &o) const { return !(*this == o); }

private:
    template <typename T>
    static bool same(const T &a, const T &b)
    {
        return std::memcmp(&a, &b, sizeof(T)) == 0;
    }
};

static_assert(std::is_trivially_copyable<RE_DrawingState>::value,
              "drawing states are copied whole, into display objects' records too");
