// Boundaries of the geometry and its drawer: the last point a primitive may
// name, how four-sided polygons are cut into triangles, and the level of
// detail measured while picking in a viewport that is not square.
#include "host/GR/GR_Detail.h"
#include "host/GR/GR_DrawData.h"
#include "host/GU/GU_Detail.h"
#include "host/RE/RE_Render.h"

#include <gtest/gtest.h>

#include <vector>

TEST(GU_DetailIndex, TheLastPointIsAcceptedAndOnePastItRefused)
{
    GU_Detail gdp;
    for (int i = 0; i < 4; ++i)
        gdp.appendPoint(UT_Vector3(float(i), 1.0f, 0.0f));
    const int last[3] = {0, 2, 3}, past[3] = {0, 2, 4}, line[2] = {3, 4};
    EXPECT_EQ(gdp.appendPolygon(last, 3), 0);
    const int count = gdp.getChangeCount();
    EXPECT_EQ(gdp.appendPolygon(past, 3), -1);
    EXPECT_EQ(gdp.appendPolyline(line, 2), -1);
    EXPECT_EQ(gdp.getNumPrimitives(), 1);
    EXPECT_EQ(gdp.getPrimVertexCount(1), 0);
    EXPECT_EQ(gdp.getVertexPoint(2), 3);
    EXPECT_EQ(gdp.getVertexPoint(3), -1);
    EXPECT_TRUE(GR_DrawData::get(gdp).primOk(0));

    EXPECT_EQ(gdp.getPos(3).x(), 3.0f);
    EXPECT_EQ(gdp.getPos(4).y(), 0.0f);
    gdp.setPos(4, UT_Vector3(9, 9, 9));
    EXPECT_EQ(gdp.getChangeCount(), count);
    gdp.setPos(3, UT_Vector3(9, 9, 9));
    EXPECT_EQ(gdp.getPos(3).x(), 9.0f);
}

namespace
{
// The corner indices of the triangles the drawer makes of one polygon.
std::vector<unsigned>
triangulate(const float (*xy)[2], int n, int start)
{
    GU_Detail gdp;
    std::vector<int> pts;
    for (int i = 0; i < n; ++i)
    {
        const float *p = xy[(start + i) % n];
        pts.push_back(gdp.appendPoint(UT_Vector3(p[0], p[1], 0)));
    }
    gdp.appendPolygon(pts.data(), n);
    return GR_DrawData::get(gdp).triVertices();
}
} // namespace

// A quad with no reflex corner, a straight one included, is the fan from
// its first corner. A concave quad is cut along the diagonal through its
// reflex corner wherever that corner sits in the list: every triangle
// turns the polygon's way and together they cover its area once.
TEST(GR_DrawData, QuadsAreCutAlongAnInsideDiagonal)
{
    const float square[4][2] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
    const float straight[4][2] = {{-1, -1}, {0, -1}, {1, -1}, {0, 1}};
    const std::vector<unsigned> fan = {0, 1, 2, 0, 2, 3};
    EXPECT_EQ(triangulate(square, 4, 0), fan);
    EXPECT_EQ(triangulate(straight, 4, 0), fan);

    // Counter-clockwise, reflex at (0, -0.3); area 1.35.
    const float dart[4][2] = {{-1, -1}, {1, -1}, {0, -0.3f}, {0, 1}};
    for (int start = 0; start < 4; ++start)
    {
        const std::vector<unsigned> tris = triangulate(dart, 4, start);
        ASSERT_EQ(tris.size(), 6u) << "start " << start;
        float total = 0.0f;
        for (int t = 0; t < 2; ++t)
        {
            const float *a = dart[(start + tris[3 * t]) % 4];
            const float *b = dart[(start + tris[3 * t + 1]) % 4];
            const float *c = dart[(start + tris[3 * t + 2]) % 4];
            const float area =
                0.5f * ((b[0] - a[0]) * (c[1] - a[1]) - (b[1] - a[1]) * (c[0] - a[0]));
            EXPECT_GT(area, 0.0f) << "start " << start << " triangle " << t;
            total += area;
        }
        EXPECT_NEAR(total, 1.35f, 1e-5f) << "start " << start;
    }
}

// The viewport (10, 20) 128 x 64 shows 16 pixels a unit both ways. A box
// 96 pixels across its longer side is level 2 (64 to 128 pixels); picking
// through a narrow region 4 x 16 pixels magnifies the projection unevenly,
// and the level must still be that of the frame.
TEST(GR_DetailLOD, PickingInANonSquareViewKeepsTheFramesLevel)
{
    RE_Render r;
    r.viewport2DS(10, 137, 20, 83);
    for (const UT_Vector3 &size : {UT_Vector3(6, 1, 1), UT_Vector3(1, 6, 1)})
    {
        r.ortho3DW(-4, 4, -2, 2, -10, 10);
        GU_Detail gdp;
        gdp.buildBox(size, UT_Vector3(0.5f, -0.25f, 0));
        float lod = 0.0f;
        EXPECT_EQ(GR_Detail::queryNewLOD(&gdp, r, 1.0f, lod), 2);
        unsigned buffer[64];
        r.beginPicking(buffer, 64, 60, 40, 4, 16);
        EXPECT_EQ(GR_Detail::queryNewLOD(&gdp, r, 1.0f, lod), 2) << "size " << size.x();
        EXPECT_EQ(lod, 0.25f);
        r.endPicking(buffer);
    }
}
