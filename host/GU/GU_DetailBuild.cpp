// The shape builders of GU_Detail.
#include "host/GU/GU_Detail.h"

#include <algorithm>
#include <cmath>

namespace
{
constexpr float thePi = 3.14159265358979323846f;

// Sets the vertex "uv" of corner k of a primitive.
void
setCornerUV(GB_Attribute *uv, const GB_Detail &gdp, int prim, int corner,
            float u, float v)
{
    int vertex = gdp.getPrimVertexOffset(prim) + corner;
    uv->setF(vertex, 0, u);
    uv->setF(vertex, 1, v);
}
}

void
GU_Detail::buildBox(const UT_Vector3 &size, const UT_Vector3 &center)
{
    // Corner c has x from bit 0, y from bit 1, z from bit 2.
    int first = appendPoints(8);
    for (int c = 0; c < 8; ++c)
    {
        UT_Vector3 p(c & 1 ? 0.5f : -0.5f, c & 2 ? 0.5f : -0.5f,
                     c & 4 ? 0.5f : -0.5f);
        p *= size;
        p += center;
        setPos(first + c, p);
    }

    GB_Attribute *normals = addFloatAttrib(GB_ATTRIB_VERTEX, "N", 3);
    GB_Attribute *uvs = addFloatAttrib(GB_ATTRIB_VERTEX, "uv", 2);
    // Each face spans the two axes after its own; walking (0,0) (1,0)
    // (1,1) (0,1) in those axes turns counter-clockwise about +axis, so the
    // face on the negative side walks the other way round.
    static const float corners[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    for (int axis = 0; axis < 3; ++axis)
    {
        int uaxis = (axis + 1) % 3, vaxis = (axis + 2) % 3;
        for (int side = 0; side < 2; ++side)
        {
            int points[4];
            float face_uv[4][2];
            for (int k = 0; k < 4; ++k)
            {
                int corner = side ? k : (4 - k) % 4;
                float u = corners[corner][0], v = corners[corner][1];
                points[k] = first + (side << axis) + (int(u) << uaxis) +
                            (int(v) << vaxis);
                face_uv[k][0] = side ? u : 1.0f - u;
                face_uv[k][1] = v;
            }
            int prim = appendPolygon(points, 4);
            float n[3] = {0.0f, 0.0f, 0.0f};
            n[axis] = side ? 1.0f : -1.0f;
            for (int k = 0; k < 4; ++k)
            {
                normals->setF(getPrimVertexOffset(prim) + k, n);
                setCornerUV(uvs, *this, prim, k, face_uv[k][0], face_uv[k][1]);
            }
        }
    }
}

void
GU_Detail::buildSphere(float radius, int rows, int cols,
                       const UT_Vector3 &center)
{
    rows = std::max(2, rows);
    cols = std::max(3, cols);
    // Points: the top pole, rows - 1 rings of cols points, the bottom pole.
    // Angles around y grow counter-clockwise seen from +y.
    int nrings = rows - 1;
    int top = appendPoints(2 + nrings * cols);
    int bottom = top + 1 + nrings * cols;
    auto ringPoint = [&](int ring, int col) {
        return top + 1 + ring * cols + col % cols;
    };

    GB_Attribute *normals = addFloatAttrib(GB_ATTRIB_POINT, "N", 3);
    auto place = [&](int point, const UT_Vector3 &dir) {
        setPos(point, center + dir * radius);
        normals->setF(point, dir.data());
    };
    place(top, UT_Vector3(0.0f, 1.0f, 0.0f));
    place(bottom, UT_Vector3(0.0f, -1.0f, 0.0f));
    for (int ring = 0; ring < nrings; ++ring)
    {
        float theta = thePi * float(ring + 1) / float(rows);
        for (int col = 0; col < cols; ++col)
        {
            float phi = 2.0f * thePi * float(col) / float(cols);
            place(ringPoint(ring, col),
                  UT_Vector3(std::sin(theta) * std::cos(phi), std::cos(theta),
                             -std::sin(theta) * std::sin(phi)));
        }
    }

    GB_Attribute *uvs = addFloatAttrib(GB_ATTRIB_VERTEX, "uv", 2);
    for (int col = 0; col < cols; ++col)
    {
        float u0 = float(col) / float(cols), u1 = float(col + 1) / float(cols);
        float umid = 0.5f * (u0 + u1);

        int cap[3] = {top, ringPoint(0, col), ringPoint(0, col + 1)};
        int prim = appendPolygon(cap, 3);
        float vring = 1.0f - 1.0f / float(rows);
        setCornerUV(uvs, *this, prim, 0, umid, 1.0f);
        setCornerUV(uvs, *this, prim, 1, u0, vring);
        setCornerUV(uvs, *this, prim, 2, u1, vring);

        for (int ring = 0; ring + 1 < nrings; ++ring)
        {
            int quad[4] = {ringPoint(ring, col), ringPoint(ring + 1, col),
                           ringPoint(ring + 1, col + 1), ringPoint(ring, col + 1)};
            prim = appendPolygon(quad, 4);
            float va = 1.0f - float(ring + 1) / float(rows);
            float vb = 1.0f - float(ring + 2) / float(rows);
            setCornerUV(uvs, *this, prim, 0, u0, va);
            setCornerUV(uvs, *this, prim, 1, u0, vb);
            setCornerUV(uvs, *this, prim, 2, u1, vb);
            setCornerUV(uvs, *this, prim, 3, u1, va);
        }

        int base[3] = {bottom, ringPoint(nrings - 1, col + 1),
                       ringPoint(nrings - 1, col)};
        prim = appendPolygon(base, 3);
        vring = 1.0f / float(rows);
        setCornerUV(uvs, *this, prim, 0, umid, 0.0f);
        setCornerUV(uvs, *this, prim, 1, u1, vring);
        setCornerUV(uvs, *this, prim, 2, u0, vring);
    }
}

void
GU_Detail::buildTorus(float ring_radius, float tube_radius, int rows,
                      int cols, const UT_Vector3 &center)
{
    rows = std::max(3, rows);
    cols = std::max(3, cols);
    int first = appendPoints(rows * cols);
    auto point = [&](int row, int col) {
        return first + (row % rows) * cols + col % cols;
    };

    GB_Attribute *normals = addFloatAttrib(GB_ATTRIB_POINT, "N", 3);
    for (int row = 0; row < rows; ++row)
    {
        float theta = 2.0f * thePi * float(row) / float(rows);
        for (int col = 0; col < cols; ++col)
        {
            float phi = 2.0f * thePi * float(col) / float(cols);
            UT_Vector3 n(std::cos(theta) * std::cos(phi), std::sin(theta),
                         -std::cos(theta) * std::sin(phi));
            UT_Vector3 ring(ring_radius * std::cos(phi), 0.0f,
                            -ring_radius * std::sin(phi));
            setPos(point(row, col), center + ring + n * tube_radius);
            normals->setF(point(row, col), n.data());
        }
    }

    GB_Attribute *uvs = addFloatAttrib(GB_ATTRIB_VERTEX, "uv", 2);
    for (int row = 0; row < rows; ++row)
    {
        float v0 = float(row) / float(rows), v1 = float(row + 1) / float(rows);
        for (int col = 0; col < cols; ++col)
        {
            float u0 = float(col) / float(cols), u1 = float(col + 1) / float(cols);
            int quad[4] = {point(row, col), point(row, col + 1),
                           point(row + 1, col + 1), point(row + 1, col)};
            int prim = appendPolygon(quad, 4);
            setCornerUV(uvs, *this, prim, 0, u0, v0);
            setCornerUV(uvs, *this, prim, 1, u1, v0);
            setCornerUV(uvs, *this, prim, 2, u1, v1);
            setCornerUV(uvs, *this, prim, 3, u0, v1);
        }
    }
}

void
GU_Detail::buildGrid(float size_x, float size_z, int rows, int cols,
                     const UT_Vector3 &center)
{
    rows = std::max(1, rows);
    cols = std::max(1, cols);
    int first = appendPoints((rows + 1) * (cols + 1));
    auto point = [&](int row, int col) { return first + row * (cols + 1) + col; };

    static const float up[3] = {0.0f, 1.0f, 0.0f};
    GB_Attribute *normals = addFloatAttrib(GB_ATTRIB_POINT, "N", 3);
    GB_Attribute *uvs = addFloatAttrib(GB_ATTRIB_POINT, "uv", 2);
    for (int row = 0; row <= rows; ++row)
    {
        float v = float(row) / float(rows);
        for (int col = 0; col <= cols; ++col)
        {
            float u = float(col) / float(cols);
            int pt = point(row, col);
            setPos(pt, center + UT_Vector3((u - 0.5f) * size_x, 0.0f,
                                           (0.5f - v) * size_z));
            normals->setF(pt, up);
            uvs->setF(pt, 0, u);
            uvs->setF(pt, 1, v);
        }
    }
    // Rows run toward -z so that u along +x and v along -z keep the
    // texture unmirrored seen from above.
    for (int row = 0; row < rows; ++row)
        for (int col = 0; col < cols; ++col)
        {
            int quad[4] = {point(row, col), point(row, col + 1),
                           point(row + 1, col + 1), point(row + 1, col)};
            appendPolygon(quad, 4);
        }
}
