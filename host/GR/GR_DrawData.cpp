#include "host/GR/GR_DrawData.h"

#include "host/GR/GR_Triangulate.h"
#include "host/GU/GU_Detail.h"

#include <algorithm>
#include <cmath>
#include <memory>

namespace
{
// The float attribute name of owner with three or more floats for each of
// its elements, or null.
const GB_Attribute *
tripleAttrib(const GU_Detail &gdp, GB_AttribOwner owner, const char *name, int elements)
{
    const GB_Attribute *a = gdp.attribs(owner).find(name, GB_ATTRIB_FLOAT);
    return a && a->getTupleSize() >= 3 && a->getNumElements() == elements && elements > 0
               ? a
               : nullptr;
}

// Four floats per element of a colour attribute: clamped, opaque.
void
rgbaOf(const GB_Attribute &cd, std::vector<float> &out)
{
    const int n = cd.getNumElements(), size = cd.getTupleSize();
    const float *c = cd.getFloatData();
    out.assign(size_t(n) * 4, 1.0f);
    for (size_t e = 0; e < size_t(n); ++e)
        for (size_t k = 0; k < 3; ++k)
        {
            const float v = c[e * size_t(size) + k];
            out[e * 4 + k] = std::isnan(v) ? 1.0f : std::min(1.0f, std::max(0.0f, v));
        }
}
} // namespace

GR_DrawData &
GR_DrawData::get(const GU_Detail &gdp)
{
    // Only the drawer keeps its data in this slot.
    std::shared_ptr<void> &slot = gdp.drawCache();
    GR_DrawData *data = static_cast<GR_DrawData *>(slot.get());
    if (!data || data->myChangeCount != gdp.getChangeCount())
    {
        std::shared_ptr<GR_DrawData> fresh(new GR_DrawData(gdp));
        data = fresh.get();
        slot = std::move(fresh);
    }
    return *data;
}

GR_DrawData::GR_DrawData(const GU_Detail &gdp)
    : myGdp(gdp), myChangeCount(gdp.getChangeCount())
{
    const int npoints = gdp.getNumPoints();
    const float *pos = gdp.getPositions();
    myPointOk.resize(static_cast<size_t>(npoints));
    myBox.initBounds();
    for (int pt = 0; pt < npoints; ++pt)
    {
        const float *p = pos + size_t(pt) * 3;
        const bool ok = std::isfinite(p[0]) && std::isfinite(p[1]) && std::isfinite(p[2]);
        myPointOk[pt] = ok;
        if (!ok)
            continue;
        if (!myBoxOk)
            myBox.initBounds(p[0], p[1], p[2]);
        else
            myBox.enlargeBounds(p[0], p[1], p[2]);
        myBoxOk = true;
    }
    const int nprims = gdp.getNumPrimitives();
    const int *starts = gdp.getPrimVertexOffsets();
    const int *points = gdp.getVertexPoints();
    myPrimOk.resize(static_cast<size_t>(nprims));
    for (int prim = 0; prim < nprims; ++prim)
    {
        const int first = starts[prim], last = starts[prim + 1];
        bool ok = last - first >= (gdp.isPrimClosed(prim) ? 3 : 2);
        for (int v = first; ok && v < last; ++v)
            ok = points[v] >= 0 && points[v] < npoints && myPointOk[points[v]];
        myPrimOk[prim] = ok;
    }
    if (tripleAttrib(gdp, GB_ATTRIB_VERTEX, "Cd", gdp.getNumVertices()))
        myColorOwner = GB_ATTRIB_VERTEX;
    else if (tripleAttrib(gdp, GB_ATTRIB_POINT, "Cd", npoints))
        myColorOwner = GB_ATTRIB_POINT;
}

bool
GR_DrawData::getBox(UT_BoundingBox &box) const
{
    if (myBoxOk)
        box = myBox;
    return myBoxOk;
}

void
GR_DrawData::primUnitNormal(int prim, float unit[3]) const
{
    const float *pos = myGdp.getPositions();
    const int *starts = myGdp.getPrimVertexOffsets();
    const int *points = myGdp.getVertexPoints();
    const int first = starts[prim], n = starts[prim + 1] - first;
    // Newell's normal: robust for concave and slightly bent polygons.
    double nrm[3] = {0.0, 0.0, 0.0};
    for (int i = 0; i < n; ++i)
    {
        const float *a = pos + size_t(points[first + i]) * 3;
        const float *b = pos + size_t(points[first + (i + 1) % n]) * 3;
        nrm[0] += (double(a[1]) - b[1]) * (double(a[2]) + b[2]);
        nrm[1] += (double(a[2]) - b[2]) * (double(a[0]) + b[0]);
        nrm[2] += (double(a[0]) - b[0]) * (double(a[1]) + b[1]);
    }
    const double len = std::sqrt(nrm[0] * nrm[0] + nrm[1] * nrm[1] + nrm[2] * nrm[2]);
    for (int c = 0; c < 3; ++c)
        unit[c] = len > 0.0 ? static_cast<float>(nrm[c] / len) : 0.0f;
}

