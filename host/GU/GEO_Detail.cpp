#include "host/GU/GEO_Detail.h"

#include "host/UT/UT_BoundingBox.h"

#include <algorithm>
#include <cmath>

GEO_Detail::GEO_Detail()
    : myLayerMerges(1)
{
}

GEO_Detail::~GEO_Detail() = default;

void
GEO_Detail::clearAndDestroy()
{
    GB_Detail::clearAndDestroy();
    myLayerMerges.assign(1, GEO_LayerMerge());
    myCurrentLayer = 1;
}

void
GEO_Detail::setNumLayers(int count)
{
    count = std::max(1, count);
    if (count == getNumLayers())
        return;
    myLayerMerges.resize(size_t(count), GEO_OVERLAY_LAYER_MERGE);
    myCurrentLayer = std::min(myCurrentLayer, count);
    bumpChangeCount();
}

void
GEO_Detail::setCurrentLayer(int layer)
{
    myCurrentLayer = std::clamp(layer, 1, getNumLayers());
}

void
GEO_Detail::getLayerMerge(int &clear, int &mask, int &src_factor,
                          int &dst_factor) const
{
    const GEO_LayerMerge &merge = myLayerMerges[size_t(myCurrentLayer - 1)];
    clear = merge.clear;
    mask = merge.mask;
    src_factor = merge.srcFactor;
    dst_factor = merge.dstFactor;
}

void
GEO_Detail::setLayerMerge(int layer, const GEO_LayerMerge &merge)
{
    if (layer < 1 || layer > getNumLayers())
        return;
    myLayerMerges[size_t(layer - 1)] = merge;
    bumpChangeCount();
}

std::string
GEO_Detail::textureAttribName(int layer)
{
    if (layer <= 1)
        return "uv";
    return "uv" + std::to_string(layer);
}

int
GEO_Detail::findTextureAttribute(GB_AttribOwner owner) const
{
    if (owner != GB_ATTRIB_POINT && owner != GB_ATTRIB_VERTEX)
        return -1;
    const GB_AttributeDict &dict = attribs(owner);
    int index = dict.findIndex(textureAttribName(myCurrentLayer).c_str(),
                               GB_ATTRIB_FLOAT);
    const GB_Attribute *attrib = dict.get(index);
    if (!attrib || attrib->getTupleSize() < 2)
        return -1;
    return index;
}

int
GEO_Detail::attribBBox(const GB_Attribute *attrib, UT_BoundingBox *box,
                       const std::vector<unsigned char> *marks) const
{
    if (!attrib || !box || !attrib->isFloat())
        return 0;
    UT_BoundingBox bounds;  // empty until an element enlarges it
    int size = attrib->getTupleSize();
    int n = attrib->getNumElements();
    const float *data = attrib->getFloatData();
    bool found = false;
    for (int i = 0; i < n; ++i, data += size)
    {
        if (marks && !(*marks)[size_t(i)])
            continue;
        bounds.enlargeBounds(data[0], size > 1 ? data[1] : 0.0f,
                             size > 2 ? data[2] : 0.0f);
        found = true;
    }
    if (!found)
        return 0;
    *box = bounds;
    return 1;
}

int
GEO_Detail::getPointAttribBBox(const char *name, UT_BoundingBox *box,
                               const GB_PointGroup *group) const
{
    const GB_Attribute *attrib = pointAttribs().find(name, GB_ATTRIB_FLOAT);
    if (!group)
        return attribBBox(attrib, box, nullptr);
    std::vector<unsigned char> marks(size_t(getNumPoints()), 0);
    for (int pt = 0; pt < getNumPoints(); ++pt)
        marks[size_t(pt)] = group->contains(pt);
    return attribBBox(attrib, box, &marks);
}

int
GEO_Detail::getPointAttribBBox(const char *name, UT_BoundingBox *box,
                               const GB_PrimitiveGroup &group) const
{
    const GB_Attribute *attrib = pointAttribs().find(name, GB_ATTRIB_FLOAT);
    std::vector<unsigned char> marks;
    markBoundedPoints(marks, &group, nullptr, true);
    return attribBBox(attrib, box, &marks);
}

int
GEO_Detail::getVertexAttribBBox(const char *name, UT_BoundingBox *box,
                                const GB_PointGroup *group) const
{
    const GB_Attribute *attrib = vertexAttribs().find(name, GB_ATTRIB_FLOAT);
    if (!group)
        return attribBBox(attrib, box, nullptr);
    std::vector<unsigned char> marks(size_t(getNumVertices()), 0);
    const int *points = getVertexPoints();
    for (int v = 0; v < getNumVertices(); ++v)
        marks[size_t(v)] = group->contains(points[v]);
    return attribBBox(attrib, box, &marks);
}

int
GEO_Detail::getVertexAttribBBox(const char *name, UT_BoundingBox *box,
                                const GB_PrimitiveGroup &group) const
{
    const GB_Attribute *attrib = vertexAttribs().find(name, GB_ATTRIB_FLOAT);
    std::vector<unsigned char> marks(size_t(getNumVertices()), 0);
    const int *starts = getPrimVertexOffsets();
    for (int prim = 0; prim < getNumPrimitives(); ++prim)
        if (group.contains(prim))
            std::fill(marks.begin() + starts[prim],
                      marks.begin() + starts[prim + 1], 1);
    return attribBBox(attrib, box, &marks);
}

void
GEO_Detail::computePointNormals()
{
    int npoints = getNumPoints();
    std::vector<float> sums(size_t(npoints) * 3, 0.0f);
    const float *pos = getPositions();
    const int *starts = getPrimVertexOffsets();
    const int *points = getVertexPoints();
    for (int prim = 0; prim < getNumPrimitives(); ++prim)
    {
        if (!isPrimClosed(prim))
            continue;
        // Newell's method: the sum of edge cross terms is twice the area
        // vector, so larger polygons weigh more.
        float n[3] = {0.0f, 0.0f, 0.0f};
        int first = starts[prim], last = starts[prim + 1];
        for (int v = first; v < last; ++v)
        {
            const float *a = pos + size_t(points[v]) * 3;
            const float *b = pos + size_t(points[v + 1 < last ? v + 1 : first]) * 3;
            n[0] += (a[1] - b[1]) * (a[2] + b[2]);
            n[1] += (a[2] - b[2]) * (a[0] + b[0]);
            n[2] += (a[0] - b[0]) * (a[1] + b[1]);
        }
        for (int v = first; v < last; ++v)
            for (int c = 0; c < 3; ++c)
                sums[size_t(points[v]) * 3 + c] += n[c];
    }
    GB_Attribute *normals = addFloatAttrib(GB_ATTRIB_POINT, "N", 3);
    float *out = normals->getFloatData();
    for (int pt = 0; pt < npoints; ++pt)
    {
        float *n = &sums[size_t(pt) * 3];
        float len = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
        for (int c = 0; c < 3; ++c)
            out[size_t(pt) * 3 + c] = len > 0.0f ? n[c] / len : 0.0f;
    }
}
