#include "host/RE/RE_Light.h"
#include "host/RE/RE_Material.h"
#include "tests/support/VantrelTestContext.h"

using vantrel_test::countNotColor;
using vantrel_test::isNear;

namespace
{
class RE_Surface : public vantrel_test::WindowPixelTest
{
protected:
    // A triangle wound clockwise as seen by the camera.
    void clockwiseTriangle(const float *normals = nullptr)
    {
        static const float corners[9] = {20, 20, 0, 64, 108, 0, 108, 20, 0};
        render()->drawArrays(RE_PRIM_TRIANGLES, corners, normals, nullptr, 3);
    }
    // The same triangle wound counter-clockwise: its front faces the camera.
    void frontTriangle(const float *normals)
    {
        static const float corners[9] = {20, 20, 0, 108, 20, 0, 64, 108, 0};
        render()->drawArrays(RE_PRIM_TRIANGLES, corners, normals, nullptr, 3);
    }
    int lit() const { return countNotColor(context()->readPixels(), 0, 0, 0, 8); }
};
}

TEST_F(RE_Surface, CullingFollowsTheWindingAndPolygonModeOutlines)
{
    render()->setColor(1, 1, 1);
    render()->setCullFace(RE_CULL_BACK);
    clockwiseTriangle();
    EXPECT_EQ(lit(), 0);
    render()->setReverseWinding(true); // a mirrored object's front
    clockwiseTriangle();
    const int full = lit();
    EXPECT_GT(full, 3000);
    render()->setReverseWinding(false);
    render()->setCullFace(RE_CULL_NONE);

    render()->clear();
    render()->setPolygonMode(RE_POLYGON_LINE);
    clockwiseTriangle();
    const int outline = lit();
    EXPECT_GT(outline, 100);
    EXPECT_LT(outline, full / 5);
    EXPECT_TRUE(isNear(pixel(64, 50), 0, 0, 0)); // the inside stays empty
    render()->setPolygonMode(7);                  // unknown: ignored
    EXPECT_EQ(render()->getPolygonMode(), RE_POLYGON_LINE);
    render()->setPolygonMode(RE_POLYGON_FILL);
}

TEST_F(RE_Surface, PointsTakeTheirSizeAndTheStackRestoresIt)
{
    const float p[3] = {64.5f, 64.5f, 0};
    render()->setColor(1, 1, 1);
    render()->pushPointSize(5.0f);
    render()->pushPointSize(-1.0f); // refused: keeps 5
    EXPECT_EQ(render()->getPointSize(), 5.0f);
    render()->drawArrays(RE_PRIM_POINTS, p, nullptr, nullptr, 1);
    render()->popPointSize();
    render()->popPointSize();
    EXPECT_EQ(render()->getPointSize(), 1.0f);
    EXPECT_EQ(lit(), 25);
    // An index past the arrays is refused rather than read.
    const unsigned int bad[1] = {3};
    render()->drawArrays(RE_PRIM_POINTS, p, nullptr, nullptr, 1, bad, 1);
    EXPECT_EQ(lit(), 25);
}

TEST_F(RE_Surface, NormalsAndMaterialReachTheLighting)
{
    RE_Light light("key");
    light.setFlag(RE_Light::RE_LIGHT_INFINITE, true);
    light.setDirection(UT_Vector3(0, 0, -1));
    light.setColor(1, 1, 1);
    render()->setLightState(&light, true);
    render()->toggleLighting(1);
    render()->setColor(1, 1, 1);
    const float facing[9] = {0, 0, 1, 0, 0, 1, 0, 0, 1};
    const float grazing[9] = {1, 0, 0.2f, 1, 0, 0.2f, 1, 0, 0.2f};
    frontTriangle(facing);
    const std::vector<int> bright = pixel(64, 50);
    frontTriangle(grazing);
    const std::vector<int> dim = pixel(64, 50);
    EXPECT_GT(bright[0], dim[0] + 60);

    RE_Material *red = new RE_Material("red");
    red->upRef();
    red->setDiffuse(1, 0, 0);
    render()->setMaterial(red);
    frontTriangle(facing);
    const std::vector<int> shaded = pixel(64, 50);
    EXPECT_GT(shaded[0], 150);
    EXPECT_LT(shaded[1], 40);
    render()->setMaterial(nullptr); // the colour is the surface again
    frontTriangle(facing);
    EXPECT_TRUE(isNear(pixel(64, 50), bright[0], bright[1], bright[2], 3));
    red->downRef();
    render()->toggleLighting(0);
}

TEST(RE_SharedObjects, ContextsWithoutGLShareTheMainContextsObjects)
{
    RE_Render a;
    RE_Render b;
    RE_Render *main = RE_Render::getMainRender();
    ASSERT_NE(main, &b);
    EXPECT_TRUE(b.sharesObjectsWith(*main));
    const int id = b.startObjectDefine();
    b.endObjectDefine();
    ASSERT_TRUE(main->isObject(id));
    main->deleteObject(id);
    EXPECT_FALSE(b.isObject(id));
}
