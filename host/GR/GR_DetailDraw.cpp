#include "host/GR/GR_DetailDraw.h"

#include "host/GR/GR_DrawData.h"
#include "host/GU/GU_Detail.h"
#include "host/GU/GU_PrimGroupClosure.h"
#include "host/RE/RE_Render.h"

#include <algorithm>

namespace GR_DetailDraw
{
namespace
{
bool
chosen(int prim, const GU_PrimGroupClosure *hidden, const std::vector<unsigned char> *keep)
{
    if (hidden && !hidden->includes(prim))
        return false;
    return !keep || (prim < static_cast<int>(keep->size()) && (*keep)[prim]);
}

void
mark(std::vector<unsigned char> &marks, int index)
{
    if (index >= 0 && index < static_cast<int>(marks.size()))
        marks[index] = 1;
}

// Unit three-float normals from an attribute of any tuple size of 3 or
// more; null when the attribute cannot serve.
const float *
normalArray(const GB_Attribute *attrib, int elements, std::vector<float> &compact)
{
    if (!attrib || !attrib->isFloat() || attrib->getTupleSize() < 3 ||
        attrib->getNumElements() != elements)
        return nullptr;
    if (attrib->getTupleSize() == 3)
        return attrib->getFloatData();
    compact.resize(size_t(elements) * 3);
    for (int e = 0; e < elements; ++e)
        for (int c = 0; c < 3; ++c)
            compact[size_t(e) * 3 + c] = attrib->getF(e, c);
    return compact.data();
}
}

Selection
gatherSelection(const GU_Detail &gdp, int listInstance)
{
    Selection sel;
    sel.prims.assign(size_t(gdp.getNumPrimitives()), 0);
    sel.points.assign(size_t(gdp.getNumPoints()), 0);
    std::vector<const GU_Selection *> all;
    if (gdp.getSelection())
        all.push_back(gdp.getSelection());
    const GU_SelectionList &list = gdp.getSelectionList(listInstance);
    for (int i = 0; i < list.entries(); ++i)
        if (list(i))
            all.push_back(list(i));
    for (const GU_Selection *s : all)
    {
        switch (s->getType())
        {
        case GU_SELECT_PRIMITIVES:
            for (int p = 0; p < gdp.getNumPrimitives(); ++p)
                if (s->contains(p))
                    mark(sel.prims, p);
            break;
        case GU_SELECT_POINTS:
            for (int p = 0; p < gdp.getNumPoints(); ++p)
                if (s->contains(p))
                    mark(sel.points, p);
            break;
        case GU_SELECT_VERTICES:
            for (int v = 0; v < gdp.getNumVertices(); ++v)
                if (s->contains(v))
                    mark(sel.points, gdp.getVertexPoint(v));
            break;
        }
    }
    for (unsigned char m : sel.prims)
        sel.anyPrims = sel.anyPrims || m;
    for (unsigned char m : sel.points)
        sel.anyPoints = sel.anyPoints || m;
    return sel;
}

void
sendTriangles(RE_Render &r, const GU_Detail &gdp, GR_DrawData &data, bool smooth,
              const GU_PrimGroupClosure *hidden, const std::vector<unsigned char> *keep,
              bool colored)
{
    const int nprims = gdp.getNumPrimitives();
    const bool filtered = (hidden && hidden->isValid()) || keep;
    colored = colored && data.hasColors();
    std::vector<float> compact, spread;
    const float *positions = nullptr;
    const float *normals = nullptr;
    const float *colors = nullptr;
    int count = 0;
    const std::vector<unsigned int> *corners = nullptr;
    const float *vertexNormals = nullptr, *pointNormals = nullptr;
    if (smooth)
    {
        vertexNormals = normalArray(gdp.vertexAttribs().find("N", GB_ATTRIB_FLOAT),
                                    gdp.getNumVertices(), compact);
        if (!vertexNormals)
            pointNormals = normalArray(gdp.pointAttribs().find("N", GB_ATTRIB_FLOAT),
                                       gdp.getNumPoints(), compact);
    }
    const bool byPrimAttrib =
        smooth && !vertexNormals && !pointNormals && !data.primAttribCornerNormals().empty();
    if (!smooth || byPrimAttrib)
    {
        // One corner per triangle corner: the primitive's normal on each.
        positions = data.flatPositions().data();
        normals = byPrimAttrib ? data.primAttribCornerNormals().data()
                               : data.flatNormals().data();
        colors = colored ? data.flatColors().data() : nullptr;
        count = static_cast<int>(data.flatPositions().size() / 3);
    }
    else if (vertexNormals || (colored && data.colorsOnVertices()))
    {
        if (!vertexNormals)
        {
            // Colours that differ per vertex need vertex-indexed arrays:
            // the point normals go to each point's vertices.
            const float *byPoint = pointNormals ? pointNormals
                                                : data.computedPointNormals().data();
            const int *points = gdp.getVertexPoints();
            spread.assign(size_t(gdp.getNumVertices()) * 3, 0.0f);
            for (size_t v = 0; v < size_t(gdp.getNumVertices()); ++v)
                if (points[v] >= 0 && points[v] < gdp.getNumPoints())
                    std::copy_n(byPoint + size_t(points[v]) * 3, 3, &spread[v * 3]);
            vertexNormals = spread.data();
        }
        normals = vertexNormals;
        positions = data.vertexPositions().data();
        colors = colored ? data.vertexColors().data() : nullptr;
        count = gdp.getNumVertices();
        corners = &data.triVertices();
    }
    else
    {
        normals = pointNormals ? pointNormals : data.computedPointNormals().data();
        positions = gdp.getPositions();
        colors = colored ? data.pointColors().data() : nullptr;
        count = gdp.getNumPoints();
        corners = &data.triPoints();
    }
    if (count <= 0)
        return;
    if (!filtered)
    {
        if (!corners)
            r.drawArrays(RE_PRIM_TRIANGLES, positions, normals, colors, count);
        else if (!corners->empty())
            r.drawArrays(RE_PRIM_TRIANGLES, positions, normals, colors, count,
                         corners->data(), static_cast<int>(corners->size()));
        return;
    }
    std::vector<unsigned int> indices;
    for (int prim = 0; prim < nprims; ++prim)
    {
        if (!chosen(prim, hidden, keep))
            continue;
        for (int c = data.primTriStart(prim) * 3; c < data.primTriStart(prim + 1) * 3; ++c)
            indices.push_back(corners ? (*corners)[c] : static_cast<unsigned int>(c));
    }
    if (!indices.empty())
        r.drawArrays(RE_PRIM_TRIANGLES, positions, normals, colors, count, indices.data(),
                     static_cast<int>(indices.size()));
}

void
sendEdges(RE_Render &r, const GU_Detail &gdp, GR_DrawData &data,
          const GU_PrimGroupClosure *hidden, const std::vector<unsigned char> *keep)
{
    const bool filtered = (hidden && hidden->isValid()) || keep;
    std::vector<unsigned int> subset;
    if (filtered)
        subset = data.edgesOf([&](int prim) { return chosen(prim, hidden, keep); });
    const std::vector<unsigned int> &edges = filtered ? subset : data.edges();
    if (!edges.empty())
        r.drawArrays(RE_PRIM_LINES, gdp.getPositions(), nullptr, nullptr, gdp.getNumPoints(),
                     edges.data(), static_cast<int>(edges.size()));
}

void
sendPoints(RE_Render &r, const GU_Detail &gdp, GR_DrawData &data,
           const std::vector<unsigned char> *marks, bool colored)
{
    const float *colors =
        colored && data.hasColors() && !data.colorsOnVertices() ? data.pointColors().data()
                                                                : nullptr;
    std::vector<unsigned int> indices;
    for (int pt = 0; pt < gdp.getNumPoints(); ++pt)
        if (data.pointOk(pt) && (!marks || (pt < static_cast<int>(marks->size()) && (*marks)[pt])))
            indices.push_back(static_cast<unsigned int>(pt));
    if (!indices.empty())
        r.drawArrays(RE_PRIM_POINTS, gdp.getPositions(), nullptr, colors, gdp.getNumPoints(),
                     indices.data(), static_cast<int>(indices.size()));
}

void
sendBox(RE_Render &r, const float b[6], bool solid)
{
    // Corner i takes x from bit 0, y from bit 1, z from bit 2.
    float corners[8 * 3];
    for (int i = 0; i < 8; ++i)
    {
        corners[i * 3 + 0] = b[(i & 1) ? 1 : 0];
        corners[i * 3 + 1] = b[(i & 2) ? 3 : 2];
        corners[i * 3 + 2] = b[(i & 4) ? 5 : 4];
    }
    if (!solid)
    {
        static const unsigned int edges[24] = {0, 1, 2, 3, 4, 5, 6, 7, 0, 2, 1, 3,
                                               4, 6, 5, 7, 0, 4, 1, 5, 2, 6, 3, 7};
        r.drawArrays(RE_PRIM_LINES, corners, nullptr, nullptr, 8, edges, 24);
        return;
    }
    // Faces counter-clockwise seen from outside: -x, +x, -y, +y, -z, +z.
    static const int faces[6][4] = {{0, 4, 6, 2}, {1, 3, 7, 5}, {0, 1, 5, 4},
                                    {2, 6, 7, 3}, {0, 2, 3, 1}, {4, 5, 7, 6}};
    static const float normals[6][3] = {{-1, 0, 0}, {1, 0, 0}, {0, -1, 0},
                                        {0, 1, 0},  {0, 0, -1}, {0, 0, 1}};
    float pos[36 * 3], nrm[36 * 3];
    int at = 0;
    for (int f = 0; f < 6; ++f)
        for (int k : {0, 1, 2, 0, 2, 3})
        {
            for (int c = 0; c < 3; ++c)
            {
                pos[at * 3 + c] = corners[faces[f][k] * 3 + c];
                nrm[at * 3 + c] = normals[f][c];
            }
            ++at;
        }
    r.drawArrays(RE_PRIM_TRIANGLES, pos, nrm, nullptr, 36);
}

LightingOff::LightingOff(RE_Render &r) : myRender(r), myWasOn(r.isLighting())
{
    if (myWasOn)
        r.toggleLighting(0);
}

LightingOff::~LightingOff()
{
    if (myWasOn)
        myRender.toggleLighting(1);
}

FillBehindLines::FillBehindLines(RE_Render &r, bool on) : myRender(r), myOn(on)
{
    if (!on)
        return;
    myWasOn = r.isPolygonOffset();
    r.getOffsetAmount(myFactor, myUnits);
    r.polygonOffset(1);
    r.setOffsetAmount(1.0f, 1.0f);
}

FillBehindLines::~FillBehindLines()
{
    if (!myOn)
        return;
    myRender.setOffsetAmount(myFactor, myUnits);
    myRender.polygonOffset(myWasOn);
}
}
