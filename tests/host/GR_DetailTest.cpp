#include "host/GR/GR_CommonDispOption.h"
#include "host/GR/GR_Detail.h"
#include "host/GR/GR_DrawData.h"
#include "host/GR/GR_DisplayOption.h"
#include "host/GU/GU_Detail.h"
#include "host/GU/GU_PrimGroupClosure.h"
#include "host/RE/RE_Light.h"
#include "tests/support/VantrelTestContext.h"

#include <cmath>
#include <limits>
#include <vector>

using vantrel_test::countNotColor;
using vantrel_test::isNear;

namespace
{
// Drawer pixel tests on the shared 128x128 context: an orthographic view
// of [-2, 2] in x and y, so world x maps to pixel (x + 2) * 32.
class GR_Draw : public vantrel_test::PixelTest
{
protected:
    void setUpScene() override
    {
        render()->ortho3DW(-2, 2, -2, 2, -10, 10);
        render()->enableZbuffer(1, 1);
        common.wireColor().setRGB(0.0f, 1.0f, 0.0f);
        common.selectedWireColor().setRGB(1.0f, 0.0f, 1.0f);
        common.backgroundColor().setRGB(0.0f, 0.0f, 0.0f);
    }
    static int px(float world) { return static_cast<int>((world + 2.0f) * 32.0f); }
    std::vector<int> at(float x, float y) const { return pixel(px(x), px(y)); }
    bool filled(float x, float y) const { return !isNear(at(x, y), 0, 0, 0, 8); }

    // A headlight shining down -z of the eye, placed with no viewing
    // transform, and lighting on.
    void headlight()
    {
        light.setFlag(RE_Light::RE_LIGHT_INFINITE, true);
        light.setDirection(UT_Vector3(0, 0, -1));
        light.setColor(1, 1, 1);
        render()->setLightState(&light, true);
        render()->toggleLighting(1);
    }

    int shaded(GU_Detail &gdp, GR_ShadingMode mode, const GU_PrimGroupClosure *hidden = nullptr,
               bool selection = false)
    {
        option.shadingMode(mode);
        return drawer.shadedDraw(&gdp, *render(), 1.0f, nullptr, selection, hidden, &option,
                                 0.0f, UT_Matrix4(1.0f), UT_Matrix4(1.0f), 1, true, nullptr);
    }

    GR_CommonDispOption common;
    GR_DisplayOption option{&common};
    GR_Detail drawer;
    RE_Light light{"head"};
};

// Two quads side by side in the xy plane facing +z: [-1,0]x[-1,1] and
// [0,1]x[-1,1].
void
twoQuads(GU_Detail &gdp)
{
    const float xs[3] = {-1, 0, 1};
    for (float y : {-1.0f, 1.0f})
        for (float x : xs)
            gdp.appendPoint(UT_Vector3(x, y, 0));
    const int q0[4] = {0, 1, 4, 3}, q1[4] = {1, 2, 5, 4};
    gdp.appendPolygon(q0, 4);
    gdp.appendPolygon(q1, 4);
}
}

TEST_F(GR_Draw, ConcavePolygonFillsExactlyItsOutline)
{
    // A square with a notch cut down from the top edge; a fan from the
    // first corner would cover the notch.
    GU_Detail gdp;
    const float corners[5][2] = {{-1, 1}, {-1, -1}, {1, -1}, {1, 1}, {0, -0.5f}};
    int pts[5];
    for (int i = 0; i < 5; ++i)
        pts[i] = gdp.appendPoint(UT_Vector3(corners[i][0], corners[i][1], 0));
    gdp.appendPolygon(pts, 5);
    render()->setColor(1, 1, 1);
    shaded(gdp, GR_SHADE_FLAT);
    const float inside[3][2] = {{-0.7f, 0.0f}, {0.7f, 0.0f}, {0.0f, -0.8f}};
    const float notch[3][2] = {{0.0f, 0.6f}, {0.3f, 0.6f}, {-0.3f, 0.6f}};
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(filled(inside[i][0], inside[i][1]) && !filled(notch[i][0], notch[i][1])) << i;
    // Area 4 - 1.5 = 2.5 square units at 32 pixels a unit.
    const int area = countNotColor(context()->readPixels(), 0, 0, 0, 8);
    EXPECT_NEAR(area, 2560, 80);
}

