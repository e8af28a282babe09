// Render context logic without GL: the state record, matrices, mapping,
// the journal and display-object bookkeeping.

#include "host/RE/RE_Render.h"
#include "host/RE/RE_Shader.h"
#include "host/UT/UT_Matrix4.h"

#include "tests/support/VantrelExpect.h"

#include <gtest/gtest.h>

#include <cmath>
#include <utility>
#include <vector>

using vantrel_test::expectMatrixNear;
using vantrel_test::expectNear;

TEST(RE_RenderState, PushPopPairsRestoreTheRecord)
{
    RE_Render r;
    UT_Matrix4 view(1.0f);
    view.translate(1, 2, 3);
    r.matrixMode(RE_MATRIX_VIEWING);
    r.loadMatrix(view);
    r.ortho3DW(-1, 1, -1, 1, 0.1f, 10);
    const UT_Matrix4 proj = r.getAMatrix(RE_MATRIX_PROJECTION_ALT);
    r.setColor(0.1f, 0.2f, 0.3f, 0.4f);
    r.viewport2DS(10, 109, 20, 79);
    r.screenMask2DS(15, 100, 25, 70);
    r.blend(1);
    r.setBlendFunction(RE_SBLEND_SRC_ALPHA, RE_DBLEND_ONE_MINUS_SRC_ALPHA);

    // Each kind of push, then changes to everything it covers.
    r.pushMatrix(0);
    r.pushColor();
    r.pushLineWidth(3.0f);
    r.pushLineStyle(RE_LINE_DASHED);
    r.pushBlendState();
    r.pushViewport();
    r.matrixMode(RE_MATRIX_PROJECTION);
    r.loadIdentityMatrix();
    r.ortho2DW(0, 5, 0, 5);
    r.matrixMode(RE_MATRIX_VIEWING);
    r.rotate(30, 'y');
    r.setColor(1, 1, 1, 1);
    r.blendAlpha(0);
    r.setBlendFunction(RE_SBLEND_ONE, RE_DBLEND_ZERO);
    r.viewport2DS(0, 9, 0, 9);
    r.screenMask2DS(0, 4, 0, 4);
    EXPECT_EQ(r.getLineWidth(), 3.0f);
    EXPECT_EQ(r.getLineStyle(), RE_LINE_DASHED);

    r.popViewport();
    r.popBlendState();
    r.popLineStyle();
    r.popLineWidth();
    r.popColor();
    r.popMatrix(0);

    expectMatrixNear(r.getAMatrix(RE_MATRIX_VIEWING), view);
    expectMatrixNear(r.getAMatrix(RE_MATRIX_PROJECTION), proj);
    EXPECT_EQ(r.getMatrixMode(), RE_MATRIX_VIEWING);
    float c[4];
    r.getColor(c);
    EXPECT_EQ(std::vector<float>(c, c + 4), (std::vector<float>{0.1f, 0.2f, 0.3f, 0.4f}));
    EXPECT_EQ(r.getLineWidth(), 1.0f);
    EXPECT_EQ(r.getLineStyle(), RE_LINE_SOLID);
    EXPECT_TRUE(r.isBlending());
    RE_BlendSourceFactor src;
    RE_BlendDestFactor dst;
    r.getBlendFunction(src, dst);
    EXPECT_EQ(std::make_pair(src, dst), std::make_pair(RE_SBLEND_SRC_ALPHA, RE_DBLEND_ONE_MINUS_SRC_ALPHA));
    short x1, x2, y1, y2;
    r.getViewport2DS(&x1, &x2, &y1, &y2);
    EXPECT_EQ((std::vector<int>{x1, x2, y2}), (std::vector<int>{10, 109, 79}));
    r.getScreenMask2DS(x1, x2, y1, y2);
    EXPECT_EQ((std::vector<int>{x1, y2}), (std::vector<int>{15, 70}));

    // Pops without pushes leave the record alone.
    r.popMatrix();
    r.popColor();
    r.popViewport();
    r.popBlendState();
    EXPECT_EQ(r.getMatrixDepth(), 0);
    expectMatrixNear(r.getAMatrix(RE_MATRIX_VIEWING), view);
}

