// Background images and the snapshot raster: where their texels land,
// what they leave of the render state, and bad or missing images.
#include "tests/decor/DecorTestSupport.h"

#include "host/TIL/TIL_TextureMap.h"
#include "host/UT/UT_ErrorManager.h"

#include <array>

using vantrel_test::journalCount;
using decor_test::DecorTest;
using decor_test::S;

class ViewRender3DBackground : public DecorTest
{
protected:
    void SetUp() override
    {
        DecorTest::SetUp();
        if (IsSkipped())
            return;
        frame(1.0f, GUI_ViewParameter::GUI_HOME_FRONT);
        options().drawBackgrounds(true);
    }

    // Shows the image file behind the objects.
    void useImage(const std::string &name)
    {
        options().getRotoscopeData().setFileName((myDir.path() + "/" + name).c_str());
    }

    void pre() { myRender.preRender(state(), render(), GUI_ViewParameter::GUI_HOME_FRONT); }

    std::vector<std::string> linesOf(const std::string &op)
    {
        return vantrel_test::journalLines(*render(), op);
    }

    vantrel_test::ScratchDir myDir;
    GUI_ViewRender3D myRender;
};

TEST_F(ViewRender3DBackground, TexturedImageLiesBehindObjectsWhereAutoPlacementPutsIt)
{
    // Twice as wide as high in a square view: the full width, the middle
    // half of the height.
    decor_test::writeQuadrants(myDir.path() + "/quads.png", 64, 32);
    useImage("quads.png");
    RE_Render *r = render();
    r->enableZbuffer(1, 1);
    pre();
    EXPECT_TRUE(r->isZbuffer());
    // An object in front of the image, drawn with depth testing.
    r->setColor(0.5f, 0.5f, 0.5f);
    r->beginPolygon();
    const float corners[4][2] = {{-0.1f, -0.1f}, {0.1f, -0.1f}, {0.1f, 0.1f}, {-0.1f, 0.1f}};
    for (const auto &c : corners)
        r->vertex3DW(c[0], c[1], 0.0f);
    r->endPolygon();
    r->enableZbuffer(0, 0);
    r->flush(1);

    EXPECT_TRUE(pixelIs(S / 2, S / 2, 128, 128, 128)) << "the object wins";
    EXPECT_TRUE(pixelIs(S / 8, 3 * S / 8, 255, 0, 0));
    EXPECT_TRUE(pixelIs(7 * S / 8, 3 * S / 8, 0, 255, 0));
    EXPECT_TRUE(pixelIs(S / 2, S / 8, 0, 0, 0)) << "below the image";
    EXPECT_TRUE(pixelIs(S / 2, 7 * S / 8, 0, 0, 0)) << "above the image";
}

TEST_F(ViewRender3DBackground, BlendingSmoothingAndDepthAreAsBeforeEachBackground)
{
    decor_test::writeQuadrants(myDir.path() + "/quads.png", 8, 8);
    useImage("quads.png");
    RE_Render *r = render();
    r->setJournal(true);

    // Already blending with the image function: neither is touched.
    r->blend(1);
    r->setBlendFunction(RE_SBLEND_SRC_ALPHA, RE_DBLEND_ONE_MINUS_SRC_ALPHA);
    r->smoothBlendLines(1);
    r->clearJournal();
    pre();
    EXPECT_EQ(journalCount(*r, "blend"), 0);
    EXPECT_EQ(journalCount(*r, "setBlendFunction"), 0);
    EXPECT_EQ(linesOf("smoothBlendLines"),
              (std::vector<std::string>{"smoothBlendLines 0", "smoothBlendLines 1"}));
    EXPECT_EQ(journalCount(*r, "enableZbuffer"), 0) << "depth was off";

    // Blending off with another function, textured then framed: both are
    // switched for the image and put back.
    r->blend(0);
    r->setBlendFunction(RE_SBLEND_ONE, RE_DBLEND_ZERO);
    r->smoothBlendLines(0);
    r->enableZbuffer(1, 0);
    for (bool textured : {true, false})
    {
        SCOPED_TRACE(textured ? "textured" : "framed");
        options().drawTexturedBackgrounds(textured);
        r->clearJournal();
        pre();
        EXPECT_EQ(linesOf("blend"), (std::vector<std::string>{"blend 1", "blend 0"}));
        EXPECT_EQ(linesOf("setBlendFunction"),
                  (std::vector<std::string>{"setBlendFunction 3 4", "setBlendFunction 1 0"}));
        EXPECT_EQ(linesOf("enableZbuffer"),
                  (std::vector<std::string>{"enableZbuffer 0 0", "enableZbuffer 1 0"}));
        EXPECT_EQ(journalCount(*r, "smoothBlendLines"), 0);
        EXPECT_EQ(journalCount(*r, "pushMatrix"), journalCount(*r, "popMatrix"));
        EXPECT_FALSE(r->isBlending());
        EXPECT_TRUE(r->isZbuffer());
    }

    // Backgrounds off: the depth test is not even switched.
    options().drawBackgrounds(false);
    r->clearJournal();
    pre();
    EXPECT_EQ(journalCount(*r, "enableZbuffer"), 0);
    EXPECT_EQ(journalCount(*r, "useTexture2D"), 0);
    r->enableZbuffer(0, 0);
}

