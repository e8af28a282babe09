#include "host/GR/GR_PickSupport.h"

#include "host/GR/GR_CommonDispOption.h"
#include "host/GR/GR_DisplayOption.h"
#include "host/RE/RE_Render.h"
#include "host/UT/UT_BoundingBox.h"

namespace GR_PickSupport
{
UT_Matrix4
objectToClip(const RE_Render &r)
{
    return r.getAMatrix(RE_MATRIX_VIEWING) * r.getAMatrix(RE_MATRIX_PROJECTION);
}

void
toClip(const UT_Matrix4 &m, const float p[3], float out[4])
{
    for (int c = 0; c < 4; ++c)
        out[c] = p[0] * m(0, c) + p[1] * m(1, c) + p[2] * m(2, c) + m(3, c);
}

unsigned
outcode(const float c[4])
{
    unsigned code = 0;
    if (c[0] < -c[3]) code |= 1;
    if (c[0] > c[3]) code |= 2;
    if (c[1] < -c[3]) code |= 4;
    if (c[1] > c[3]) code |= 8;
    if (c[2] < -c[3]) code |= 16;
    if (c[2] > c[3]) code |= 32;
    return code;
}

void
boxCorners(const UT_BoundingBox &b, float corners[8][3])
{
    for (int i = 0; i < 8; ++i)
    {
        corners[i][0] = (i & 1) ? b.xmax() : b.xmin();
        corners[i][1] = (i & 2) ? b.ymax() : b.ymin();
        corners[i][2] = (i & 4) ? b.zmax() : b.zmin();
    }
}

bool
boxOutside(const UT_BoundingBox &box, const UT_Matrix4 &m)
{
    float corners[8][3];
    boxCorners(box, corners);
    unsigned all = ~0u;
    for (auto &p : corners)
    {
        float c[4];
        toClip(m, p, c);
        all &= outcode(c);
    }
    return all != 0;
}

bool
pickCandidates(const GU_Detail &gdp, bool pickSelection, const GR_DisplayOption *option,
               GR_DetailDraw::Selection &sel)
{
    if (!pickSelection || !option || !option->getFlag(GR_FLAG_SELECTED_KIND))
        return true;
    sel = GR_DetailDraw::gatherSelection(
        gdp, option->common() ? option->common()->getSelectionInstance() : -1);
    return sel.anyPrims;
}

bool
pickSetUp(const RE_Render &r, const UT_BoundingBox &box, const GU_Detail &gdp,
          bool pickSelection, const GR_DisplayOption *option, const float *positions,
          int count, GR_DetailDraw::Selection &sel, std::vector<unsigned char> &codes)
{
    const UT_Matrix4 m = objectToClip(r);
    // The cheap test that makes picking a small region of a large scene
    // cost little: nothing of an object outside the region is sent.
    if (boxOutside(box, m) || !pickCandidates(gdp, pickSelection, option, sel))
        return false;
    codes.assign(size_t(count > 0 ? count : 0), 0);
    for (size_t i = 0; i < codes.size(); ++i)
    {
        float c[4];
        toClip(m, positions + i * 3, c);
        codes[i] = static_cast<unsigned char>(outcode(c));
    }
    return true;
}
}
