#include "host/GU/GB_Detail.h"

#include "host/GU/GU_PrimGroupClosure.h"
#include "host/UT/UT_BoundingBox.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <limits>

namespace
{
std::atomic<int> theNextUniqueId{1};
}

GB_Detail::GB_Detail()
    : myUniqueId(theNextUniqueId.fetch_add(1))
{
    myPrimStarts.push_back(0);
    myAttribs[GB_ATTRIB_DETAIL].resize(1);
}

GB_Detail::~GB_Detail() = default;

void
GB_Detail::clearAndDestroy()
{
    myPositions.clear();
    myPrimTypes.clear();
    myPrimStarts.assign(1, 0);
    myVertexPoints.clear();
    for (auto &dict : myAttribs)
        dict.clear();
    myAttribs[GB_ATTRIB_DETAIL].resize(1);
    myPrimGroups.clear();
    bumpChangeCount();
}

int
GB_Detail::getCacheBlockCount(int which) const
{
    return which == 0 || which == 1 ? myCacheBlockCounts[which] : 0;
}

void
GB_Detail::setCacheBlockCount(int which, int count)
{
    if (which == 0 || which == 1)
        myCacheBlockCounts[which] = count;
}

int
GB_Detail::appendPoints(int count)
{
    int first = getNumPoints();
    if (count <= 0)
        return first;
    myPositions.resize(myPositions.size() + size_t(count) * 3, 0.0f);
    myAttribs[GB_ATTRIB_POINT].resize(first + count);
    bumpChangeCount();
    return first;
}

int
GB_Detail::appendPoint(const UT_Vector3 &pos)
{
    int index = appendPoints(1);
    std::memcpy(&myPositions[size_t(index) * 3], pos.data(), 3 * sizeof(float));
    return index;
}

UT_Vector3
GB_Detail::getPos(int point) const
{
    if (point < 0 || point >= getNumPoints())
        return UT_Vector3();
    return UT_Vector3(&myPositions[size_t(point) * 3]);
}

void
GB_Detail::setPos(int point, const UT_Vector3 &pos)
{
    if (point < 0 || point >= getNumPoints())
        return;
    std::memcpy(&myPositions[size_t(point) * 3], pos.data(), 3 * sizeof(float));
    bumpChangeCount();
}

float *
GB_Detail::editPositions()
{
    bumpChangeCount();
    return myPositions.data();
}

void
GB_Detail::reservePrimitives(int prims, int vertices)
{
    if (prims <= 0 || vertices <= 0)
        return;
    const size_t p = size_t(getNumPrimitives()) + size_t(prims);
    const size_t v = size_t(getNumVertices()) + size_t(vertices);
    if (v > size_t(std::numeric_limits<int>::max()))
        return;
    myPrimTypes.reserve(p);
    myPrimStarts.reserve(p + 1);
    myVertexPoints.reserve(v);
    myAttribs[GB_ATTRIB_PRIMITIVE].reserve(int(p));
    myAttribs[GB_ATTRIB_VERTEX].reserve(int(v));
}

int
GB_Detail::appendPrimitive(GB_PrimType type, const int *points, int count)
{
    int minimum = type == GB_PRIM_POLYGON ? 3 : 2;
    if (!points || count < minimum)
        return -1;
    int npoints = getNumPoints();
    for (int i = 0; i < count; ++i)
        if (points[i] < 0 || points[i] >= npoints)
            return -1;

    int prim = getNumPrimitives();
    myPrimTypes.push_back((unsigned char)type);
    myVertexPoints.insert(myVertexPoints.end(), points, points + count);
    myPrimStarts.push_back(int(myVertexPoints.size()));
    myAttribs[GB_ATTRIB_PRIMITIVE].resize(prim + 1);
    myAttribs[GB_ATTRIB_VERTEX].resize(getNumVertices());
    bumpChangeCount();
    return prim;
}

