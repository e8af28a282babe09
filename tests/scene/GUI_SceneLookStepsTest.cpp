// The scene look's other frame steps: ownership and copies, the cameras
// setView loads, the decoration passes and the snapshot overlay.
#include "tests/scene/SceneLookTestSupport.h"
#include "tests/view/ViewStateTestSupport.h"

#include "host/OP/CH_Manager.h"
#include "host/OP/OP_Director.h"
#include "host/TIL/TIL_TextureMap.h"
#include "scene/GUI_SceneLook.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using vantrel_test::journalIndex;
using vantrel_test::journalLines;
using scene_test::RecordingViewRender;

TEST(SceneLookSteps, CopiesShareWhatTheLookOwnsAndFreeItOnce)
{
    int destroyed = 0;
    {
        GUI_SceneLook own(new RecordingViewRender(&destroyed), nullptr);
        own.getViewStateRef().getViewParameterRef().setClearAmount(0.25f);
        {
            GUI_SceneLook copy(own);
            EXPECT_EQ(&copy.getViewStateRef(), &own.getViewStateRef());
            EXPECT_EQ(copy.getViewRender(), own.getViewRender());
        }
        EXPECT_EQ(destroyed, 0);
        // Still usable after the copy went.
        EXPECT_EQ(own.getViewStateRef().getViewParameterRef().getClearAmount(), 0.25f);

        GUI_ViewState outside;
        GUI_SceneLook other(new RecordingViewRender(&destroyed), &outside);
        GUI_SceneLook assigned(other);
        assigned = own; // other's renderer is still held by 'other'
        EXPECT_EQ(destroyed, 0);
        EXPECT_EQ(&assigned.getViewStateRef(), &own.getViewStateRef());
        other = own; // the last holder of the second renderer lets go
        EXPECT_EQ(destroyed, 1);
        other = other;
        EXPECT_EQ(&other.getViewStateRef(), &own.getViewStateRef());
    }
    // The shared renderer once; the caller's view state is left alone
    // (it is on the stack), the made one freed (the sanitizer run checks).
    EXPECT_EQ(destroyed, 2);
}

TEST(SceneLookSteps, SetViewLoadsTheCameraOfTheType)
{
    RE_Render r;
    GUI_SceneLook look(nullptr, nullptr);
    GUI_ViewState &state = look.getViewStateRef();
    look.setView(&r, 5, 6, 50, 40);
    EXPECT_EQ(state.getViewParameterRef().getViewportWidth(), 50);
    short x1, x2, y1, y2;
    r.getViewport2DS(x1, x2, y1, y2);
    EXPECT_EQ(x1, 5);
    EXPECT_EQ(y2, 45);

    look.setView(GUI_ViewState::GUI_VIEW_THIRD, &r, 0, 0, 30, 20);
    EXPECT_EQ(state.getViewParameter(GUI_ViewState::GUI_VIEW_THIRD).getViewportWidth(), 30);
    EXPECT_EQ(state.getViewParameterRef().getViewportWidth(), 50);
}

TEST(SceneLookSteps, DecorationPassesReachTheViewRenderer)
{
    RE_Render r;
    r.setJournal(true);
    auto *render = new RecordingViewRender;
    GUI_SceneLook look(render, nullptr);
    look.doPreRender(&r, 0, 0, 10, 10, GUI_ViewParameter::GUI_HOME_TOP);
    look.doPostRender(&r, 1, 2, 33, 44, true);
    look.renderForeground(&r, 0, 0, 10, 10);
    EXPECT_EQ(render->myCalls, (std::vector<std::string>{"preRender 7", "postRender 33 44 1"}));
    // The flush follows the pre-render's drawing.
    EXPECT_LT(journalIndex(r, "setColor"), journalIndex(r, "flush 0"));
    EXPECT_EQ(journalLines(r, "flush").size(), 1u);

    GUI_SceneLook bare(nullptr, nullptr);
    r.clearJournal();
    bare.doPreRender(&r, 0, 0, 10, 10, GUI_ViewParameter::GUI_HOME_TOP);
    bare.doPostRender(&r, 0, 0, 10, 10, false);
    EXPECT_EQ(r.getJournal(), (std::vector<std::string>{"flush 0"}));

    int a = 0, b = 0, c = 3, d = 4, e = 5, f = 6;
    look.getPreferredSizes(a, b, c, d, e, f);
    EXPECT_EQ(a, RE_OGLRender::inchesToPixels(0.1f));
    EXPECT_GT(a, 0);
    EXPECT_EQ(b, a);
    EXPECT_EQ(c + d + e + f, 18);
}