TEST(RE_RenderState, MultiplyPutsTheObjectTransformFirst)
{
    RE_Render r;
    r.matrixMode(RE_MATRIX_VIEWING);
    UT_Matrix4 view(1.0f);
    view.translate(0, 0, -5);
    r.loadMatrix(view);
    UT_Matrix4 object(1.0f);
    object.scale(2, 2, 2);
    r.multiplyMatrix(object);
    // Scaled first, then moved by the view: (1,0,0) -> (2,0,0) -> (2,0,-5).
    expectNear(UT_Vector3(1, 0, 0) * r.getAMatrix(1), UT_Vector3(2, 0, -5), 1e-6f);

    // rotate turns counter-clockwise about the axis, also before the view.
    r.loadIdentityMatrix();
    r.rotate(90, 'z');
    expectNear(UT_Vector3(1, 0, 0) * r.getAMatrix(1), UT_Vector3(0, 1, 0), 1e-6f);
    const UT_Matrix4 turned = r.getAMatrix(1);
    r.rotate(45, 'w'); // not an axis: ignored
    expectMatrixNear(r.getAMatrix(1), turned);

    // Degenerate projections are refused and keep the previous one.
    r.ortho2DW(-1, 1, -1, 1);
    const UT_Matrix4 before = r.getAMatrix(0);
    r.ortho2DW(1, 1, 0, 1);
    r.window3DW(-1, 1, -1, 1, 0, 10);
    expectMatrixNear(r.getAMatrix(0), before);
}

TEST(RE_RenderState, MapWorldAndMapScreenRoundTrip)
{
    RE_Render r;
    UT_Matrix4 xform(1.0f);
    xform.rotate(UT_Axis3::YAXIS, 0.3f);
    xform.translate(0.5f, -0.25f, -8.0f);

    UT_Matrix4 perspective(1.0f), orthographic(1.0f);
    r.window3DW(-0.4f, 0.6f, -0.3f, 0.3f, 1.0f, 100.0f);
    perspective = r.getAMatrix(2);
    r.ortho3DW(-3, 3, -2, 2, 0.5f, 50);
    orthographic = r.getAMatrix(2);

    for (const UT_Matrix4 *proj : {&perspective, &orthographic})
    {
        const UT_Vector3 world(0.7f, -0.4f, 1.2f);
        float sx = 0, sy = 0;
        ASSERT_EQ(r.mapScreen(world, 20, 219, 10, 159, *proj, xform, sx, sy), 0);
        EXPECT_GT(sx, 20.0f);
        EXPECT_LT(sx, 220.0f);
        float n[3], f[3];
        ASSERT_EQ(r.mapWorld(sx, sy, 20, 219, 10, 159, *proj, xform,
                             n[0], n[1], n[2], f[0], f[1], f[2]), 0);
        // The point lies on the segment between the near and far points.
        const UT_Vector3 a(n[0], n[1], n[2]), b(f[0], f[1], f[2]);
        const UT_Vector3 ab = b - a, aw = world - a;
        EXPECT_NEAR(ab.cross(aw).length() / ab.length(), 0.0f, 1e-3f);
        // And both ends map back onto the same window position.
        float ex = 0, ey = 0;
        ASSERT_EQ(r.mapScreen(a, 20, 219, 10, 159, *proj, xform, ex, ey), 0);
        EXPECT_NEAR(ex, sx, 1e-2f);
        EXPECT_NEAR(ey, sy, 1e-2f);
    }

    // The window centre of a centred perspective looks straight down -z.
    float n[3], f[3];
    ASSERT_EQ(r.mapWorld(50, 50, 0, 99, 0, 99, perspective,
                         UT_Matrix4(1.0f), n[0], n[1], n[2], f[0], f[1], f[2]), 0);
    EXPECT_NEAR(n[2], -1.0f, 1e-4f);
    EXPECT_NEAR(f[2], -100.0f, 1e-2f);

    // Failures: empty viewport, singular matrices.
    EXPECT_NE(r.mapWorld(0, 0, 10, 9, 0, 9, perspective, xform, n[0], n[1], n[2],
                         f[0], f[1], f[2]), 0);
    EXPECT_NE(r.mapWorld(0, 0, 0, 9, 0, 9, UT_Matrix4(0.0f), xform, n[0], n[1], n[2],
                         f[0], f[1], f[2]), 0);
    float sx, sy;
    // A point in the camera's plane has no window position.
    EXPECT_NE(r.mapScreen(UT_Vector3(1, 1, 0), 0, 99, 0, 99, perspective,
                          UT_Matrix4(1.0f), sx, sy), 0);
}

