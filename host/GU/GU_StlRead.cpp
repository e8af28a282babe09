// STL files, text or binary: each facet becomes a triangle (a text facet
// may have more corners, becoming a polygon). STL repeats every corner per
// facet; corners at exactly the same position are merged into one point so
// that the edges shared by facets are shared in the store too, and drawn
// once. The facet normal goes on the facet as the primitive attribute "N":
// one normal a facet rather than one a corner, which the drawer's smooth
// shading puts on every corner, so facets stay flat.
#include "host/GU/GU_Detail.h"
#include "host/GU/GU_MeshRead.h"

#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

namespace
{
const size_t theMaxWord = 256;
const size_t theMaxCorners = 1 << 16;

// Points by exact position: an open-addressed table of point numbers whose
// positions are looked up in the store itself.
class PointMerger
{
public:
    explicit PointMerger(GU_Detail &gdp) : myGdp(gdp), mySlots(1024, -1) {}

    // The point at p, appended when there is none yet; -1 when the store
    // is full.
    int pointAt(float x, float y, float z)
    {
        // -0 and 0 are the same place.
        x += 0.0f;
        y += 0.0f;
        z += 0.0f;
        if (size_t(myGdp.getNumPoints()) * 2 >= mySlots.size())
            grow();
        const float *pos = myGdp.getPositions();
        const size_t mask = mySlots.size() - 1;
        for (size_t i = hash(x, y, z) & mask;; i = (i + 1) & mask)
        {
            const int pt = mySlots[i];
            if (pt < 0)
            {
                if (myGdp.getNumPoints() == std::numeric_limits<int>::max())
                    return -1;
                return mySlots[i] = myGdp.appendPoint(UT_Vector3(x, y, z));
            }
            const float *q = pos + size_t(pt) * 3;
            if (q[0] == x && q[1] == y && q[2] == z)
                return pt;
        }
    }

private:
    static size_t hash(float x, float y, float z)
    {
        uint32_t b[3];
        std::memcpy(&b[0], &x, 4);
        std::memcpy(&b[1], &y, 4);
        std::memcpy(&b[2], &z, 4);
        uint64_t h = 0x9E3779B97F4A7C15ull;
        for (uint32_t v : b)
            h = (h ^ v) * 0xFF51AFD7ED558CCDull;
        return size_t(h ^ (h >> 29));
    }

    void grow()
    {
        std::vector<int>(mySlots.size() * 2, -1).swap(mySlots);
        const float *pos = myGdp.getPositions();
        const size_t mask = mySlots.size() - 1;
        for (int pt = 0; pt < myGdp.getNumPoints(); ++pt)
        {
            const float *q = pos + size_t(pt) * 3;
            size_t i = hash(q[0], q[1], q[2]) & mask;
            while (mySlots[i] >= 0)
                i = (i + 1) & mask;
            mySlots[i] = pt;
        }
    }

    GU_Detail &myGdp;
    std::vector<int> mySlots;
};

struct StlBuilder
{
    explicit StlBuilder(GU_Detail &into)
        : gdp(into), merger(into), normals(into.addFloatAttrib(GB_ATTRIB_PRIMITIVE, "N", 3))
    {
    }

    GU_Detail &gdp;
    PointMerger merger;
    GB_Attribute *normals;
    std::vector<int> points;
    std::vector<float> corners; // 3 per corner of the facet being read