void
GR_DrawData::triangulatePrim(int prim, std::vector<const float *> &corners,
                             std::vector<int> &local) const
{
    local.clear();
    if (!myPrimOk[prim] || !myGdp.isPrimClosed(prim))
        return;
    const float *pos = myGdp.getPositions();
    const int *starts = myGdp.getPrimVertexOffsets();
    const int *points = myGdp.getVertexPoints();
    const int first = starts[prim], n = starts[prim + 1] - first;
    corners.resize(size_t(n));
    for (int i = 0; i < n; ++i)
        corners[i] = pos + size_t(points[first + i]) * 3;
    if (n == 3)
    {
        local = {0, 1, 2};
        return;
    }
    float unit[3];
    primUnitNormal(prim, unit);
    if (n == 4)
    {
        // The builders' quads are convex: a fan, unless a corner is
        // reflex, which ear clipping handles.
        bool convex = true;
        for (int i = 0; i < n && convex; ++i)
        {
            const float *a = corners[(i + n - 1) % n], *b = corners[i],
                        *c = corners[(i + 1) % n];
            const float e1[3] = {b[0] - a[0], b[1] - a[1], b[2] - a[2]};
            const float e2[3] = {c[0] - b[0], c[1] - b[1], c[2] - b[2]};
            const float cz = (e1[1] * e2[2] - e1[2] * e2[1]) * unit[0] +
                             (e1[2] * e2[0] - e1[0] * e2[2]) * unit[1] +
                             (e1[0] * e2[1] - e1[1] * e2[0]) * unit[2];
            convex = cz >= 0.0f;
        }
        if (convex)
            local = {0, 1, 2, 0, 2, 3};
    }
    if (local.empty())
        GRtriangulatePolygon(corners.data(), n, unit, local);
}

void
GR_DrawData::buildTriangles()
{
    myTrianglesBuilt = true;
    const int nprims = myGdp.getNumPrimitives();
    const int *starts = myGdp.getPrimVertexOffsets();
    const int *points = myGdp.getVertexPoints();
    // At most n - 2 triangles a polygon: sized once, where growing would
    // hold the old and the new array at once.
    size_t most = 0;
    for (int prim = 0; prim < nprims; ++prim)
        if (myPrimOk[prim] && myGdp.isPrimClosed(prim))
            most += size_t(starts[prim + 1] - starts[prim] - 2) * 3;
    myTriPoints.reserve(most);
    myPrimTriStarts.assign(size_t(nprims) + 1, 0);
    std::vector<const float *> corners;
    std::vector<int> local;
    for (int prim = 0; prim < nprims; ++prim)
    {
        myPrimTriStarts[prim] = static_cast<int>(myTriPoints.size() / 3);
        triangulatePrim(prim, corners, local);
        for (int corner : local)
            myTriPoints.push_back(static_cast<unsigned int>(points[starts[prim] + corner]));
    }
    myPrimTriStarts[nprims] = static_cast<int>(myTriPoints.size() / 3);
}

const std::vector<unsigned int> &
GR_DrawData::triPoints()
{
    if (!myTrianglesBuilt)
        buildTriangles();
    return myTriPoints;
}

const std::vector<unsigned int> &
GR_DrawData::triVertices()
{
    if (myTriVerticesBuilt)
        return myTriVertices;
    myTriVerticesBuilt = true;
    if (!myTrianglesBuilt)
        buildTriangles();
    // Triangulated again rather than kept from the first time: most draws
    // index points only, and a mesh of a million triangles would hold 12 MB
    // more.
    const int nprims = myGdp.getNumPrimitives();
    const int *starts = myGdp.getPrimVertexOffsets();
    myTriVertices.reserve(myTriPoints.size());
    std::vector<const float *> corners;
    std::vector<int> local;
    for (int prim = 0; prim < nprims; ++prim)
    {
        if (myPrimTriStarts[prim] == myPrimTriStarts[prim + 1])
            continue;
        triangulatePrim(prim, corners, local);
        for (int corner : local)
            myTriVertices.push_back(static_cast<unsigned int>(starts[prim] + corner));
    }
    return myTriVertices;
}

int
GR_DrawData::primTriStart(int prim)
{
    if (!myTrianglesBuilt)
        buildTriangles();
    return myPrimTriStarts[prim];
}

