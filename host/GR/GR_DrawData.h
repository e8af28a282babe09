#ifndef GR_DRAWDATA_H
#define GR_DRAWDATA_H

#include "host/GU/GB_Attribute.h"
#include "host/UT/UT_BoundingBox.h"

#include <vector>

class GU_Detail;

// What the geometry drawer derives from one geometry and keeps with it
// until its change counter moves: sound points, triangles per primitive,
// the unique edge list, normals and the flat-shading arrays. Each part is
// built the first time a draw needs it.
class GR_DrawData
{
public:
    // The data of gdp, rebuilt when its change counter moved since.
    static GR_DrawData &get(const GU_Detail &gdp);

    // Whether primitive prim can be drawn: every vertex names an existing
    // point with a finite position, and a polygon has 3 or more vertices
    // (a polyline 2).
    bool primOk(int prim) const { return myPrimOk[prim] != 0; }
    bool pointOk(int point) const { return myPointOk[point] != 0; }

    // Bounds of the sound points; false when there are none.
    bool getBox(UT_BoundingBox &box) const;

    // Three point indices per triangle, and three vertex indices; the
    // triangles of primitive p are [primTriStart(p), primTriStart(p + 1)).
    const std::vector<unsigned int> &triPoints();
    const std::vector<unsigned int> &triVertices();
    int primTriStart(int prim);

    // Every edge of the sound primitives once (two point indices each):
    // polygon sides, closing side included, and polyline segments.
    const std::vector<unsigned int> &edges();

    // Point normals computed from the polygons around each point.
    const std::vector<float> &computedPointNormals();
    // Per-vertex positions (three floats a vertex) for vertex normals.
    const std::vector<float> &vertexPositions();
    // Flat shading: three corners per triangle, each with the position and
    // its primitive's normal.
    const std::vector<float> &flatPositions();
    const std::vector<float> &flatNormals();
    // Smooth shading by a primitive normal attribute "N": the flat
    // corners, each with its primitive's "N" (flat shading keeps the
    // geometric normals). Empty when there is no such attribute.
    const std::vector<float> &primAttribCornerNormals();

    // Surface colours from the attribute "Cd" (three or more floats a
    // vertex or, when no vertex has one, a point), four floats (opaque)
    // each, clamped to [0, 1]; a value that is not a number shows white.
    // hasColors tells whether there are any; colorsOnVertices whether
    // they differ per vertex, so that point-indexed arrays cannot carry
    // them. pointColors is per point (empty when colorsOnVertices),
    // vertexColors per vertex, flatColors per flat corner.
    bool hasColors() const { return myColorOwner >= 0; }
    bool colorsOnVertices() const { return myColorOwner == GB_ATTRIB_VERTEX; }
    const std::vector<float> &pointColors();
    const std::vector<float> &vertexColors();
    const std::vector<float> &flatColors();

    // Lets go of every array derived above (the soundness flags and the box
    // stay); each is built again when next asked for.
    void releaseArrays();
    // Bytes the derived arrays hold now.
    size_t arrayBytes() const;

    // Edges of the primitives that pass keep (built per call, not kept).
    template <class Keep>
    std::vector<unsigned int> edgesOf(Keep keep) const;

private:
    explicit GR_DrawData(const GU_Detail &gdp);
    void buildTriangles();
    // The unit normal of a primitive (zero when it has no area).
    void primUnitNormal(int prim, float unit[3]) const;
    // The triangles of a sound closed primitive as corners of it (0 for its
    // first vertex), three a triangle; none for any other. corners is
    // scratch space.
    void triangulatePrim(int prim, std::vector<const float *> &corners,
                         std::vector<int> &local) const;
    void appendPrimEdges(int prim, std::vector<unsigned long long> &keys) const;
    static std::vector<unsigned int> uniqueEdges(std::vector<unsigned long long> &keys);

    const GU_Detail &myGdp;
    int myChangeCount;
    std::vector<unsigned char> myPointOk;
    std::vector<unsigned char> myPrimOk;
    UT_BoundingBox myBox;
    bool myBoxOk = false;

    bool myTrianglesBuilt = false;
    std::vector<unsigned int> myTriPoints;
    std::vector<int> myPrimTriStarts;
    bool myTriVerticesBuilt = false;
    std::vector<unsigned int> myTriVertices;

    bool myEdgesBuilt = false;
    std::vector<unsigned int> myEdges;
    bool myNormalsBuilt = false;
    std::vector<float> myPointNormals;
    bool myVertexPositionsBuilt = false;
    std::vector<float> myVertexPositions;
    bool myFlatBuilt = false;
    std::vector<float> myFlatPositions;
    std::vector<float> myFlatNormals;
    bool myPrimAttribNormalsBuilt = false;
    std::vector<float> myPrimAttribNormals;

    // GB_ATTRIB_VERTEX or GB_ATTRIB_POINT for the owner of "Cd", else -1.
    int myColorOwner = -1;
    bool myPointColorsBuilt = false;
    std::vector<float> myPointColors;
    bool myVertexColorsBuilt = false;
    std::vector<float> myVertexColors;
    bool myFlatColorsBuilt = false;
    std::vector<float> myFlatColors;
};

template <class Keep>
std::vector<unsigned int>
GR_DrawData::edgesOf(Keep keep) const
{
    std::vector<unsigned long long> keys;
    for (int prim = 0; prim < static_cast<int>(myPrimOk.size()); ++prim)
        if (myPrimOk[prim] && keep(prim))
            appendPrimEdges(prim, keys);
    return uniqueEdges(keys);
}

#endif
