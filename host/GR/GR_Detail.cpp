#include "host/GR/GR_Detail.h"

#include "host/GR/GR_CommonDispOption.h"
#include "host/GR/GR_DetailDraw.h"
#include "host/GR/GR_DisplayOption.h"
#include "host/GR/GR_DrawData.h"
#include "host/GU/GU_Detail.h"
#include "host/GU/GU_PrimGroupClosure.h"
#include "host/RE/RE_Material.h"
#include "host/RE/RE_Render.h"

using namespace GR_DetailDraw;

namespace
{
// The surface colour of shaded geometry without a material.
const float theSurface[3] = {0.75f, 0.75f, 0.75f};
// Marker sizes in pixels: points of the geometry, selected points.
const float thePointSize = 3.0f;
const float theSelectedPointSize = 6.0f;

UT_Color
commonColor(const GR_DisplayOption *option, GR_CommonColor id, float r, float g, float b)
{
    if (option && option->common())
        return option->common()->color(id);
    return UT_Color(UT_RGB, r, g, b);
}

float
wireWidth(const GR_DisplayOption *option)
{
    const float w = option && option->common() ? option->common()->getWireWidth() : 1.0f;
    return w > 0.0f ? w : 1.0f;
}

int
selectionInstance(const GR_DisplayOption *option)
{
    return option && option->common() ? option->common()->getSelectionInstance() : -1;
}

// The box of the primitives that hidden lets through; false when empty.
bool
drawnBox(const GU_Detail &gdp, GR_DrawData &data, const GU_PrimGroupClosure *hidden,
         float out[6])
{
    UT_BoundingBox box;
    bool ok = false;
    if (hidden && hidden->isValid())
    {
        box.initBounds();
        for (int prim = 0; prim < gdp.getNumPrimitives(); ++prim)
        {
            if (!data.primOk(prim) || !hidden->includes(prim))
                continue;
            for (int v = gdp.getPrimVertexOffset(prim);
                 v < gdp.getPrimVertexOffset(prim) + gdp.getPrimVertexCount(prim); ++v)
            {
                const UT_Vector3 p = gdp.getPos(gdp.getVertexPoint(v));
                if (!ok)
                    box.initBounds(p);
                else
                    box.enlargeBounds(p);
                ok = true;
            }
        }
    }
    else
        ok = data.getBox(box);
    for (int i = 0; ok && i < 6; ++i)
        out[i] = box.data()[i];
    return ok;
}

// The component selection over an object: selected primitives filled (when
// the record fills selections) or outlined, selected points as markers, in
// the selected wire colour.
void
drawSelectionOverlay(RE_Render &r, const GU_Detail &gdp, GR_DrawData &data,
                     const GU_PrimGroupClosure *hidden, const GR_DisplayOption *option)
{
    const Selection sel = gatherSelection(gdp, selectionInstance(option));
    if (!sel.anyPrims && !sel.anyPoints)
        return;
    LightingOff unlit(r);
    r.pushColor(commonColor(option, GR_COLOR_SELECTED_WIRE, 1.0f, 1.0f, 0.0f), 1.0f);
    if (sel.anyPrims)
    {
        if (option && option->getFlag(GR_FLAG_FILL_SELECTIONS))
        {
            // Pulled toward the viewer so it covers the object's own fill.
            float factor = 0.0f, units = 0.0f;
            r.getOffsetAmount(factor, units);
            const int wasOn = r.isPolygonOffset();
            r.polygonOffset(1);
            r.setOffsetAmount(-1.0f, -2.0f);
            sendTriangles(r, gdp, data, false, hidden, &sel.prims);
            r.setOffsetAmount(factor, units);
            r.polygonOffset(wasOn);
        }
        r.pushLineWidth(wireWidth(option) + 1.0f);
        sendEdges(r, gdp, data, hidden, &sel.prims);
        r.popLineWidth();
    }
    if (sel.anyPoints)
    {
        r.pushPointSize(theSelectedPointSize);
        sendPoints(r, gdp, data, &sel.points);
        r.popPointSize();
    }
    r.popColor();
}

// The edges (and, with the record's point-marker flag, the points) in the
// current wire colour and width.
void
drawEdgesInWireColor(RE_Render &r, const GU_Detail &gdp, GR_DrawData &data,
                     const GU_PrimGroupClosure *hidden, const GR_DisplayOption *option)
{
    LightingOff unlit(r);
    r.pushColor(commonColor(option, GR_COLOR_WIRE, 1.0f, 1.0f, 1.0f), 1.0f);
    r.pushLineWidth(wireWidth(option));
    sendEdges(r, gdp, data, hidden);
    if (option && option->getFlag(GR_FLAG_POINT_MARKERS))
    {
        r.setColor(commonColor(option, GR_COLOR_POINT, 1.0f, 1.0f, 0.0f), 1.0f);
        r.pushPointSize(thePointSize);
        sendPoints(r, gdp, data, nullptr);
        r.popPointSize();
    }
    r.popLineWidth();
    r.popColor();
}

// Geometry of points alone (a point cloud) has no edges or faces to show:
// its points are drawn instead, in their "Cd" colours when they have them
// and otherwise in the given colour.
void
drawLoosePoints(RE_Render &r, const GU_Detail &gdp, GR_DrawData &data, const UT_Color &color)
{
    if (gdp.getNumPrimitives() > 0 || gdp.getNumPoints() == 0)
        return;
    LightingOff unlit(r);
    r.pushColor(color, 1.0f);
    r.pushPointSize(thePointSize);
    sendPoints(r, gdp, data, nullptr, true);
    r.popPointSize();
    r.popColor();
}

void
drawBoxOf(RE_Render &r, const GU_Detail &gdp, GR_DrawData &data,
          const GU_PrimGroupClosure *hidden, const GR_DisplayOption *option, bool solid)
{
    float box[6];
    if (!drawnBox(gdp, data, hidden, box))
        return;
    if (solid)
    {
        r.pushColor();
        r.setColor(theSurface[0], theSurface[1], theSurface[2], 1.0f);
        sendBox(r, box, true);
        r.popColor();
        return;
    }
    LightingOff unlit(r);
    r.pushColor(commonColor(option, GR_COLOR_WIRE, 1.0f, 1.0f, 1.0f), 1.0f);
    r.pushLineWidth(wireWidth(option));
    sendBox(r, box, false);
    r.popLineWidth();
    r.popColor();
}

// Filled polygons lit (or not) as the context stands, flat or smooth.
// Returns whether lines drawn afterwards need the fill pushed back.
void
drawFill(RE_Render &r, const GU_Detail &gdp, GR_DrawData &data,
         const GU_PrimGroupClosure *hidden, const GR_DisplayOption *option,
         RE_Material *material, bool smooth, bool lit, bool useGhost, bool pushBack)
{
    const bool ghost = option && option->ghosted() && useGhost;
    // The geometry's own colours stand in for the surface colour (and the
    // material's, whose specular is then not applied).
    const bool colored = !ghost && data.hasColors();
    const bool setMaterial = material && !r.hasMaterial() && !colored;
    const bool unlitContext = !lit || (material && !material->isLit());
    const bool wasLit = r.isLighting();
    if (unlitContext && wasLit)
        r.toggleLighting(0);
    r.pushColor();
    if (ghost)
        r.setColor(commonColor(option, GR_COLOR_GHOST_SHADING, 0.92f, 0.87f, 0.59f), 1.0f);
    else if (material)
        r.setColor(material->getDiffuse()[0], material->getDiffuse()[1],
                   material->getDiffuse()[2], 1.0f);
    else
        r.setColor(theSurface[0], theSurface[1], theSurface[2], 1.0f);
    if (setMaterial)
        r.setMaterial(material);
    const int interp = r.getInterpMode();
    r.interpMode(smooth ? 1 : 0);
    {
        FillBehindLines behind(r, pushBack);
        sendTriangles(r, gdp, data, smooth, hidden, nullptr, colored);
    }
    r.interpMode(interp);
    if (setMaterial)
        r.setMaterial(nullptr);
    r.popColor();
    if (unlitContext && wasLit)
        r.toggleLighting(1);
}
}