GB_PrimType
GB_Detail::getPrimType(int prim) const
{
    if (prim < 0 || prim >= getNumPrimitives())
        return GB_PRIM_POLYGON;
    return GB_PrimType(myPrimTypes[prim]);
}

int
GB_Detail::getPrimVertexCount(int prim) const
{
    if (prim < 0 || prim >= getNumPrimitives())
        return 0;
    return myPrimStarts[prim + 1] - myPrimStarts[prim];
}

int
GB_Detail::getPrimVertexOffset(int prim) const
{
    if (prim < 0 || prim >= getNumPrimitives())
        return 0;
    return myPrimStarts[prim];
}

int
GB_Detail::getVertexPoint(int vertex) const
{
    if (vertex < 0 || vertex >= getNumVertices())
        return -1;
    return myVertexPoints[vertex];
}

const GB_AttributeDict &
GB_Detail::attribs(GB_AttribOwner owner) const
{
    int index = std::clamp(int(owner), 0, GB_NUM_ATTRIB_OWNERS - 1);
    return myAttribs[index];
}

GB_AttributeDict &
GB_Detail::editAttribs(GB_AttribOwner owner)
{
    bumpChangeCount();
    int index = std::clamp(int(owner), 0, GB_NUM_ATTRIB_OWNERS - 1);
    return myAttribs[index];
}

GB_Attribute *
GB_Detail::addFloatAttrib(GB_AttribOwner owner, const char *name,
                          int tuple_size, const float *defaults)
{
    return editAttribs(owner).add(name, GB_ATTRIB_FLOAT, tuple_size, defaults);
}

GB_Attribute *
GB_Detail::addStringAttrib(GB_AttribOwner owner, const char *name)
{
    return editAttribs(owner).add(name, GB_ATTRIB_STRING, 1);
}

const GB_PrimitiveGroup *
GB_Detail::findPrimitiveGroup(const char *name) const
{
    if (!name)
        return nullptr;
    for (const auto &group : myPrimGroups)
        if (std::strcmp(group->getName(), name) == 0)
            return group.get();
    return nullptr;
}

GB_PrimitiveGroup *
GB_Detail::editPrimitiveGroup(const char *name)
{
    const GB_PrimitiveGroup *group = findPrimitiveGroup(name);
    if (!group)
        return nullptr;
    bumpChangeCount();
    return const_cast<GB_PrimitiveGroup *>(group);
}

GB_PrimitiveGroup *
GB_Detail::newPrimitiveGroup(const char *name)
{
    if (!name || !*name)
        return nullptr;
    if (GB_PrimitiveGroup *existing = editPrimitiveGroup(name))
        return existing;
    myPrimGroups.push_back(std::make_unique<GB_PrimitiveGroup>(name));
    bumpChangeCount();
    return myPrimGroups.back().get();
}

bool
GB_Detail::primitiveChosen(int prim, const GB_PrimitiveGroup *group,
                           const GU_PrimGroupClosure *closure) const
{
    if (group && !group->contains(prim))
        return false;
    return !closure || closure->includes(prim);
}

bool
GB_Detail::markBoundedPoints(std::vector<unsigned char> &marks,
                             const GB_PrimitiveGroup *group,
                             const GU_PrimGroupClosure *closure,
                             bool used_points_only) const
{
    bool restricted = group || (closure && closure->isValid());
    // Points alone (a point cloud) are all the shape there is.
    if (!restricted && (!used_points_only || allPointsUsed() || getNumPrimitives() == 0))
        return false;

    // Points that no primitive uses stay marked unless used_points_only.
    int npoints = getNumPoints();
    marks.assign(size_t(npoints), used_points_only ? 0 : 1);
    if (!used_points_only)
        for (int v : myVertexPoints)
            marks[v] = 0;

    int nprims = getNumPrimitives();
    for (int prim = 0; prim < nprims; ++prim)
    {
        if (!primitiveChosen(prim, group, closure))
            continue;
        for (int v = myPrimStarts[prim]; v < myPrimStarts[prim + 1]; ++v)
            marks[myVertexPoints[v]] = 1;
    }
    return true;
}