TEST_F(GR_Draw, EdgesAreSentOnceAndFollowTheChangeCounter)
{
    GU_Detail gdp;
    twoQuads(gdp);
    option.shadingMode(GR_SHADE_WIRE);
    render()->setJournal(true);
    render()->resetFrameStats();
    drawer.wireDraw(&gdp, *render(), 1.0f, false, nullptr, &option, true, nullptr);
    // Seven unique sides (the shared one once), two indices each.
    EXPECT_EQ(render()->getFrameStats().linesSent, 7);
    const int q2[4] = {2, 5, 4, 1};
    gdp.appendPolygon(q2, 4); // a face over the second quad: no new side
    const int more = gdp.appendPoint(UT_Vector3(1.5f, 0, 0));
    const int tri[3] = {2, more, 5};
    gdp.appendPolygon(tri, 3);
    render()->resetFrameStats();
    drawer.wireDraw(&gdp, *render(), 1.0f, false, nullptr, &option, true, nullptr);
    EXPECT_EQ(render()->getFrameStats().linesSent, 9);
    EXPECT_TRUE(filled(1.25f, 0.5f) || filled(1.25f, 0.5f - 1.0f / 32));
    // Every drawing call was one array draw, never a vertex at a time.
    EXPECT_EQ(vantrel_test::journalCount(*render(), "vertex3DW"), 0);
}

TEST_F(GR_Draw, ArraysAreCompiledIntoADisplayObjectAndCountedOnReplay)
{
    GU_Detail gdp;
    twoQuads(gdp);
    render()->setColor(1, 1, 1);
    const int id = render()->startSmartObjectDefine();
    ASSERT_GT(id, 0);
    shaded(gdp, GR_SHADE_FLAT);
    ASSERT_TRUE(render()->endSmartObjectDefine());
    EXPECT_EQ(countNotColor(context()->readPixels(), 0, 0, 0), 0); // compiled, not drawn
    render()->resetFrameStats();
    render()->drawObject(id);
    EXPECT_TRUE(filled(-0.5f, 0.0f));
    EXPECT_TRUE(filled(0.5f, 0.0f));
    EXPECT_EQ(render()->getFrameStats().cachedReplays, 1);
    EXPECT_EQ(render()->getFrameStats().trianglesSent, 4);
    render()->deleteSmartObject(id);
}

TEST_F(GR_Draw, PicksNamePrimitivesAndSendNothingOutsideThePickRegion)
{
    GU_Detail gdp;
    twoQuads(gdp);
    unsigned int buffer[64] = {};
    const auto pick = [&](float x, float y, bool shadedPick) {
        render()->beginPicking(buffer, 64, static_cast<short>(px(x) - 1),
                               static_cast<short>(px(y) - 1), 3, 3);
        render()->ortho3DW(-2, 2, -2, 2, -10, 10);
        render()->pushPickId(9);
        if (shadedPick)
            drawer.shadedPick(&gdp, *render(), 1.0f, false, nullptr, &option);
        else
            drawer.wirePick(&gdp, *render(), 1.0f, false, nullptr, &option);
        render()->popPickId();
        return render()->endPicking(buffer);
    };
    ASSERT_EQ(pick(0.5f, 0.3f, true), 1);
    EXPECT_EQ((std::vector<unsigned>{buffer[0], buffer[3], buffer[4]}), (std::vector<unsigned>{2, 9, 1})); // the second quad
    ASSERT_EQ(pick(-0.5f, -0.3f, true), 1);
    EXPECT_EQ(buffer[4], 0u);
    // On the right side of the second quad only its wire is under the pick.
    ASSERT_EQ(pick(1.0f, 0.0f, false), 1);
    EXPECT_EQ(buffer[4], 1u);
    // Inside a quad a wire pick finds no edge.
    EXPECT_EQ(pick(-0.5f, 0.5f, false), 0);

    // The number of array draws a pick sends.
    const auto arraysSent = [&](float x, float y, int picked) {
        render()->setJournal(true);
        render()->clearJournal();
        EXPECT_EQ(pick(x, y, true), picked);
        return vantrel_test::journalCount(*render(), "drawArrays");
    };
    EXPECT_EQ(arraysSent(1.7f, 1.7f, 0), 0); // the box missed: nothing sent
    EXPECT_EQ(arraysSent(0.5f, 0.3f, 1), 1); // the other quad lies wholly outside the region
}