// A placed image mirrored in one direction turns its winding round for the
// draw; mirrored in both it keeps it.
TEST_F(ViewRender3DBackground, PlacedImageFlipsWindingWhenMirroredOnce)
{
    decor_test::writeQuadrants(myDir.path() + "/wide.png", 16, 8);
    useImage("wide.png");
    options().autoPlaceImage(false);
    RE_Render *r = render();
    r->setJournal(true);
    struct
    {
        float su, sv;
        bool flips;
    } cases[] = {{-1, 1, true}, {1, -0.5f, true}, {-1, -1, false}};
    for (const auto &c : cases)
    {
        float scale[2] = {c.su, c.sv};
        options().setImageScale(scale);
        r->clearJournal();
        pre();
        const std::vector<std::string> flips = {"setReverseWinding 1", "setReverseWinding 0"};
        EXPECT_EQ(linesOf("setReverseWinding"), c.flips ? flips : std::vector<std::string>())
            << c.su << " " << c.sv;
        EXPECT_FALSE(r->getReverseWinding());
    }
}

TEST_F(ViewRender3DBackground, FramedImageZoomsExactlyOrInWholeSteps)
{
    decor_test::writeQuadrants(myDir.path() + "/small.png", 40, 20);
    decor_test::writeQuadrants(myDir.path() + "/big.png", 2 * S, 2 * S);
    options().drawTexturedBackgrounds(false);
    RE_Render *r = render();
    r->setJournal(true);

    // 40 x 20 over a 128-pixel square view: 128 x 64 on screen.
    useImage("small.png");
    r->setFloatZoomSupported(true);
    pre();
    EXPECT_EQ(linesOf("zoomRaster"),
              (std::vector<std::string>{"zoomRaster 3.2 3.2", "zoomRaster 1 -1"}));
    EXPECT_EQ(linesOf("displayRaster"),
              (std::vector<std::string>{"displayRaster 0 32 40 20"}));
    r->flush(1);
    EXPECT_TRUE(pixelIs(S / 8, 3 * S / 8, 255, 0, 0));
    EXPECT_TRUE(pixelIs(7 * S / 8, 5 * S / 8, 255, 255, 255));
    EXPECT_TRUE(pixelIs(S / 2, S / 8, 0, 0, 0));

    r->setFloatZoomSupported(false);
    r->clearJournal();
    pre();
    EXPECT_EQ(linesOf("zoomRaster"), (std::vector<std::string>{"zoomRaster 3 -1", "zoomRaster 1 -1"}));

    // Twice the view both ways: half the size, the full image asked for.
    useImage("big.png");
    r->clearJournal();
    pre();
    EXPECT_EQ(linesOf("zoomRaster"),
              (std::vector<std::string>{"zoomRaster 0.5 -1", "zoomRaster 1 -1"}));
    EXPECT_EQ(linesOf("displayRaster"),
              (std::vector<std::string>{"displayRaster 0 0 256 256"}));
    r->setFloatZoomSupported(true);
}

TEST_F(ViewRender3DBackground, ReloadsAfterRenameAndReportsABadImageOnce)
{
    decor_test::writeQuadrants(myDir.path() + "/quads.png", 8, 8);
    const uint8_t blue[4] = {0, 0, 255, 255};
    ASSERT_TRUE(REwritePNG((myDir.path() + "/blue.png").c_str(), 1, 1, blue));
    vantrel_test::writeFile(myDir.path() + "/broken.png", "\x89PNG\r\n\x1a\nnot really");
    RE_Render *r = render();

    useImage("quads.png");
    pre();
    r->flush(1);
    EXPECT_TRUE(pixelIs(S / 8, S / 8, 255, 0, 0));
    useImage("blue.png");
    pre();
    r->flush(1);
    EXPECT_TRUE(pixelIs(S / 8, S / 8, 0, 0, 255));

    UTclearErrors();
    for (const char *bad : {"broken.png", "missing.png"})
    {
        useImage(bad);
        for (bool textured : {true, false})
        {
            options().drawTexturedBackgrounds(textured);
            r->clear();
            r->setJournal(true);
            r->clearJournal();
            pre();
            pre();
            r->flush(1);
            EXPECT_EQ(countNotBlack(), 0) << bad;
            EXPECT_EQ(journalCount(*r, "useTexture2D"), 0);
            EXPECT_EQ(journalCount(*r, "displayRaster"), 0);
            EXPECT_EQ(journalCount(*r, "blend"), 0);
        }
        int reports = 0;
        for (const UT_ErrorEntry &e : UTgetErrors())
            reports += e.text.find(bad) != std::string::npos;
        EXPECT_EQ(reports, 1) << bad;
    }
    UTclearErrors();
}

TEST_F(ViewRender3DBackground, SnapshotAtHalfAlphaMixesHalfAndHalf)
{
    RE_Render *r = render();
    r->setJournal(true);
    EXPECT_FALSE(myRender.rasterRender(state(), r, 0.5f));
    EXPECT_TRUE(r->getJournal().empty());

    TIL_TextureMap red(2, 2);
    for (int i = 0; i < 4; ++i)
        red.setPixel(i % 2, i / 2, 255, 0, 0, 255);
    state().setSnapshotImage(&red);
    r->setClearColor(0.0f, 0.0f, 1.0f);
    r->clear();
    EXPECT_TRUE(myRender.rasterRender(state(), r, 0.5f));
    r->flush(1);
    EXPECT_TRUE(pixelIs(3, 3, 128, 0, 127, 3));
    EXPECT_TRUE(pixelIs(S - 3, S - 3, 128, 0, 127, 3));
    EXPECT_FALSE(r->isBlending());
    EXPECT_EQ(r->getTexture2D(), 0u);

    // A copy of the renderer makes its own texture and draws the same.
    GUI_ViewRender3D copy(myRender);
    r->clear();
    EXPECT_TRUE(copy.rasterRender(state(), r, 1.0f));
    r->flush(1);
    EXPECT_TRUE(pixelIs(S / 2, S / 2, 255, 0, 0));
    state().setSnapshotImage(nullptr);
}
