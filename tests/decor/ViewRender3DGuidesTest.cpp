// The 3D guides on screen and on the journal: world origin, sticky origin,
// the safe area of the whole view, and the order and balance of the pre-
// and post-render steps.
#include "tests/decor/DecorTestSupport.h"

using vantrel_test::journalCount;
using decor_test::DecorTest;
using decor_test::S;

class ViewRender3DGuides : public DecorTest
{
protected:
    GUI_ViewRender3D myRender;
};

TEST_F(ViewRender3DGuides, WorldOriginAxesEndAtTheirLettersInTheOriginColour)
{
    // A cube size no other test uses, so the origin list is built anew
    // with this colour.
    common().originColor().setRGB(1.0f, 0.0f, 1.0f);
    options().drawOrigin(true);
    frame(1.37f, GUI_ViewParameter::GUI_HOME_FRONT);
    camera().setWindow(0.0f, 0.0f, 0.25f, 0.25f); // four times closer
    state().setProjection(render());
    const float size = 0.1f * camera().getLastHomeRadius();
    myRender.preRender(state(), render(), GUI_ViewParameter::GUI_HOME_FRONT);
    render()->flush(1);

    float cx, cy, ex, ey, nx, ny;
    EXPECT_TRUE(windowPoint(UT_Vector3(0, 0, 0), cx, cy));
    EXPECT_TRUE(windowPoint(UT_Vector3(0.5f * size, 0, 0), ex, ey));
    EXPECT_TRUE(nearPixelIs(ex, ey, 255, 0, 255)) << "x axis midway";
    EXPECT_TRUE(windowPoint(UT_Vector3(0, 0.5f * size, 0), ex, ey));
    EXPECT_TRUE(nearPixelIs(ex, ey, 255, 0, 255)) << "y axis midway";

    // Each letter sits at its axis's end: magenta within a glyph's box
    // from the end, and the axis itself stops there.
    for (int axis = 0; axis < 2; ++axis)
    {
        EXPECT_TRUE(windowPoint(UT_Vector3(axis == 0 ? size : 0, axis == 1 ? size : 0, 0), ex, ey));
        int letter = 0;
        for (int y = static_cast<int>(ey) - 2; y < ey + 14; ++y)
            for (int x = static_cast<int>(ex) + 1; x < ex + 10; ++x)
                letter += pixelIs(static_cast<float>(x), static_cast<float>(y), 255, 0, 255, 60);
        EXPECT_GT(letter, 3) << "letter of axis " << axis;
        EXPECT_TRUE(windowPoint(UT_Vector3(axis == 0 ? 3 * size : 0, axis == 1 ? 3 * size : 0, 0), nx, ny));
        EXPECT_TRUE(pixelIs(nx, ny, 0, 0, 0)) << "beyond axis " << axis;
    }
    EXPECT_TRUE(pixelIs(cx - 8, cy - 8, 0, 0, 0));
}

TEST_F(ViewRender3DGuides, StickyOriginNeedsSixtyPixelsAndSitsLowerLeft)
{
    options().drawStickyOrigin(true);
    frame(1.0f, GUI_ViewParameter::GUI_HOME_FRONT);
    RE_Render *r = render();

    r->viewport2DS(0, 59, 0, 59);
    myRender.postRender(state(), r, 0, 0, true);
    r->flush(1);
    EXPECT_EQ(countNotBlack(), 0);

    r->viewport2DS(0, 60, 0, 60);
    myRender.postRender(state(), r, 0, 0, true);
    r->flush(1);
    const std::vector<uint8_t> image = context()->readPixels();
    int lit = 0, outside = 0;
    for (int y = 0; y < S; ++y)
        for (int x = 0; x < S; ++x)
            if (!vantrel_test::isNear(&image[(y * S + x) * 4], 0, 0, 0, 3))
            {
                ++lit;
                outside += x > 45 || y < S - 46; // rows run top down
            }
    EXPECT_GT(lit, 10);
    EXPECT_EQ(outside, 0);

    // Seen from the front the x axis runs right of the tripod's centre, the
    // y axis up, in their own colours: the tripod's centre is at 0.6 of the
    // 2.28 units the 60 pixels span.
    float xr, xg, xb, yr, yg, yb;
    common().xAxisColor().getRGB(&xr, &xg, &xb);
    common().yAxisColor().getRGB(&yr, &yg, &yb);
    const float centre = 0.6f / 2.28f * 61.0f, reach = 0.25f / 2.28f * 61.0f;
    EXPECT_TRUE(pixelIs(centre + reach, centre, xr * 255, xg * 255, xb * 255, 4));
    EXPECT_TRUE(pixelIs(centre, centre + reach, yr * 255, yg * 255, yb * 255, 4));

    // It turns with the camera: seen from the right, x points at the viewer
    // and z runs left.
    float zr, zg, zb;
    common().zAxisColor().getRGB(&zr, &zg, &zb);
    frame(1.0f, GUI_ViewParameter::GUI_HOME_RIGHT);
    r->clear();
    r->viewport2DS(0, 60, 0, 60);
    myRender.postRender(state(), r, 0, 0, true);
    r->flush(1);
    EXPECT_FALSE(pixelIs(centre + reach, centre, xr * 255, xg * 255, xb * 255, 4));
    EXPECT_TRUE(pixelIs(centre - reach, centre, zr * 255, zg * 255, zb * 255, 4));
    EXPECT_TRUE(pixelIs(centre, centre + reach, yr * 255, yg * 255, yb * 255, 4));
}

