#pragma once

// Texture-space scenes for the 2D renderer's tests: uv grids with point or
// vertex uvs, a view of the unit square, and picking at a uv position.
#include "Render3DTestSupport.h"

#include "detail/GUI_DetailRender2D.h"
#include <cmath>
#include <vector>

namespace vantrel_test
{
// The view shows uv from -theMargin to 1 + theMargin each way.
const float theMargin = 0.25f;

// A grid of n x n cells whose uvs tile the unit square: cell (row, col) is
// primitive row * n + col, spanning u in [col/n, (col+1)/n] and v in
// [row/n, (row+1)/n]. Point uvs, or vertex uvs (each cell's corners its
// own) when vertex is set.
inline GU_Detail *
makeUVGrid(int n, bool vertex)
{
    GU_Detail *gdp = new GU_Detail;
    gdp->buildGrid(1.0f, 1.0f, n, n);
    if (!vertex)
        return gdp;
    GB_Attribute *uv = gdp->addFloatAttrib(GB_ATTRIB_VERTEX, "uv", 2);
    const GB_Attribute *puv = gdp->pointAttribs().find("uv");
    for (int v = 0; v < gdp->getNumVertices(); ++v)
    {
        uv->setF(v, 0, puv->getF(gdp->getVertexPoint(v), 0));
        uv->setF(v, 1, puv->getF(gdp->getVertexPoint(v), 1));
    }
    gdp->editAttribs(GB_ATTRIB_POINT).clear();
    return gdp;
}

// Mirrors one primitive's vertex uvs in u about its own centre, which
// reverses its uv winding and keeps it in place.
inline void
flipCell(GU_Detail &gdp, int prim)
{
    GB_Attribute *uv = gdp.editAttribs(GB_ATTRIB_VERTEX).find("uv");
    const int first = gdp.getPrimVertexOffset(prim), n = gdp.getPrimVertexCount(prim);
    float lo = 1e30f, hi = -1e30f;
    for (int v = first; v < first + n; ++v)
    {
        lo = std::min(lo, uv->getF(v, 0));
        hi = std::max(hi, uv->getF(v, 0));
    }
    for (int v = first; v < first + n; ++v)
        uv->setF(v, 0, lo + hi - uv->getF(v, 0));
}

// The centre of cell (row, col) of an n x n grid.
inline UT_Vector3
cellCentre(int n, int row, int col)
{
    return UT_Vector3((col + 0.5f) / n, (row + 0.5f) / n, 0.0f);
}

// The names of one pick record: the handle, then the primitive.
using PickHit = std::vector<unsigned>;

class Render2DTest : public DetailPixelTest
{
protected:
    void setUpScene() override { showUnitSquare(); }

    void showUnitSquare()
    {
        RE_Render *r = render();
        r->ortho2DW(-theMargin, 1.0f + theMargin, -theMargin, 1.0f + theMargin);
        r->matrixMode(RE_MATRIX_VIEWING);
        r->loadIdentityMatrix();
    }

    // The window pixel of a uv position.
    void toPixel(const UT_Vector3 &uv, int &x, int &y) const
    {
        const float span = 1.0f + 2.0f * theMargin;
        x = int((uv.x() + theMargin) / span * theContextSize);
        y = int((uv.y() + theMargin) / span * theContextSize);
    }
    std::vector<int> pixelAt(const UT_Vector3 &uv) const
    {
        int x, y;
        toPixel(uv, x, y);
        return pixel(x, y);
    }
    // Whether any pixel within one of the uv position is lit.
    bool litNear(const UT_Vector3 &uv) const
    {
        int x, y;
        toPixel(uv, x, y);
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
            {
                const std::vector<int> p = pixel(x + dx, y + dy);
                if (p[0] + p[1] + p[2] > 60)
                    return true;
            }
        return false;
    }

    void draw(GUI_DetailLook &look)
    {
        render()->clear();
        look.getRender2D()->render(render(), 0, 0, 0, 0, nullptr);
    }

    // The records of a 3x3 pick at a uv position through the look's 2D
    // picking.
    std::vector<PickHit> pickAt(GUI_DetailLook &look, const UT_Vector3 &uv)
    {
        RE_Render *r = render();
        int x, y;
        toPixel(uv, x, y);
        unsigned int buffer[4096];
        r->pushMatrix();
        r->beginPicking(buffer, 4096, short(x - 1), short(y - 1), 3, 3);
        look.getRender2D()->pickRender(r, 0, 0, 0, 0, nullptr);
        const int count = r->endPicking(buffer);
        r->popMatrix();
        showUnitSquare();
        return pickNames(buffer, count);
    }
};
}
