// What the 3D renderer puts on the screen, in small frames, and what it
// leaves of the render context's state.
#include "Render3DTestSupport.h"

#include "host/OP/OP_Node.h"
#include "host/RE/RE_Light.h"
#include "tests/support/VantrelTestContext.h"

#include <gtest/gtest.h>

#include <string>

using namespace vantrel_test;

namespace
{
class Render3DPixelTest : public DetailPixelTest
{
protected:
    void setUpScene() override { render()->enableZbuffer(1, 1); }
    // A cleared frame with the look drawn in it.
    std::vector<uint8_t> frame(GUI_DetailLook &look)
    {
        render()->clear();
        look.render(render(), 0, 0, 0, 0, nullptr);
        return context()->readPixels();
    }

    // Most tests draw a unit box at the origin.
    GU_DetailHandle handle{makeBox()};
    GUI_DetailLook look{&handle};
};
} // namespace

TEST_F(Render3DPixelTest, HeadlitBoxShowsThreeFacesInThreeBrightnesses)
{
    setThreeQuarterCamera(render());
    shading(GR_SHADE_FLAT);
    RecordState before(*render());
    frame(look);
    before.expectSame(RecordState(*render()));

    const int front = brightnessAt(UT_Vector3(0.1f, 0.0f, 0.5f));
    const int right = brightnessAt(UT_Vector3(0.5f, 0.0f, 0.1f));
    const int top = brightnessAt(UT_Vector3(0.1f, 0.5f, 0.0f));
    EXPECT_GT(front, 60);
    EXPECT_GT(right, 60);
    EXPECT_GT(top, 60);
    EXPECT_GT(std::abs(front - right), 15);
    EXPECT_GT(std::abs(front - top), 15);
    EXPECT_GT(std::abs(right - top), 15);
}

TEST_F(Render3DPixelTest, SmoothAndFlatDifferOnASphere)
{
    setFrontCamera(render(), 1.2f);
    GU_DetailHandle sphere(makeSphere(1.0f, 8, 12));
    GUI_DetailLook ball(&sphere);
    shading(GR_SHADE_FLAT);
    const std::vector<uint8_t> flat = frame(ball);
    shading(GR_SHADE_SMOOTH);
    const std::vector<uint8_t> smooth = frame(ball);
    // The outline is the same; the shading inside is not.
    EXPECT_EQ(countNotColor(flat, 0, 0, 0), countNotColor(smooth, 0, 0, 0));
    EXPECT_GT(countDifferent(flat, smooth, 6), 200);
}

TEST_F(Render3DPixelTest, SelectedObjectShowsTheSelectedColourInAWiderLine)
{
    setFrontCamera(render());
    shading(GR_SHADE_WIRE);
    GR_CommonDispOption &common = global().common();
    common.defaultWireColor().setRGB(0.0f, 0.0f, 1.0f);
    common.selectedWireColor().setRGB(1.0f, 1.0f, 0.0f);
    common.currentObjectColor().setRGB(0.0f, 1.0f, 0.0f);

    auto countColor = [](const std::vector<uint8_t> &image, int r, int g, int b) {
        int n = 0;
        for (size_t i = 0; i + 3 < image.size(); i += 4)
            n += isNear(&image[i], r, g, b, 40);
        return n;
    };
    const std::vector<uint8_t> plain = frame(look);
    const int plainBlue = countColor(plain, 0, 0, 255);
    EXPECT_GT(plainBlue, 50);

    look.setObjSelection(1);
    RecordState before(*render());
    const std::vector<uint8_t> selected = frame(look);
    before.expectSame(RecordState(*render()));
    EXPECT_EQ(countColor(selected, 0, 0, 255), 0);
    // Width 2 against 1: about twice the lit pixels.
    EXPECT_GT(countColor(selected, 255, 255, 0), plainBlue * 3 / 2);

    look.setObjCurrent(1);
    const std::vector<uint8_t> current = frame(look);
    EXPECT_GT(countColor(current, 0, 255, 0), plainBlue * 3 / 2);
    EXPECT_EQ(countColor(current, 255, 255, 0), 0);
}