GR_Detail::GR_Detail() = default;
GR_Detail::~GR_Detail() = default;

void
GR_Detail::wireDraw(GU_Detail *gdp, RE_Render &r, float lod, bool drawSelection,
                    const GU_PrimGroupClosure *hidden, const GR_DisplayOption *option,
                    bool, OP_Node *) const
{
    if (!gdp)
        return;
    GR_DrawData &data = GR_DrawData::get(*gdp);
    if (lod < theBoxOnlyLOD)
    {
        drawBoxOf(r, *gdp, data, hidden, option, false);
        return;
    }
    if (option && option->shadingMode() == GR_SHADE_HIDDEN_LINE)
    {
        // Hidden lines: the polygons in the background colour, pushed back,
        // hide the edges behind them.
        LightingOff unlit(r);
        r.pushColor(commonColor(option, GR_COLOR_BACKGROUND, 0.0f, 0.0f, 0.0f), 1.0f);
        {
            FillBehindLines behind(r, true);
            sendTriangles(r, *gdp, data, false, hidden);
        }
        r.popColor();
    }
    drawEdgesInWireColor(r, *gdp, data, hidden, option);
    drawLoosePoints(r, *gdp, data, commonColor(option, GR_COLOR_WIRE, 1.0f, 1.0f, 1.0f));
    if (drawSelection)
        drawSelectionOverlay(r, *gdp, data, hidden, option);
}