TEST(RE_RenderState, JournalRecordsCallsInOrderOnlyWhenOn)
{
    RE_Render r;
    r.setColor(0.5f, 0.5f, 0.5f);
    EXPECT_TRUE(r.getJournal().empty());
    r.setJournal(true);
    r.pushColor();
    r.setColor(0.1f, 0.2f, 0.3f, 1.0f);
    r.beginLine();
    r.v3DW(0, 0, 0);
    r.v3DW(1.5f, -2, 0);
    r.endLine();
    r.textMove3W(1, 2, 3);
    r.putString("ab");
    r.popColor();
    const std::vector<std::string> expected = {
        "pushColor", "setColor 0.1 0.2 0.3 1", "beginLine", "vertex3DW 0 0 0",
        "vertex3DW 1.5 -2 0", "endLine", "textMove3W 1 2 3", "putString ab", "popColor"};
    EXPECT_EQ(r.getJournal(), expected);
    r.clearJournal();
    r.setJournal(false);
    r.clear();
    EXPECT_TRUE(r.getJournal().empty());
}

TEST(RE_RenderState, DisplayObjectBookkeepingWithoutGL)
{
    RE_Render r;
    const int a = r.startObjectDefine();
    ASSERT_GT(a, 0);
    EXPECT_EQ(r.startObjectDefine(), -1); // no nesting
    r.endObjectDefine();
    const int b = r.startSmartObjectDefine();
    ASSERT_GT(b, 0);
    EXPECT_NE(a, b);
    RE_Shader shader("test");
    r.bindBuiltInUniforms(&shader, 1);
    r.bindBuiltInUniforms(&shader, 1);
    EXPECT_TRUE(r.endSmartObjectDefine());
    EXPECT_FALSE(r.endSmartObjectDefine());
    EXPECT_EQ(r.getShadersUsedBySmartObject(b), std::vector<int>{shader.getId()});
    EXPECT_FALSE(r.isSmartObjectDirty(b));
    EXPECT_EQ(RE_Shader::getShader(shader.getId()), &shader);

    r.deleteObject(a);
    r.deleteSmartObject(b);
    EXPECT_FALSE(r.isObject(a));
    EXPECT_TRUE(r.isSmartObjectDirty(b)); // gone means rebuild
    EXPECT_FALSE(r.isSmartObjectDirty(-1)); // an empty slot has nothing to rebuild
    EXPECT_TRUE(r.getShadersUsedBySmartObject(b).empty());
    r.drawObject(a);     // unknown ids are ignored
    r.deleteObject(-7);
}

TEST(RE_RenderState, FirstContextIsTheMainRender)
{
    // Other tests of this program may already have made the main context.
    RE_Render *before = RE_Render::getMainRender();
    {
        RE_Render first;
        RE_Render second;
        EXPECT_EQ(RE_Render::getMainRender(), before ? before : &first);
        EXPECT_TRUE(RE_Render::isMainRenderInitialized());
    }
    EXPECT_EQ(RE_Render::getMainRender(), before);
}

TEST(RE_RenderState, PickingNarrowsEveryProjection)
{
    RE_Render r;
    r.viewport2DS(0, 99, 0, 99);
    r.ortho2DW(0, 100, 0, 100);
    const UT_Matrix4 plain = r.getAMatrix(2);
    r.beginPicking(nullptr, 0, 40, 40, 10, 10);
    EXPECT_TRUE(r.isPicking());
    // The pick rectangle's centre (45, 45) now maps to the clip-space origin
    // and its edges to -1 and 1.
    const UT_Vector3 centre = UT_Vector3(45, 45, 0) * r.getAMatrix(2);
    EXPECT_NEAR(centre.x(), 0.0f, 1e-5f);
    EXPECT_NEAR((UT_Vector3(50, 45, 0) * r.getAMatrix(2)).x(), 1.0f, 1e-5f);
    r.ortho2DW(0, 100, 0, 100);
    EXPECT_NEAR((UT_Vector3(40, 40, 0) * r.getAMatrix(2)).y(), -1.0f, 1e-5f);
    r.matrixMode(0);
    r.loadMatrix(plain);
    EXPECT_NEAR((UT_Vector3(45, 50, 0) * r.getAMatrix(2)).y(), 1.0f, 1e-5f);
    r.matrixMode(1);
    r.pushPickId(3);
    EXPECT_EQ(r.getPickDepth(), 1);
    EXPECT_EQ(r.endPicking(), 0); // no GL, no records
    EXPECT_FALSE(r.isPicking());
    EXPECT_EQ(r.getPickDepth(), 0);
    r.ortho2DW(0, 100, 0, 100);
    expectMatrixNear(r.getAMatrix(2), plain);
}