TEST_F(GR_Draw, LevelOfDetailGrowsCoarserWithDistanceAndTinyObjectsBecomeBoxes)
{
    GU_Detail gdp;
    gdp.buildSphere(1.5f, 8, 12);
    float lod = 0.0f;
    render()->window3DW(-0.1f, 0.1f, -0.1f, 0.1f, 0.1f, 1000.0f);
    int last = -1;
    for (float distance : {3.0f, 30.0f, 300.0f, 900.0f})
    {
        render()->pushMatrix();
        render()->loadMatrix(UT_Matrix4(1.0f));
        UT_Matrix4 back(1.0f);
        back(3, 2) = -distance;
        render()->multiplyMatrix(back);
        const int level = GR_Detail::queryNewLOD(&gdp, *render(), 1.0f, lod);
        render()->popMatrix();
        EXPECT_GE(level, last);
        EXPECT_LE(level, 9);
        last = level;
    }
    EXPECT_EQ(last, 9);
    // A finer user level of detail keeps a finer level.
    render()->loadIdentityMatrix();
    render()->ortho3DW(-200, 200, -200, 200, -10, 10);
    const int coarse = GR_Detail::queryNewLOD(&gdp, *render(), 1.0f, lod);
    EXPECT_EQ(GR_Detail::queryNewLOD(&gdp, *render(), 4.0f, lod), coarse - 2);
    // At the coarsest level a sphere draws as its box: square corners.
    GR_Detail::queryNewLOD(&gdp, *render(), 1.0f, lod);
    render()->ortho3DW(-2, 2, -2, 2, -10, 10);
    option.shadingMode(GR_SHADE_FLAT);
    render()->setColor(1, 1, 1);
    drawer.shadedDraw(&gdp, *render(), 1.0f / 512, nullptr, false, nullptr, &option, 0,
                      UT_Matrix4(1.0f), UT_Matrix4(1.0f), 0, true, nullptr);
    EXPECT_TRUE(filled(1.4f, 1.4f));
    render()->clear();
    drawer.shadedDraw(&gdp, *render(), 1.0f, nullptr, false, nullptr, &option, 0,
                      UT_Matrix4(1.0f), UT_Matrix4(1.0f), 0, true, nullptr);
    EXPECT_FALSE(filled(1.4f, 1.4f));
}

