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

TEST(GU_Builder, GridFacesUpWithPointUVsCoveringTheSquare)
{
    GU_Detail grid;
    grid.buildGrid(4.0f, 2.0f, 3, 5, UT_Vector3(0, 1, 0));
    EXPECT_EQ(grid.getNumPoints(), 4 * 6);
    EXPECT_EQ(grid.getNumPrimitives(), 15);
    UT_BoundingBox bounds;
    ASSERT_EQ(grid.getBBox(&bounds), 1);
    expectBox(bounds, -2, 2, 1, 1, -1, 1);
    grid.computePointNormals();
    const GB_Attribute *n = grid.pointAttribs().find("N");
    for (int pt = 0; pt < grid.getNumPoints(); ++pt)
        EXPECT_NEAR(n->getF(pt, 1), 1.0f, 1e-6f);

    int uv = grid.findTextureAttribute(GB_ATTRIB_POINT);
    ASSERT_GE(uv, 0);
    EXPECT_LT(grid.findTextureAttribute(GB_ATTRIB_VERTEX), 0);
    ASSERT_EQ(grid.getPointAttribBBox("uv", &bounds), 1);
    expectBox(bounds, 0, 1, 0, 1, 0, 0);
    // Through a primitive group only the points of its cells count.
    GB_PrimitiveGroup corner;
    corner.add(0);
    ASSERT_EQ(grid.getPointAttribBBox("uv", &bounds, corner), 1);
    expectBox(bounds, 0, 0.2f, 0, 1.0f / 3.0f, 0, 0);
}

TEST(GU_Builder, BoundsFollowTransformGroupAndClosure)
{
    GU_Detail gdp;
    gdp.buildBox(UT_Vector3(1, 1, 1));
    gdp.buildBox(UT_Vector3(1, 1, 1), UT_Vector3(10, 0, 0));
    UT_BoundingBox box;
    ASSERT_EQ(gdp.getBBox(&box), 1);  // while every point is on a box
    gdp.appendPoint(UT_Vector3(-50, 0, 0));  // on no primitive

    ASSERT_EQ(gdp.getBBox(&box), 1);
    EXPECT_FLOAT_EQ(box.xmin(), -0.5f);
    ASSERT_EQ(gdp.getBBox(&box, nullptr, nullptr, false), 1);
    EXPECT_FLOAT_EQ(box.xmin(), -50.0f);

    GB_PrimitiveGroup *second = gdp.newPrimitiveGroup("second");
    for (int prim = 6; prim < 12; ++prim)
        second->add(prim);
    ASSERT_EQ(gdp.getBBox(&box, second), 1);
    EXPECT_FLOAT_EQ(box.xmin(), 9.5f);

    // A hidden group takes its primitives out; a visible group keeps only them.
    GU_PrimGroupClosure hidden;
    hidden.refresh(&gdp, "second", 0);
    ASSERT_TRUE(hidden.isValid());
    ASSERT_EQ(gdp.getBBox(&box, nullptr, &hidden), 1);
    EXPECT_FLOAT_EQ(box.xmax(), 0.5f);
    GU_PrimGroupClosure visible;
    visible.refresh(&gdp, "second", 1);
    UT_Matrix4 xform;
    xform.scale(2, 1, 1);
    xform.translate(0, 5, 0);
    ASSERT_EQ(gdp.getBBox(box, xform, nullptr, &visible), 1);
    expectBox(box, 19, 21, 4.5f, 5.5f, -0.5f, 0.5f);

    // A missing group lets everything through; a group naming nothing
    // bounds nothing and leaves the box alone.
    GU_PrimGroupClosure missing;
    missing.refresh(&gdp, "nope", 1);
    EXPECT_FALSE(missing.isValid());
    EXPECT_TRUE(missing.includes(3));
    gdp.newPrimitiveGroup("empty");
    GU_PrimGroupClosure none;
    none.refresh(&gdp, "empty", 1);
    UT_BoundingBox untouched(1, 2, 3, 4, 5, 6);
    EXPECT_EQ(gdp.getBBox(&untouched, nullptr, &none), 0);
    EXPECT_EQ(untouched, UT_BoundingBox(1, 2, 3, 4, 5, 6));
}
