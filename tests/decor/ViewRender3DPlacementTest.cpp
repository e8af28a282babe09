// Where the decorations put things, read from the journal and checked
// against the placement rules: the 4:3 frame of the field guide and safe
// area in views taller and wider than 4:3 with margins, the construction
// planes' turns, and background images that follow
// the camera window, the pixel aspect and the axis views.
#include "tests/decor/DecorTestSupport.h"

using decor_test::DecorTest;
using decor_test::S;

class ViewRender3DPlacement : public DecorTest
{
protected:
    // The numbers of each journal line of op, in order.
    std::vector<std::vector<double>> args(const std::string &op)
    {
        std::vector<std::vector<double>> out;
        for (const std::string &line : vantrel_test::journalLines(*render(), op))
            out.push_back(vantrel_test::journalArgs(line));
        return out;
    }
    static void expectArgs(const std::vector<double> &got, const std::vector<double> &want,
                           const std::string &what)
    {
        ASSERT_EQ(got.size(), want.size()) << what;
        for (size_t i = 0; i < got.size(); ++i)
            EXPECT_NEAR(got[i], want[i], 1e-4) << what << " value " << i;
    }
    // Shows a w x h image behind the objects.
    void useImage(int w, int h)
    {
        const std::string path =
            myDir.path() + "/" + std::to_string(w) + "x" + std::to_string(h) + ".png";
        decor_test::writeQuadrants(path, w, h);
        options().getRotoscopeData().setFileName(path.c_str());
        options().drawBackgrounds(true);
    }
    void pre(GUI_ViewParameter::axis axis = GUI_ViewParameter::GUI_HOME_FRONT)
    {
        render()->setJournal(true);
        render()->clearJournal();
        myRender.preRender(state(), render(), axis);
    }
    // Draws a w x h image behind a 128 x 64 view (full aspect 2) with the
    // window (0.1, -0.2, 0.5, 0.5), roll 30 and a translation of (0.05,
    // -0.1) times the full frustum's width and height.
    void preImage(int w, int h, float pixelAspect, bool ortho, bool tracks)
    {
        state().setOrthoFlag(ortho);
        frame(1.0f, GUI_ViewParameter::GUI_HOME_FRONT, S, S / 2);
        useImage(w, h);
        camera().setPixelAspect(pixelAspect);
        camera().setWindowAffectRotoscope(tracks);
        camera().setWindow(0.1f, -0.2f, 0.5f, 0.5f);
        camera().setWinRoll(30.0f);
        state().setProjection(render());
        float fw = 0, fh = 0;
        camera().getLastFrustumSize(fw, fh);
        camera().setTx(0.05f * fw);
        camera().setTy(-0.1f * fh);
        pre();
    }

    vantrel_test::ScratchDir myDir;
    GUI_ViewRender3D myRender;
};

