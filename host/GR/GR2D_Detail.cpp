#include "host/GR/GR2D_Detail.h"

#include "host/GR/GR2D_UVArrays.h"
#include "host/GR/GR_CommonDispOption.h"
#include "host/GR/GR_DetailDraw.h"
#include "host/GR/GR_DisplayOption.h"
#include "host/GR/GR_PickSupport.h"
#include "host/GU/GU_Detail.h"
#include "host/GU/GU_PrimGroupClosure.h"
#include "host/RE/RE_Render.h"
#include "host/UT/UT_BoundingBox.h"

using namespace GR_DetailDraw;
using namespace GR_PickSupport;

namespace
{
const float theUVPointSize = 3.0f;
const float theUVSelectedPointSize = 6.0f;

UT_Color
uvCommonColor(const GR_DisplayOption *option, GR_CommonColor id, float r, float g, float b)
{
    if (option && option->common())
        return option->common()->color(id);
    return UT_Color(UT_RGB, r, g, b);
}

float
uvWireWidth(const GR_DisplayOption *option)
{
    const float w = option && option->common() ? option->common()->getWireWidth() : 1.0f;
    return w > 0.0f ? w : 1.0f;
}

int
uvSelectionInstance(const GR_DisplayOption *option)
{
    return option && option->common() ? option->common()->getSelectionInstance() : -1;
}

bool
uvLets(const GU_PrimGroupClosure *visible, int prim)
{
    return !visible || visible->includes(prim);
}

bool
uvMarked(const std::vector<unsigned char> &marks, int index)
{
    return index >= 0 && index < static_cast<int>(marks.size()) && marks[index];
}

// The elements of the drawable primitives' corners (each once), or only
// those whose point is uvMarked.
std::vector<unsigned int>
uvCornerElements(const GU_Detail &gdp, const GR2D_UVArrays &uvs,
               const GU_PrimGroupClosure *visible, const std::vector<unsigned char> *pointMarks)
{
    std::vector<unsigned char> taken(size_t(uvs.count()), 0);
    std::vector<unsigned int> out;
    for (int prim = 0; prim < gdp.getNumPrimitives(); ++prim)
    {
        if (!uvs.primOk(prim) || !uvLets(visible, prim))
            continue;
        const int first = gdp.getPrimVertexOffset(prim);
        for (int v = first; v < first + gdp.getPrimVertexCount(prim); ++v)
        {
            if (pointMarks && !uvMarked(*pointMarks, gdp.getVertexPoint(v)))
                continue;
            const unsigned int e = uvs.element(v);
            if (!taken[e])
                out.push_back(e);
            taken[e] = 1;
        }
    }
    return out;
}

void
sendUVIndexed(RE_Render &r, int prim, const GR2D_UVArrays &uvs,
            const std::vector<unsigned int> &indices)
{
    if (!indices.empty())
        r.drawArrays(prim, uvs.positions(), nullptr, nullptr, uvs.count(), indices.data(),
                     static_cast<int>(indices.size()));
}

// The colour halfway between c and the background: how ghosts show.
UT_Color
uvDimmed(const UT_Color &c, const GR_DisplayOption *option)
{
    float r, g, b, br, bg, bb;
    c.getRGB(&r, &g, &b);
    uvCommonColor(option, GR_COLOR_BACKGROUND, 0.0f, 0.0f, 0.0f).getRGB(&br, &bg, &bb);
    return UT_Color(UT_RGB, 0.5f * (r + br), 0.5f * (g + bg), 0.5f * (b + bb));
}

void
drawUVSelectionOverlay(RE_Render &r, const GU_Detail &gdp, const GR2D_UVArrays &uvs,
                     const GU_PrimGroupClosure *visible, const GR_DisplayOption *option)
{
    const Selection sel = gatherSelection(gdp, uvSelectionInstance(option));
    if (!sel.anyPrims && !sel.anyPoints)
        return;
    r.pushColor(uvCommonColor(option, GR_COLOR_SELECTED_WIRE, 1.0f, 1.0f, 0.0f), 1.0f);
    if (sel.anyPrims)
    {
        r.pushLineWidth(uvWireWidth(option) + 1.0f);
        sendUVIndexed(r, RE_PRIM_LINES, uvs, uvs.sidesOf([&](int prim) {
            return uvLets(visible, prim) && uvMarked(sel.prims, prim);
        }));
        r.popLineWidth();
    }
    if (sel.anyPoints)
    {
        r.pushPointSize(theUVSelectedPointSize);
        sendUVIndexed(r, RE_PRIM_POINTS, uvs, uvCornerElements(gdp, uvs, visible, &sel.points));
        r.popPointSize();
    }
    r.popColor();
}
}

