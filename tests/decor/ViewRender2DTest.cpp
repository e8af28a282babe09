// The decorations of a texture-space viewport on screen and on the journal:
// UV origin, sticky UV origin, the background over its uv rectangle, and
// their caches kept apart from the 3D ones.
#include "tests/decor/DecorTestSupport.h"

#include "decor/GUI_ViewRender2D.h"

#include <cmath>

using vantrel_test::journalCount;
using decor_test::DecorTest;
using decor_test::S;

class ViewRender2D : public DecorTest
{
protected:
    void SetUp() override
    {
        DecorTest::SetUp();
        if (IsSkipped())
            return;
        common().originColor().setRGB(1.0f, 0.0f, 0.0f);
        common().xAxisColor().setRGB(0.0f, 1.0f, 0.0f);
        common().yAxisColor().setRGB(0.0f, 0.0f, 1.0f);
        frameUV(0.0f, 1.0f);
    }

    // An orthographic front view homed on the uv square [lo, hi] in a
    // w x h view, loaded into the context.
    void frameUV(float lo, float hi, short w = S, short h = S,
                 GUI_ViewParameter::axis axis = GUI_ViewParameter::GUI_HOME_FRONT)
    {
        state().setOrthoFlag(1);
        frameBox(UT_BoundingBox(lo, hi, lo, hi, 0.0f, 0.0f), axis, w, h);
    }

    void pre() { myRender.preRender(state(), render(), GUI_ViewParameter::GUI_HOME_FRONT); }
    void post() { myRender.postRender(state(), render(), 0, 0, false); }

    // The pixel of a uv position as the camera shows it.
    bool uvIs(float u, float v, int red, int green, int blue)
    {
        float sx = 0, sy = 0;
        EXPECT_TRUE(windowPoint(UT_Vector3(u, v, 0.0f), sx, sy));
        return nearPixelIs(sx, sy, red, green, blue);
    }

    // Where the sticky tripod puts a point of its own space, in pixels of
    // a view w x h pixels large.
    static float stickyPixel(float at, int size)
    {
        const float extent = (size - 1) * 0.02f;
        return (at + 0.6f) / (1.4f * extent + 0.6f) * size;
    }

    GUI_ViewRender2D myRender;
};

// The UV origin lies at uv (0, 0) with arms 0.1 of the home radius along u
// and v, in the origin colour; the sticky UV origin sits in the lower left
// in the x-axis colour, the same whichever way the camera looks.
TEST_F(ViewRender2D, OriginsSitWhereTheyBelong)
{
    frameUV(-0.5f, 1.5f);
    options().drawOrigin(true);
    render()->clear();
    render()->setJournal(true);
    pre();
    render()->setJournal(false);
    const float size = 0.1f * camera().getLastHomeRadius();
    ASSERT_GT(size, 0.05f);
    // The list is made on this first draw: its arms end at the size.
    const std::vector<std::string> arms = vantrel_test::journalLines(*render(), "vertex2DW");
    ASSERT_EQ(arms.size(), 4u);
    const std::vector<double> u = vantrel_test::journalArgs(arms[0]);
    const std::vector<double> v = vantrel_test::journalArgs(arms[2]);
    ASSERT_EQ(u.size() + v.size(), 4u);
    EXPECT_NEAR(u[0], size, 1e-4) << "u arm";
    EXPECT_NEAR(u[1], 0.0, 1e-4);
    EXPECT_NEAR(v[0], 0.0, 1e-4) << "v arm";
    EXPECT_NEAR(v[1], size, 1e-4);
    EXPECT_TRUE(uvIs(0.5f * size, 0.0f, 255, 0, 0)) << "u arm";
    EXPECT_TRUE(uvIs(0.0f, 0.5f * size, 255, 0, 0)) << "v arm";
    EXPECT_TRUE(uvIs(0.5f * size, 0.5f * size, 0, 0, 0));
    EXPECT_TRUE(uvIs(-0.5f * size, 0.0f, 0, 0, 0)) << "no arm toward -u";

    options().drawOrigin(false);
    options().drawStickyOrigin(true);
    for (GUI_ViewParameter::axis axis :
         {GUI_ViewParameter::GUI_HOME_FRONT, GUI_ViewParameter::GUI_HOME_THREE_QUARTER})
    {
        frameUV(0.0f, 1.0f, S, S, axis);
        render()->clear();
        post();
        const float y0 = stickyPixel(0.0f, S), mid = stickyPixel(0.25f, S);
        EXPECT_TRUE(nearPixelIs(mid, y0, 0, 255, 0)) << "u arm, axis " << axis;
        EXPECT_TRUE(nearPixelIs(y0, mid, 0, 255, 0)) << "v arm in the x-axis colour";
        EXPECT_TRUE(pixelIs(mid, mid, 0, 0, 0));
        EXPECT_TRUE(pixelIs(S / 2, S / 2, 0, 0, 0)) << "only the corner is drawn";
    }
}