namespace
{
struct SnapshotOverlay : ::testing::Test
{
    void SetUp() override
    {
        r.setJournal(true);
        look.getViewStateRef().setSnapshotImage(&image);
    }
    void TearDown() override
    {
        CH_Manager::theManager()->setEvaluateTime(0.0);
        OPgetDirector()->setTimeOffset(0.0);
        OPgetDirector()->setFrameRate(24.0);
    }
    // Draws with alpha and says whether blending was on while drawing.
    bool drawBlended(float alpha)
    {
        look.getViewStateRef().setSnapshotAlpha(alpha);
        EXPECT_TRUE(look.renderOverrideRaster(&r, 0, 0, 20, 10));
        return render->myBlendingSeen.back();
    }
    RE_Render r;
    TIL_TextureMap image{4, 4};
    RecordingViewRender *render = new RecordingViewRender;
    GUI_SceneLook look{render, nullptr};
};
}

TEST_F(SnapshotOverlay, AlphaIsClampedAndNearlyOpaqueNeedsNoBlending)
{
    EXPECT_FALSE(drawBlended(1.5f));
    EXPECT_EQ(render->myAlphas.back(), 1.0f);
    EXPECT_TRUE(look.getOverrideRasterShownOnlyFlag());

    EXPECT_FALSE(drawBlended(0.999995f));
    EXPECT_TRUE(look.getOverrideRasterShownOnlyFlag());
    EXPECT_TRUE(journalLines(r, "blend").empty());

    EXPECT_TRUE(drawBlended(0.9999f));
    EXPECT_FALSE(look.getOverrideRasterShownOnlyFlag());

    r.clearJournal();
    EXPECT_TRUE(drawBlended(-2.0f));
    EXPECT_EQ(render->myAlphas.back(), 0.0f);
    EXPECT_EQ(journalLines(r, "setBlendFunction"),
              (std::vector<std::string>{"setBlendFunction 3 4"}));
    EXPECT_FALSE(r.isBlending()); // put back off
    // The viewport is set before the raster is drawn.
    EXPECT_LT(journalIndex(r, "viewport2DS"), journalIndex(r, "blend 1"));

    r.blend(1);
    EXPECT_TRUE(drawBlended(0.5f));
    EXPECT_TRUE(r.isBlending()); // and left on when it was on

    EXPECT_TRUE(drawBlended(std::numeric_limits<float>::quiet_NaN()));
    EXPECT_EQ(render->myAlphas.back(), 0.0f);
    EXPECT_FALSE(look.getOverrideRasterShownOnlyFlag());
}

TEST_F(SnapshotOverlay, HiddenAtTheFrameItWasTakenAt)
{
    GUI_ViewState &state = look.getViewStateRef();
    state.setHideSnapshotAtSourceFrame(true);
    CH_Manager::theManager()->setEvaluateTime(1.0);
    OPgetDirector()->setFrameRate(30.0);
    OPgetDirector()->setTimeOffset(0.1); // (1 + 0.1) * 30 + 1 = frame 34
    state.setSnapshotImageFrame(34);
    EXPECT_FALSE(look.renderOverrideRaster(&r, 0, 0, 20, 10));
    EXPECT_FALSE(look.getOverrideRasterShownOnlyFlag());
    EXPECT_TRUE(render->myAlphas.empty());
    EXPECT_TRUE(r.getJournal().empty());

    state.setSnapshotImageFrame(33);
    EXPECT_TRUE(look.renderOverrideRaster(&r, 0, 0, 20, 10));
    EXPECT_TRUE(look.getOverrideRasterShownOnlyFlag());
    state.setHideSnapshotAtSourceFrame(false);
    state.setSnapshotImageFrame(34);
    EXPECT_TRUE(look.renderOverrideRaster(&r, 0, 0, 20, 10));
}

TEST_F(SnapshotOverlay, NothingWithoutImageRendererOrArea)
{
    EXPECT_FALSE(look.renderOverrideRaster(&r, 0, 0, 0, 10));
    EXPECT_FALSE(look.renderOverrideRaster(&r, 0, 0, 10, -1));
    EXPECT_FALSE(look.renderOverrideRaster(nullptr, 0, 0, 10, 10));
    look.getViewStateRef().setSnapshotImage(nullptr);
    EXPECT_FALSE(look.renderOverrideRaster(&r, 0, 0, 10, 10));
    EXPECT_FALSE(look.getOverrideRasterShownOnlyFlag());
    EXPECT_TRUE(render->myAlphas.empty());
    EXPECT_TRUE(r.getJournal().empty());

    GUI_SceneLook bare(nullptr, nullptr);
    bare.getViewStateRef().setSnapshotImage(&image);
    EXPECT_FALSE(bare.renderOverrideRaster(&r, 0, 0, 10, 10));
    EXPECT_FALSE(bare.getOverrideRasterShownOnlyFlag());
}
