#include "host/UT/UT_BoundingBox.h"
#include "host/UT/UT_BoundingSphere.h"
#include "host/UT/UT_Matrix4.h"
#include "host/UT/UT_Plane.h"

#include "tests/support/VantrelExpect.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using vantrel_test::expectNear;

TEST(UT_BoundingBoxTest, EmptyGrowTransformAndRayHits)
{
    UT_BoundingBox box;
    EXPECT_FALSE(box.isValid());
    EXPECT_FALSE(box.isInside(0, 0, 0));
    UT_BoundingBox other(-1, 1, -1, 1, -1, 1);
    box.enlargeBounds(UT_BoundingBox()); // an empty box adds nothing
    EXPECT_FALSE(box.isValid());
    box.enlargeBounds(UT_Vector3(2, -3, 0.5f));
    box.enlargeBounds(-1, 4, 0);
    // Storage order is xmin, xmax, ymin, ymax, zmin, zmax.
    EXPECT_EQ(std::vector<float>(box.vals, box.vals + 4), (std::vector<float>{-1, 2, -3, 4}));
    EXPECT_EQ(box.sizeMax(), 7.0f);
    expectNear(box.center(), UT_Vector3(0.5f, 0.5f, 0.25f));
    EXPECT_TRUE(box.intersects(other));

    // A 45 degree turn about z widens a unit cube to the diagonal.
    UT_Matrix4 m(1.0f);
    m.rotate(UT_Axis3::ZAXIS, float(M_PI / 4));
    m.translate(10, 0, 0);
    other.transform(m);
    vantrel_test::expectFloats({other.xmin(), other.ymax()}, {10 - std::sqrt(2.0f), std::sqrt(2.0f)}, 1e-5f);
    EXPECT_NEAR(other.zmax(), 1.0f, 1e-6f);

    float t0, t1;
    UT_BoundingBox unit(0, 1, 0, 1, 0, 1);
    ASSERT_TRUE(unit.intersectLine(UT_Vector3(-1, 0.5f, 0.5f), UT_Vector3(1, 0, 0), t0, t1));
    vantrel_test::expectFloats({t0, t1}, {1.0f, 2.0f});
    // Parallel to a slab and outside it: a miss, not a NaN.
    EXPECT_FALSE(unit.intersectLine(UT_Vector3(-1, 2, 0.5f), UT_Vector3(1, 0, 0), t0, t1));

    UT_BoundingSphere sphere;
    sphere.initBounds(unit);
    EXPECT_NEAR(sphere.getRadius(), std::sqrt(3.0f) / 2, 1e-6f);
    sphere.enlargeBounds(UT_Vector3(5, 0.5f, 0.5f));
    EXPECT_TRUE(sphere.isInside(UT_Vector3(5, 0.5f, 0.5f)));
    EXPECT_TRUE(sphere.isInside(UT_Vector3(0, 0, 0)));
}

TEST(UT_PlaneTest, LineHitsParallelMissesAndTransform)
{
    UT_Plane ground(UT_Vector3(0, 2, 0), UT_Vector3(0, 5, 0)); // normal is normalized
    UT_Vector3 hit(9, 9, 9);
    ASSERT_EQ(ground.intersectLine(UT_Vector3(1, 5, 1), UT_Vector3(0, -2, 1), hit), 0);
    expectNear(hit, UT_Vector3(1, 2, 2.5f));
    // Behind the origin counts too: it is a line, not a ray.
    ASSERT_EQ(ground.intersectLine(UT_Vector3(0, 0, 0), UT_Vector3(0, -1, 0), hit), 0);
    expectNear(hit, UT_Vector3(0, 2, 0));
    UT_Vector3 kept = hit;
    EXPECT_NE(ground.intersectLine(UT_Vector3(0, 0, 0), UT_Vector3(1, 0, 0), hit), 0);
    EXPECT_NE(ground.intersectLine(UT_Vector3(0, 0, 0), UT_Vector3(0, 0, 0), hit), 0);
    EXPECT_EQ(hit, kept);

    // Non-uniform scale: the normal must stay perpendicular to the moved
    // plane, so it goes through the inverse transpose.
    UT_Plane slanted(UT_Vector3(0, 0, 0), UT_Vector3(1, 1, 0));
    UT_Matrix4 m(1.0f);
    m.scale(2, 1, 1);
    m.translate(0, 0, 3);
    slanted.transform(m);
    UT_Vector3 inPlane = UT_Vector3(1, -1, 0) * m; // a point of the old plane
    EXPECT_NEAR(slanted.distance(inPlane), 0.0f, 1e-5f);
    expectNear(slanted.point(), UT_Vector3(0, 0, 3));
    EXPECT_NEAR(slanted.normal().length(), 1.0f, 1e-6f);
}

TEST(UT_Vector3Test, ClosestPointsOfLinesAndSegments)
{
    // The segment along x at y = 0 and a vertical line through x = 0.5.
    const UT_Vector3 a(0, 0, 0), b(1, 0, 0), up(0, 0, 1);
    UT_Vector3 r;
    EXPECT_EQ(r.segLineIntersect(a, b, UT_Vector3(0.5f, 3, -1), UT_Vector3(0, -1, 0)), 0);
    expectNear(r, UT_Vector3(0.5f, 0, 0));
    EXPECT_EQ(r.segLineIntersect(a, b, UT_Vector3(-2, 3, 0), up), -2);
    EXPECT_EQ(r, a);
    EXPECT_EQ(r.segLineIntersect(a, b, UT_Vector3(4, 3, 0), up), -3);
    EXPECT_EQ(r, b);
    EXPECT_EQ(r.segLineIntersect(a, b, UT_Vector3(0, 3, 0), UT_Vector3(2, 0, 0)), -1);
    EXPECT_EQ(r.segLineIntersect(a, a, UT_Vector3(0, 3, 0), up), -1);

    // Skew lines: the closest point on the first, whatever the scale of
    // the direction vectors.
    EXPECT_EQ(r.lineIntersect(UT_Vector3(0, 0, 0), UT_Vector3(1000, 0, 0),
                              UT_Vector3(3, 1, 5), UT_Vector3(0, 0, 0.001f)), 0);
    expectNear(r, UT_Vector3(3, 0, 0), 1e-3f);
    EXPECT_EQ(r.lineIntersect(UT_Vector3(0, 0, 0), UT_Vector3(1, 0, 0),
                              UT_Vector3(0, 1, 0), UT_Vector3(-2, 0, 0)), -1);
}