namespace
{
// Grows [lo, hi] by the points (only the marked ones when MARKED; moved by
// the row-major matrix m first when XFORM). One loop per case keeps the
// plain case a tight run of min and max over the position array.
template <bool MARKED, bool XFORM>
bool
growBounds(const float *pos, int npoints, const unsigned char *marks,
           const float *m, float lo[3], float hi[3])
{
    float x0 = lo[0], y0 = lo[1], z0 = lo[2];
    float x1 = hi[0], y1 = hi[1], z1 = hi[2];
    bool found = false;
    for (int pt = 0; pt < npoints; ++pt, pos += 3)
    {
        if (MARKED && !marks[pt])
            continue;
        float x = pos[0], y = pos[1], z = pos[2];
        if (XFORM)
        {
            float w = x * m[3] + y * m[7] + z * m[11] + m[15];
            if (w == 0.0f)
                w = 1.0f;
            float tx = (x * m[0] + y * m[4] + z * m[8] + m[12]) / w;
            float ty = (x * m[1] + y * m[5] + z * m[9] + m[13]) / w;
            float tz = (x * m[2] + y * m[6] + z * m[10] + m[14]) / w;
            x = tx, y = ty, z = tz;
        }
        x0 = std::min(x0, x), x1 = std::max(x1, x);
        y0 = std::min(y0, y), y1 = std::max(y1, y);
        z0 = std::min(z0, z), z1 = std::max(z1, z);
        found = true;
    }
    lo[0] = x0, lo[1] = y0, lo[2] = z0;
    hi[0] = x1, hi[1] = y1, hi[2] = z1;
    return found;
}
}

bool
GB_Detail::allPointsUsed() const
{
    if (myAllPointsUsedAt == myChangeCount)
        return myAllPointsUsed;
    std::vector<unsigned char> used(size_t(getNumPoints()), 0);
    int count = 0;
    for (int v : myVertexPoints)
        if (!used[size_t(v)])
            used[size_t(v)] = 1, ++count;
    myAllPointsUsed = count == getNumPoints();
    myAllPointsUsedAt = myChangeCount;
    return myAllPointsUsed;
}

int
GB_Detail::boundPoints(UT_BoundingBox &box, const UT_Matrix4 *xform,
                       const GB_PrimitiveGroup *group,
                       const GU_PrimGroupClosure *closure,
                       bool used_points_only) const
{
    std::vector<unsigned char> marks;
    bool marked = markBoundedPoints(marks, group, closure, used_points_only);

    constexpr float big = std::numeric_limits<float>::max();
    float lo[3] = {big, big, big};
    float hi[3] = {-big, -big, -big};
    int npoints = getNumPoints();
    const float *pos = myPositions.data();
    const unsigned char *mark = marks.data();
    const float *m = xform ? xform->data() : nullptr;  // row-major 4x4
    bool found;
    if (marked)
        found = m ? growBounds<true, true>(pos, npoints, mark, m, lo, hi)
                  : growBounds<true, false>(pos, npoints, mark, m, lo, hi);
    else
        found = m ? growBounds<false, true>(pos, npoints, mark, m, lo, hi)
                  : growBounds<false, false>(pos, npoints, mark, m, lo, hi);
    if (!found)
        return 0;
    box.setBounds(lo[0], hi[0], lo[1], hi[1], lo[2], hi[2]);
    return 1;
}

int
GB_Detail::getBBox(UT_BoundingBox *box, const GB_PrimitiveGroup *group,
                   const GU_PrimGroupClosure *closure,
                   bool used_points_only) const
{
    if (!box)
        return 0;
    return boundPoints(*box, nullptr, group, closure, used_points_only);
}

int
GB_Detail::getBBox(UT_BoundingBox &box, const UT_Matrix4 &xform,
                   const GB_PrimitiveGroup *group,
                   const GU_PrimGroupClosure *closure,
                   bool used_points_only) const
{
    return boundPoints(box, &xform, group, closure, used_points_only);
}
