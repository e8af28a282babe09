// The 3D guides on screen and on the journal: world origin, sticky origin,
// construction planes, field guide and safe area, and the order and
// balance of the pre- and post-render steps.
#include "tests/decor/DecorTestSupport.h"

using vantrel_test::journalCount;
using decor_test::DecorTest;
using decor_test::expectTicks;
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

TEST_F(ViewRender3DGuides, OriginListIsDefinedOncePerSizeAndReplacedWhenItChanges)
{
    options().drawOrigin(true);
    frame(2.71f, GUI_ViewParameter::GUI_HOME_FRONT);
    RE_Render *r = render();
    r->setJournal(true);
    myRender.preRender(state(), r, GUI_ViewParameter::GUI_HOME_FRONT);
    const int first = GUI_ViewRender3D::getOriginListId();
    EXPECT_EQ(journalCount(*r, "startObjectDefine"), 1);
    r->clearJournal();
    myRender.preRender(state(), r, GUI_ViewParameter::GUI_HOME_FRONT);
    // Another renderer shares the list.
    GUI_ViewRender3D other;
    other.preRender(state(), r, GUI_ViewParameter::GUI_HOME_FRONT);
    EXPECT_EQ(journalCount(*r, "startObjectDefine"), 0);
    EXPECT_EQ(journalCount(*r, "drawObject"), 2);
    EXPECT_EQ(journalCount(*r, "deleteObject"), 0);
    EXPECT_GE(first, 0);
    EXPECT_FLOAT_EQ(GUI_ViewRender3D::getOriginListSize(), 0.1f * camera().getLastHomeRadius());

    r->clearJournal();
    frame(3.14f, GUI_ViewParameter::GUI_HOME_FRONT);
    myRender.preRender(state(), r, GUI_ViewParameter::GUI_HOME_FRONT);
    EXPECT_EQ(journalCount(*r, "deleteObject " + std::to_string(first)), 1);
    EXPECT_EQ(journalCount(*r, "startObjectDefine"), 1);
    EXPECT_TRUE(r->isObject(GUI_ViewRender3D::getOriginListId()));
    EXPECT_FALSE(r->isObject(first));
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

TEST_F(ViewRender3DGuides, XZGridFromTheTopCoversTheSquareInTwentyCells)
{
    common().gridColor().setRGB(0.0f, 1.0f, 1.0f);
    options().drawXZPlane(true);
    frame(1.0f, GUI_ViewParameter::GUI_HOME_TOP);
    camera().setWindow(0.0f, 0.0f, 2.5f, 2.5f); // keep the whole square in view
    state().setProjection(render());
    myRender.preRender(state(), render(), GUI_ViewParameter::GUI_HOME_TOP);
    render()->flush(1);

    const float radius = camera().getLastHomeRadius();
    float lx, ly, hx, hy;
    EXPECT_TRUE(windowPoint(UT_Vector3(-radius, 0, -radius), lx, ly));
    EXPECT_TRUE(windowPoint(UT_Vector3(radius, 0, radius), hx, hy));
    ASSERT_GT(std::fabs(hx - lx), 60.0f);
    ASSERT_GT(std::min(lx, hx), 1.0f);
    ASSERT_LT(std::max(lx, hx), S - 2.0f);

    // The lines sit at the 20ths of the projected square, both ways.
    std::vector<float> xs, ys;
    for (int i = 0; i <= 20; ++i)
    {
        xs.push_back((lx + (hx - lx) * i / 20.0f) / S);
        ys.push_back((ly + (hy - ly) * i / 20.0f) / S);
    }
    const float step = (hx - lx) / 20.0f;
    std::vector<int> rows, columns;
    for (int i = 0; i < 20; i += 3)
    {
        rows.push_back(static_cast<int>(std::min(ly, hy) + std::fabs(step) * (i + 0.5f)));
        columns.push_back(static_cast<int>(std::min(lx, hx) + std::fabs(step) * (i + 0.5f)));
    }
    expectTicks(litAcross(rows, false, 0, 255, 255), xs);
    expectTicks(litAcross(columns, true, 0, 255, 255), ys);
}

TEST_F(ViewRender3DGuides, FieldGuideLinesSitAtTheFramesTwentyFourths)
{
    common().gridColor().setRGB(1.0f, 1.0f, 0.0f);
    options().drawFieldGuide(true);
    frame(1.0f, GUI_ViewParameter::GUI_HOME_FRONT);
    // A square view is taller than 4:3: the frame fills the width and the
    // middle 0.75 of the height.
    myRender.postRender(state(), render(), 0, 0, false);
    render()->flush(1);

    std::vector<float> xs, ys;
    for (int i = 0; i <= 24; ++i)
    {
        xs.push_back(i / 24.0f);
        ys.push_back(0.125f + 0.75f * i / 24.0f);
    }
    const float cell = S / 24.0f;
    expectTicks(litAcross({static_cast<int>(S / 2 + cell / 2)}, false, 255, 255, 0), xs);
    expectTicks(litAcross({static_cast<int>(cell * 1.5f), static_cast<int>(S / 2 + cell / 2)},
                          true, 255, 255, 0),
                ys);
}

TEST_F(ViewRender3DGuides, SafeAreaRectanglesSitAtZeroFiveAndTenPercent)
{
    common().guide1Color().setRGB(1.0f, 0.5f, 0.0f);
    options().drawSafeArea(true);
    // The edges of the frame a fraction span m starting at off shows, at
    // 0, 5 and 10 percent in from each side.
    auto edges = [](float off, float m) {
        std::vector<float> at;
        for (float f : {0.0f, 0.05f, 0.1f, 0.9f, 0.95f, 1.0f})
            at.push_back(off + f * m);
        return at;
    };
    // The rows (or columns) strictly inside the innermost rectangle.
    auto inside = [](float off, float m) {
        std::vector<int> lines;
        for (float f = 0.15f; f < 0.86f; f += 0.1f)
            lines.push_back(static_cast<int>((off + f * m) * S));
        return lines;
    };

    // Tall branch: a square view.
    frame(1.0f, GUI_ViewParameter::GUI_HOME_FRONT);
    myRender.postRender(state(), render(), 0, 0, false);
    render()->flush(1);
    expectTicks(litAcross(inside(0.125f, 0.75f), false, 255, 128, 0), edges(0.0f, 1.0f));
    expectTicks(litAcross(inside(0.0f, 1.0f), true, 255, 128, 0), edges(0.125f, 0.75f));

    // Wide branch: a view half as high as wide, drawn in the full context
    // so the frame spans the whole height; the frame is 2/3 as wide.
    render()->clear();
    frame(1.0f, GUI_ViewParameter::GUI_HOME_FRONT, S, S / 2);
    state().setViewport(render(), 0, 0, S, S);
    render()->setJournal(true);
    myRender.postRender(state(), render(), 0, 0, false);
    render()->flush(1);
    const float m = 1.333333f * 0.5f, off = (1.0f - m) / 2.0f;
    // The view rectangle is the lower half; the projection stretches the
    // view's unit square over the whole viewport's height and more.
    EXPECT_EQ(journalCount(*render(), "rect2DW"), 3);
    expectTicks(litAcross(inside(0.0f, 0.5f), false, 255, 128, 0), edges(off, m));

    // With the whole view as the frame the rectangles are fixed.
    render()->clearJournal();
    myRender.postRender(state(), render(), 0, 0, true);
    std::vector<std::string> rects;
    for (const std::string &line : render()->getJournal())
        if (line.compare(0, 7, "rect2DW") == 0)
            rects.push_back(line);
    EXPECT_EQ(rects, (std::vector<std::string>{"rect2DW 0 0 1 1", "rect2DW 0.05 0.05 0.95 0.95",
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