void
GR_DrawData::appendPrimEdges(int prim, std::vector<unsigned long long> &keys) const
{
    const int *starts = myGdp.getPrimVertexOffsets();
    const int *points = myGdp.getVertexPoints();
    const int first = starts[prim], last = starts[prim + 1];
    const bool closed = myGdp.isPrimClosed(prim);
    for (int v = first; v < last; ++v)
    {
        if (v + 1 == last && !closed)
            break;
        unsigned long long a = static_cast<unsigned int>(points[v]);
        unsigned long long b = static_cast<unsigned int>(points[v + 1 < last ? v + 1 : first]);
        if (a == b)
            continue;
        if (a > b)
            std::swap(a, b);
        keys.push_back((a << 32) | b);
    }
}

std::vector<unsigned int>
GR_DrawData::uniqueEdges(std::vector<unsigned long long> &keys)
{
    std::sort(keys.begin(), keys.end());
    keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
    std::vector<unsigned int> out;
    out.reserve(keys.size() * 2);
    for (unsigned long long k : keys)
    {
        out.push_back(static_cast<unsigned int>(k >> 32));
        out.push_back(static_cast<unsigned int>(k & 0xffffffffu));
    }
    return out;
}

const std::vector<unsigned int> &
GR_DrawData::edges()
{
    if (!myEdgesBuilt)
    {
        myEdgesBuilt = true;
        myEdges = edgesOf([](int) { return true; });
    }
    return myEdges;
}

const std::vector<float> &
GR_DrawData::computedPointNormals()
{
    if (myNormalsBuilt)
        return myPointNormals;
    myNormalsBuilt = true;
    if (!myTrianglesBuilt)
        buildTriangles();
    const int npoints = myGdp.getNumPoints();
    const float *pos = myGdp.getPositions();
    myPointNormals.assign(size_t(npoints) * 3, 0.0f);
    // Each triangle adds its area vector to its corners: larger faces
    // weigh more, and a polygon's share is its area however it was split.
    for (size_t t = 0; t + 2 < myTriPoints.size(); t += 3)
    {
        const float *a = pos + size_t(myTriPoints[t]) * 3;
        const float *b = pos + size_t(myTriPoints[t + 1]) * 3;
        const float *c = pos + size_t(myTriPoints[t + 2]) * 3;
        const float e1[3] = {b[0] - a[0], b[1] - a[1], b[2] - a[2]};
        const float e2[3] = {c[0] - a[0], c[1] - a[1], c[2] - a[2]};
        const float n[3] = {e1[1] * e2[2] - e1[2] * e2[1], e1[2] * e2[0] - e1[0] * e2[2],
                            e1[0] * e2[1] - e1[1] * e2[0]};
        for (int k = 0; k < 3; ++k)
            for (int c3 = 0; c3 < 3; ++c3)
                myPointNormals[size_t(myTriPoints[t + k]) * 3 + c3] += n[c3];
    }
    for (int pt = 0; pt < npoints; ++pt)
    {
        float *n = &myPointNormals[size_t(pt) * 3];
        const float len = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
        for (int c = 0; c < 3; ++c)
            n[c] = len > 0.0f && std::isfinite(len) ? n[c] / len : 0.0f;
    }
    return myPointNormals;
}

const std::vector<float> &
GR_DrawData::vertexPositions()
{
    if (myVertexPositionsBuilt)
        return myVertexPositions;
    myVertexPositionsBuilt = true;
    const int nverts = myGdp.getNumVertices(), npoints = myGdp.getNumPoints();
    const int *points = myGdp.getVertexPoints();
    const float *pos = myGdp.getPositions();
    myVertexPositions.assign(size_t(nverts) * 3, 0.0f);
    for (int v = 0; v < nverts; ++v)
        if (points[v] >= 0 && points[v] < npoints)
            std::copy(pos + size_t(points[v]) * 3, pos + size_t(points[v]) * 3 + 3,
                      &myVertexPositions[size_t(v) * 3]);
    return myVertexPositions;
}

const std::vector<float> &
GR_DrawData::flatPositions()
{
    if (!myFlatBuilt)
        flatNormals();
    return myFlatPositions;
}

const std::vector<float> &
GR_DrawData::flatNormals()
{
    if (myFlatBuilt)
        return myFlatNormals;
    myFlatBuilt = true;
    if (!myTrianglesBuilt)
        buildTriangles();
    const float *pos = myGdp.getPositions();
    myFlatPositions.resize(myTriPoints.size() * 3);
    myFlatNormals.resize(myTriPoints.size() * 3);
    const int nprims = myGdp.getNumPrimitives();
    for (int prim = 0; prim < nprims; ++prim)
    {
        if (myPrimTriStarts[prim] == myPrimTriStarts[prim + 1])
            continue;
        float unit[3];
        primUnitNormal(prim, unit);
        for (int t = myPrimTriStarts[prim]; t < myPrimTriStarts[prim + 1]; ++t)
            for (int k = 0; k < 3; ++k)
            {
                const size_t corner = size_t(t) * 3 + k;
                const float *p = pos + size_t(myTriPoints[corner]) * 3;
                std::copy(p, p + 3, &myFlatPositions[corner * 3]);
                std::copy(unit, unit + 3, &myFlatNormals[corner * 3]);
            }
    }
    return myFlatNormals;
}

