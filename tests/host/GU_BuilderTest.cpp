// Shape builders and bounds of the geometry store.
#include "host/GU/GU_Detail.h"
#include "host/GU/GU_PrimGroupClosure.h"
#include "host/UT/UT_BoundingBox.h"

#include "tests/support/VantrelExpect.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <utility>

namespace
{
constexpr float thePi = 3.14159265f;

// A closed, consistently wound mesh uses every directed edge exactly once,
// and its reverse exactly once too.
void
expectClosedAndConsistent(const GU_Detail &gdp)
{
    std::map<std::pair<int, int>, int> edges;
    for (int prim = 0; prim < gdp.getNumPrimitives(); ++prim)
    {
        int first = gdp.getPrimVertexOffset(prim), n = gdp.getPrimVertexCount(prim);
        for (int k = 0; k < n; ++k)
            ++edges[{gdp.getVertexPoint(first + k),
                     gdp.getVertexPoint(first + (k + 1) % n)}];
    }
    for (const auto &[edge, count] : edges)
    {
        ASSERT_EQ(count, 1) << edge.first << "->" << edge.second;
        auto reverse = edges.find({edge.second, edge.first});
        ASSERT_TRUE(reverse != edges.end()) << "open edge " << edge.first << "->" << edge.second;
    }
}

// Signed volume by the divergence theorem: positive when every polygon is
// wound counter-clockwise seen from outside.
float
signedVolume(const GU_Detail &gdp)
{
    double volume = 0.0;
    for (int prim = 0; prim < gdp.getNumPrimitives(); ++prim)
    {
        int first = gdp.getPrimVertexOffset(prim), n = gdp.getPrimVertexCount(prim);
        UT_Vector3 a = gdp.getPos(gdp.getVertexPoint(first));
        for (int k = 1; k + 1 < n; ++k)
        {
            UT_Vector3 b = gdp.getPos(gdp.getVertexPoint(first + k));
            UT_Vector3 c = gdp.getPos(gdp.getVertexPoint(first + k + 1));
            volume += a.dot(b.cross(c)) / 6.0;
        }
    }
    return float(volume);
}

void
expectBox(const UT_BoundingBox &box, float x0, float x1, float y0, float y1,
          float z0, float z1, float tol = 1e-4f)
{
    vantrel_test::expectFloats({box.xmin(), box.xmax(), box.ymin(), box.ymax(), box.zmin(), box.zmax()},
                               {x0, x1, y0, y1, z0, z1}, tol);
}
}

TEST(GU_Builder, ClosedShapesAreWoundOutwardWithExpectedBounds)
{
    GU_Detail box;
    box.buildBox(UT_Vector3(2, 4, 6), UT_Vector3(1, 0, 0));
    EXPECT_EQ(box.getNumPoints(), 8);
    EXPECT_EQ(box.getNumPrimitives(), 6);
    expectClosedAndConsistent(box);
    EXPECT_NEAR(signedVolume(box), 48.0f, 1e-3f);
    UT_BoundingBox bounds;
    ASSERT_EQ(box.getBBox(&bounds), 1);
    expectBox(bounds, 0, 2, -2, 2, -3, 3);

    GU_Detail sphere;
    sphere.buildSphere(2.0f, 24, 48);
    expectClosedAndConsistent(sphere);
    float ideal = 4.0f / 3.0f * thePi * 8.0f;
    EXPECT_GT(signedVolume(sphere), 0.97f * ideal);
    EXPECT_LT(signedVolume(sphere), ideal);
    ASSERT_EQ(sphere.getBBox(&bounds), 1);
    vantrel_test::expectFloats({bounds.ymax(), bounds.ymin(), bounds.xmax()}, {2.0f, -2.0f, 2.0f}, 1e-5f);

    GU_Detail torus;
    torus.buildTorus(3.0f, 1.0f, 16, 32);
    expectClosedAndConsistent(torus);
    ideal = 2 * thePi * thePi * 3.0f;  // inscribed polygons fall a little short
    EXPECT_GT(signedVolume(torus), 0.95f * ideal);
    EXPECT_LT(signedVolume(torus), ideal);
    ASSERT_EQ(torus.getBBox(&bounds), 1);
    expectBox(bounds, -4, 4, -1, 1, -4, 4, 0.05f);

    // Point normals point away from the centre and have unit length.
    const GB_Attribute *n = sphere.pointAttribs().find("N", GB_ATTRIB_FLOAT);
    ASSERT_TRUE(n);
    for (int pt = 0; pt < sphere.getNumPoints(); ++pt)
    {
        UT_Vector3 normal(n->getF(pt, 0), n->getF(pt, 1), n->getF(pt, 2));
        EXPECT_NEAR(normal.length(), 1.0f, 1e-5f);
        EXPECT_GT(normal.dot(sphere.getPos(pt)), 0.0f);
    }
}