void
GR_Detail::boundBoxDraw(GU_Detail *gdp, RE_Render &r, bool, const GU_PrimGroupClosure *hidden,
                        const GR_DisplayOption *option) const
{
    if (!gdp)
        return;
    const bool solid = option && (option->shadingMode() == GR_SHADE_BOX_SOLID ||
                                   option->shadingMode() >= GR_SHADE_FLAT);
    drawBoxOf(r, *gdp, GR_DrawData::get(*gdp), hidden, option, solid);
}

int
GR_Detail::shadedDraw(GU_Detail *gdp, RE_Render &r, float lod, RE_Material *material,
                      bool drawSelection, const GU_PrimGroupClosure *hidden,
                      const GR_DisplayOption *option, float, const UT_Matrix4 &,
                      const UT_Matrix4 &, int lit, bool useGhost, OP_Node *) const
{
    if (!gdp || !option)
        return 0;
    const GR_ShadingMode mode = option->shadingMode();
    if (GRisBoundingBoxMode(mode) || option->boundingBox())
    {
        boundBoxDraw(gdp, r, drawSelection, hidden, option);
        return 0;
    }
    if (mode == GR_SHADE_WIRE || mode == GR_SHADE_HIDDEN_LINE)
    {
        wireDraw(gdp, r, lod, drawSelection, hidden, option, useGhost, nullptr);
        return 0;
    }
    GR_DrawData &data = GR_DrawData::get(*gdp);
    if (lod < theBoxOnlyLOD)
    {
        drawBoxOf(r, *gdp, data, hidden, option, true);
        return 0;
    }
    const bool smooth = mode == GR_SHADE_SMOOTH || mode == GR_SHADE_SMOOTH_WIRE;
    // Highlighted objects show their edges over the fill like the
    // wire-over-shaded modes.
    const bool edgesOver = mode == GR_SHADE_FLAT_WIRE || mode == GR_SHADE_SMOOTH_WIRE ||
                           option->highlighted();
    drawFill(r, *gdp, data, hidden, option, option->ghosted() && useGhost ? nullptr : material,
             smooth, lit != 0, useGhost, edgesOver || drawSelection);
    if (edgesOver)
        drawEdgesInWireColor(r, *gdp, data, hidden, option);
    drawLoosePoints(r, *gdp, data, UT_Color(UT_RGB, theSurface[0], theSurface[1], theSurface[2]));
    if (drawSelection)
        drawSelectionOverlay(r, *gdp, data, hidden, option);
    // Everything drawn here is opaque: no second pass is needed.
    return 0;
}

void
GR_Detail::shadedSimpleDraw(GU_Detail *gdp, RE_Render &r, float lod, RE_Material *material,
                            const GR_DisplayOption *option,
                            const GU_PrimGroupClosure *hidden) const
{
    if (!gdp)
        return;
    GR_DrawData &data = GR_DrawData::get(*gdp);
    if (lod < theBoxOnlyLOD)
    {
        drawBoxOf(r, *gdp, data, hidden, option, true);
        return;
    }
    const bool smooth = option && (option->shadingMode() == GR_SHADE_SMOOTH ||
                                   option->shadingMode() == GR_SHADE_SMOOTH_WIRE);
    drawFill(r, *gdp, data, hidden, option, material, smooth, true, false, false);
}

int
GR_Detail::qelShadedDraw(GU_Detail *gdp, RE_Render &r, float lod, RE_Material *material,
                         RE_Displace *, RE_Light *const *, int, bool drawSelection,
                         const UT_Matrix4 &materialXform, const UT_Matrix4 &objectXform,
                         const GU_PrimGroupClosure *hidden, const GR_DisplayOption *option,
                         float time, RE_Shader *, bool useGhost, OP_Node *shops) const
{
    // The object's lights are defined and switched on by its renderer; the
    // fixed-function pipeline has no displacement, so this is the lit
    // shaded draw.
    return shadedDraw(gdp, r, lod, material, drawSelection, hidden, option, time,
                      materialXform, objectXform, 1, useGhost, shops);
}

void
GR_Detail::releaseDrawData(const GU_Detail &gdp)
{
    GR_DrawData::get(gdp).releaseArrays();
}

size_t
GR_Detail::drawDataBytes(const GU_Detail &gdp)
{
    return GR_DrawData::get(gdp).arrayBytes();
}
