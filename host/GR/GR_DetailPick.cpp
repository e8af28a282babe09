// Picking per primitive with bounding-box rejection, and the level of
// detail from an object's projected size.

#include "host/GR/GR_Detail.h"

#include "host/GR/GR_CommonDispOption.h"
#include "host/GR/GR_DetailDraw.h"
#include "host/GR/GR_DisplayOption.h"
#include "host/GR/GR_DrawData.h"
#include "host/GR/GR_PickSupport.h"
#include "host/GU/GU_Detail.h"
#include "host/GU/GU_PrimGroupClosure.h"
#include "host/RE/RE_Render.h"

#include <algorithm>
#include <cmath>

using namespace GR_DetailDraw;
using namespace GR_PickSupport;

namespace
{
// One pick name per primitive whose points are not all beyond one side of
// the pick region; each sends its triangles (shaded) or sides (wire).
void
pickPrimitives(GU_Detail *gdp, RE_Render &r, bool pickSelection,
               const GU_PrimGroupClosure *hidden, const GR_DisplayOption *option, bool shaded)
{
    if (!gdp || !r.isPicking())
        return;
    GR_DrawData &data = GR_DrawData::get(*gdp);
    UT_BoundingBox box;
    if (!data.getBox(box))
        return;
    const int npoints = gdp->getNumPoints();
    const float *pos = gdp->getPositions();
    Selection sel;
    std::vector<unsigned char> codes;
    if (!pickSetUp(r, box, *gdp, pickSelection, option, pos, npoints, sel, codes))
        return;
    const int *points = gdp->getVertexPoints();
    const std::vector<unsigned int> *tris = shaded ? &data.triPoints() : nullptr;
    std::vector<unsigned int> indices;
    for (int prim = 0; prim < gdp->getNumPrimitives(); ++prim)
    {
        if (!data.primOk(prim) || (hidden && !hidden->includes(prim)) ||
            (!sel.prims.empty() && !sel.prims[prim]))
            continue;
        const int first = gdp->getPrimVertexOffset(prim);
        const int last = first + gdp->getPrimVertexCount(prim);
        if (primOutside(codes, first, last, [points](int v) { return points[v]; }))
            continue;
        indices.clear();
        const bool closed = gdp->isPrimClosed(prim);
        if (shaded && closed)
        {
            for (int c = data.primTriStart(prim) * 3; c < data.primTriStart(prim + 1) * 3; ++c)
                indices.push_back((*tris)[c]);
        }
        else
        {
            for (int v = first; v < last; ++v)
            {
                if (v + 1 == last && !closed)
                    break;
                indices.push_back(static_cast<unsigned int>(points[v]));
                indices.push_back(static_cast<unsigned int>(points[v + 1 < last ? v + 1 : first]));
            }
        }
        if (indices.empty())
            continue;
        r.pushPickId(prim);
        r.drawArrays(shaded && closed ? RE_PRIM_TRIANGLES : RE_PRIM_LINES, pos, nullptr, nullptr,
                     npoints, indices.data(), static_cast<int>(indices.size()));
        r.popPickId();
    }
}
}

void
GR_Detail::wirePick(GU_Detail *gdp, RE_Render &r, float, bool pickSelection,
                    const GU_PrimGroupClosure *hidden, const GR_DisplayOption *option) const
{
    pickPrimitives(gdp, r, pickSelection, hidden, option, false);
}

void
GR_Detail::shadedPick(GU_Detail *gdp, RE_Render &r, float, bool pickSelection,
                      const GU_PrimGroupClosure *hidden, const GR_DisplayOption *option) const
{
    pickPrimitives(gdp, r, pickSelection, hidden, option, true);
}

int
GR_Detail::queryNewLOD(const GU_Detail *gdp, const RE_Render &r, float userLOD, float &lod)
{
    if (!(userLOD > 0.0f) || !std::isfinite(userLOD))
        userLOD = 1.0f;
    lod = 1.0f;
    UT_BoundingBox box;
    if (!gdp || !GR_DrawData::get(*gdp).getBox(box))
        return 0;
    short x1, x2, y1, y2;
    r.getViewport2DS(x1, x2, y1, y2);
    const float halfW = 0.5f * float(x2 - x1 + 1), halfH = 0.5f * float(y2 - y1 + 1);
    const UT_Matrix4 m = objectToClip(r);
    float corners[8][3];
    boxCorners(box, corners);
    float lo[2] = {1e30f, 1e30f}, hi[2] = {-1e30f, -1e30f};
    for (auto &p : corners)
    {
        float c[4];
        toClip(m, p, c);
        // A corner at or behind the eye: the object surrounds the viewer.
        if (!(c[3] > 0.0f))
            return 0;
        const float sx = c[0] / c[3] * halfW, sy = c[1] / c[3] * halfH;
        lo[0] = std::min(lo[0], sx);
        hi[0] = std::max(hi[0], sx);
        lo[1] = std::min(lo[1], sy);
        hi[1] = std::max(hi[1], sy);
    }
    float sizeX = hi[0] - lo[0], sizeY = hi[1] - lo[1];
    if (r.isPicking())
    {
        // The projection is narrowed to the pick region, which magnifies
        // everything: measure the size the frame itself shows, so picking
        // uses the level (and the cached drawing) of the frame.
        short px, py, pw, ph;
        r.getPickRegion(px, py, pw, ph);
        sizeX *= float(pw > 0 ? pw : 1) / (2.0f * halfW);
        sizeY *= float(ph > 0 ? ph : 1) / (2.0f * halfH);
    }
    const float pixels = std::max(sizeX, sizeY) * userLOD;
    if (!std::isfinite(pixels))
        return 0;
    // Level 0 from 256 pixels up; each halving of the size adds one.
    int level = 0;
    for (float size = 256.0f; level < 9 && pixels < size; size *= 0.5f)
        ++level;
    lod = std::ldexp(1.0f, -level);
    return level;
}