// With the whole view as the frame the safe area's rectangles are fixed,
// whatever the view's shape.
TEST_F(ViewRender3DGuides, SafeAreaOfTheWholeViewIsFixed)
{
    options().drawSafeArea(true);
    frame(1.0f, GUI_ViewParameter::GUI_HOME_FRONT, S, S / 2);
    render()->setJournal(true);
    myRender.postRender(state(), render(), 0, 0, true);
    EXPECT_EQ(vantrel_test::journalLines(*render(), "rect2DW"),
              (std::vector<std::string>{"rect2DW 0 0 1 1", "rect2DW 0.05 0.05 0.95 0.95",
                                        "rect2DW 0.1 0.1 0.9 0.9"}));
}

TEST_F(ViewRender3DGuides, DefaultsDrawOnlyTheOriginsAndEveryPushIsPopped)
{
    GUI_ViewState fresh;
    frame(1.0f, GUI_ViewParameter::GUI_HOME_THREE_QUARTER);
    fresh.getViewParameterRef() = camera();
    RE_Render *r = render();
    r->setJournal(true);
    myRender.preRender(fresh, r, GUI_ViewParameter::GUI_HOME_THREE_QUARTER);
    myRender.postRender(fresh, r, 0, 0, false);
    EXPECT_EQ(journalCount(*r, "drawObject"), 2); // world and sticky origin
    EXPECT_EQ(journalCount(*r, "rect2DW"), 0);
    EXPECT_EQ(journalCount(*r, "rotate"), 0);
    EXPECT_EQ(journalCount(*r, "enableZbuffer"), 0);
    EXPECT_EQ(journalCount(*r, "useTexture2D"), 0);

    // Everything on: each push has its pop, and the record is as before.
    GUI_DisplayOption &o = options();
    o.drawOrigin(true);
    o.drawStickyOrigin(true);
    o.drawXYPlane(true);
    o.drawXZPlane(true);
    o.drawYZPlane(true);
    o.drawFieldGuide(true);
    o.drawSafeArea(true);
    r->clearJournal();
    const int depth = r->getMatrixDepth(), mode = r->getMatrixMode();
    const UT_Matrix4 projection = r->getAMatrix(0), viewing = r->getAMatrix(1);
    myRender.preRender(state(), r, GUI_ViewParameter::GUI_HOME_THREE_QUARTER);
    myRender.postRender(state(), r, 0, 0, false);
    for (const char *kind : {"Matrix", "Color", "LineStyle", "LineWidth"})
    {
        const int pushes = journalCount(*r, std::string("push") + kind);
        EXPECT_GT(pushes, 0) << kind;
        EXPECT_EQ(pushes, journalCount(*r, std::string("pop") + kind)) << kind;
    }
    EXPECT_EQ(r->getMatrixDepth(), depth);
    EXPECT_EQ(r->getMatrixMode(), mode);
    EXPECT_EQ(r->getLineStyle(), 0);
    EXPECT_EQ(r->getLineWidth(), 1.0f);
    vantrel_test::expectMatrixNear(r->getAMatrix(0), projection);
    vantrel_test::expectMatrixNear(r->getAMatrix(1), viewing);
    EXPECT_EQ(journalCount(*r, "rotate"), 3); // one per construction plane
}