// A view narrower or lower than 60 pixels shows no sticky UV origin.
TEST_F(ViewRender2D, NoStickyOriginBelowSixtyPixels)
{
    options().drawStickyOrigin(true);
    for (short w : {short(50), short(S)})
        for (short h : {short(50), short(S)})
        {
            frameUV(0.0f, 1.0f, w, h);
            render()->clear();
            post();
            const bool shown = countNotBlack() > 0;
            EXPECT_EQ(shown, w >= 60 && h >= 60) << w << "x" << h;
        }
}

// The 2D and 3D origins keep one display list each, shared by every
// renderer of the kind: drawing them in turn at different sizes never
// deletes the other's list; a new size replaces only its own kind's list.
TEST_F(ViewRender2D, OriginListsOfTwoAndThreeDimensionsLiveSideBySide)
{
    options().drawOrigin(true);
    GUI_ViewState other;
    other.getDisplayOptionRef().drawBackgrounds(false);
    other.getDisplayOptionRef().drawOrigin(true);
    UT_BoundingBox big(-5, 5, -5, 5, -5, 5);
    other.getViewParameterRef().setView(0, 0, S, S);
    other.homeToBox(S, S, big, nullptr, false, false);
    GUI_ViewRender3D render3D;
    RE_Render *r = render();

    pre();
    render3D.preRender(other, r, GUI_ViewParameter::GUI_HOME_FRONT);
    const int id2 = GUI_ViewRender2D::getOriginListId();
    const int id3 = GUI_ViewRender3D::getOriginListId();
    ASSERT_GE(id2, 0);
    ASSERT_GE(id3, 0);
    EXPECT_NE(id2, id3);
    EXPECT_NE(GUI_ViewRender2D::getOriginListSize(), GUI_ViewRender3D::getOriginListSize());

    r->clearJournal();
    r->setJournal(true);
    for (int i = 0; i < 3; ++i)
    {
        pre();
        // Every 3D renderer shares the one 3D list.
        GUI_ViewRender3D().preRender(other, r, GUI_ViewParameter::GUI_HOME_FRONT);
    }
    EXPECT_EQ(journalCount(*r, "deleteObject"), 0);
    EXPECT_EQ(journalCount(*r, "startObjectDefine"), 0);
    EXPECT_EQ(GUI_ViewRender2D::getOriginListId(), id2);
    EXPECT_EQ(GUI_ViewRender3D::getOriginListId(), id3);

    frameUV(0.0f, 3.0f);
    r->clearJournal();
    pre();
    r->setJournal(false);
    EXPECT_EQ(r->getJournal().front(), "deleteObject " + std::to_string(id2));
    EXPECT_EQ(GUI_ViewRender3D::getOriginListId(), id3);

    // A new 3D size replaces only the 3D list, sized a tenth of the radius.
    UT_BoundingBox bigger(-7, 7, -7, 7, -7, 7);
    other.homeToBox(S, S, bigger, nullptr, false, false);
    const int newId2 = GUI_ViewRender2D::getOriginListId();
    r->clearJournal();
    r->setJournal(true);
    render3D.preRender(other, r, GUI_ViewParameter::GUI_HOME_FRONT);
    r->setJournal(false);
    EXPECT_EQ(r->getJournal().front(), "deleteObject " + std::to_string(id3));
    EXPECT_EQ(journalCount(*r, "startObjectDefine"), 1);
    EXPECT_FALSE(r->isObject(id3));
    EXPECT_TRUE(r->isObject(GUI_ViewRender3D::getOriginListId()));
    EXPECT_FLOAT_EQ(GUI_ViewRender3D::getOriginListSize(),
                    0.1f * other.getViewParameterRef().getLastHomeRadius());
    EXPECT_EQ(GUI_ViewRender2D::getOriginListId(), newId2);
}

