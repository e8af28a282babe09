// Render context logic without GL: the state record's push and pop pairs,
// the drawing state as one value, the main render and picking's projections.

#include "host/RE/RE_Material.h"
#include "host/RE/RE_Render.h"
#include "host/UT/UT_Matrix4.h"

#include "tests/support/VantrelExpect.h"

#include <gtest/gtest.h>

#include <functional>
#include <utility>
#include <vector>

using vantrel_test::expectMatrixNear;

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

// Each setter of the drawing state, from a common starting point, gives a
// value unequal to the starting one: the value holds that field and its
// comparison reads it. resetState gives back a new context's value.
TEST(RE_RenderState, EveryDrawingSetterChangesTheDrawingValue)
{
    using Step = std::function<void(RE_Render &)>;
    const Step none = [](RE_Render &) {};
    const UT_Vector3 black(0, 0, 0);
    const Step fog = [&](RE_Render &r) { r.enableFog(RE_FOG_EXP, 1, 0, 1, black); };
    const auto materialWith = [](void (*edit)(RE_Material &)) -> Step {
        return [edit](RE_Render &r) {
            RE_Material m;
            edit(m);
            r.setMaterial(&m);
        };
    };
    const Step material = materialWith([](RE_Material &) {});
    struct Case
    {
        const char *name;
        Step base, change;
    };
    const std::vector<Case> cases = {
        {"colour", none, [](RE_Render &r) { r.setColor(1, 1, 1, 0.5f); }},
        {"line style", none, [](RE_Render &r) { r.pushLineStyle(RE_LINE_DASHED); }},
        {"line width", none, [](RE_Render &r) { r.pushLineWidth(2); }},
        {"line smoothing", none, [](RE_Render &r) { r.smoothBlendLines(1); }},
        {"blending", none, [](RE_Render &r) { r.blend(1); }},
        {"blend source", none,
         [](RE_Render &r) { r.setBlendFunction(RE_SBLEND_SRC_ALPHA, RE_DBLEND_ZERO); }},
        {"blend destination", none,
         [](RE_Render &r) { r.setBlendFunction(RE_SBLEND_ONE, RE_DBLEND_ONE); }},
        {"colour mask", none, [](RE_Render &r) { r.setColorMask(true, true, true, false); }},
        {"shading", none, [](RE_Render &r) { r.interpMode(1); }},
        {"depth test", none, [](RE_Render &r) { r.enableZbuffer(1); }},
        {"depth function", none, [](RE_Render &r) { r.setZFunction(RE_CMP_LEQUAL); }},
        {"polygon offset", none, [](RE_Render &r) { r.polygonOffset(1); }},
        {"offset factor", none, [](RE_Render &r) { r.setOffsetAmount(1, 0); }},
        {"offset units", none, [](RE_Render &r) { r.setOffsetAmount(0, 1); }},
        {"stencil function", none, [](RE_Render &r) { r.setSFunction(RE_CMP_EQUAL, 0, ~0); }},
        {"stencil reference", none, [](RE_Render &r) { r.setSFunction(RE_CMP_ALWAYS, 1, ~0); }},
        {"stencil mask", none, [](RE_Render &r) { r.setSFunction(RE_CMP_ALWAYS, 0, 0xff); }},
        {"winding", none, [](RE_Render &r) { r.setReverseWinding(true); }},
        {"fog", none, fog},
        {"fog mode", fog, [&](RE_Render &r) { r.enableFog(RE_FOG_LINEAR, 1, 0, 1, black); }},
        {"fog density", fog, [&](RE_Render &r) { r.enableFog(RE_FOG_EXP, 2, 0, 1, black); }},
        {"fog start", fog, [&](RE_Render &r) { r.enableFog(RE_FOG_EXP, 1, 0.5f, 1, black); }},
        {"fog end", fog, [&](RE_Render &r) { r.enableFog(RE_FOG_EXP, 1, 0, 2, black); }},
        {"fog colour", fog,
         [&](RE_Render &r) { r.enableFog(RE_FOG_EXP, 1, 0, 1, UT_Vector3(0, 1, 0)); }},
        {"fog alpha", fog, [&](RE_Render &r) { r.enableFog(RE_FOG_EXP, 1, 0, 1, black, 1); }},
        {"fog coordinates", none, [](RE_Render &r) { r.useFogCoord(true); }},
        {"lighting", none, [](RE_Render &r) { r.toggleLighting(1); }},
        {"specular", none, [](RE_Render &r) { r.setSpecular(true); }},
        {"texture", none, [](RE_Render &r) { r.useTexture2D(3); }},
        {"culling", none, [](RE_Render &r) { r.setCullFace(RE_CULL_BACK); }},
        {"polygon mode", none, [](RE_Render &r) { r.setPolygonMode(RE_POLYGON_LINE); }},
        {"point size", none, [](RE_Render &r) { r.pushPointSize(3); }},
        {"material", none, material},
        {"diffuse", material,
         materialWith([](RE_Material &m) { m.setDiffuse(0.1f, 0.8f, 0.8f); })},
        {"specular colour", material,
         materialWith([](RE_Material &m) { m.setSpecular(0.5f, 0, 0); })},
        {"shininess", material, materialWith([](RE_Material &m) { m.setShininess(64); })},
    };
    const RE_DrawingState initial = RE_Render().getDrawingState();
    for (const Case &c : cases)
    {
        RE_Render r;
        c.base(r);
        const RE_DrawingState before = r.getDrawingState();
        c.change(r);
        EXPECT_NE(r.getDrawingState(), before) << c.name;
        r.resetState();
        EXPECT_EQ(r.getDrawingState(), initial) << c.name;
    }
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