// The viewport (10, 20) 200 x 120 holds a view of W x H at (30, 25). The
// unit square of the view is widened over the margins; the frame fills the
// width of a view taller than 4:3 (height 0.75 W / H, centred) and the
// height of a wider one (width 1.333333 H / W). The field guide cuts the
// frame into 24 x 24 cells; the safe area outlines it at 0, 5 and 10%.
TEST_F(ViewRender3DPlacement, FieldGuideAndSafeAreaFitTheFrameInAViewWithMargins)
{
    options().drawFieldGuide(true);
    options().drawSafeArea(true);
    common().gridColor().setRGB(1.0f, 1.0f, 0.0f);
    common().guide1Color().setRGB(1.0f, 0.5f, 0.0f);
    for (const auto &wh : {std::pair<int, int>{90, 100}, std::pair<int, int>{160, 100}})
    {
        const float W = float(wh.first), H = float(wh.second);
        SCOPED_TRACE(::testing::Message() << "view " << W << " x " << H);
        state().setViewport(render(), 10, 20, 200, 120);
        camera().setView(30, 25, short(W), short(H));
        float x0 = 0, y0 = 0, w = 1, h = 1;
        if (H / W > 0.75f)
            h = 0.75f * W / H, y0 = (1 - h) / 2;
        else
            w = 1.333333f * H / W, x0 = (1 - w) / 2;
        render()->setJournal(true);
        render()->clearJournal();
        myRender.postRender(state(), render(), 0, 0, false);

        const std::vector<double> bounds = {-20 / W, 1 + (209 - (29 + W)) / W, -5 / H,
                                            1 + (139 - (24 + H)) / H};
        const auto ortho = args("ortho2DW");
        ASSERT_EQ(ortho.size(), 2u);
        expectArgs(ortho[0], bounds, "field guide projection");
        expectArgs(ortho[1], bounds, "safe area projection");

        const auto v = args("vertex3DW");
        ASSERT_EQ(v.size(), 100u);
        for (int i = 0; i <= 24; i += 6)
        {
            const double y = y0 + i * h / 24, x = x0 + i * w / 24;
            const std::string line = "line " + std::to_string(i);
            expectArgs(v[4 * i], {x0, y, 0}, line);
            expectArgs(v[4 * i + 1], {x0 + w, y, 0}, line);
            expectArgs(v[4 * i + 2], {x, y0, 0}, line);
            expectArgs(v[4 * i + 3], {x, y0 + h, 0}, line);
        }
        EXPECT_EQ(vantrel_test::journalLines(*render(), "setColor"),
                  (std::vector<std::string>{"setColor 1 1 0 1", "setColor 1 0.5 0 1"}));
        const auto rects = args("rect2DW");
        ASSERT_EQ(rects.size(), 3u);
        const float insets[3] = {0.0f, 0.05f, 0.1f};
        for (int k = 0; k < 3; ++k)
            expectArgs(rects[k],
                       {x0 + insets[k] * w, y0 + insets[k] * h, x0 + (1 - insets[k]) * w,
                        y0 + (1 - insets[k]) * h},
                       "safe area " + std::to_string(k));
    }
}

// The XY plane is the grid unturned, XZ turned 90 degrees about x, YZ 90
// degrees about y; each spans twice the home radius in 20 cells, in the
// grid colour.
TEST_F(ViewRender3DPlacement, ConstructionPlanesTurnIntoTheirPlanes)
{
    frame(1.3f, GUI_ViewParameter::GUI_HOME_FRONT);
    common().gridColor().setRGB(0.0f, 1.0f, 1.0f);
    const double R = camera().getLastHomeRadius();
    const std::vector<double> turns[3] = {{0, 'x'}, {90, 'x'}, {90, 'y'}};
    for (int plane = 0; plane < 3; ++plane)
    {
        options().drawXYPlane(plane == 0);
        options().drawXZPlane(plane == 1);
        options().drawYZPlane(plane == 2);
        pre();
        const auto rotations = args("rotate");
        ASSERT_EQ(rotations.size(), 1u) << "plane " << plane;
        expectArgs(rotations[0], turns[plane], "plane " + std::to_string(plane));
        const auto v = args("vertex2DW");
        ASSERT_EQ(v.size(), 88u);
        expectArgs(v[0], {-R, -R}, "first line");
        expectArgs(v[1], {R, -R}, "first line");
        expectArgs(v[83], {R, R}, "last grid line");
        EXPECT_EQ(vantrel_test::journalLines(*render(), "setColor"),
                  std::vector<std::string>{"setColor 0 1 1 1"});
    }
}

// Auto-placed, the image fills the projection's height unless it is wider
// than the projection (aspect a = 2 here): its aspect times the pixel
// aspect gives its width. Tracking the window, the projection is the
// window's part of the full frustum (plus the translation when
// orthographic), widened by a, and the image turns against the roll.
TEST_F(ViewRender3DPlacement, TexturedImageFollowsWindowAndPixelAspect)
{
    options().drawTexturedBackgrounds(true);
    options().autoPlaceImage(true);
    struct
    {
        int iw, ih;
        float pa;
        bool ortho, tracks;
        float hx, hy;
    } cases[] = {{16, 8, 2.0f, false, false, 4, 1},  {32, 8, 2.0f, false, false, 2, 0.25f},
                 {16, 8, 1.0f, false, true, 2, 1},   {16, 8, 1.0f, true, true, 2, 1}};
    for (const auto &c : cases)
    {
        SCOPED_TRACE("case " + std::to_string(&c - cases));
        preImage(c.iw, c.ih, c.pa, c.ortho, c.tracks);

        std::vector<double> bounds = {-2, 2, -1, 1};
        if (c.tracks)
        {
            const double cx = c.ortho ? 0.3 : 0.2, cy = c.ortho ? -0.6 : -0.4;
            bounds = {(cx - 0.5) * 2, (cx + 0.5) * 2, cy - 0.5, cy + 0.5};
        }
        const auto ortho = args("ortho2DW");
        ASSERT_EQ(ortho.size(), 1u);
        expectArgs(ortho[0], bounds, "projection");
        const auto turns = args("rotate");
        ASSERT_EQ(turns.size(), c.tracks ? 1u : 0u);
        if (c.tracks)
            expectArgs(turns[0], {-30, 'z'}, "roll");
        const auto v = args("vertex3DW");
        ASSERT_EQ(v.size(), 4u);
        expectArgs(v[0], {-c.hx, -c.hy, 0}, "lower left");
        expectArgs(v[2], {c.hx, c.hy, 0}, "upper right");
    }
}