// The background lies over the unit square with its own corners as
// texture coordinates, also when textured backgrounds are off; its filter
// follows "drawfilteredbackgrounds", and a change drops the uploaded image.
TEST_F(ViewRender2D, BackgroundCoversItsUVRectangle)
{
    vantrel_test::ScratchDir dir;
    decor_test::writeQuadrants(dir.path() + "/quads.png", 32, 32);
    options().getRotoscopeData().setFileName((dir.path() + "/quads.png").c_str());
    options().drawBackgrounds(true);
    options().drawTexturedBackgrounds(false);
    frameUV(-0.5f, 1.5f);
    render()->clear();
    pre();
    EXPECT_TRUE(uvIs(0.25f, 0.25f, 255, 0, 0)) << "lower left quadrant";
    EXPECT_TRUE(uvIs(0.75f, 0.25f, 0, 255, 0));
    EXPECT_TRUE(uvIs(0.25f, 0.75f, 0, 0, 255));
    EXPECT_TRUE(uvIs(0.75f, 0.75f, 255, 255, 255));
    EXPECT_TRUE(uvIs(1.25f, 0.5f, 0, 0, 0)) << "nothing beyond the square";
    EXPECT_TRUE(uvIs(-0.25f, 0.5f, 0, 0, 0));
    EXPECT_FALSE(render()->isBlending());

    float lo[2] = {0.5f, 0.5f}, hi[2] = {1.5f, 1.5f};
    options().setImageMinUV(lo);
    options().setImageMaxUV(hi);
    render()->clear();
    pre();
    EXPECT_TRUE(uvIs(0.25f, 0.25f, 0, 0, 0)) << "moved with its rectangle";
    EXPECT_TRUE(uvIs(0.75f, 0.25f, 0, 0, 0));
    EXPECT_TRUE(uvIs(0.75f, 0.75f, 255, 255, 255)) << "texture coordinates are the uvs";

    EXPECT_EQ(myRender.getBackgroundFilterValue(), 0);
    options().drawFilteredBackgrounds(true);
    pre();
    EXPECT_EQ(myRender.getBackgroundFilterValue(), 1);
    options().drawFilteredBackgrounds(false);
    pre();
    EXPECT_EQ(myRender.getBackgroundFilterValue(), 0);
}

// Homing on a zero-size uv box (all uvs equal) leaves a camera that still
// shows the point: finite matrices and the point in the view's middle.
TEST_F(ViewRender2D, HomingOnAZeroSizeBoxKeepsAUsableCamera)
{
    frameUV(0.5f, 0.5f);
    options().drawOrigin(true);
    const UT_Matrix4 &m = render()->getAMatrix(RE_MATRIX_PROJECTION);
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            EXPECT_TRUE(std::isfinite(m(i, j)));
    float sx = 0, sy = 0;
    EXPECT_TRUE(windowPoint(UT_Vector3(0.5f, 0.5f, 0.0f), sx, sy));
    EXPECT_NEAR(sx, S / 2.0f, 2.0f);
    EXPECT_NEAR(sy, S / 2.0f, 2.0f);
    render()->clear();
    pre();
    EXPECT_EQ(render()->drainGLErrors(), 0);
}
