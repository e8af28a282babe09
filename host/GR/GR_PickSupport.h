#ifndef GR_PICKSUPPORT_H
#define GR_PICKSUPPORT_H

#include "host/GR/GR_DetailDraw.h"
#include "host/UT/UT_Matrix4.h"

#include <vector>

class GR_DisplayOption;
class GU_Detail;
class RE_Render;
class UT_BoundingBox;

// The clip-space tests the 3D and 2D pickers share: which side of the pick
// region a point lies beyond, whether a whole box misses it, and which
// primitives a pick of a selection may send.
namespace GR_PickSupport
{
// Object space to clip space as the context stands: the viewing matrix
// (object transform included) then the projection, which while picking is
// narrowed to the pick region.
UT_Matrix4 objectToClip(const RE_Render &r);

// p times m (p a row vector with w = 1).
void toClip(const UT_Matrix4 &m, const float p[3], float out[4]);

// Bits for the sides of the clip volume a clip-space point lies beyond:
// 1 left, 2 right, 4 bottom, 8 top, 16 near, 32 far. A NaN point is
// beyond no side: it rejects nothing on its own.
unsigned outcode(const float c[4]);

// The eight corners of a box; corner i takes x from bit 0, y from bit 1,
// z from bit 2.
void boxCorners(const UT_BoundingBox &b, float corners[8][3]);

// True when the box lies wholly beyond one side of the clip volume.
bool boxOutside(const UT_BoundingBox &box, const UT_Matrix4 &m);

// The primitives a pick sends: for a record of selected geometry asked to
// pick the selection, only the selected ones (marked in sel.prims; false
// when there are none); otherwise all (sel left empty).
bool pickCandidates(const GU_Detail &gdp, bool pickSelection, const GR_DisplayOption *option,
                    GR_DetailDraw::Selection &sel);

// What a pick needs before it sends an object's primitives. False when the
// object's box lies outside the pick region or nothing may be picked;
// otherwise the candidates (as pickCandidates) and the outcodes of the
// count points (three floats each) as the context stands.
bool pickSetUp(const RE_Render &r, const UT_BoundingBox &box, const GU_Detail &gdp,
               bool pickSelection, const GR_DisplayOption *option, const float *positions,
               int count, GR_DetailDraw::Selection &sel, std::vector<unsigned char> &codes);

// True when the vertices first to last - 1 all lie beyond one same side of
// the pick region; elementOf(v) gives a vertex's index into the outcodes.
template <typename ElementOf>
bool primOutside(const std::vector<unsigned char> &codes, int first, int last,
                 ElementOf elementOf)
{
    unsigned all = 0x3f;
    for (int v = first; v < last && all; ++v)
        all &= codes[size_t(elementOf(v))];
    return all != 0;
}
}

#endif
