#ifndef GR2D_UVARRAYS_H
#define GR2D_UVARRAYS_H

#include "host/GR/GR2D_AttributeType.h"

#include <algorithm>
#include <vector>

class GU_Detail;
class UT_BoundingBox;

// One geometry's texture coordinates laid out for drawing as arrays: a
// position (u, v, 0) per point or per vertex, as the attribute lives, and
// per primitive whether its uvs can be drawn (every corner names an
// element with finite u and v, and a polygon has 3 corners or more, a
// polyline 2). Built per draw from the attribute: uvs are cheap to lay out
// and change with the current layer.
class GR2D_UVArrays
{
public:
    // attribIndex is the attribute's index among the point (type 0) or
    // vertex (type 1) attributes; an index that names no float attribute
    // of two components or more gives arrays with no drawable primitive.
    GR2D_UVArrays(const GU_Detail &gdp, GR2D_AttributeType type, int attribIndex);

    bool isValid() const { return myValid; }
    const float *positions() const { return myPositions.data(); }
    int count() const { return static_cast<int>(myPositions.size() / 3); }

    bool primOk(int prim) const { return myPrimOk[prim] != 0; }
    // The array element of a vertex: its point or itself.
    unsigned int element(int vertex) const;

    // The sides of primitive prim as element pairs (closing side included
    // for polygons).
    void appendSides(int prim, std::vector<unsigned int> &out) const;
    // Every side of the primitives keep lets through, each once.
    template <class Keep>
    std::vector<unsigned int> sidesOf(Keep keep) const;
    // Triangles covering a closed primitive's uv outline, in its own
    // winding.
    void appendTriangles(int prim, std::vector<unsigned int> &out) const;
    // Twice the signed uv area of a closed primitive: negative when its
    // corners run clockwise in uv space (its uv winding is reversed).
    double signedArea(int prim) const;

    // Bounds of the drawable primitives' uvs; false when there are none.
    bool getBox(UT_BoundingBox &box) const;

private:
    const GU_Detail &myGdp;
    GR2D_AttributeType myType;
    bool myValid = false;
    std::vector<float> myPositions;
    std::vector<unsigned char> myPrimOk;
};

template <class Keep>
std::vector<unsigned int>
GR2D_UVArrays::sidesOf(Keep keep) const
{
    std::vector<unsigned int> sides;
    for (int prim = 0; prim < static_cast<int>(myPrimOk.size()); ++prim)
        if (myPrimOk[prim] && keep(prim))
            appendSides(prim, sides);
    // Shared sides of neighbouring polygons are drawn once: sort the
    // pairs, smaller element first, and drop repeats.
    std::vector<unsigned long long> keys;
    keys.reserve(sides.size() / 2);
    for (size_t i = 0; i + 1 < sides.size(); i += 2)
    {
        unsigned long long a = sides[i], b = sides[i + 1];
        if (a > b)
            std::swap(a, b);
        keys.push_back((a << 32) | b);
    }
    std::sort(keys.begin(), keys.end());
    keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
    sides.clear();
    for (unsigned long long k : keys)
    {
        sides.push_back(static_cast<unsigned int>(k >> 32));
        sides.push_back(static_cast<unsigned int>(k & 0xffffffffu));
    }
    return sides;
}

#endif