// The framed image is fitted to the 128 x 64 view by its aspect times the
// pixel aspect and centred. Tracking the window, it grows by 1 / window
// size and moves against the window offset (plus translation / frustum
// size when orthographic), rounded to whole pixels.
TEST_F(ViewRender3DPlacement, FramedImageFollowsWindowAndPixelAspect)
{
    options().drawTexturedBackgrounds(false);
    render()->setFloatZoomSupported(true);
    struct
    {
        int iw, ih;
        float pa;
        bool ortho, tracks;
        std::vector<double> zoom, at;
    } cases[] = {{40, 20, 1.0f, false, true, {6.4, 6.4}, {-90, -6}},
                 {40, 20, 1.0f, true, true, {6.4, 6.4}, {-102, 6}},
                 {40, 20, 0.5f, false, false, {1.6, 3.2}, {32, 0}},
                 {40, 10, 2.0f, false, false, {3.2, 1.6}, {0, 24}}};
    for (const auto &c : cases)
    {
        SCOPED_TRACE("case " + std::to_string(&c - cases));
        preImage(c.iw, c.ih, c.pa, c.ortho, c.tracks);
        const auto zoom = args("zoomRaster"), at = args("displayRaster");
        ASSERT_EQ(zoom.size(), 2u);
        ASSERT_EQ(at.size(), 1u);
        expectArgs(zoom[0], c.zoom, "zoom");
        expectArgs({at[0][0], at[0][1]}, c.at, "position");
    }
}

// Placed by offset (0.5, 0.25) and scale 1, a 2:1 image spans 4 x 2 units
// in the plane each axis view looks at, mirrored where that view looks
// back along the plane's horizontal.
TEST_F(ViewRender3DPlacement, PlacedImageLiesInTheSideViewsPlanes)
{
    frame(1.0f, GUI_ViewParameter::GUI_HOME_FRONT);
    useImage(16, 8);
    options().drawTexturedBackgrounds(true);
    options().autoPlaceImage(false);
    float offset[2] = {0.5f, 0.25f}, scale[2] = {1.0f, 1.0f};
    options().setImageOffset(offset);
    options().setImageScale(scale);
    const struct
    {
        GUI_ViewParameter::axis axis;
        std::vector<double> lowerLeft, upperRight;
    } cases[] = {{GUI_ViewParameter::GUI_HOME_TOP, {-1.5, 0, 0.75}, {2.5, 0, -1.25}},
                 {GUI_ViewParameter::GUI_HOME_RIGHT, {0, -0.75, 1.5}, {0, 1.25, -2.5}},
                 {GUI_ViewParameter::GUI_HOME_BACK, {1.5, -0.75, 0}, {-2.5, 1.25, 0}},
                 {GUI_ViewParameter::GUI_HOME_LEFT, {0, -0.75, -1.5}, {0, 1.25, 2.5}},
                 {GUI_ViewParameter::GUI_HOME_BOTTOM, {-1.5, 0, -0.75}, {2.5, 0, 1.25}}};
    for (const auto &c : cases)
    {
        pre(c.axis);
        const auto v = args("vertex3DW");
        ASSERT_EQ(v.size(), 4u) << "axis " << c.axis;
        expectArgs(v[0], c.lowerLeft, "axis " + std::to_string(c.axis));
        expectArgs(v[2], c.upperRight, "axis " + std::to_string(c.axis));
        EXPECT_TRUE(args("setReverseWinding").empty());
    }
}