TEST_F(GR_Draw, BadGeometryDrawsWhatIsSoundWithoutGLErrors)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    GU_Detail empty;
    GU_Detail broken;
    twoQuads(broken);
    broken.setPos(0, UT_Vector3(nan, 0, 0)); // spoils the first quad only
    const int line[2] = {1, 4};
    broken.appendPolyline(line, 2);
    GU_Detail nanOnly;
    nanOnly.appendPoint(UT_Vector3(nan, nan, nan));
    headlight();
    unsigned int buffer[64];
    for (GU_Detail *gdp : {&empty, &broken, &nanOnly})
    {
        for (int mode = 0; mode < GR_NUM_SHADING_MODES; ++mode)
        {
            shaded(*gdp, GR_ShadingMode(mode), nullptr, true);
            drawer.wireDraw(gdp, *render(), 1.0f, true, nullptr, &option, true, nullptr);
            drawer.boundBoxDraw(gdp, *render(), true, nullptr, &option);
            drawer.shadedSimpleDraw(gdp, *render(), 1.0f, nullptr, &option, nullptr);
        }
        // A NaN user level counts as 1. With no sound point there is no
        // size to measure: level 0. The broken quads' sound points still
        // span 2 units, 64 pixels: level 2, factor 1/4. (Picking below
        // leaves its narrowed projection behind: the frame's is put back.)
        render()->ortho3DW(-2, 2, -2, 2, -10, 10);
        float lod = 0.0f;
        EXPECT_EQ(GR_Detail::queryNewLOD(gdp, *render(), NAN, lod), gdp == &broken ? 2 : 0);
        EXPECT_FLOAT_EQ(lod, gdp == &broken ? 0.25f : 1.0f);
        render()->beginPicking(buffer, 64, 60, 60, 8, 8);
        drawer.shadedPick(gdp, *render(), 1.0f, true, nullptr, &option);
        drawer.wirePick(gdp, *render(), 1.0f, true, nullptr, nullptr);
        render()->endPicking(buffer);
        EXPECT_EQ(render()->drainGLErrors(), 0);
    }
    drawer.wireDraw(nullptr, *render(), 1.0f, true, nullptr, nullptr, true, nullptr);
    EXPECT_EQ(drawer.shadedDraw(nullptr, *render(), 1, nullptr, true, nullptr, &option, 0,
                                UT_Matrix4(1.0f), UT_Matrix4(1.0f), 1, true, nullptr),
              0);
    render()->toggleLighting(0);
    render()->clear();
    shaded(broken, GR_SHADE_FLAT);
    EXPECT_FALSE(filled(-0.5f, 0.0f));
    EXPECT_TRUE(filled(0.5f, 0.0f));
}

// Boundaries of the geometry and its drawer: the last point a primitive may
// name, how four-sided polygons are cut into triangles, and the level of
// detail measured while picking in a viewport that is not square.
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

// Triangles by vertex are made apart from triangles by point: both must
// be the same triangulation, whichever is asked for first, with polygons
// that share points, need ear clipping, or cannot be drawn in between.
TEST(GR_DrawData, TrianglesByVertexAndByPointAgree)
{
    GU_Detail gdp;
    const float dart[4][2] = {{-1, -1}, {1, -1}, {0, -0.3f}, {0, 1}};
    std::vector<int> pts;
    for (const auto &p : dart)
        pts.push_back(gdp.appendPoint(UT_Vector3(p[0], p[1], 0)));
    const int bad = gdp.appendPoint(UT_Vector3(std::nanf(""), 0, 0));
    const int far = gdp.appendPoint(UT_Vector3(2, 2, 0));
    const int quad[4] = {pts[2], pts[3], pts[0], pts[1]};
    const int unsound[3] = {pts[0], bad, far};
    const int tri[3] = {pts[1], far, pts[3]};
    const int line[2] = {pts[0], far};
    gdp.appendPolygon(quad, 4);
    gdp.appendPolygon(unsound, 3);
    gdp.appendPolyline(line, 2);
    gdp.appendPolygon(tri, 3);
    gdp.appendPolygon(pts.data(), 4);
    for (bool pointsFirst : {true, false})
    {
        GR_DrawData &data = GR_DrawData::get(gdp);
        data.releaseArrays();
        const std::vector<unsigned> byPoint = pointsFirst ? data.triPoints() : std::vector<unsigned>();
        const std::vector<unsigned> byVertex = data.triVertices();
        const std::vector<unsigned> &points = pointsFirst ? byPoint : data.triPoints();
        // Two triangles for each quad, one for the triangle.
        ASSERT_EQ(points.size(), 15u) << "points first " << pointsFirst;
        ASSERT_EQ(byVertex.size(), points.size()) << "points first " << pointsFirst;
        for (size_t c = 0; c < points.size(); ++c)
            EXPECT_EQ(unsigned(gdp.getVertexPoint(int(byVertex[c]))), points[c])
                << "corner " << c << ", points first " << pointsFirst;
        EXPECT_EQ(data.primTriStart(1), 2);
        EXPECT_EQ(data.primTriStart(3), 2);
        EXPECT_EQ(data.primTriStart(4), 3);
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
