#ifndef GR2D_DETAIL_H
#define GR2D_DETAIL_H

#include "host/GR/GR2D_AttributeType.h"

class GR_DisplayOption;
class GU_Detail;
class GU_PrimGroupClosure;
class RE_Render;

// Draws one geometry in texture space: each primitive's outline through
// its texture coordinates, taken from a point or a vertex attribute (the
// attribute's index among the point or vertex attributes, as the current
// layer's lookup gives it). Primitives whose uvs are not finite are left
// out; when visible holds a valid group, only the primitives it lets
// through are drawn and picked. Uvs reach GL as arrays (u, v, 0).
class GR2D_Detail
{
public:
    GR2D_Detail() = default;
    GR2D_Detail(const GR2D_Detail &) = delete;
    GR2D_Detail &operator=(const GR2D_Detail &) = delete;

    // The uv outlines in the record's current wire colour and width (point
    // markers too when the record asks for them); solid false draws them
    // dimmed halfway to the background, as ghosts. drawSelection draws the
    // component selection over them.
    void wireDraw(GU_Detail *gdp, GR2D_AttributeType type, int attribIndex, RE_Render &r,
                  float lod, bool drawSelection, const GR_DisplayOption *option, bool solid,
                  const GU_PrimGroupClosure *visible) const;

    // Fills, in the common back-face colour, the polygons whose uv winding
    // is reversed (clockwise in uv space). For a record of selected
    // geometry with drawSelection, only the selected polygons.
    void fillDrawBackFaces(GU_Detail *gdp, GR2D_AttributeType type, int attribIndex,
                           RE_Render &r, bool drawSelection, const GR_DisplayOption *option,
                           const GU_PrimGroupClosure *visible) const;

    // One pick record per primitive under the context's pick names: the
    // primitive's number is pushed as a pick id while its uv area (a
    // polygon's triangles, a polyline's segments) is sent. Geometry whose
    // uv box misses the pick region sends nothing. A record of selected
    // geometry asked to pick the selection picks only selected primitives.
    void wirePick(GU_Detail *gdp, GR2D_AttributeType type, int attribIndex, RE_Render &r,
                  float lod, bool pickSelection, const GR_DisplayOption *option,
                  const GU_PrimGroupClosure *visible) const;
};

#endif
