#include "host/GR/GR2D_UVArrays.h"

#include "host/GR/GR_Triangulate.h"
#include "host/GU/GU_Detail.h"
#include "host/UT/UT_BoundingBox.h"

#include <cmath>

GR2D_UVArrays::GR2D_UVArrays(const GU_Detail &gdp, GR2D_AttributeType type, int attribIndex)
    : myGdp(gdp), myType(type)
{
    const int nprims = gdp.getNumPrimitives();
    myPrimOk.assign(size_t(nprims), 0);
    const GB_AttribOwner owner = type == GR2D_VERTEX_ATTRIB ? GB_ATTRIB_VERTEX : GB_ATTRIB_POINT;
    const GB_Attribute *uv = attribIndex >= 0 ? gdp.attribs(owner).get(attribIndex) : nullptr;
    const int elements = type == GR2D_VERTEX_ATTRIB ? gdp.getNumVertices() : gdp.getNumPoints();
    if (!uv || !uv->isFloat() || uv->getTupleSize() < 2 || uv->getNumElements() != elements)
        return;
    myValid = true;

    myPositions.assign(size_t(elements) * 3, 0.0f);
    std::vector<unsigned char> sound(size_t(elements), 0);
    for (int e = 0; e < elements; ++e)
    {
        const float u = uv->getF(e, 0), v = uv->getF(e, 1);
        myPositions[size_t(e) * 3] = u;
        myPositions[size_t(e) * 3 + 1] = v;
        sound[e] = std::isfinite(u) && std::isfinite(v);
    }

    const int *starts = gdp.getPrimVertexOffsets();
    const int npoints = gdp.getNumPoints();
    for (int prim = 0; prim < nprims; ++prim)
    {
        const int first = starts[prim], last = starts[prim + 1];
        bool ok = last - first >= (gdp.isPrimClosed(prim) ? 3 : 2);
        for (int v = first; ok && v < last; ++v)
        {
            const int pt = gdp.getVertexPoint(v);
            ok = pt >= 0 && pt < npoints && sound[element(v)];
        }
        myPrimOk[prim] = ok;
    }
}

unsigned int
GR2D_UVArrays::element(int vertex) const
{
    return static_cast<unsigned int>(myType == GR2D_VERTEX_ATTRIB ? vertex
                                                                  : myGdp.getVertexPoint(vertex));
}

void
GR2D_UVArrays::appendSides(int prim, std::vector<unsigned int> &out) const
{
    const int first = myGdp.getPrimVertexOffset(prim);
    const int last = first + myGdp.getPrimVertexCount(prim);
    const bool closed = myGdp.isPrimClosed(prim);
    for (int v = first; v < last; ++v)
    {
        if (v + 1 == last && !closed)
            break;
        const unsigned int a = element(v), b = element(v + 1 < last ? v + 1 : first);
        if (a == b)
            continue;
        out.push_back(a);
        out.push_back(b);
    }
}

double
GR2D_UVArrays::signedArea(int prim) const
{
    const int first = myGdp.getPrimVertexOffset(prim);
    const int n = myGdp.getPrimVertexCount(prim);
    double sum = 0.0;
    for (int i = 0; i < n; ++i)
    {
        const float *a = &myPositions[size_t(element(first + i)) * 3];
        const float *b = &myPositions[size_t(element(first + (i + 1) % n)) * 3];
        sum += double(a[0]) * b[1] - double(b[0]) * a[1];
    }
    return sum;
}

void
GR2D_UVArrays::appendTriangles(int prim, std::vector<unsigned int> &out) const
{
    if (!myGdp.isPrimClosed(prim))
        return;
    const int first = myGdp.getPrimVertexOffset(prim);
    const int n = myGdp.getPrimVertexCount(prim);
    if (n == 3)
    {
        for (int i = 0; i < 3; ++i)
            out.push_back(element(first + i));
        return;
    }
    std::vector<const float *> corners(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i)
        corners[i] = &myPositions[size_t(element(first + i)) * 3];
    // The uv plane's normal on the side the polygon winds toward, so that
    // ear clipping keeps the polygon's own winding.
    const float normal[3] = {0.0f, 0.0f, signedArea(prim) < 0.0 ? -1.0f : 1.0f};
    std::vector<int> local;
    GRtriangulatePolygon(corners.data(), n, normal, local);
    for (int corner : local)
        out.push_back(element(first + corner));
}

bool
GR2D_UVArrays::getBox(UT_BoundingBox &box) const
{
    bool found = false;
    for (int prim = 0; prim < static_cast<int>(myPrimOk.size()); ++prim)
    {
        if (!myPrimOk[prim])
            continue;
        const int first = myGdp.getPrimVertexOffset(prim);
        const int last = first + myGdp.getPrimVertexCount(prim);
        for (int v = first; v < last; ++v)
        {
            const float *p = &myPositions[size_t(element(v)) * 3];
            if (!found)
                box.initBounds(p[0], p[1], p[2]);
            else
                box.enlargeBounds(p[0], p[1], p[2]);
            found = true;
        }
    }
    return found;
}