void
GR2D_Detail::wireDraw(GU_Detail *gdp, GR2D_AttributeType type, int attribIndex, RE_Render &r,
                      float, bool drawSelection, const GR_DisplayOption *option, bool solid,
                      const GU_PrimGroupClosure *visible) const
{
    if (!gdp)
        return;
    const GR2D_UVArrays uvs(*gdp, type, attribIndex);
    if (!uvs.isValid())
        return;
    LightingOff unlit(r);
    const UT_Color wire = uvCommonColor(option, GR_COLOR_WIRE, 1.0f, 1.0f, 1.0f);
    r.pushColor(solid ? wire : uvDimmed(wire, option), 1.0f);
    r.pushLineWidth(uvWireWidth(option));
    sendUVIndexed(r, RE_PRIM_LINES, uvs,
                uvs.sidesOf([&](int prim) { return uvLets(visible, prim); }));
    if (option && option->getFlag(GR_FLAG_POINT_MARKERS))
    {
        r.setColor(uvCommonColor(option, GR_COLOR_POINT, 1.0f, 1.0f, 0.0f), 1.0f);
        r.pushPointSize(theUVPointSize);
        sendUVIndexed(r, RE_PRIM_POINTS, uvs, uvCornerElements(*gdp, uvs, visible, nullptr));
        r.popPointSize();
    }
    r.popLineWidth();
    r.popColor();
    if (drawSelection)
        drawUVSelectionOverlay(r, *gdp, uvs, visible, option);
}

void
GR2D_Detail::fillDrawBackFaces(GU_Detail *gdp, GR2D_AttributeType type, int attribIndex,
                               RE_Render &r, bool drawSelection, const GR_DisplayOption *option,
                               const GU_PrimGroupClosure *visible) const
{
    if (!gdp)
        return;
    const GR2D_UVArrays uvs(*gdp, type, attribIndex);
    if (!uvs.isValid())
        return;
    Selection sel;
    const bool onlySelected = drawSelection && option && option->getFlag(GR_FLAG_SELECTED_KIND);
    if (onlySelected)
    {
        sel = gatherSelection(*gdp, uvSelectionInstance(option));
        if (!sel.anyPrims)
            return;
    }
    std::vector<unsigned int> triangles;
    for (int prim = 0; prim < gdp->getNumPrimitives(); ++prim)
    {
        if (!uvs.primOk(prim) || !gdp->isPrimClosed(prim) || !uvLets(visible, prim) ||
            (onlySelected && !uvMarked(sel.prims, prim)))
            continue;
        // A NaN area (overflowing uvs) is not below 0: not reversed.
        if (uvs.signedArea(prim) < 0.0)
            uvs.appendTriangles(prim, triangles);
    }
    if (triangles.empty())
        return;
    LightingOff unlit(r);
    r.pushColor(uvCommonColor(option, GR_COLOR_BACKFACE, 0.55f, 0.15f, 0.15f), 1.0f);
    sendUVIndexed(r, RE_PRIM_TRIANGLES, uvs, triangles);
    r.popColor();
}

void
GR2D_Detail::wirePick(GU_Detail *gdp, GR2D_AttributeType type, int attribIndex, RE_Render &r,
                      float, bool pickSelection, const GR_DisplayOption *option,
                      const GU_PrimGroupClosure *visible) const
{
    if (!gdp || !r.isPicking())
        return;
    const GR2D_UVArrays uvs(*gdp, type, attribIndex);
    UT_BoundingBox box;
    if (!uvs.isValid() || !uvs.getBox(box))
        return;
    Selection sel;
    std::vector<unsigned char> codes;
    if (!pickSetUp(r, box, *gdp, pickSelection, option, uvs.positions(), uvs.count(), sel,
                   codes))
        return;
    std::vector<unsigned int> indices;
    for (int prim = 0; prim < gdp->getNumPrimitives(); ++prim)
    {
        if (!uvs.primOk(prim) || !uvLets(visible, prim) ||
            (!sel.prims.empty() && !sel.prims[prim]))
            continue;
        const int first = gdp->getPrimVertexOffset(prim);
        if (primOutside(codes, first, first + gdp->getPrimVertexCount(prim),
                        [&uvs](int v) { return uvs.element(v); }))
            continue;
        indices.clear();
        const bool closed = gdp->isPrimClosed(prim);
        if (closed)
            uvs.appendTriangles(prim, indices);
        else
            uvs.appendSides(prim, indices);
        if (indices.empty())
            continue;
        r.pushPickId(prim);
        sendUVIndexed(r, closed ? RE_PRIM_TRIANGLES : RE_PRIM_LINES, uvs, indices);
        r.popPickId();
    }
}