const std::vector<float> &
GR_DrawData::primAttribCornerNormals()
{
    if (myPrimAttribNormalsBuilt)
        return myPrimAttribNormals;
    myPrimAttribNormalsBuilt = true;
    const GB_Attribute *n =
        tripleAttrib(myGdp, GB_ATTRIB_PRIMITIVE, "N", myGdp.getNumPrimitives());
    if (!n)
        return myPrimAttribNormals;
    if (!myTrianglesBuilt)
        buildTriangles();
    myPrimAttribNormals.resize(myTriPoints.size() * 3);
    for (int prim = 0; prim < myGdp.getNumPrimitives(); ++prim)
        for (int c = myPrimTriStarts[prim] * 3; c < myPrimTriStarts[prim + 1] * 3; ++c)
            for (int k = 0; k < 3; ++k)
                myPrimAttribNormals[size_t(c) * 3 + size_t(k)] = n->getF(prim, k);
    return myPrimAttribNormals;
}

const std::vector<float> &
GR_DrawData::pointColors()
{
    if (!myPointColorsBuilt && myColorOwner == GB_ATTRIB_POINT)
        rgbaOf(*myGdp.pointAttribs().find("Cd", GB_ATTRIB_FLOAT), myPointColors);
    myPointColorsBuilt = true;
    return myPointColors;
}

const std::vector<float> &
GR_DrawData::vertexColors()
{
    if (myVertexColorsBuilt)
        return myVertexColors;
    myVertexColorsBuilt = true;
    if (myColorOwner == GB_ATTRIB_VERTEX)
        rgbaOf(*myGdp.vertexAttribs().find("Cd", GB_ATTRIB_FLOAT), myVertexColors);
    else if (myColorOwner == GB_ATTRIB_POINT)
    {
        const std::vector<float> &byPoint = pointColors();
        const int nverts = myGdp.getNumVertices(), npoints = myGdp.getNumPoints();
        const int *points = myGdp.getVertexPoints();
        myVertexColors.assign(size_t(nverts) * 4, 1.0f);
        for (int v = 0; v < nverts; ++v)
            if (points[v] >= 0 && points[v] < npoints)
                std::copy_n(&byPoint[size_t(points[v]) * 4], 4, &myVertexColors[size_t(v) * 4]);
    }
    return myVertexColors;
}

const std::vector<float> &
GR_DrawData::flatColors()
{
    if (myFlatColorsBuilt)
        return myFlatColors;
    myFlatColorsBuilt = true;
    if (!hasColors())
        return myFlatColors;
    const std::vector<float> &byVertex = vertexColors();
    const std::vector<unsigned int> &corners = triVertices();
    myFlatColors.resize(corners.size() * 4);
    for (size_t c = 0; c < corners.size(); ++c)
        std::copy_n(&byVertex[size_t(corners[c]) * 4], 4, &myFlatColors[c * 4]);
    return myFlatColors;
}

namespace
{
template <typename T>
void
freeVector(std::vector<T> &v)
{
    std::vector<T>().swap(v);
}
} // namespace

void
GR_DrawData::releaseArrays()
{
    myTrianglesBuilt = myTriVerticesBuilt = myEdgesBuilt = myNormalsBuilt = false;
    myVertexPositionsBuilt = false;
    myFlatBuilt = myPrimAttribNormalsBuilt = false;
    myPointColorsBuilt = myVertexColorsBuilt = myFlatColorsBuilt = false;
    freeVector(myTriPoints);
    freeVector(myTriVertices);
    freeVector(myPrimTriStarts);
    freeVector(myEdges);
    freeVector(myPointNormals);
    freeVector(myVertexPositions);
    freeVector(myFlatPositions);
    freeVector(myFlatNormals);
    freeVector(myPrimAttribNormals);
    freeVector(myPointColors);
    freeVector(myVertexColors);
    freeVector(myFlatColors);
}

size_t
GR_DrawData::arrayBytes() const
{
    const size_t ints = myTriPoints.capacity() + myTriVertices.capacity() +
                        myPrimTriStarts.capacity() + myEdges.capacity();
    const size_t floats = myPointNormals.capacity() +
                          myVertexPositions.capacity() + myFlatPositions.capacity() +
                          myFlatNormals.capacity() + myPrimAttribNormals.capacity() +
                          myPointColors.capacity() + myVertexColors.capacity() +
                          myFlatColors.capacity();
    return ints * sizeof(unsigned int) + floats * sizeof(float);
}