    // Appends the facet with the corners gathered; false with why set when
    // the store cannot hold it.
    bool addFacet(const float normal[3], std::string &why)
    {
        const size_t n = corners.size() / 3;
        points.resize(n);
        for (size_t k = 0; k < n; ++k)
            if ((points[k] = merger.pointAt(corners[k * 3], corners[k * 3 + 1],
                                            corners[k * 3 + 2])) < 0)
            {
                why = "too many points";
                return false;
            }
        if (gdp.getNumVertices() > std::numeric_limits<int>::max() - int(n))
        {
            why = "too many facets";
            return false;
        }
        // Many writers leave the normal zero: the corners' winding gives it.
        float nn[3] = {normal[0], normal[1], normal[2]};
        float len = std::sqrt(nn[0] * nn[0] + nn[1] * nn[1] + nn[2] * nn[2]);
        if (!(len > 0.0f) && n >= 3)
        {
            const float *a = &corners[0], *b = &corners[3], *c = &corners[6];
            const float u[3] = {b[0] - a[0], b[1] - a[1], b[2] - a[2]};
            const float v[3] = {c[0] - a[0], c[1] - a[1], c[2] - a[2]};
            nn[0] = u[1] * v[2] - u[2] * v[1];
            nn[1] = u[2] * v[0] - u[0] * v[2];
            nn[2] = u[0] * v[1] - u[1] * v[0];
            len = std::sqrt(nn[0] * nn[0] + nn[1] * nn[1] + nn[2] * nn[2]);
        }
        if (len > 0.0f && std::isfinite(len))
            for (float &c : nn)
                c /= len;
        normals->setF(gdp.appendPrimitive(GB_PRIM_POLYGON, points.data(), int(n)), nn);
        return true;
    }
};

float
littleFloat(const unsigned char *b)
{
    const uint32_t bits = uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 |
                          uint32_t(b[3]) << 24;
    float f;
    std::memcpy(&f, &bits, 4);
    return f;
}

bool
readBinary(StlBuilder &stl, std::istream &in, long long size, std::string &why)
{
    GU_ByteSource src(in);
    unsigned char header[84];
    if (!src.read(header, sizeof(header)))
    {
        why = "the file is too short for a binary STL header";
        return false;
    }
    const unsigned long long count = header[80] | header[81] << 8 | header[82] << 16 |
                                     (unsigned long long)header[83] << 24;
    if (count == 0)
    {
        why = "the file holds no facets";
        return false;
    }
    if (size >= 0 && (unsigned long long)size < 84 + 50 * count)
    {
        why = "the header promises " + std::to_string(count) + " facets but the file holds " +
              std::to_string(size) + " bytes, not " + std::to_string(84 + 50 * count);
        return false;
    }
    if (count > (unsigned long long)std::numeric_limits<int>::max() / 3)
    {
        why = "too many facets";
        return false;
    }
    // The file's size has vouched for the count: room for every facet at
    // once, rather than arrays regrown to twice what they hold.
    if (size >= 0)
        stl.gdp.reservePrimitives(int(count), int(count) * 3);
    stl.corners.resize(9);
    unsigned char facet[50];
    for (unsigned long long f = 0; f < count; ++f)
    {
        if (!src.read(facet, sizeof(facet)))
        {
            why = "the file ends in facet " + std::to_string(f + 1) + " of " +
                  std::to_string(count);
            return false;
        }
        float normal[3];
        for (int i = 0; i < 12; ++i)
        {
            const float v = littleFloat(facet + i * 4);
            if (!std::isfinite(v))
            {
                why = "facet " + std::to_string(f + 1) + " has a coordinate that is not finite";
                return false;
            }
            (i < 3 ? normal[i] : stl.corners[size_t(i - 3)]) = v;
        }
        if (!stl.addFacet(normal, why))
            return false;
    }
    return true;
}

bool
readText(StlBuilder &stl, std::istream &in, std::string &why)
{
    GU_ByteSource src(in);
    std::string w;
    bool too_long = false;
    long long line = 1;
    auto fail = [&](const std::string &reason) {
        why = "line " + std::to_string(line) + ": " + reason;
        return false;
    };
    auto next = [&](std::string &out) {
        line = src.line();
        const bool got = src.word(out, theMaxWord, too_long);
        return got;
    };
    auto expect = [&](const char *keyword) {
        if (next(w) && w == keyword)
            return true;
        return fail(too_long ? std::string("a word is too long")
                             : std::string("expected \"") + keyword + "\"" +
                                   (w.empty() ? std::string(" but the file ends")
                                              : " but found \"" + w + "\""));
    };
    auto floats = [&](float *out, const char *what) {
        for (int i = 0; i < 3; ++i)
            if (!next(w) || !GUparseFloat(w, out[i]))
                return fail(std::string("a ") + what + " coordinate is not a finite number");
        return true;
    };

    bool in_solid = false;
    while (next(w))
    {
        if (w == "solid" || w == "endsolid")
        {
            // The solid's name runs to the end of the line.
            in_solid = w == "solid";
            src.skipLine();
            continue;
        }
        if (w != "facet" || !in_solid)
            return fail("expected \"facet\" in a solid but found \"" + w + "\"");
        float normal[3];
        if (!expect("normal") || !floats(normal, "normal") || !expect("outer") || !expect("loop"))
            return false;
        stl.corners.clear();
        while (next(w) && w == "vertex")
        {
            if (stl.corners.size() / 3 >= theMaxCorners)
                return fail("a facet has too many corners");
            float p[3];
            if (!floats(p, "vertex"))
                return false;
            stl.corners.insert(stl.corners.end(), p, p + 3);
        }
        if (w != "endloop")
            return fail(too_long ? "a word is too long" : "expected \"vertex\" or \"endloop\"");
        if (stl.corners.size() < 9)
            return fail("a facet has fewer than three corners");
        if (!expect("endfacet"))
            return false;
        if (!stl.addFacet(normal, why))
            return fail(why);
    }
    if (too_long)
        return fail("a word is too long");
    if (stl.gdp.getNumPrimitives() == 0)
    {
        why = "the file holds no facets";
        return false;
    }
    return true;
}
} // namespace

bool
GUreadStl(GU_Detail &gdp, std::istream &in, long long size, bool binary, std::string &why)
{
    StlBuilder stl(gdp);
    return binary ? readBinary(stl, in, size, why) : readText(stl, in, why);
}