TEST_F(Render3DPixelTest, GhostedObjectIsFoggedTowardTheBackground)
{
    setFrontCamera(render());
    shading(GR_SHADE_FLAT);
    global().common().backgroundColor().setRGB(0.0f, 0.0f, 1.0f);
    frame(look);
    const std::vector<int> plain = worldPixel(UT_Vector3(0.0f, 0.0f, 0.5f));

    look.setObjGhost(1);
    RecordState before(*render());
    frame(look);
    before.expectSame(RecordState(*render()));
    const std::vector<int> ghost = worldPixel(UT_Vector3(0.0f, 0.0f, 0.5f));
    // Two thirds of the way to the background blue.
    EXPECT_LT(ghost[0], plain[0] / 2);
    EXPECT_GT(ghost[2], plain[2]);
    EXPECT_NEAR(ghost[0], plain[0] / 3, 12);
}

TEST_F(Render3DPixelTest, WireframeOnlyFillsNothing)
{
    setFrontCamera(render());
    shading(GR_SHADE_SMOOTH);
    frame(look);
    EXPECT_GT(brightnessAt(UT_Vector3(0.1f, 0.1f, 0.5f)), 60);

    look.setWireframeOnly(1);
    RecordState before(*render());
    const std::vector<uint8_t> image = frame(look);
    before.expectSame(RecordState(*render()));
    EXPECT_EQ(brightnessAt(UT_Vector3(0.1f, 0.1f, 0.5f)), 0);
    EXPECT_GT(countNotColor(image, 0, 0, 0), 50);  // the edges are there
}

TEST_F(Render3DPixelTest, HiddenPrimitivesLeaveAHole)
{
    setFrontCamera(render());
    GU_Detail *gdp = handle.writeLock();
    shading(GR_SHADE_FLAT);
    // Hide the face nearest the camera, and the face opposite it: the hole
    // goes right through.
    // (The box builder's faces are -x, +x, -y, +y, -z, +z in order.)
    GB_PrimitiveGroup *hidden = gdp->newPrimitiveGroup("3d_hidden_primitives");
    hidden->add(4);
    hidden->add(5);
    handle.unlock(gdp);
    frame(look);
    EXPECT_EQ(brightnessAt(UT_Vector3(0.0f, 0.0f, 0.5f)), 0);
    // The side faces are still there, seen edge on from the front: look
    // from above to find them filled.
    setThreeQuarterCamera(render());
    frame(look);
    EXPECT_GT(brightnessAt(UT_Vector3(0.1f, 0.5f, 0.0f)), 60);
}

TEST_F(Render3DPixelTest, MirroredTransformKeepsFrontFacesWithBackFacesCulled)
{
    // A box is its own mirror image: mirrored, it must look the same with
    // back faces culled, which needs the winding reversed while it draws.
    setThreeQuarterCamera(render());
    shading(GR_SHADE_FLAT);
    render()->setCullFace(RE_CULL_BACK);
    const std::vector<uint8_t> plain = frame(look);
    UT_Matrix4 mirror;
    mirror.scale(-1.0f, 1.0f, 1.0f);
    ASSERT_TRUE(look.setXform(mirror));
    RecordState before(*render());
    const std::vector<uint8_t> mirrored = frame(look);
    before.expectSame(RecordState(*render()));
    render()->setCullFace(RE_CULL_NONE);
    EXPECT_GT(countNotColor(plain, 0, 0, 0), 500);
    EXPECT_LT(countDifferent(plain, mirrored, 8), 40);
}

TEST_F(Render3DPixelTest, NameLabelIsDrawnNearTheBoxCentre)
{
    setFrontCamera(render());
    OP_Node node("crate");
    look.setObject(&node);
    shading(GR_SHADE_WIRE);
    global().common().defaultWireColor().setRGB(0.0f, 0.0f, 1.0f);
    global().showObjectNames(true);
    frame(look);
    // Label pixels are dark red, left to right from the box centre.
    short x1, x2, y1, y2;
    render()->getViewport2DS(x1, x2, y1, y2);
    const int cx = (x1 + x2) / 2, cy = (y1 + y2) / 2;
    auto redPixels = [&] {
        int red = 0;
        for (int y = cy - 4; y <= cy + 14; ++y)
            for (int x = cx - 4; x <= cx + 40; ++x)
                red += isNear(pixel(x, y), 204, 0, 0, 60);
        return red;
    };
    EXPECT_GT(redPixels(), 10);
    global().showObjectNames(false);
    frame(look);
    EXPECT_EQ(redPixels(), 0);
}
